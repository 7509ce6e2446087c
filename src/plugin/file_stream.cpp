#include "file_stream.h"

namespace zor {
namespace {

// glibc's "e" opens the stream close-on-exec, so programs the host starts do
// not inherit it.
#if defined(_WIN32)
constexpr const char* kReadMode = "rb";
constexpr const char* kWriteMode = "wb";
#else
constexpr const char* kReadMode = "rbe";
constexpr const char* kWriteMode = "wbe";
#endif

int seek64(std::FILE* file, int64_t offset, int origin) {
#if defined(_WIN32)
  return _fseeki64(file, offset, origin);
#else
  return fseeko(file, static_cast<off_t>(offset), origin);
#endif
}

int64_t tell64(std::FILE* file) {
#if defined(_WIN32)
  return _ftelli64(file);
#else
  return static_cast<int64_t>(ftello(file));
#endif
}

}  // namespace

FileStream openForReading(const char* path) {
  FileStream file(std::fopen(path, kReadMode));
  if (file) std::setvbuf(file.get(), nullptr, _IONBF, 0);
  return file;
}

FileStream openForWriting(const char* path) {
  return FileStream(std::fopen(path, kWriteMode));
}

int64_t measureAndRewind(std::FILE* file) {
  if (seek64(file, 0, SEEK_END) != 0) return -1;
  const int64_t size = tell64(file);
  if (seek64(file, 0, SEEK_SET) != 0) return -1;
  return size;
}

bool seekTo(std::FILE* file, int64_t offset) {
  return seek64(file, offset, SEEK_SET) == 0;
}

}  // namespace zor
