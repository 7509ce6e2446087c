// The pure helpers behind the entry points, tested directly.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "label_copy.h"
#include "line_decoder.h"
#include "picture_geometry.h"
#include "strip_decoder.h"
#include "tileset_header.h"

namespace {

TEST(TilesetHeader, ReadsSignedLittleEndianFields) {
  const uint8_t bytes[] = {0x14, 0x00, 0xFF, 0x7F, 0xFE, 0xFF, 0xAA};
  const auto header = tst::parseHeader(bytes, sizeof bytes);
  ASSERT_TRUE(header.has_value());
  EXPECT_EQ(header->version, 20);
  EXPECT_EQ(header->tileCount, 32767);
  EXPECT_EQ(header->tileType, -2);
  EXPECT_FALSE(tst::parseHeader(bytes, 5).has_value());
  EXPECT_FALSE(tst::parseHeader(nullptr, 6).has_value());
}

TEST(TilesetHeader, TileTypesSelectTheirSize) {
  const int32_t expected[] = {0, 32, 16, 32, 16, 32, 16, 0};
  for (int16_t type = 0; type < 8; ++type) EXPECT_EQ(tst::tileSizeForType(type), expected[type]);
  EXPECT_EQ(tst::tileSizeForType(-1), 0);
  EXPECT_EQ(tst::tileSizeForType(256 + 1), 0);
}

TEST(PictureGeometry, StripBytesAndOffsets) {
  const auto g = tst::describePicture({20, 10, 2});
  ASSERT_TRUE(g.has_value());
  EXPECT_EQ(g->stripBytes, 288 * 16 * 3);
  EXPECT_EQ(tst::stripFileOffset(0, g->stripBytes), 6);
  EXPECT_EQ(tst::stripFileOffset(1, g->stripBytes), 6 + 13824);
  // Far-off lines stay exact in 64 bits.
  EXPECT_EQ(tst::stripFileOffset(134217727, 27648), 6 + 134217727LL * 27648);
}

TEST(LineDecoder, PicksColumnsOutOfColumnMajorTiles) {
  // Two 2x2 tiles: the strip holds tile 0 column 0 (rows 0, 1), column 1,
  // then tile 1 likewise. Pixel n is the bytes n, n + 100, 200.
  std::vector<uint8_t> strip;
  for (uint8_t n = 0; n < 8; ++n) strip.insert(strip.end(), {n, uint8_t(n + 100), 200});
  strip[3 * 5 + 0] = 0, strip[3 * 5 + 1] = 1, strip[3 * 5 + 2] = 2;  // key at tile 1, (0, 1)
  std::vector<uint8_t> out(4 * 4, 0xAB);
  tst::decodeLine(strip.data(), 4, 2, 1, out.data());
  EXPECT_EQ(out, (std::vector<uint8_t>{1, 101, 200, 255, 3, 103, 200, 255, 0, 1, 2, 0, 7, 107, 200,
                                       255}));
}

TEST(LineDecoder, KeyFillKeepsThePixelGrid) {
  std::vector<uint8_t> strip(12, 9);
  tst::fillWithKey(strip.data(), 4, 12);
  EXPECT_EQ(strip, (std::vector<uint8_t>{9, 9, 9, 9, 1, 2, 0, 1, 2, 0, 1, 2}));
}

TEST(LabelCopy, UsableBuffers) {
  char buffer[4] = {};
  EXPECT_TRUE(zor::labelBufferUsable(buffer, 4));
  EXPECT_TRUE(zor::labelBufferUsable(nullptr, 0));
  EXPECT_FALSE(zor::labelBufferUsable(nullptr, 1));
  EXPECT_FALSE(zor::labelBufferUsable(buffer, -1));
}

}  // namespace

namespace {

TEST(StripDecoder, AgreesWithTheLineDecoderOnEveryLine) {
  struct Case {
    int32_t width, tileSize;
  };
  uint32_t state = 12345;
  const auto nextByte = [&state] {
    state = state * 1103515245u + 12345u;
    return static_cast<uint8_t>(state >> 16);
  };
  for (const Case c : {Case{288, 32}, Case{288, 16}, Case{32, 32}, Case{48, 16}, Case{96, 32}}) {
    const std::size_t raw = 3u * c.width * c.tileSize;
    std::vector<uint8_t> strip(raw + tst::kStripPadding, 0xEE);
    for (std::size_t p = 0; p < raw; p += 3) {
      const bool key = nextByte() % 4 == 0;
      const bool nearKey = !key && nextByte() % 3 == 0;  // one byte off the key
      strip[p] = key || nearKey ? 0 : nextByte();
      strip[p + 1] = key || nearKey ? 1 : nextByte();
      strip[p + 2] = key ? 2 : (nearKey ? 3 : nextByte());
    }
    for (tst::DecodePath path : {tst::DecodePath::kPortable, tst::fastestDecodePath()}) {
      std::vector<uint8_t> whole(4u * c.width * c.tileSize, 0xAB);
      tst::decodeStrip(path, strip.data(), c.width, c.tileSize, whole.data());
      std::vector<uint8_t> line(4u * c.width);
      for (int32_t r = 0; r < c.tileSize; ++r) {
        tst::decodeLine(strip.data(), c.width, c.tileSize, r, line.data());
        ASSERT_TRUE(std::equal(line.begin(), line.end(), whole.begin() + r * line.size()))
            << c.width << " wide, tiles of " << c.tileSize << ", row " << r << ", path "
            << static_cast<int>(path);
      }
    }
  }
}

TEST(StripDecoder, KeyFillOfADecodedStrip) {
  std::vector<uint8_t> out(4 * 3 + 1, 9);
  tst::fillDecodedWithKey(out.data(), 3);
  EXPECT_EQ(out, (std::vector<uint8_t>{0, 1, 2, 0, 0, 1, 2, 0, 0, 1, 2, 0, 9}));
}

}  // namespace
