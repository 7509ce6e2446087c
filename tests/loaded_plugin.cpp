#include "loaded_plugin.h"

#include <cstdlib>
#include <memory>
#include <stdexcept>

#ifndef BRACKENFOLD_PLUGIN_PATH
#error "BRACKENFOLD_PLUGIN_PATH names the library under test"
#endif

namespace fixture {

std::string pluginPath() {
  const char* fromEnvironment = std::getenv("BRACKENFOLD_PLUGIN");
  if (fromEnvironment != nullptr) return fromEnvironment;
#if defined(_WIN32)
  // The build path is a host path; under Wine the DLL is found beside the tests.
  return host::executableDirectory() + "\\" + host::pluginFileName();
#else
  return BRACKENFOLD_PLUGIN_PATH;
#endif
}

const host::EntryPoints& plugin() {
  static const std::unique_ptr<host::Plugin> loaded = [] {
    std::string error;
    auto p = host::Plugin::load(pluginPath(), error);
    if (!p) throw std::runtime_error(error);
    return p;
  }();
  return loaded->api();
}

OpenPicture::OpenPicture(const std::string& path) : handle_(plugin().loadInit(path.c_str())) {}

OpenPicture::~OpenPicture() {
  if (handle_ != nullptr) plugin().loadExit(handle_);
}

int32_t OpenPicture::describe() {
  char label[32];
  return plugin().loadGetInfo(handle_, &info.pictureType, &info.width, &info.height, &info.dpi,
                              &info.bitsPerPixel, &info.bytesPerLine, &info.hasColormap, label,
                              sizeof label);
}

int32_t OpenPicture::fetch(int32_t line, std::vector<uint8_t>& out) const {
  out.assign(static_cast<std::size_t>(info.bytesPerLine > 0 ? info.bytesPerLine : 0), 0xAB);
  return plugin().loadGetLine(handle_, line, out.data());
}

}  // namespace fixture
