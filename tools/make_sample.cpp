// Draws the bundled demo tileset: fourteen 32-pixel tiles of a small world
// (grass, water, path, walls, a tree, a fence...), with key-colour holes and
// backgrounds so that the transparency shows.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr int kSize = 32;
constexpr int kTiles = 14;

struct Rgb {
  int r, g, b;
};
constexpr Rgb kKey{0, 1, 2};

int noise(int tile, int x, int y) {
  uint32_t h = static_cast<uint32_t>(x) * 73856093u ^ static_cast<uint32_t>(y) * 19349663u ^
               static_cast<uint32_t>(tile + 1) * 83492791u;
  h ^= h >> 13;
  h *= 0x5bd1e995u;
  h ^= h >> 15;
  return static_cast<int>(h & 0xFF);
}

Rgb shade(Rgb c, int amount) {
  auto clamp = [](int v) { return v < 16 ? 16 : (v > 255 ? 255 : v); };
  return {clamp(c.r + amount), clamp(c.g + amount), clamp(c.b + amount)};
}

Rgb grass(int x, int y) {
  const int n = noise(0, x, y);
  Rgb c = shade({70, 150, 60}, n / 12 - 10);
  if (n > 235) c = {50, 115, 45};  // darker blades
  return c;
}

Rgb water(int x, int y, int depth) {
  const double wave = std::sin((x + 2.0 * std::sin(y * 0.4)) * 0.45 + y * 0.2);
  Rgb c = shade({40 - depth, 110 - depth, 200 - depth}, static_cast<int>(wave * 12));
  if (wave > 0.93 && (x + y) % 3 == 0) c = {200, 230, 255};
  return c;
}

Rgb path(int x, int y) {
  const int n = noise(4, x, y);
  Rgb c = shade({196, 164, 112}, n / 16 - 8);
  if (n > 245) c = {140, 120, 100};  // pebbles
  return c;
}

bool inDisc(int x, int y, double cx, double cy, double r) {
  const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
  return dx * dx + dy * dy <= r * r;
}

Rgb brick(int x, int y) {
  const int row = y / 8;
  const int offset = (row % 2) * 8;
  if (y % 8 == 7 || (x + offset) % 16 == 15) return {200, 195, 185};  // mortar
  return shade({165, 70, 50}, noise(6, x / 4, y / 4) / 20 - 6);
}

Rgb stone(int x, int y) {
  if (y % 11 == 10 || (x + (y / 11) * 5) % 13 == 12) return {90, 90, 95};
  return shade({150, 150, 155}, noise(7, x, y) / 14 - 9);
}

Rgb pixel(int tile, int x, int y) {
  switch (tile) {
    case 0:
      return grass(x, y);
    case 1: {  // grass with flowers
      const int n = noise(1, x / 3, y / 3);
      if (x % 3 == 1 && y % 3 == 1 && n > 200) {
        const Rgb petals[] = {{250, 220, 60}, {245, 245, 245}, {230, 70, 90}};
        return petals[n % 3];
      }
      return grass(x, y);
    }
    case 2:
      return water(x, y, 0);
    case 3:
      return water(x, y, 30);
    case 4:
      return path(x, y);
    case 5: {  // grass meeting the path along a wavy edge
      const double edge = 14 + 3 * std::sin(y * 0.35);
      return x < edge ? grass(x, y) : path(x, y);
    }
    case 6:
      return brick(x, y);
    case 7:
      return stone(x, y);
    case 8: {  // tree on a transparent background
      if (x >= 14 && x < 18 && y >= 22) return shade({110, 70, 40}, (x % 2) * 10);
      if (inDisc(x, y, 16, 13, 12)) {
        return inDisc(x, y, 12, 9, 4) ? Rgb{90, 185, 80}
                                      : shade({40, 120, 45}, noise(8, x, y) / 10 - 12);
      }
      return kKey;
    }
    case 9:  // bush
      if (inDisc(x, y, 10, 22, 8) || inDisc(x, y, 21, 21, 9) || inDisc(x, y, 16, 16, 8)) {
        return noise(9, x, y) > 240 ? Rgb{220, 40, 60}
                                    : shade({60, 140, 55}, noise(9, x, y) / 12 - 10);
      }
      return kKey;
    case 10:  // boulder
      if (inDisc(x, y, 16, 19, 12) && y < 30) {
        return inDisc(x, y, 12, 14, 5) ? Rgb{185, 185, 190}
                                       : shade({120, 120, 128}, noise(10, x, y) / 14 - 9);
      }
      return kKey;
    case 11: {  // fence: the gaps between rails and posts are holes
      const bool post = x % 16 >= 3 && x % 16 < 7;
      const bool rail = (y >= 10 && y < 14) || (y >= 20 && y < 24);
      if ((post && y >= 4) || rail) return shade({150, 105, 60}, (x + y) % 5 == 0 ? -20 : 0);
      return kKey;
    }
    case 12: {  // chest
      if (x < 4 || x >= 28 || y < 8 || y >= 28) return kKey;
      if (x >= 14 && x < 18 && y >= 15 && y < 20) return {240, 200, 60};
      if (y == 14 || x == 4 || x == 27 || y == 8 || y == 27) return {90, 55, 30};
      return shade({150, 95, 50}, (y % 4 == 0) ? -15 : 0);
    }
    default: {  // a stone wall with an open arch
      const bool arch = x >= 9 && x < 23 && (y >= 16 || inDisc(x, y, 16, 16, 7));
      return arch ? kKey : stone(x, y);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_sample OUTPUT.tst\n");
    return 2;
  }
  std::vector<uint8_t> file = {20, 0, kTiles, 0, 1, 0};  // version 20, 14 tiles of type 1
  file.resize(6 + static_cast<std::size_t>(3) * kTiles * kSize * kSize);
  for (int t = 0; t < kTiles; ++t) {
    for (int x = 0; x < kSize; ++x) {
      for (int y = 0; y < kSize; ++y) {
        const Rgb c = pixel(t, x, y);
        uint8_t* at = &file[6 + 3 * ((t * kSize + x) * kSize + y)];  // tiles column by column
        at[0] = static_cast<uint8_t>(c.r);
        at[1] = static_cast<uint8_t>(c.g);
        at[2] = static_cast<uint8_t>(c.b);
      }
    }
  }
  std::FILE* out = std::fopen(argv[1], "wb");
  if (out == nullptr) {
    std::perror(argv[1]);
    return 1;
  }
  const bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
  if (std::fclose(out) != 0 || !written) {
    std::fprintf(stderr, "make_sample: cannot write %s\n", argv[1]);
    std::remove(argv[1]);
    return 1;
  }
  return 0;
}
