#include "strip_buffer.h"

#include <cstdio>
#include <new>

#include "line_decoder.h"
#include "picture_handle.h"

namespace zor {

std::unique_ptr<uint8_t[]> allocateStrip(int64_t stripBytes) {
  return std::unique_ptr<uint8_t[]>(new (std::nothrow) uint8_t[static_cast<std::size_t>(stripBytes)]);
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
  // A strip that starts past the end of the file needs no read at all.
  tst::fillWithKey(strip, got, length);
  handle.stripOffset = offset;
  return true;
}

}  // namespace zor
