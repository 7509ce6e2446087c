#include "line_decoder.h"

namespace tst {

void fillWithKey(uint8_t* strip, std::size_t from, std::size_t to) {
  for (std::size_t p = from; p < to; ++p) strip[p] = transparentKey[p % 3];
}

void decodeLine(const uint8_t* strip, int32_t width, int32_t tileSize, int32_t row, uint8_t* out) {
  // Column i of the row lies in tile i / tileSize at tile column i % tileSize;
  // with tiles stored column by column that is pixel row + i * tileSize.
  const uint8_t* src = strip + 3 * static_cast<std::size_t>(row);
  const std::size_t step = 3 * static_cast<std::size_t>(tileSize);
  for (int32_t i = 0; i < width; ++i, src += step, out += 4) {
    const bool isKey =
        src[0] == transparentKey[0] && src[1] == transparentKey[1] && src[2] == transparentKey[2];
    out[0] = src[0];
    out[1] = src[1];
    out[2] = src[2];
    out[3] = isKey ? 0 : 255;
  }
}

}  // namespace tst
