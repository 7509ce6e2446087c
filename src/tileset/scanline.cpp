// Handing the host one picture line at a time.
#include <cstring>

#include "brackenfold_tst.h"
#include "picture_geometry.h"
#include "picture_handle.h"
#include "strip_buffer.h"

extern "C" int32_t zorLoadPictureGetLine(PictureHandle* handle, int32_t line,
                                         unsigned char* buffer) noexcept {
  if (handle == nullptr || !handle->described() || line < 0 || buffer == nullptr) return 0;
  const int32_t stripIndex = line / handle->tileSize;
  const int32_t row = line % handle->tileSize;
  if (!zor::holdStrip(*handle, tst::stripFileOffset(stripIndex, handle->stripBytes))) return 0;
  // The strip was decoded whole when it was read: a line is one copy.
  const std::size_t lineBytes = 4 * static_cast<std::size_t>(handle->width);
  std::memcpy(buffer, handle->decoded + static_cast<std::size_t>(row) * lineBytes, lineBytes);
  return 1;
}
