// Handing the host one picture line at a time.
#include "brackenfold_tst.h"
#include "line_decoder.h"
#include "picture_geometry.h"
#include "picture_handle.h"
#include "strip_buffer.h"

extern "C" int32_t zorLoadPictureGetLine(PictureHandle* handle, int32_t line,
                                         unsigned char* buffer) {
  if (handle == nullptr || !handle->described() || line < 0 || buffer == nullptr) return 0;
  const int32_t stripIndex = line / handle->tileSize;
  const int32_t row = line % handle->tileSize;
  if (!zor::holdStrip(*handle, tst::stripFileOffset(stripIndex, handle->stripBytes))) return 0;
  tst::decodeLine(handle->strip.get(), handle->width, handle->tileSize, row, buffer);
  return 1;
}
