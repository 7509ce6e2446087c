// The writing side: declined, with a minimal writer behind Init.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "loaded_plugin.h"
#include "tileset_files.h"

namespace {

using fixture::Bytes;
using fixture::plugin;

TEST(Writer, DeclinesEveryPicture) {
  const int32_t values[] = {0, 1, 3, 8, 24, 32, -1, INT32_MAX, INT32_MIN};
  for (int32_t a : values) {
    for (int32_t b : values) {
      EXPECT_EQ(plugin().saveIsSupported(a, b, b, a), 0);
      EXPECT_EQ(plugin().saveIsSupported(b, 32, a, 0), 0);
    }
  }
}

TEST(Writer, InitWritesTheTwelveByteHeader) {
  fixture::ScratchDir dir;
  const std::string path = dir.path("out.bin");
  fixture::writeFile(path, Bytes(100, 0x55));  // an existing file is emptied
  int32_t pictureType = -1;
  char label[16];
  std::memset(label, '#', sizeof label);
  PictureHandle* handle =
      plugin().saveInit(path.c_str(), 640, 480, 24, 96, &pictureType, label, 12);
  ASSERT_NE(handle, nullptr);
  EXPECT_EQ(pictureType, 0);
  EXPECT_EQ(std::string(label, sizeof label), std::string("Test format\0####", 16));
  const uint8_t line[4] = {1, 2, 3, 4};
  EXPECT_EQ(plugin().savePutLine(handle, 0, line), 0);
  EXPECT_EQ(plugin().savePutLine(nullptr, 0, nullptr), 0);
  plugin().saveExit(handle);
  EXPECT_EQ(fixture::readFile(path), (Bytes{0x80, 0x02, 0, 0, 0xE0, 0x01, 0, 0, 0x18, 0, 0, 0}));
}

TEST(Writer, HeaderIntegersAreSignedLittleEndian) {
  fixture::ScratchDir dir;
  const std::string path = dir.path("neg.bin");
  int32_t pictureType;
  PictureHandle* handle =
      plugin().saveInit(path.c_str(), -1, 0x12345678, INT32_MIN, 0, &pictureType, nullptr, 0);
  ASSERT_NE(handle, nullptr);
  plugin().saveExit(handle);
  EXPECT_EQ(fixture::readFile(path),
            (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0x78, 0x56, 0x34, 0x12, 0, 0, 0, 0x80}));
}

TEST(Writer, CutsTheLabelAtLabelMaxSize) {
  fixture::ScratchDir dir;
  struct Case {
    int32_t size;
    std::string written;
  };
  const Case cases[] = {{4, "Test"},
                        {11, "Test format"},
                        {12, std::string("Test format", 12)},
                        {16, std::string("Test format\0\0\0\0\0", 16)},
                        {0, ""}};
  for (const Case& c : cases) {
    char label[20];
    std::memset(label, '#', sizeof label);
    int32_t pictureType;
    PictureHandle* handle =
        plugin().saveInit(dir.path("l.bin").c_str(), 1, 1, 32, 0, &pictureType, label, c.size);
    ASSERT_NE(handle, nullptr);
    plugin().saveExit(handle);
    EXPECT_EQ(std::string(label, sizeof label), c.written + std::string(20 - c.written.size(), '#'))
        << c.size;
  }
}

TEST(Writer, InitFailsCleanlyWhenTheFileCannotBeWritten) {
  fixture::ScratchDir dir;
  int32_t pictureType = -1;
  char label[16];
  std::memset(label, '#', sizeof label);
  EXPECT_EQ(
      plugin().saveInit(dir.path("no/such/dir.bin").c_str(), 1, 1, 32, 0, &pictureType, label, 16),
      nullptr);
  EXPECT_EQ(plugin().saveInit(nullptr, 1, 1, 32, 0, &pictureType, label, 16), nullptr);
  EXPECT_EQ(plugin().saveInit(dir.path("x.bin").c_str(), 1, 1, 32, 0, nullptr, label, 16), nullptr);
  EXPECT_EQ(plugin().saveInit(dir.path("x.bin").c_str(), 1, 1, 32, 0, &pictureType, label, -3),
            nullptr);
  EXPECT_EQ(pictureType, -1);
  EXPECT_EQ(label[0], '#');
  plugin().saveExit(nullptr);
}

#if defined(__linux__)
TEST(Writer, InitFailsWhenTheHeaderCannotReachTheDisk) {
  // /dev/full opens, then refuses every byte written to it.
  int32_t pictureType = -1;
  char label[16];
  EXPECT_EQ(plugin().saveInit("/dev/full", 1, 1, 32, 0, &pictureType, label, 16), nullptr);
  EXPECT_EQ(pictureType, -1);
}
#endif

}  // namespace

#if defined(__linux__)
namespace {

std::size_t openDescriptors() {
  std::size_t count = 0;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    (void)entry;
    ++count;
  }
  return count;
}

TEST(Lifecycle, ExitLeavesNoStreamOpen) {
  fixture::ScratchDir dir;
  const std::string tileset = dir.write("t.tst", fixture::tileset(10, 1));
  const std::size_t before = openDescriptors();

  int32_t pictureType;
  PictureHandle* writing =
      plugin().saveInit(dir.path("w.bin").c_str(), 1, 1, 32, 0, &pictureType, nullptr, 0);
  ASSERT_NE(writing, nullptr);
  {
    fixture::OpenPicture reading(tileset);
    ASSERT_EQ(reading.describe(), 1);
    std::vector<uint8_t> line;
    ASSERT_EQ(reading.fetch(40, line), 1);
    EXPECT_EQ(openDescriptors(), before + 2);
  }
  plugin().saveExit(writing);
  EXPECT_EQ(openDescriptors(), before);
}

}  // namespace
#endif
