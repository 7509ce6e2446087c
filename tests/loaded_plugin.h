// The plug-in as a host meets it: the built library loaded by path, its
// entry points found by name.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "plugin_host.h"

namespace fixture {

// The path of the library under test: $BRACKENFOLD_PLUGIN, else the one built
// beside the tests.
std::string pluginPath();

// The entry points, loaded once for the whole test program.
const host::EntryPoints& plugin();

struct PictureInfo {
  int32_t pictureType = -1, width = -1, height = -1, dpi = -1, bitsPerPixel = -1, bytesPerLine = -1,
          hasColormap = -1;
};

// A reading handle for one file, ended with the Exit entry point.
class OpenPicture {
 public:
  explicit OpenPicture(const std::string& path);
  ~OpenPicture();
  OpenPicture(const OpenPicture&) = delete;
  OpenPicture& operator=(const OpenPicture&) = delete;

  PictureHandle* handle() const { return handle_; }
  // Calls GetInfo and keeps what it reports in `info`.
  int32_t describe();
  // Calls GetLine for one line into a buffer of bytesPerLine bytes.
  int32_t fetch(int32_t line, std::vector<uint8_t>& out) const;

  PictureInfo info;

 private:
  PictureHandle* handle_;
};

}  // namespace fixture
