// Decoding a whole strip at once into row-major 32-bit pixels, so that each
// line the host asks for afterwards is one copy.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tst {

// Bytes a raw strip buffer needs past its end: the vector path loads 16
// bytes where the last pixels take 12.
constexpr std::size_t kStripPadding = 16;

// How strips are decoded: a plain loop anywhere, or byte shuffles on x86
// processors that have SSSE3. Both give the same pixels.
enum class DecodePath { kPortable, kSsse3 };

// The fastest path this processor offers. It asks the processor each time
// (nothing is kept between calls), so callers ask once per picture.
DecodePath fastestDecodePath();

// Decodes every line of a strip of `width` / `tileSize` whole tiles (tile
// size a multiple of 4) into `out`, `tileSize` lines of `width` four-byte
// pixels one after another, exactly as decodeLine would line by line. The
// raw strip must be followed by kStripPadding readable bytes.
void decodeStrip(DecodePath path, const uint8_t* strip, int32_t width, int32_t tileSize,
                 uint8_t* out);

// Writes the decoded form of a strip that is all key colour: every pixel
// 0, 1, 2 with alpha 0.
void fillDecodedWithKey(uint8_t* out, std::size_t pixels);

}  // namespace tst
