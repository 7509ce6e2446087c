#include "png_file.h"

#include <cerrno>
#include <csetjmp>
#include <cstring>
#include <filesystem>
#include <system_error>

#if defined(_WIN32)
#include <process.h>
#define getpid _getpid
#else
#include <unistd.h>
#endif

namespace host {
namespace {

std::string systemReason() {
  return std::strerror(errno);
}

#if defined(_WIN32)
constexpr const char* kCreateMode = "wb";
#else
constexpr const char* kCreateMode = "wbx";  // fails rather than open an existing file
#endif

}  // namespace

PngFile::~PngFile() {
  discard();
}

void PngFile::onError(png_structp png, png_const_charp message) {
  auto* self = static_cast<PngFile*>(png_get_error_ptr(png));
  self->error_ = message;
  png_longjmp(png, 1);
}

bool PngFile::fail(const std::string& reason) {
  error_ = "cannot write " + path_ + ": " + reason;
  discard();
  return false;
}

void PngFile::discard() {
  if (png_ != nullptr) png_destroy_write_struct(&png_, &info_);
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
  if (!temporary_.empty()) {
    std::error_code ignored;
    std::filesystem::remove(temporary_, ignored);
    temporary_.clear();
  }
}

bool PngFile::begin(const std::string& path, uint32_t width, uint32_t height) {
  path_ = path;
  // Beside the output, so that the final rename stays on one file system,
  // and never a file that is there already.
  for (int attempt = 0; attempt < 100 && file_ == nullptr; ++attempt) {
    temporary_ = path + ".part-" + std::to_string(getpid()) + "-" + std::to_string(attempt);
    std::error_code ignored;
    if (std::filesystem::exists(temporary_, ignored)) continue;
    file_ = std::fopen(temporary_.c_str(), kCreateMode);
    if (file_ == nullptr && errno != EEXIST) {
      temporary_.clear();
      return fail(systemReason());
    }
  }
  if (file_ == nullptr) {
    temporary_.clear();
    return fail("no free temporary name");
  }

  png_ = png_create_write_struct(PNG_LIBPNG_VER_STRING, this, onError, onWarning);
  if (png_ != nullptr) info_ = png_create_info_struct(png_);
  if (info_ == nullptr) return fail("out of memory");
  if (setjmp(png_jmpbuf(png_))) return fail(error_);
  png_init_io(png_, file_);
  png_set_IHDR(png_, info_, width, height, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png_, info_);
  return true;
}

bool PngFile::writeRow(const uint8_t* rgba) {
  if (setjmp(png_jmpbuf(png_))) return fail(error_);
  png_write_row(png_, rgba);
  return true;
}

bool PngFile::finish() {
  if (setjmp(png_jmpbuf(png_))) return fail(error_);
  png_write_end(png_, nullptr);
  png_destroy_write_struct(&png_, &info_);
  const bool flushed = std::fflush(file_) == 0;
  const int closed = std::fclose(file_);
  file_ = nullptr;
  if (!flushed || closed != 0) return fail(systemReason());
  std::error_code renamed;
  std::filesystem::rename(temporary_, path_, renamed);
  if (renamed) return fail(renamed.message());
  temporary_.clear();
  return true;
}

}  // namespace host
