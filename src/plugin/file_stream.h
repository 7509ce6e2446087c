// The few byte-stream operations the plug-in needs, with 64-bit offsets on
// every platform so that files past 2 GiB are measured and read correctly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>

namespace zor {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileStream = std::unique_ptr<std::FILE, FileCloser>;

// Opens for binary reading, unbuffered: every read is one whole strip, so a
// stream buffer would only add a copy. Null when the file cannot be opened.
FileStream openForReading(const char* path);

// Opens for binary writing, creating the file or emptying it.
FileStream openForWriting(const char* path);

// Length of the file in bytes, leaving the position at the start; -1 on error.
int64_t measureAndRewind(std::FILE* file);

bool seekTo(std::FILE* file, int64_t offset);

}  // namespace zor
