#include "strip_buffer.h"

#include <cstdio>
#include <new>

#include "line_decoder.h"
#include "picture_handle.h"
#include "strip_decoder.h"

namespace zor {

void releaseStrip(PictureHandle& handle) {
  handle.strip.reset();
  handle.decoded = nullptr;
  handle.stripBytes = 0;
  handle.stripOffset = -1;
  handle.tileSize = 0;
  handle.width = 0;
}

bool allocateStrip(PictureHandle& handle, const tst::PictureGeometry& geometry) {
  const std::size_t raw = static_cast<std::size_t>(geometry.stripBytes);
  const std::size_t decodedBytes = raw / 3 * 4;
  // The decoded lines follow the padded raw bytes, on a cache line of their own.
  constexpr std::size_t kLine = 64;
  handle.strip.reset(new (std::nothrow) uint8_t[raw + tst::kStripPadding + kLine + decodedBytes]);
  if (handle.strip == nullptr) return false;
  uint8_t* afterRaw = handle.strip.get() + raw + tst::kStripPadding;
  handle.decoded = afterRaw + (kLine - reinterpret_cast<std::uintptr_t>(afterRaw) % kLine) % kLine;
  handle.stripBytes = geometry.stripBytes;
  handle.stripOffset = -1;
  handle.width = geometry.width;
  handle.tileSize = geometry.tileSize;
  handle.decodePath = tst::fastestDecodePath();
  return true;
}

bool holdStrip(PictureHandle& handle, int64_t offset) {
  if (offset == handle.stripOffset) return true;
  handle.stripOffset = -1;
  uint8_t* strip = handle.strip.get();
  const std::size_t length = static_cast<std::size_t>(handle.stripBytes);

  std::size_t got = 0;
  if (offset < handle.fileSize) {
    // One seek and one contiguous read per strip.
    const int64_t held = handle.fileSize - offset;
    const std::size_t expected = held < handle.stripBytes ? static_cast<std::size_t>(held) : length;
    if (!seekTo(handle.file.get(), offset)) return false;
    got = std::fread(strip, 1, length, handle.file.get());
    // A file that shrank or failed to read must not pass for a short file.
    if (got < expected) return false;
  }
  const std::size_t pixels = length / 3;
  if (got == 0) {
    // A strip that starts past the end of the file needs no read at all.
    tst::fillDecodedWithKey(handle.decoded, pixels);
  } else {
    tst::fillWithKey(strip, got, length);
    tst::decodeStrip(handle.decodePath, strip, handle.width, handle.tileSize, handle.decoded);
  }
  handle.stripOffset = offset;
  return true;
}

}  // namespace zor
