// Writing an 8-bit RGBA PNG row by row, so memory stays bounded whatever the
// picture's height. The file appears under its name only when complete: it is
// written under a temporary name in the same directory, then renamed.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include <png.h>

namespace host {

class PngFile {
 public:
  PngFile() = default;
  ~PngFile();  // an unfinished file is removed
  PngFile(const PngFile&) = delete;
  PngFile& operator=(const PngFile&) = delete;

  // Starts `path` for a picture of the given size. False, with `error()` set,
  // when it cannot be created.
  bool begin(const std::string& path, uint32_t width, uint32_t height);
  // Appends the next row: width pixels of four bytes, R G B A.
  bool writeRow(const uint8_t* rgba);
  // Ends the file and gives it its name.
  bool finish();

  const std::string& error() const { return error_; }

 private:
  static void onError(png_structp png, png_const_charp message);
  static void onWarning(png_structp, png_const_charp) {}
  bool fail(const std::string& reason);
  void discard();

  std::string path_;
  std::string temporary_;
  std::string error_;
  std::FILE* file_ = nullptr;
  png_structp png_ = nullptr;
  png_infop info_ = nullptr;
};

}  // namespace host
