// tst2png: converts Brackenfold tilesets to PNG through the plug-in, calling
// its entry points exactly as a host picture application does.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "plugin_host.h"
#include "png_file.h"
#include "tileset_header.h"

namespace {

namespace fs = std::filesystem;

constexpr int32_t kInterfaceVersion = 2;

const char* const kUsage =
    "usage: tst2png [--plugin PATH] [-o OUTPUT] [--info] INPUT.tst...\n"
    "\n"
    "Converts each Brackenfold tileset to an 8-bit RGBA PNG through the plug-in.\n"
    "\n"
    "  --plugin PATH  the plug-in library to load (default: the one beside tst2png)\n"
    "  -o OUTPUT      the PNG to write for a single input, or the directory for\n"
    "                 several (default: INPUT with .png in place of .tst)\n"
    "  --info         print each input's picture description; convert nothing\n"
    "  --help         show this text\n";

struct Options {
  std::string plugin;
  std::string output;
  bool info = false;
  std::vector<std::string> inputs;
};

// Parses the command line; false (with a message) when it is not usable.
bool parseArguments(int argc, char** argv, Options& options, bool& help, std::string& error) {
  help = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool takesValue = arg == "--plugin" || arg == "-o";
    if (takesValue && i + 1 >= argc) {
      error = "option " + arg + " needs a value";
      return false;
    }
    if (arg == "--help" || arg == "-h") {
      help = true;
    } else if (arg == "--plugin") {
      options.plugin = argv[++i];
    } else if (arg == "-o") {
      options.output = argv[++i];
    } else if (arg == "--info") {
      options.info = true;
    } else if (arg == "--") {
      for (++i; i < argc; ++i) options.inputs.push_back(argv[i]);
    } else if (arg.size() > 1 && arg[0] == '-') {
      error = "unknown option " + arg;
      return false;
    } else {
      options.inputs.push_back(arg);
    }
  }
  if (!help && options.inputs.empty()) {
    error = "no input tileset given";
    return false;
  }
  return true;
}

// The plug-in beside the program, or in the library folder of an install.
std::string defaultPluginPath() {
  const fs::path here = host::executableDirectory();
  const fs::path candidates[] = {here / host::pluginFileName(),
                                 here / ".." / "lib" / "brackenfold" / host::pluginFileName()};
  for (const fs::path& candidate : candidates) {
    std::error_code ignored;
    if (fs::exists(candidate, ignored)) return candidate.string();
  }
  return candidates[0].string();
}

std::string outputPathFor(const Options& options, const std::string& input) {
  fs::path png = fs::path(input).replace_extension(".png");
  if (options.output.empty()) return png.string();
  if (options.inputs.size() == 1) return options.output;
  return (fs::path(options.output) / png.filename()).string();
}

struct Picture {
  int32_t type = 0, width = 0, height = 0, dpi = 0, bitsPerPixel = 0, bytesPerLine = 0,
          hasColormap = 0;
};

// A reading handle, ended with the plug-in's Exit whatever happens.
class ReadHandle {
 public:
  ReadHandle(const host::EntryPoints& api, const std::string& path)
      : api_(api), handle_(api.loadInit(path.c_str())) {}
  ~ReadHandle() {
    if (handle_ != nullptr) api_.loadExit(handle_);
  }
  ReadHandle(const ReadHandle&) = delete;
  ReadHandle& operator=(const ReadHandle&) = delete;
  PictureHandle* get() const { return handle_; }

 private:
  const host::EntryPoints& api_;
  PictureHandle* handle_;
};

int tileCountOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  uint8_t bytes[tst::kHeaderSize] = {};
  in.read(reinterpret_cast<char*>(bytes), sizeof bytes);
  const auto header = tst::parseHeader(bytes, static_cast<std::size_t>(in.gcount()));
  return header ? header->tileCount : 0;
}

class Converter {
 public:
  Converter(const host::Plugin& plugin, const Options& options, std::string label)
      : plugin_(plugin), options_(options), label_(std::move(label)) {}

  // Converts (or describes) one input; false after printing why it failed.
  bool run(const std::string& input) {
    const host::EntryPoints& api = plugin_.api();
    ReadHandle handle(api, input);
    if (handle.get() == nullptr) return failure(input, "cannot be opened");
    Picture p;
    char label[64];
    if (api.loadGetInfo(handle.get(), &p.type, &p.width, &p.height, &p.dpi, &p.bitsPerPixel,
                        &p.bytesPerLine, &p.hasColormap, label, sizeof label - 1) != 1) {
      return failure(input, "not a tileset this plug-in reads");
    }
    if (p.bitsPerPixel != 32 || p.width <= 0 || p.height <= 0 || p.bytesPerLine != 4 * p.width) {
      return failure(input, "the plug-in describes a picture tst2png cannot write");
    }
    if (options_.info) {
      std::printf(
          "%s\n  format: %s\n  width: %d\n  height: %d\n  bits per pixel: %d\n"
          "  bytes per line: %d\n  tiles: %d\n",
          input.c_str(), label_.c_str(), p.width, p.height, p.bitsPerPixel, p.bytesPerLine,
          tileCountOf(input));
      return true;
    }
    const std::string output = outputPathFor(options_, input);
    if (std::string clash = clashOf(input, output); !clash.empty()) return failure(input, clash);
    host::PngFile png;
    if (!png.begin(output, static_cast<uint32_t>(p.width), static_cast<uint32_t>(p.height))) {
      return failure(input, png.error());
    }
    std::vector<uint8_t> line(static_cast<std::size_t>(p.bytesPerLine));
    for (int32_t y = 0; y < p.height; ++y) {
      if (api.loadGetLine(handle.get(), y, line.data()) != 1) {
        return failure(input, "the plug-in refused line " + std::to_string(y));
      }
      if (!png.writeRow(line.data())) return failure(input, png.error());
    }
    if (!png.finish()) return failure(input, png.error());
    written_[comparable(output)] = input;
    std::printf("%s -> %s (%d x %d)\n", input.c_str(), output.c_str(), p.width, p.height);
    return true;
  }

 private:
  static std::string comparable(const std::string& path) {
    std::error_code ignored;
    return fs::weakly_canonical(fs::absolute(path, ignored), ignored).string();
  }

  // Why `output` must not be written for `input`, or "" when it may: nothing
  // a user gave or got from this run is overwritten.
  std::string clashOf(const std::string& input, const std::string& output) const {
    const std::string target = comparable(output);
    if (target == comparable(input)) return "the output " + output + " is the input itself";
    const auto earlier = written_.find(target);
    if (earlier != written_.end()) {
      return "the output " + output + " was already written for " + earlier->second;
    }
    return "";
  }

  static bool failure(const std::string& input, const std::string& reason) {
    std::fprintf(stderr, "tst2png: %s: %s\n", input.c_str(), reason.c_str());
    return false;
  }

  const host::Plugin& plugin_;
  const Options& options_;
  std::string label_;
  std::map<std::string, std::string> written_;  // output written -> its input
};

}  // namespace

int main(int argc, char** argv) {
  Options options;
  bool help = false;
  std::string error;
  if (!parseArguments(argc, argv, options, help, error)) {
    std::fprintf(stderr, "tst2png: %s\n%s", error.c_str(), kUsage);
    return 2;
  }
  if (help) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (!options.output.empty() && options.inputs.size() > 1 && !options.info) {
    std::error_code ignored;
    if (!fs::is_directory(options.output, ignored)) {
      std::fprintf(stderr, "tst2png: %s: not a directory (-o with several inputs names one)\n",
                   options.output.c_str());
      return 2;
    }
  }

  const std::string pluginPath = options.plugin.empty() ? defaultPluginPath() : options.plugin;
  std::unique_ptr<host::Plugin> plugin = host::Plugin::load(pluginPath, error);
  if (!plugin) {
    std::fprintf(stderr, "tst2png: %s\n", error.c_str());
    return 1;
  }
  char label[64] = {};
  char extension[8] = {};
  int32_t flags = 0;
  if (plugin->api().getPluginInfo(kInterfaceVersion, label, sizeof label - 1, extension,
                                  sizeof extension, &flags) != 1) {
    std::fprintf(stderr, "tst2png: plug-in %s declines interface version %d\n", pluginPath.c_str(),
                 kInterfaceVersion);
    return 1;
  }

  Converter converter(*plugin, options, label);
  bool allConverted = true;
  for (const std::string& input : options.inputs)
    allConverted = converter.run(input) && allConverted;
  return allConverted ? 0 : 1;
}
