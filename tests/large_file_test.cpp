// The largest tilesets the header allows, and files past 2 GiB: nothing
// grows with the height, and no offset or size wraps at 32 bits.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <new>

#include "loaded_plugin.h"
#include "tileset_files.h"

// Counts the plug-in's (and everyone's) operator new calls while enabled.
namespace {
struct AllocationLog {
  bool enabled = false;
  // While enabled, allocation number failFrom and all later ones fail.
  std::size_t failFrom = SIZE_MAX;
  std::size_t count = 0;
  std::size_t largest = 0;
  std::size_t total = 0;
};
AllocationLog allocations;

void* allocate(std::size_t size) {
  if (allocations.enabled) {
    if (allocations.count >= allocations.failFrom) return nullptr;
    ++allocations.count;
    allocations.total += size;
    if (size > allocations.largest) allocations.largest = size;
  }
  return std::malloc(size == 0 ? 1 : size);
}
}  // namespace

void* operator new(std::size_t size) {
  if (void* p = allocate(size)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
  return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return allocate(size);
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete[](void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
  std::free(p);
}

namespace {

using fixture::Bytes;
using fixture::plugin;

// What a whole decode (Init, GetInfo, every line, Exit) allocates.
struct DecodeCost {
  AllocationLog log;
  bool correct = true;
};

DecodeCost decodeCounting(const std::string& path, const Bytes& file, int16_t type) {
  const host::EntryPoints& api = plugin();  // loaded before counting starts
  const int size = fixture::tileSizeOf(type);
  std::vector<uint8_t> line(4 * 288);
  DecodeCost cost;
  allocations = {};
  allocations.enabled = true;
  PictureHandle* handle = api.loadInit(path.c_str());
  int32_t v[7] = {};
  if (handle == nullptr ||
      api.loadGetInfo(handle, &v[0], &v[1], &v[2], &v[3], &v[4], &v[5], &v[6], nullptr, 0) != 1) {
    cost.correct = false;
  }
  const int32_t width = v[1], height = v[2];
  for (int32_t y = 0; cost.correct && y < height; ++y) {
    cost.correct = api.loadGetLine(handle, y, line.data()) == 1;
    if (y % 997 == 0 || y >= height - size) {
      allocations.enabled = false;
      for (int x = 0; x < width; x += 7) {
        const fixture::Pixel want = fixture::expectedPixel(file, width, size, x, y);
        if (std::memcmp(&line[4 * x], want.data(), 4) != 0) cost.correct = false;
      }
      allocations.enabled = true;
    }
  }
  if (handle != nullptr) api.loadExit(handle);
  allocations.enabled = false;
  cost.log = allocations;
  return cost;
}

TEST(LargeFiles, TheLargestTilesetsDecodeWithOneStripBuffer) {
  for (int16_t type : {int16_t{1}, int16_t{2}}) {
    fixture::ScratchDir dir;
    const Bytes largest = fixture::tileset(32767, type);
    const Bytes small = fixture::tileset(10, type);  // as wide, 3641 times less high
    const DecodeCost big = decodeCounting(dir.write("largest.tst", largest), largest, type);
    const DecodeCost little = decodeCounting(dir.write("small.tst", small), small, type);
    EXPECT_TRUE(big.correct) << "type " << type;
    EXPECT_TRUE(little.correct) << "type " << type;
    // The handle and one strip buffer, the same whatever the picture's height.
    EXPECT_EQ(big.log.count, 2u) << "type " << type;
    EXPECT_EQ(big.log.total, little.log.total) << "type " << type;
    const std::size_t stripBytes = 288u * fixture::tileSizeOf(type) * 3;
    EXPECT_GE(big.log.largest, stripBytes);
    EXPECT_LT(big.log.total, 3 * stripBytes);
  }
}

TEST(LargeFiles, RunningOutOfMemoryIsReportedNotACrash) {
  const host::EntryPoints& api = plugin();
  fixture::ScratchDir dir;
  const std::string path = dir.write("t.tst", fixture::tileset(10, 1));
  int32_t v[7] = {-5, -5, -5, -5, -5, -5, -5};
  std::vector<uint8_t> line(4 * 288, 0xAB);
  const std::string written = dir.path("w.bin");

  allocations = {};
  allocations.failFrom = 0;  // the handle itself
  allocations.enabled = true;
  EXPECT_EQ(api.loadInit(path.c_str()), nullptr);
  int32_t pictureType = -1;
  EXPECT_EQ(api.saveInit(written.c_str(), 1, 1, 32, 0, &pictureType, nullptr, 0), nullptr);
  allocations.enabled = false;

  allocations = {};
  allocations.failFrom = 1;  // the strip buffer
  allocations.enabled = true;
  PictureHandle* handle = api.loadInit(path.c_str());
  ASSERT_NE(handle, nullptr);
  EXPECT_EQ(api.loadGetInfo(handle, &v[0], &v[1], &v[2], &v[3], &v[4], &v[5], &v[6], nullptr, 0),
            0);
  allocations.enabled = false;
  for (int32_t out : v) EXPECT_EQ(out, -5);
  EXPECT_EQ(api.loadGetLine(handle, 0, line.data()), 0);
  EXPECT_EQ(line[0], 0xAB);
  // Memory is back: the same handle can be described and read.
  EXPECT_EQ(api.loadGetInfo(handle, &v[0], &v[1], &v[2], &v[3], &v[4], &v[5], &v[6], nullptr, 0),
            1);
  EXPECT_EQ(api.loadGetLine(handle, 0, line.data()), 1);
  api.loadExit(handle);
}

// Byte k of the marker strip written far into the sparse file.
uint8_t markerByte(std::size_t k) {
  return static_cast<uint8_t>(100 + k % 97);
}

TEST(LargeFiles, OffsetsPastTwoGibibytesStayExact) {
  fixture::ScratchDir dir;
  const std::string path = dir.path("sparse.tst");
  const int64_t fileSize = 2684354560;  // 2.5 GiB, almost all of it a hole
  const int64_t stripBytes = 288 * 32 * 3;
  const int64_t markerStrip = 80000;  // starts past 2^31
  const int64_t markerOffset = 6 + markerStrip * stripBytes;
  ASSERT_GT(markerOffset, int64_t{1} << 31);
  {
    fixture::writeFile(path, fixture::tileset(32767, 1, 9));
    std::filesystem::resize_file(path, static_cast<std::uintmax_t>(fileSize));
    std::fstream out(path, std::ios::in | std::ios::out | std::ios::binary);
    out.seekp(markerOffset);
    for (int64_t k = 0; k < stripBytes; ++k) out.put(static_cast<char>(markerByte(k)));
    ASSERT_TRUE(out.good());
  }
  fixture::OpenPicture picture(path);
  ASSERT_EQ(picture.describe(), 1);
  EXPECT_EQ(picture.info.height, 116512);
  std::vector<uint8_t> line;

  // A line far past the height whose strip lies beyond 2 GiB, inside the file.
  for (int32_t r : {0, 17, 31}) {
    ASSERT_EQ(picture.fetch(static_cast<int32_t>(markerStrip * 32 + r), line), 1);
    for (int x = 0; x < 288; ++x) {
      const std::size_t at = 3 * (static_cast<std::size_t>(r) + 32 * x);
      const fixture::Pixel want = {markerByte(at), markerByte(at + 1), markerByte(at + 2), 255};
      ASSERT_EQ(std::memcmp(&line[4 * x], want.data(), 4), 0) << x << "," << r;
    }
  }
  // The hole reads as zero bytes: opaque black, not the key of a file's end.
  ASSERT_EQ(picture.fetch(50000 * 32, line), 1);
  EXPECT_EQ(std::vector<uint8_t>(line.begin(), line.begin() + 4), (Bytes{0, 0, 0, 255}));
  // The strip that the end of the file cuts: zeros before it, key after it.
  const int64_t lastStrip = (fileSize - 6) / stripBytes;
  const int64_t heldBytes = fileSize - (6 + lastStrip * stripBytes);
  ASSERT_EQ(picture.fetch(static_cast<int32_t>(lastStrip * 32), line), 1);
  const int64_t firstKeyColumn = (heldBytes + 3 * 32 - 1) / (3 * 32);
  EXPECT_EQ(std::vector<uint8_t>(line.begin(), line.begin() + 4), (Bytes{0, 0, 0, 255}));
  EXPECT_EQ(std::vector<uint8_t>(line.begin() + 4 * firstKeyColumn,
                                 line.begin() + 4 * firstKeyColumn + 4),
            (Bytes{0, 1, 2, 0}));
  // Past the end of the file, nothing to read: the key.
  ASSERT_EQ(picture.fetch(static_cast<int32_t>((lastStrip + 1) * 32), line), 1);
  EXPECT_EQ(std::vector<uint8_t>(line.begin(), line.begin() + 4), (Bytes{0, 1, 2, 0}));
}

}  // namespace
