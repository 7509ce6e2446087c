// A host's view of a picture-format plug-in: load the library by path and
// find its ten entry points by name, as a host application does.
#pragma once

#include <memory>
#include <string>

#include "brackenfold_tst.h"

namespace host {

struct EntryPoints {
  zorGetPluginInfoFn getPluginInfo;
  zorLoadPictureInitFn loadInit;
  zorLoadPictureGetInfoFn loadGetInfo;
  zorLoadPictureGetLineFn loadGetLine;
  zorLoadPictureGetColormapFn loadGetColormap;
  zorLoadPictureExitFn loadExit;
  zorSavePictureIsSupportedFn saveIsSupported;
  zorSavePictureInitFn saveInit;
  zorSavePicturePutLineFn savePutLine;
  zorSavePictureExitFn saveExit;
};

// A loaded plug-in library; unloaded when destroyed.
class Plugin {
 public:
  // Loads the library at `path`. On failure returns null and sets `error` to
  // a message naming the path and the reason (or the missing entry point).
  static std::unique_ptr<Plugin> load(const std::string& path, std::string& error);
  ~Plugin();
  Plugin(const Plugin&) = delete;
  Plugin& operator=(const Plugin&) = delete;

  const EntryPoints& api() const { return api_; }
  const std::string& path() const { return path_; }

 private:
  Plugin(void* library, std::string path) : library_(library), path_(std::move(path)) {}
  void* library_;
  std::string path_;
  EntryPoints api_{};
};

// The file name of the plug-in library on this platform.
const char* pluginFileName();

// The directory holding the running program, or "" when it cannot be told.
std::string executableDirectory();

}  // namespace host
