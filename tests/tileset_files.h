// Tileset fixtures built in the tests, and a reference model of the picture
// a host should receive, worked out from the file layout directly.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace fixture {

using Bytes = std::vector<uint8_t>;
using Pixel = std::array<uint8_t, 4>;

Bytes header(int16_t version, int16_t tileCount, int16_t tileType);

// A version-20 file of `tileCount` tiles of `tileType`, holding `tilesStored`
// whole tiles (default: all of them). Every pixel has a colour that tells its
// tile, column and row apart, and none is the key colour. `seed` varies it.
Bytes tileset(int16_t tileCount, int16_t tileType, int tilesStored = -1, int seed = 0);

int tileSizeOf(int16_t tileType);

// File offset of pixel (x, y) of tile t.
std::size_t pixelOffset(int tileSize, int tile, int x, int y);

// The pixel the host should see at (x, line) of a picture `width` wide made
// from `file`: bytes past the end of the file read as the key colour.
Pixel expectedPixel(const Bytes& file, int width, int tileSize, int x, int line);

// A directory removed with everything in it when the object goes.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  std::string path(const std::string& name) const;
  std::string write(const std::string& name, const Bytes& bytes) const;

 private:
  std::string root_;
};

void writeFile(const std::string& path, const Bytes& bytes);
Bytes readFile(const std::string& path);

}  // namespace fixture
