#include "tileset_header.h"

namespace tst {
namespace {

int16_t readInt16LE(const uint8_t* p) {
  return static_cast<int16_t>(static_cast<uint16_t>(p[0] | (p[1] << 8)));
}

}  // namespace

std::optional<TilesetHeader> parseHeader(const uint8_t* bytes, std::size_t size) {
  if (bytes == nullptr || size < kHeaderSize) return std::nullopt;
  return TilesetHeader{readInt16LE(bytes), readInt16LE(bytes + 2), readInt16LE(bytes + 4)};
}

int32_t tileSizeForType(int16_t tileType) {
  switch (tileType) {
    case 1:
    case 3:
    case 5:
      return 32;
    case 2:
    case 4:
    case 6:
      return 16;
    default:
      return 0;
  }
}

}  // namespace tst
