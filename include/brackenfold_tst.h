/* Brackenfold Tileset (.tst) picture-format plug-in: the ten entry points a
 * host finds by name after loading the library. Plain C, usable from C and
 * C++. Every integer is 32 bits; truth values are 1 (yes) and 0 (no). */
#ifndef BRACKENFOLD_TST_H
#define BRACKENFOLD_TST_H

#include <stdint.h>

#if defined(_WIN32)
#define ZOR_API
#else
#define ZOR_API __attribute__((visibility("default")))
#endif

/* No exception ever leaves an entry point. */
#ifdef __cplusplus
#define ZOR_NOEXCEPT noexcept
#else
#define ZOR_NOEXCEPT
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Per-file record returned by both Init entry points; opaque to the host. */
typedef struct PictureHandle PictureHandle;

/* Registration: only interface version 2 is accepted. */
ZOR_API int32_t zorGetPluginInfo(int32_t version, char* label, int32_t labelMaxSize,
                                 char* extension, int32_t extensionMaxSize,
                                 int32_t* supportFlags) ZOR_NOEXCEPT;

/* Reading. */
ZOR_API PictureHandle* zorLoadPictureInit(const char* filename) ZOR_NOEXCEPT;
ZOR_API int32_t zorLoadPictureGetInfo(PictureHandle* handle, int32_t* pictureType, int32_t* width,
                                      int32_t* height, int32_t* dpi, int32_t* bitsPerPixel,
                                      int32_t* bytesPerLine, int32_t* hasColormap, char* label,
                                      int32_t labelMaxSize) ZOR_NOEXCEPT;
ZOR_API int32_t zorLoadPictureGetLine(PictureHandle* handle, int32_t line,
                                      unsigned char* buffer) ZOR_NOEXCEPT;
ZOR_API int32_t zorLoadPictureGetColormap(PictureHandle* handle,
                                          unsigned char* colormap) ZOR_NOEXCEPT;
ZOR_API void zorLoadPictureExit(PictureHandle* handle) ZOR_NOEXCEPT;

/* Writing: declined; a minimal writer stands behind Init. */
ZOR_API int32_t zorSavePictureIsSupported(int32_t a, int32_t b, int32_t c, int32_t d) ZOR_NOEXCEPT;
ZOR_API PictureHandle* zorSavePictureInit(const char* filename, int32_t width, int32_t height,
                                          int32_t bitsPerPixel, int32_t dpi, int32_t* pictureType,
                                          char* label, int32_t labelMaxSize) ZOR_NOEXCEPT;
ZOR_API int32_t zorSavePicturePutLine(PictureHandle* handle, int32_t line,
                                      const unsigned char* buffer) ZOR_NOEXCEPT;
ZOR_API void zorSavePictureExit(PictureHandle* handle) ZOR_NOEXCEPT;

/* Pointer types for hosts that look the entry points up by name. */
typedef int32_t (*zorGetPluginInfoFn)(int32_t, char*, int32_t, char*, int32_t, int32_t*);
typedef PictureHandle* (*zorLoadPictureInitFn)(const char*);
typedef int32_t (*zorLoadPictureGetInfoFn)(PictureHandle*, int32_t*, int32_t*, int32_t*, int32_t*,
                                           int32_t*, int32_t*, int32_t*, char*, int32_t);
typedef int32_t (*zorLoadPictureGetLineFn)(PictureHandle*, int32_t, unsigned char*);
typedef int32_t (*zorLoadPictureGetColormapFn)(PictureHandle*, unsigned char*);
typedef void (*zorLoadPictureExitFn)(PictureHandle*);
typedef int32_t (*zorSavePictureIsSupportedFn)(int32_t, int32_t, int32_t, int32_t);
typedef PictureHandle* (*zorSavePictureInitFn)(const char*, int32_t, int32_t, int32_t, int32_t,
                                               int32_t*, char*, int32_t);
typedef int32_t (*zorSavePicturePutLineFn)(PictureHandle*, int32_t, const unsigned char*);
typedef void (*zorSavePictureExitFn)(PictureHandle*);

#ifdef __cplusplus
}
#endif

#endif /* BRACKENFOLD_TST_H */
