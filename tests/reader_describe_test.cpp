// Opening a tileset and describing it to the host: Init, GetInfo, GetColormap
// and Exit through the loaded library.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "loaded_plugin.h"
#include "tileset_files.h"

namespace {

using fixture::Bytes;
using fixture::OpenPicture;
using fixture::plugin;

TEST(ReaderOpen, ReturnsNullForAMissingFileOrNoName) {
  fixture::ScratchDir dir;
  EXPECT_EQ(plugin().loadInit(dir.path("absent.tst").c_str()), nullptr);
  EXPECT_EQ(plugin().loadInit(nullptr), nullptr);
  plugin().loadExit(nullptr);  // ignored, no crash
}

TEST(ReaderOpen, ADirectoryIsNotATileset) {
  fixture::ScratchDir dir;
  OpenPicture picture(dir.path(""));
  // Some systems open a directory for reading; none may describe it.
  if (picture.handle() != nullptr) {
    EXPECT_EQ(picture.describe(), 0);
  }
}

TEST(ReaderOpen, TakesPathsWithSpaces) {
  fixture::ScratchDir dir;
  std::filesystem::create_directory(dir.path("my tiles"));
  const std::string path = dir.write("my tiles/forest set.tst", fixture::tileset(2, 2));
  OpenPicture picture(path);
  ASSERT_NE(picture.handle(), nullptr);
  EXPECT_EQ(picture.describe(), 1);
  EXPECT_EQ(picture.info.width, 32);
}

TEST(ReaderDescribe, ReportsTheFixedValues) {
  fixture::ScratchDir dir;
  const std::string path = dir.write("one.tst", fixture::tileset(1, 1));
  PictureHandle* handle = plugin().loadInit(path.c_str());
  ASSERT_NE(handle, nullptr);
  int32_t type = -1, width = -1, height = -1, dpi = -1, bpp = -1, bpl = -1, cmap = -1;
  char label[24];
  std::memset(label, '#', sizeof label);
  ASSERT_EQ(plugin().loadGetInfo(handle, &type, &width, &height, &dpi, &bpp, &bpl, &cmap, label,
                                 sizeof label),
            1);
  EXPECT_EQ(type, 3);
  EXPECT_EQ(width, 32);
  EXPECT_EQ(height, 32);
  EXPECT_EQ(dpi, 68);
  EXPECT_EQ(bpp, 32);
  EXPECT_EQ(bpl, 128);
  EXPECT_EQ(cmap, 0);
  EXPECT_EQ(std::string(label, sizeof label), std::string("Brackenfold Tileset\0\0\0\0\0", 24));

  unsigned char colormap[768];
  EXPECT_EQ(plugin().loadGetColormap(handle, colormap), 0);
  EXPECT_EQ(plugin().loadGetColormap(nullptr, nullptr), 0);
  plugin().loadExit(handle);
}

TEST(ReaderDescribe, CutsTheLabelAtLabelMaxSize) {
  fixture::ScratchDir dir;
  const std::string path = dir.write("one.tst", fixture::tileset(1, 2));
  OpenPicture picture(path);
  int32_t v[7];
  char label[8];
  std::memset(label, '#', sizeof label);
  ASSERT_EQ(plugin().loadGetInfo(picture.handle(), &v[0], &v[1], &v[2], &v[3], &v[4], &v[5], &v[6],
                                 label, 5),
            1);
  EXPECT_EQ(std::string(label, sizeof label), "Brack###");
}

struct GeometryCase {
  int16_t tileCount;
  int16_t tileType;
  int32_t width;
  int32_t height;
};

void PrintTo(const GeometryCase& c, std::ostream* out) {
  *out << c.tileCount << " tiles of type " << c.tileType;
}

class ReaderGeometry : public testing::TestWithParam<GeometryCase> {};

TEST_P(ReaderGeometry, LaysTheTilesOutAsOnePicture) {
  const GeometryCase c = GetParam();
  fixture::ScratchDir dir;
  const std::string path = dir.write("g.tst", fixture::header(20, c.tileCount, c.tileType));
  OpenPicture picture(path);
  ASSERT_EQ(picture.describe(), 1);
  EXPECT_EQ(picture.info.width, c.width);
  EXPECT_EQ(picture.info.height, c.height);
  EXPECT_EQ(picture.info.bytesPerLine, 4 * c.width);
}

INSTANTIATE_TEST_SUITE_P(Table, ReaderGeometry,
                         testing::Values(GeometryCase{1, 1, 32, 32}, GeometryCase{1, 2, 16, 16},
                                         GeometryCase{9, 2, 144, 16}, GeometryCase{9, 1, 288, 32},
                                         GeometryCase{10, 1, 288, 64}, GeometryCase{10, 2, 288, 32},
                                         GeometryCase{18, 1, 288, 64}, GeometryCase{19, 1, 288, 96},
                                         GeometryCase{19, 2, 288, 48}, GeometryCase{3, 3, 96, 32},
                                         GeometryCase{3, 4, 48, 16}, GeometryCase{12, 5, 288, 64},
                                         GeometryCase{12, 6, 288, 32},
                                         GeometryCase{32767, 1, 288, 116512},
                                         GeometryCase{32767, 2, 288, 58256}),
                         [](const testing::TestParamInfo<GeometryCase>& info) {
                           return "count" + std::to_string(info.param.tileCount) + "type" +
                                  std::to_string(info.param.tileType);
                         });

struct RejectCase {
  const char* what;
  Bytes file;
};

TEST(ReaderDescribe, RejectsWhatIsNotATilesetTouchingNoOutput) {
  const Bytes valid = fixture::tileset(2, 1);
  const RejectCase cases[] = {
      {"empty file", {}},
      {"five header bytes", Bytes(valid.begin(), valid.begin() + 5)},
      {"version 19", fixture::header(19, 2, 1)},
      {"version 21", fixture::header(21, 2, 1)},
      {"version 20 big-endian", fixture::header(0x1400, 2, 1)},
      {"tile type 0", fixture::header(20, 2, 0)},
      {"tile type 7", fixture::header(20, 2, 7)},
      {"tile type -1", fixture::header(20, 2, -1)},
      {"tile count 0", fixture::header(20, 0, 1)},
      {"tile count -1", fixture::header(20, -1, 2)},
      {"tile count -32768", fixture::header(20, -32768, 1)},
  };
  fixture::ScratchDir dir;
  for (const RejectCase& c : cases) {
    const std::string path = dir.write("bad.tst", c.file);
    PictureHandle* handle = plugin().loadInit(path.c_str());
    ASSERT_NE(handle, nullptr) << c.what;
    int32_t v[7] = {-5, -5, -5, -5, -5, -5, -5};
    char label[8];
    std::memset(label, '#', sizeof label);
    EXPECT_EQ(plugin().loadGetInfo(handle, &v[0], &v[1], &v[2], &v[3], &v[4], &v[5], &v[6], label,
                                   sizeof label),
              0)
        << c.what;
    for (int32_t out : v) EXPECT_EQ(out, -5) << c.what;
    EXPECT_EQ(std::string(label, sizeof label), std::string(8, '#')) << c.what;
    // Not described, so no line can be fetched from it.
    unsigned char line[4] = {9, 9, 9, 9};
    EXPECT_EQ(plugin().loadGetLine(handle, 0, line), 0) << c.what;
    EXPECT_EQ(line[0], 9);
    plugin().loadExit(handle);
  }
}

TEST(ReaderDescribe, RefusesNullHandleAndOutputs) {
  fixture::ScratchDir dir;
  const std::string path = dir.write("one.tst", fixture::tileset(1, 1));
  OpenPicture picture(path);
  int32_t v[7] = {-5, -5, -5, -5, -5, -5, -5};
  char label[8];
  EXPECT_EQ(plugin().loadGetInfo(nullptr, &v[0], &v[1], &v[2], &v[3], &v[4], &v[5], &v[6], label,
                                 sizeof label),
            0);
  EXPECT_EQ(plugin().loadGetInfo(picture.handle(), &v[0], nullptr, &v[2], &v[3], &v[4], &v[5],
                                 &v[6], label, sizeof label),
            0);
  EXPECT_EQ(plugin().loadGetInfo(picture.handle(), &v[0], &v[1], &v[2], &v[3], &v[4], &v[5], &v[6],
                                 label, -1),
            0);
  for (int32_t out : v) EXPECT_EQ(out, -5);
  EXPECT_EQ(plugin().loadGetInfo(picture.handle(), &v[0], &v[1], &v[2], &v[3], &v[4], &v[5], &v[6],
                                 nullptr, 0),
            1);
}

}  // namespace
