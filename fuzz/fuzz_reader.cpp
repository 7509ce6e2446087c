// Fuzzes the reader's whole life on arbitrary file bytes: Init, GetInfo,
// lines in and past the picture, a negative line, a second GetInfo, Exit.
// Besides crashes and sanitizer reports, broken promises abort the run.
#include <climits>
#include <memory>

#include "brackenfold_tst.h"
#include "scratch_file.h"

namespace {

constexpr int32_t kMaxLines = 256;

void require(bool condition) {
  if (!condition) std::abort();
}

struct Info {
  int32_t type, width, height, dpi, bpp, bpl, cmap;
};

bool describe(PictureHandle* handle, Info& info) {
  char label[24];
  return zorLoadPictureGetInfo(handle, &info.type, &info.width, &info.height, &info.dpi, &info.bpp,
                               &info.bpl, &info.cmap, label, sizeof label) == 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  scratch().write(data, size);
  PictureHandle* handle = zorLoadPictureInit(scratch().path());
  require(handle != nullptr);

  Info info{};
  if (!describe(handle, info)) {
    // Nothing may be written for a refused line: any byte would overrun.
    std::unique_ptr<uint8_t[]> none(new uint8_t[0]);
    require(zorLoadPictureGetLine(handle, 0, none.get()) == 0);
    zorLoadPictureExit(handle);
    return 0;
  }
  require(info.type == 3 && info.dpi == 68 && info.bpp == 32 && info.cmap == 0);
  require(info.width > 0 && info.width <= 288 && info.height > 0);
  require(info.bpl == 4 * info.width);
  require(zorLoadPictureGetColormap(handle, nullptr) == 0);
  // Exactly bytesPerLine bytes, so that the sanitizer sees any overrun.
  std::unique_ptr<uint8_t[]> buffer(new uint8_t[static_cast<std::size_t>(info.bpl)]);
  uint8_t* line = buffer.get();

  const int32_t lines = info.height < kMaxLines ? info.height : kMaxLines;
  for (int32_t y = 0; y < lines; ++y) require(zorLoadPictureGetLine(handle, y, line) == 1);
  for (int32_t y : {info.height, info.height + 40, INT_MAX - 1, INT_MAX}) {
    require(zorLoadPictureGetLine(handle, y, line) == 1);
  }
  require(zorLoadPictureGetLine(handle, -1, line) == 0);
  require(zorLoadPictureGetLine(handle, INT_MIN, line) == 0);

  Info again{};
  require(describe(handle, again));
  require(again.width == info.width && again.height == info.height);
  require(zorLoadPictureGetLine(handle, info.height - 1, line) == 1);
  zorLoadPictureExit(handle);
  return 0;
}
