// Stand-in plug-ins that misbehave in one chosen way, so that a host's
// handling of each failure can be tested: built once per FAKE_* variant.
#include <cstring>

#include "brackenfold_tst.h"

struct PictureHandle {
  int unused;
};

extern "C" {

ZOR_API int32_t zorGetPluginInfo(int32_t, char* label, int32_t size, char* extension, int32_t,
                                 int32_t* flags) noexcept {
#if defined(FAKE_DECLINES_VERSION)
  (void)label, (void)size, (void)extension, (void)flags;
  return 0;
#else
  std::strncpy(label, "Fake", static_cast<std::size_t>(size));
  std::memcpy(extension, "tst", 4);
  *flags = 1;
  return 1;
#endif
}

ZOR_API PictureHandle* zorLoadPictureInit(const char*) noexcept {
  return new PictureHandle{0};
}

ZOR_API int32_t zorLoadPictureGetInfo(PictureHandle*, int32_t* type, int32_t* width,
                                      int32_t* height, int32_t* dpi, int32_t* bpp, int32_t* bpl,
                                      int32_t* cmap, char*, int32_t) noexcept {
  *type = 3, *width = 4, *height = 8, *dpi = 68, *bpp = 32, *bpl = 16, *cmap = 0;
  return 1;
}

// Refuses line 5 of its 4 x 8 picture.
ZOR_API int32_t zorLoadPictureGetLine(PictureHandle*, int32_t line,
                                      unsigned char* buffer) noexcept {
  std::memset(buffer, 200, 16);
  return line == 5 ? 0 : 1;
}

ZOR_API int32_t zorLoadPictureGetColormap(PictureHandle*, unsigned char*) noexcept {
  return 0;
}
ZOR_API void zorLoadPictureExit(PictureHandle* handle) noexcept {
  delete handle;
}
ZOR_API int32_t zorSavePictureIsSupported(int32_t, int32_t, int32_t, int32_t) noexcept {
  return 0;
}
ZOR_API PictureHandle* zorSavePictureInit(const char*, int32_t, int32_t, int32_t, int32_t, int32_t*,
                                          char*, int32_t) noexcept {
  return nullptr;
}
ZOR_API int32_t zorSavePicturePutLine(PictureHandle*, int32_t, const unsigned char*) noexcept {
  return 0;
}
#if !defined(FAKE_MISSING_SYMBOL)
ZOR_API void zorSavePictureExit(PictureHandle*) noexcept {}
#endif
}
