// The 6-byte header at the start of every tileset file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace tst {

constexpr std::size_t kHeaderSize = 6;
constexpr int16_t kTilesetVersion = 20;

struct TilesetHeader {
  int16_t version;
  int16_t tileCount;
  int16_t tileType;
};

// Reads the three little-endian 16-bit signed fields; nullopt when fewer than
// kHeaderSize bytes are given.
std::optional<TilesetHeader> parseHeader(const uint8_t* bytes, std::size_t size);

// Tile edge length in pixels for a tile type: 32 for types 1, 3 and 5, 16 for
// types 2, 4 and 6, 0 for any other type.
int32_t tileSizeForType(int16_t tileType);

}  // namespace tst
