// Fetching picture lines through zorLoadPictureGetLine: pixel values, the
// key colour, files that end early, and the one-strip cache.
#include <gtest/gtest.h>

#include <cctype>
#include <climits>
#include <cstring>
#include <filesystem>
#include <memory>

#include "loaded_plugin.h"
#include "tileset_files.h"

namespace {

using fixture::Bytes;
using fixture::OpenPicture;
using fixture::Pixel;
using fixture::plugin;

Pixel pixelAt(const std::vector<uint8_t>& line, int x) {
  return {line[4 * x], line[4 * x + 1], line[4 * x + 2], line[4 * x + 3]};
}

// Every line of the picture equals the reference model worked out from the
// file bytes; lines past the height too, up to `extraLines`.
void expectWholePicture(const Bytes& file, int16_t tileType, int extraLines = 0) {
  fixture::ScratchDir dir;
  OpenPicture picture(dir.write("p.tst", file));
  ASSERT_EQ(picture.describe(), 1);
  const int size = fixture::tileSizeOf(tileType);
  std::vector<uint8_t> line;
  for (int y = 0; y < picture.info.height + extraLines; ++y) {
    ASSERT_EQ(picture.fetch(y, line), 1) << "line " << y;
    for (int x = 0; x < picture.info.width; ++x) {
      ASSERT_EQ(pixelAt(line, x), fixture::expectedPixel(file, picture.info.width, size, x, y))
          << "pixel " << x << "," << y;
    }
  }
}

struct PictureCase {
  const char* what;
  int16_t tileCount;
  int16_t tileType;
  int tilesStored;
};

void PrintTo(const PictureCase& c, std::ostream* out) {
  *out << c.what;
}

class WholePicture : public testing::TestWithParam<PictureCase> {};

TEST_P(WholePicture, MatchesTheFileLayout) {
  const PictureCase c = GetParam();
  expectWholePicture(fixture::tileset(c.tileCount, c.tileType, c.tilesStored), c.tileType, 40);
}

INSTANTIATE_TEST_SUITE_P(
    Files, WholePicture,
    testing::Values(PictureCase{"one tile", 1, 1, 1}, PictureCase{"nine small tiles", 9, 2, 9},
                    PictureCase{"ten tiles, second row mostly past the end", 10, 1, 10},
                    PictureCase{"ten tiles, extra tiles in the file", 10, 1, 18},
                    PictureCase{"ten small tiles, eighteen a row", 10, 2, 10},
                    PictureCase{"nineteen tiles", 19, 1, 19},
                    PictureCase{"header promises more than the file holds", 30, 1, 4},
                    PictureCase{"header only", 12, 2, 0}, PictureCase{"type 3", 4, 3, 4},
                    PictureCase{"type 6", 11, 6, 11}),
    [](const testing::TestParamInfo<PictureCase>& info) {
      std::string name;
      for (const char* p = info.param.what; *p != '\0'; ++p) {
        if (std::isalnum(static_cast<unsigned char>(*p))) name += *p;
      }
      return name;
    });

TEST(ReaderLines, TheKeyColourAloneIsTransparent) {
  Bytes file = fixture::tileset(1, 2);
  const uint8_t stored[][3] = {{0, 1, 2}, {0, 1, 3}, {2, 1, 0}, {1, 1, 2}, {255, 255, 255}};
  const Pixel handed[] = {
      {0, 1, 2, 0}, {0, 1, 3, 255}, {2, 1, 0, 255}, {1, 1, 2, 255}, {255, 255, 255, 255}};
  for (int x = 0; x < 5; ++x) {
    std::memcpy(&file[fixture::pixelOffset(16, 0, x, 3)], stored[x], 3);
  }
  fixture::ScratchDir dir;
  OpenPicture picture(dir.write("key.tst", file));
  ASSERT_EQ(picture.describe(), 1);
  std::vector<uint8_t> line;
  ASSERT_EQ(picture.fetch(3, line), 1);
  for (int x = 0; x < 5; ++x) EXPECT_EQ(pixelAt(line, x), handed[x]) << x;
}

TEST(ReaderLines, AFileCutInsideAPixelKeepsItsBytes) {
  // One 32-pixel tile whose file ends one byte into pixel (5, 9): 137.
  Bytes file = fixture::tileset(1, 1);
  const std::size_t cut = fixture::pixelOffset(32, 0, 5, 9);
  file[cut] = 137;
  file.resize(cut + 1);
  fixture::ScratchDir dir;
  OpenPicture picture(dir.write("cut.tst", file));
  ASSERT_EQ(picture.describe(), 1);
  std::vector<uint8_t> line;
  ASSERT_EQ(picture.fetch(9, line), 1);
  EXPECT_EQ(pixelAt(line, 5), (Pixel{137, 1, 2, 255}));
  EXPECT_EQ(pixelAt(line, 4), (Pixel{3, 44, 89, 255}));  // a whole column before the cut
  EXPECT_EQ(pixelAt(line, 6), (Pixel{0, 1, 2, 0}));
  ASSERT_EQ(picture.fetch(8, line), 1);
  EXPECT_EQ(pixelAt(line, 5), (Pixel{3, 45, 88, 255}));  // above the cut
  ASSERT_EQ(picture.fetch(10, line), 1);
  EXPECT_EQ(pixelAt(line, 5), (Pixel{0, 1, 2, 0}));  // below the cut
}

TEST(ReaderLines, AFileOneByteShortLosesOnlyTheLastPixel) {
  Bytes file = fixture::tileset(2, 2);
  file.pop_back();
  expectWholePicture(file, 2);
}

TEST(ReaderLines, LinesPastTheFileAndTheHeightAreTransparent) {
  fixture::ScratchDir dir;
  OpenPicture picture(dir.write("p.tst", fixture::tileset(10, 2)));
  ASSERT_EQ(picture.describe(), 1);
  ASSERT_EQ(picture.info.height, 32);
  std::vector<uint8_t> line;
  // Row 1 of ten small tiles lies wholly past the tenth tile; the others lie
  // past the height; the last needs offsets past 32 bits.
  for (int32_t y : {16, 31, 32, 5000, INT_MAX}) {
    ASSERT_EQ(picture.fetch(y, line), 1) << y;
    for (int x = 0; x < picture.info.width; ++x) {
      ASSERT_EQ(pixelAt(line, x), (Pixel{0, 1, 2, 0})) << x << "," << y;
    }
  }
}

TEST(ReaderLines, RefusesLinesItCannotServe) {
  fixture::ScratchDir dir;
  const std::string path = dir.write("p.tst", fixture::tileset(1, 1));
  uint8_t sentinel[128];
  std::memset(sentinel, 0xAB, sizeof sentinel);
  const auto untouched = [&] {
    for (uint8_t b : sentinel) {
      if (b != 0xAB) return false;
    }
    return true;
  };

  EXPECT_EQ(plugin().loadGetLine(nullptr, 0, sentinel), 0);
  {
    OpenPicture notDescribed(path);
    EXPECT_EQ(plugin().loadGetLine(notDescribed.handle(), 0, sentinel), 0);
  }
  OpenPicture picture(path);
  ASSERT_EQ(picture.describe(), 1);
  EXPECT_EQ(plugin().loadGetLine(picture.handle(), -1, sentinel), 0);
  EXPECT_EQ(plugin().loadGetLine(picture.handle(), INT_MIN, sentinel), 0);
  EXPECT_EQ(plugin().loadGetLine(picture.handle(), 0, nullptr), 0);
  EXPECT_TRUE(untouched());
  EXPECT_EQ(plugin().loadGetLine(picture.handle(), 0, sentinel), 1);
}

// The tests below tell reads apart by changing the file under an open handle:
// a line served from the strip already held shows the old bytes, a line whose
// strip is read again shows the new ones.
class StripCache : public testing::Test {
 protected:
  void SetUp() override {
    before_ = fixture::tileset(18, 1, 18, 0);
    after_ = fixture::tileset(18, 1, 18, 100);
    path_ = dir_.write("cache.tst", before_);
    picture_ = std::make_unique<OpenPicture>(path_);
    ASSERT_EQ(picture_->describe(), 1);
  }
  void changeFile() { fixture::writeFile(path_, after_); }
  // Whether line y shows the given file's bytes.
  bool shows(const Bytes& file, int32_t y) {
    std::vector<uint8_t> line;
    if (picture_->fetch(y, line) != 1) return false;
    for (int x = 0; x < 288; ++x) {
      if (pixelAt(line, x) != fixture::expectedPixel(file, 288, 32, x, y)) return false;
    }
    return true;
  }

  fixture::ScratchDir dir_;
  Bytes before_, after_;
  std::string path_;
  std::unique_ptr<OpenPicture> picture_;
};

TEST_F(StripCache, ReadsEachStripOnceForAscendingLines) {
  ASSERT_TRUE(shows(before_, 0));
  changeFile();
  for (int32_t y = 1; y < 32; ++y) EXPECT_TRUE(shows(before_, y)) << "line " << y << " read again";
  EXPECT_TRUE(shows(after_, 32)) << "line 32 starts a strip and must be read";
  EXPECT_TRUE(shows(after_, 0)) << "going back to strip 0 reads it again";
}

TEST_F(StripCache, ASecondDescribeForgetsTheStripHeld) {
  ASSERT_TRUE(shows(before_, 0));
  changeFile();
  ASSERT_EQ(picture_->describe(), 1);
  EXPECT_TRUE(shows(after_, 1));
}

TEST_F(StripCache, AFileThatShrankIsAnErrorNotAShortFile) {
  ASSERT_TRUE(shows(before_, 0));
  std::filesystem::resize_file(path_, 6 + 9 * 3072 + 100);  // strip 1 now cut short
  std::vector<uint8_t> line;
  EXPECT_EQ(picture_->fetch(32, line), 0);
  EXPECT_EQ(line[0], 0xAB) << "nothing is written for a refused line";
  EXPECT_EQ(picture_->fetch(0, line), 1) << "strip 0 is still whole in the file";
  fixture::writeFile(path_, before_);
  EXPECT_TRUE(shows(before_, 32)) << "a refused strip is read again on the next call";
}

TEST(ReaderLines, HandlesAreIndependent) {
  fixture::ScratchDir dir;
  const Bytes files[] = {fixture::tileset(3, 1, -1, 1), fixture::tileset(20, 2, -1, 2),
                         fixture::tileset(10, 5, 7, 3)};
  const int16_t types[] = {1, 2, 5};
  std::vector<std::unique_ptr<OpenPicture>> pictures;
  for (int i = 0; i < 3; ++i) {
    pictures.push_back(
        std::make_unique<OpenPicture>(dir.write("h" + std::to_string(i) + ".tst", files[i])));
    ASSERT_EQ(pictures.back()->describe(), 1);
  }
  std::vector<uint8_t> line;
  for (int y = 0; y < 64; ++y) {
    for (int i = 0; i < 3; ++i) {
      const OpenPicture& p = *pictures[i];
      ASSERT_EQ(p.fetch(y, line), 1);
      const int size = fixture::tileSizeOf(types[i]);
      for (int x = 0; x < p.info.width; ++x) {
        ASSERT_EQ(pixelAt(line, x), fixture::expectedPixel(files[i], p.info.width, size, x, y))
            << "file " << i << " pixel " << x << "," << y;
      }
    }
  }
}

}  // namespace
