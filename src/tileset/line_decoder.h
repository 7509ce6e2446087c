// Turning the raw bytes of one strip into 32-bit picture lines.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tst {

// The key colour, in file order; such pixels are handed over transparent.
constexpr uint8_t transparentKey[3] = {0, 1, 2};

// Writes the key colour over strip bytes [from, to). Strips begin on a pixel
// boundary, so byte p of a strip takes key byte p % 3 and every pixel wholly
// inside the range becomes the key.
void fillWithKey(uint8_t* strip, std::size_t from, std::size_t to);

// Decodes picture line `row` (0 to tileSize - 1) of a strip of `width` /
// `tileSize` whole tiles, stored column by column, into `width` four-byte
// pixels: the three file bytes in file order, then alpha 0 for the key colour
// and 255 for every other colour.
void decodeLine(const uint8_t* strip, int32_t width, int32_t tileSize, int32_t row, uint8_t* out);

}  // namespace tst
