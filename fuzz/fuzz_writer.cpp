// Fuzzes the entry points that take no file, with arbitrary arguments:
// registration answers version 2 alone, the writing side declines every
// picture, and its Init writes exactly the 12-byte header.
#include <cstring>
#include <vector>

#include "brackenfold_tst.h"
#include "scratch_file.h"

namespace {

void require(bool condition) {
  if (!condition) std::abort();
}

int32_t take(const uint8_t*& data, std::size_t& size) {
  uint32_t value = 0;
  for (int i = 0; i < 4 && size > 0; ++i, ++data, --size) value |= uint32_t{*data} << (8 * i);
  return static_cast<int32_t>(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const int32_t width = take(data, size), height = take(data, size), bpp = take(data, size),
                dpi = take(data, size), rawLabelSize = take(data, size);
  require(zorSavePictureIsSupported(width, height, bpp, dpi) == 0);

  // Registration, with the version taken from the same bytes.
  char registered[24];
  char extension[4];
  int32_t flags = -1;
  const int32_t registeredSize = rawLabelSize < 0 ? rawLabelSize : rawLabelSize % 24;
  const int32_t version = width % 4;
  const int32_t answer =
      zorGetPluginInfo(version, registered, registeredSize, extension, height, &flags);
  require(answer == (version == 2 && registeredSize >= 0 ? 1 : 0));
  require(answer == 0 || (flags == 1 && std::memcmp(extension, "tst", 4) == 0));

  // Label sizes cover the refused negatives and the meaningful small range.
  const int32_t labelSize = rawLabelSize < 0 ? rawLabelSize : rawLabelSize % 24;
  char label[24];
  std::memset(label, '#', sizeof label);
  int32_t pictureType = -1;
  PictureHandle* handle =
      zorSavePictureInit(scratch().path(), width, height, bpp, dpi, &pictureType, label, labelSize);
  if (labelSize < 0) {
    require(handle == nullptr && pictureType == -1 && label[0] == '#');
    return 0;
  }
  require(handle != nullptr && pictureType == 0);
  require(std::memcmp(label, "Test format", labelSize < 11 ? labelSize : 11) == 0);
  require(zorSavePicturePutLine(handle, take(data, size), data) == 0);
  zorSavePictureExit(handle);

  std::FILE* file = std::fopen(scratch().path(), "rb");
  require(file != nullptr);
  uint8_t written[16];
  const std::size_t got = std::fread(written, 1, sizeof written, file);
  std::fclose(file);
  const int32_t fields[3] = {width, height, bpp};
  require(got == 12);
  for (int i = 0; i < 12; ++i) {
    require(written[i] ==
            static_cast<uint8_t>(static_cast<uint32_t>(fields[i / 4]) >> (8 * (i % 4))));
  }
  return 0;
}
