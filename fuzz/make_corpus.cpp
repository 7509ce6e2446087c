// Writes the fuzzers' seed inputs: valid tilesets of every tile type, files
// cut inside the header, inside a pixel and before whole rows, bad headers,
// and a few writer argument blocks.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes header(int16_t version, int16_t count, int16_t type) {
  Bytes out;
  for (int16_t v : {version, count, type}) {
    out.push_back(static_cast<uint8_t>(v & 0xFF));
    out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
  }
  return out;
}

Bytes tileset(int16_t count, int16_t type, std::size_t tiles) {
  const std::size_t edge = type % 2 == 1 ? 32 : 16;
  Bytes out = header(20, count, type);
  for (std::size_t i = 0; i < tiles * edge * edge; ++i) {
    // Some pixels are the key colour, most are not.
    const bool key = i % 5 == 0;
    out.push_back(key ? 0 : static_cast<uint8_t>(i * 7));
    out.push_back(key ? 1 : static_cast<uint8_t>(i >> 3));
    out.push_back(key ? 2 : 200);
  }
  return out;
}

bool save(const std::string& dir, const std::string& name, const Bytes& bytes) {
  const std::string path = dir + "/" + name;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_corpus READER_DIR WRITER_DIR\n");
    return 2;
  }
  const std::string reader = argv[1], writer = argv[2];
  bool ok = true;
  for (int16_t type = 1; type <= 6; ++type) {
    const std::string t = std::to_string(type);
    ok &= save(reader, "type" + t + "-one", tileset(1, type, 1));
    ok &= save(reader, "type" + t + "-ten", tileset(10, type, 10));
  }
  Bytes cutInPixel = tileset(3, 2, 3);
  cutInPixel.resize(cutInPixel.size() - 200);
  ok &= save(reader, "cut-inside-pixel", cutInPixel);
  ok &= save(reader, "cut-before-rows", tileset(40, 2, 2));
  ok &= save(reader, "header-only-largest", header(20, 32767, 1));
  ok &= save(reader, "extra-tiles", tileset(10, 1, 14));
  for (std::size_t n = 0; n < 6; ++n)
    ok &= save(reader, "short-" + std::to_string(n), Bytes(n, 20));
  ok &= save(reader, "version-19", header(19, 1, 1));
  ok &= save(reader, "type-0", header(20, 1, 0));
  ok &= save(reader, "count-negative", header(20, -3, 1));

  ok &= save(writer, "vga", {0x80, 2, 0, 0, 0xE0, 1, 0, 0, 24, 0, 0, 0, 96, 0, 0, 0, 12, 0, 0, 0});
  ok &= save(writer, "short-label", {1, 0, 0, 0, 1, 0, 0, 0, 32, 0, 0, 0, 0, 0, 0, 0, 4, 0, 0, 0});
  ok &= save(writer, "negative-label",
             {1, 0, 0, 0, 1, 0, 0, 0, 32, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF});
  if (!ok) {
    std::fprintf(stderr, "make_corpus: cannot write the seed files\n");
    return 1;
  }
  return 0;
}
