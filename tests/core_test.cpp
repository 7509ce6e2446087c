// The pure helpers behind the entry points, tested directly.
#include <gtest/gtest.h>

#include <vector>

#include "label_copy.h"
#include "line_decoder.h"
#include "picture_geometry.h"
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
  EXPECT_EQ(out, (std::vector<uint8_t>{1, 101, 200, 255, 3, 103, 200, 255, 0, 1, 2, 0, 7, 107,
                                       200, 255}));
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
