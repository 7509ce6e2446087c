// Opening a tileset, describing it to the host as one picture, and closing it.
#include <cstdio>
#include <memory>
#include <optional>

#include "brackenfold_tst.h"
#include "label_copy.h"
#include "picture_geometry.h"
#include "picture_handle.h"
#include "plugin_constants.h"
#include "strip_buffer.h"
#include "tileset_header.h"

extern "C" PictureHandle* zorLoadPictureInit(const char* filename) noexcept {
  if (filename == nullptr) return nullptr;
  std::unique_ptr<PictureHandle> handle(zor::newPictureHandle());
  if (handle == nullptr) return nullptr;
  handle->file = zor::openForReading(filename);
  if (handle->file == nullptr) return nullptr;
  return handle.release();
}

extern "C" int32_t zorLoadPictureGetInfo(PictureHandle* handle, int32_t* pictureType,
                                         int32_t* width, int32_t* height, int32_t* dpi,
                                         int32_t* bitsPerPixel, int32_t* bytesPerLine,
                                         int32_t* hasColormap, char* label,
                                         int32_t labelMaxSize) noexcept {
  if (handle == nullptr || pictureType == nullptr || width == nullptr || height == nullptr ||
      dpi == nullptr || bitsPerPixel == nullptr || bytesPerLine == nullptr ||
      hasColormap == nullptr || !zor::labelBufferUsable(label, labelMaxSize)) {
    return 0;
  }
  // Whatever follows, an earlier description no longer holds.
  zor::releaseStrip(*handle);
  std::FILE* file = handle->file.get();

  const int64_t fileSize = zor::measureAndRewind(file);
  if (fileSize < 0) return 0;
  handle->fileSize = fileSize;

  uint8_t headerBytes[tst::kHeaderSize];
  const std::size_t got = std::fread(headerBytes, 1, sizeof headerBytes, file);
  const std::optional<tst::TilesetHeader> header = tst::parseHeader(headerBytes, got);
  if (!header) return 0;
  const std::optional<tst::PictureGeometry> geometry = tst::describePicture(*header);
  if (!geometry) return 0;

  if (!zor::allocateStrip(*handle, *geometry)) return 0;

  *pictureType = zor::kPictureTypeRead;
  *width = geometry->width;
  *height = geometry->height;
  *dpi = zor::kDpi;
  *bitsPerPixel = zor::kBitsPerPixel;
  *bytesPerLine = geometry->width * zor::kBytesPerOutputPixel;
  *hasColormap = 0;
  zor::copyLabel(zor::kFormatLabel, label, static_cast<uint32_t>(labelMaxSize));
  return 1;
}

extern "C" int32_t zorLoadPictureGetColormap(PictureHandle* /*handle*/,
                                             unsigned char* /*colormap*/) noexcept {
  return 0;
}

extern "C" void zorLoadPictureExit(PictureHandle* handle) noexcept {
  // Closes the stream and releases the strip buffer with the record.
  delete handle;
}
