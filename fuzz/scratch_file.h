// A per-process scratch file: the entry points take paths, so each fuzz
// input is written to a file before the plug-in opens it.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>

class ScratchFile {
 public:
  ScratchFile() {
    // Memory-backed where the system has it: every input is written once.
    const char* directory = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    std::string pattern = std::string(directory) + "/tst-fuzz-XXXXXX";
    const int fd = mkstemp(pattern.data());
    if (fd < 0) std::abort();
    close(fd);
    path_ = pattern;
  }
  ~ScratchFile() { std::remove(path_.c_str()); }

  const char* path() const { return path_.c_str(); }

  void write(const uint8_t* data, std::size_t size) const {
    std::FILE* file = std::fopen(path_.c_str(), "wb");
    if (file == nullptr) std::abort();
    if (size > 0 && std::fwrite(data, 1, size, file) != size) std::abort();
    std::fclose(file);
  }

 private:
  std::string path_;
};

inline const ScratchFile& scratch() {
  static const ScratchFile file;
  return file;
}
