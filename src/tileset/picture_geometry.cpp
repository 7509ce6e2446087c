#include "picture_geometry.h"

namespace tst {

std::optional<PictureGeometry> describePicture(const TilesetHeader& header) {
  const int32_t tileSize = tileSizeForType(header.tileType);
  if (header.version != kTilesetVersion || tileSize == 0 || header.tileCount <= 0) {
    return std::nullopt;
  }
  const int32_t count = header.tileCount;
  // Up to nine tiles sit in one row; past that the picture is 288 pixels wide
  // whatever the tile size, while the height still counts nine tiles a row.
  const int32_t width = count <= kTilesPerRow ? count * tileSize : kMaxWidth;
  const int32_t rows = (count + kTilesPerRow - 1) / kTilesPerRow;
  const int32_t height = rows * tileSize;
  return PictureGeometry{tileSize, width, height,
                         static_cast<int64_t>(width) * tileSize * kBytesPerFilePixel};
}

}  // namespace tst
