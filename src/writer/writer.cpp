// The writing side: every picture is declined; Init alone writes a 12-byte
// header (width, height, bits per pixel) under the label "Test format".
#include <cstdio>
#include <memory>

#include "brackenfold_tst.h"
#include "label_copy.h"
#include "picture_handle.h"
#include "plugin_constants.h"

namespace {

void putInt32LE(uint8_t* out, int32_t value) {
  const uint32_t bits = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(bits >> (8 * i));
}

}  // namespace

extern "C" int32_t zorSavePictureIsSupported(int32_t, int32_t, int32_t, int32_t) noexcept {
  return 0;
}

extern "C" PictureHandle* zorSavePictureInit(const char* filename, int32_t width, int32_t height,
                                             int32_t bitsPerPixel, int32_t /*dpi*/,
                                             int32_t* pictureType, char* label,
                                             int32_t labelMaxSize) noexcept {
  if (filename == nullptr || pictureType == nullptr ||
      !zor::labelBufferUsable(label, labelMaxSize)) {
    return nullptr;
  }
  std::unique_ptr<PictureHandle> handle(zor::newPictureHandle());
  if (handle == nullptr) return nullptr;
  handle->file = zor::openForWriting(filename);
  std::FILE* file = handle->file.get();
  if (file == nullptr) return nullptr;

  uint8_t header[12];
  putInt32LE(header, width);
  putInt32LE(header + 4, height);
  putInt32LE(header + 8, bitsPerPixel);
  // Flushed now, so that a full disk is reported here rather than lost.
  if (std::fwrite(header, 1, sizeof header, file) != sizeof header || std::fflush(file) != 0) {
    return nullptr;
  }
  handle->width = width;

  *pictureType = zor::kPictureTypeWrite;
  zor::copyLabel(zor::kWriterLabel, label, static_cast<uint32_t>(labelMaxSize));
  return handle.release();
}

extern "C" int32_t zorSavePicturePutLine(PictureHandle*, int32_t, const unsigned char*) noexcept {
  return 0;
}

extern "C" void zorSavePictureExit(PictureHandle* handle) noexcept {
  // Closing the stream puts the header on disk; the record goes with it.
  delete handle;
}
