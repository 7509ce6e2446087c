#include "strip_buffer.h"

#include <cstdio>
#include <new>

#include "line_decoder.h"
#include "picture_handle.h"
#include "strip_decoder.h"

namespace zor {

bool allocateStrip(PictureHandle& handle, const tst::PictureGeometry& geometry) {
  const std::size_t raw = static_cast<std::size_t>(geometry.stripBytes);
  const std::size_t decodedBytes = raw / 3 * 4;
  // The decoded lines start on a cache line of their own past the padding.
  const std::size_t decodedAt = (raw + tst::kStripPadding + 63) / 64 * 64;
  const std::size_t total = decodedAt + 64 + decodedBytes;
  handle.strip.reset(new (std::nothrow) uint8_t[total]);
  if (handle.strip == nullptr) return false;
  const auto base = reinterpret_cast<std::uintptr_t>(handle.strip.get());
  handle.decoded = handle.strip.get() + decodedAt + (64 - (base + decodedAt) % 64) % 64;
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
