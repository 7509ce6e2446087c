// Fixed values of the host interface.
#pragma once

#include <cstdint>

namespace zor {

constexpr int32_t kInterfaceVersion = 2;
constexpr const char* kFormatLabel = "Brackenfold Tileset";
constexpr char kExtension[4] = {'t', 's', 't', '\0'};
constexpr int32_t kSupportFlags = 1;

constexpr int32_t kPictureTypeRead = 3;
constexpr int32_t kDpi = 68;
constexpr int32_t kBitsPerPixel = 32;
constexpr int32_t kBytesPerOutputPixel = 4;

constexpr int32_t kPictureTypeWrite = 0;
constexpr const char* kWriterLabel = "Test format";

}  // namespace zor
