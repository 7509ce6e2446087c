#include "tileset_files.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace fixture {

Bytes header(int16_t version, int16_t tileCount, int16_t tileType) {
  Bytes out;
  for (int16_t value : {version, tileCount, tileType}) {
    const auto bits = static_cast<uint16_t>(value);
    out.push_back(static_cast<uint8_t>(bits & 0xFF));
    out.push_back(static_cast<uint8_t>(bits >> 8));
  }
  return out;
}

int tileSizeOf(int16_t tileType) {
  return tileType % 2 == 1 ? 32 : 16;
}

std::size_t pixelOffset(int tileSize, int tile, int x, int y) {
  return 6 + 3 * (static_cast<std::size_t>(tile) * tileSize * tileSize +
                  static_cast<std::size_t>(x) * tileSize + y);
}

Bytes tileset(int16_t tileCount, int16_t tileType, int tilesStored, int seed) {
  const int size = tileSizeOf(tileType);
  const int stored = tilesStored < 0 ? tileCount : tilesStored;
  Bytes out = header(20, tileCount, tileType);
  out.resize(6 + 3 * static_cast<std::size_t>(stored) * size * size);
  for (int t = 0; t < stored; ++t) {
    for (int x = 0; x < size; ++x) {
      for (int y = 0; y < size; ++y) {
        const std::size_t at = pixelOffset(size, t, x, y);
        // The middle byte is at least 40, so no pixel is the key colour.
        out[at] = static_cast<uint8_t>(t * 7 + seed + 3);
        out[at + 1] = static_cast<uint8_t>(x + 40);
        out[at + 2] = static_cast<uint8_t>(y + 80 + seed);
      }
    }
  }
  return out;
}

Pixel expectedPixel(const Bytes& file, int width, int tileSize, int x, int line) {
  const int tilesPerRow = width / tileSize;
  const int tile = (line / tileSize) * tilesPerRow + x / tileSize;
  const std::size_t at = pixelOffset(tileSize, tile, x % tileSize, line % tileSize);
  Pixel p{};
  for (std::size_t k = 0; k < 3; ++k) {
    const std::size_t pos = at + k;
    p[k] = pos < file.size() ? file[pos] : static_cast<uint8_t>((pos - 6) % 3);
  }
  p[3] = (p[0] == 0 && p[1] == 1 && p[2] == 2) ? 0 : 255;
  return p;
}

ScratchDir::ScratchDir() {
  std::random_device entropy;
  const auto base = std::filesystem::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    auto candidate = base / ("tst-test-" + std::to_string(entropy()));
    if (std::filesystem::create_directory(candidate)) {
      root_ = candidate.string();
      return;
    }
  }
  throw std::runtime_error("cannot create a scratch directory");
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  std::filesystem::remove_all(root_, ignored);
}

std::string ScratchDir::path(const std::string& name) const {
  return (std::filesystem::path(root_) / name).string();
}

std::string ScratchDir::write(const std::string& name, const Bytes& bytes) const {
  const std::string full = path(name);
  writeFile(full, bytes);
  return full;
}

void writeFile(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

Bytes readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace fixture
