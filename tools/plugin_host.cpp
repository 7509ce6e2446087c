#include "plugin_host.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#endif

namespace host {
namespace {

#if defined(_WIN32)
void* openLibrary(const std::string& path) {
  return LoadLibraryA(path.c_str());
}
void* findSymbol(void* library, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}
void closeLibrary(void* library) {
  FreeLibrary(static_cast<HMODULE>(library));
}
std::string loaderError() {
  return "Windows error " + std::to_string(GetLastError());
}
#else
void* openLibrary(const std::string& path) {
  return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
}
void* findSymbol(void* library, const char* name) {
  return dlsym(library, name);
}
void closeLibrary(void* library) {
  dlclose(library);
}
std::string loaderError() {
  const char* message = dlerror();
  return message != nullptr ? message : "unknown loader error";
}
#endif

template <typename Fn>
bool bind(void* library, const char* name, Fn& slot, const std::string& path, std::string& error) {
  void* symbol = findSymbol(library, name);
  if (symbol == nullptr) {
    error = "plug-in " + path + " has no entry point " + name;
    return false;
  }
  slot = reinterpret_cast<Fn>(symbol);
  return true;
}

}  // namespace

std::unique_ptr<Plugin> Plugin::load(const std::string& path, std::string& error) {
  void* library = openLibrary(path);
  if (library == nullptr) {
    error = "cannot load plug-in " + path + ": " + loaderError();
    return nullptr;
  }
  std::unique_ptr<Plugin> plugin(new Plugin(library, path));
  EntryPoints& api = plugin->api_;
  const bool complete =
      bind(library, "zorGetPluginInfo", api.getPluginInfo, path, error) &&
      bind(library, "zorLoadPictureInit", api.loadInit, path, error) &&
      bind(library, "zorLoadPictureGetInfo", api.loadGetInfo, path, error) &&
      bind(library, "zorLoadPictureGetLine", api.loadGetLine, path, error) &&
      bind(library, "zorLoadPictureGetColormap", api.loadGetColormap, path, error) &&
      bind(library, "zorLoadPictureExit", api.loadExit, path, error) &&
      bind(library, "zorSavePictureIsSupported", api.saveIsSupported, path, error) &&
      bind(library, "zorSavePictureInit", api.saveInit, path, error) &&
      bind(library, "zorSavePicturePutLine", api.savePutLine, path, error) &&
      bind(library, "zorSavePictureExit", api.saveExit, path, error);
  if (!complete) return nullptr;
  return plugin;
}

Plugin::~Plugin() {
  closeLibrary(library_);
}

const char* pluginFileName() {
#if defined(_WIN32)
  return "brackenfold_tst.dll";
#else
  return "brackenfold_tst.so";
#endif
}

std::string executableDirectory() {
#if defined(_WIN32)
  char buffer[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
  if (length == 0 || length == MAX_PATH) return "";
  std::string path(buffer, length);
  const std::size_t slash = path.find_last_of("\\/");
#else
  char buffer[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer);
  if (length <= 0 || length == static_cast<ssize_t>(sizeof buffer)) return "";
  std::string path(buffer, static_cast<std::size_t>(length));
  const std::size_t slash = path.find_last_of('/');
#endif
  return slash == std::string::npos ? "" : path.substr(0, slash);
}

}  // namespace host
