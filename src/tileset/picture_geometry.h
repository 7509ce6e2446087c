// How a tileset's tiles are laid out as one picture, and where each strip
// (one picture row of tiles) lies in the file.
#pragma once

#include <cstdint>
#include <optional>

#include "tileset_header.h"

namespace tst {

constexpr int32_t kTilesPerRow = 9;
constexpr int32_t kMaxWidth = 288;
constexpr int32_t kBytesPerFilePixel = 3;

struct PictureGeometry {
  int32_t tileSize;    // 32 or 16
  int32_t width;       // pixels
  int32_t height;      // pixels
  int64_t stripBytes;  // width * tileSize * 3: the raw bytes of one strip
};

// The picture a header describes, or nullopt when the header is not a
// tileset this reader can lay out: a version other than 20, a tile type
// outside 1 to 6, or a tile count of zero or below.
std::optional<PictureGeometry> describePicture(const TilesetHeader& header);

// File offset of strip `stripIndex` (counted from 0).
inline int64_t stripFileOffset(int64_t stripIndex, int64_t stripBytes) {
  return static_cast<int64_t>(kHeaderSize) + stripIndex * stripBytes;
}

}  // namespace tst
