// How fast a host gets a tileset's lines, against the floor (reading the file
// in strip-sized chunks and copying each line's bytes out) and against a
// peer decoder (stb_image loading the same picture from an uncompressed PPM).
#include <benchmark/benchmark.h>
#include <stb_image.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "plugin_host.h"

namespace {

namespace fs = std::filesystem;

constexpr int16_t kLargestTileCount = 32767;

// The benchmark's inputs, made once in a temporary directory.
struct Inputs {
  std::unique_ptr<host::Plugin> plugin;
  fs::path dir;
  std::string tileset32, tileset16, ppm32;

  Inputs() {
    std::string error;
    plugin = host::Plugin::load(BRACKENFOLD_PLUGIN_PATH, error);
    if (!plugin) throw std::runtime_error(error);
    dir = fs::temp_directory_path() / ("tst-bench-" + std::to_string(std::random_device{}()));
    fs::create_directories(dir);
    tileset32 = writeTileset("largest-32.tst", 1);
    tileset16 = writeTileset("largest-16.tst", 2);
    ppm32 = writePpm("largest-32.ppm", tileset32);
  }
  ~Inputs() {
    std::error_code ignored;
    fs::remove_all(dir, ignored);
  }

  std::string writeTileset(const std::string& name, int16_t type) const {
    const std::size_t edge = type == 1 ? 32 : 16;
    std::vector<uint8_t> bytes = {20, 0, 0xFF, 0x7F, static_cast<uint8_t>(type), 0};
    bytes.resize(6 + 3 * edge * edge * kLargestTileCount);
    std::mt19937 random(42);
    for (std::size_t i = 6; i < bytes.size(); i += 3) {
      const bool key = random() % 8 == 0;  // an eighth of the pixels transparent
      const uint32_t colour = random();
      bytes[i] = key ? 0 : static_cast<uint8_t>(colour);
      bytes[i + 1] = key ? 1 : static_cast<uint8_t>(colour >> 8);
      bytes[i + 2] = key ? 2 : static_cast<uint8_t>(colour >> 16);
    }
    const std::string path = (dir / name).string();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path;
  }

  // The same picture as the plug-in delivers it, colour bytes only, as PPM.
  std::string writePpm(const std::string& name, const std::string& tileset) const {
    const host::EntryPoints& api = plugin->api();
    PictureHandle* handle = api.loadInit(tileset.c_str());
    int32_t type, width, height, dpi, bpp, bpl, cmap;
    api.loadGetInfo(handle, &type, &width, &height, &dpi, &bpp, &bpl, &cmap, nullptr, 0);
    const std::string path = (dir / name).string();
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << width << " " << height << "\n255\n";
    std::vector<uint8_t> line(static_cast<std::size_t>(bpl)),
        rgb(3 * static_cast<std::size_t>(width));
    for (int32_t y = 0; y < height; ++y) {
      api.loadGetLine(handle, y, line.data());
      for (int32_t x = 0; x < width; ++x) std::memcpy(&rgb[3 * x], &line[4 * x], 3);
      out.write(reinterpret_cast<const char*>(rgb.data()),
                static_cast<std::streamsize>(rgb.size()));
    }
    api.loadExit(handle);
    return path;
  }
};

const Inputs& inputs() {
  static const Inputs made;
  return made;
}

const std::string& tilesetFor(const benchmark::State& state) {
  return state.range(0) == 32 ? inputs().tileset32 : inputs().tileset16;
}

// A host's full decode: Init, GetInfo, every line in ascending order, Exit.
void BM_Decode(benchmark::State& state) {
  const host::EntryPoints& api = inputs().plugin->api();
  const std::string& path = tilesetFor(state);
  std::vector<uint8_t> line(4 * 288);
  int64_t pixels = 0;
  for (auto _ : state) {
    PictureHandle* handle = api.loadInit(path.c_str());
    int32_t type, width, height, dpi, bpp, bpl, cmap;
    if (handle == nullptr ||
        api.loadGetInfo(handle, &type, &width, &height, &dpi, &bpp, &bpl, &cmap, nullptr, 0) != 1) {
      state.SkipWithError("the plug-in cannot read the benchmark's tileset");
      break;
    }
    for (int32_t y = 0; y < height; ++y) {
      api.loadGetLine(handle, y, line.data());
      benchmark::DoNotOptimize(line.data());
    }
    benchmark::ClobberMemory();
    api.loadExit(handle);
    pixels += static_cast<int64_t>(width) * height;
  }
  state.SetItemsProcessed(pixels);
}

// The floor: the file read once in strip-sized chunks, and each output
// line's width x 4 bytes copied out of its chunk.
void BM_Floor(benchmark::State& state) {
  const std::string& path = tilesetFor(state);
  const std::size_t edge = static_cast<std::size_t>(state.range(0)), width = 288;
  const std::size_t chunkBytes = width * edge * 3;
  std::vector<uint8_t> chunk(chunkBytes + 4 * width), line(4 * width);
  const std::size_t height = (kLargestTileCount + 8) / 9 * edge;
  int64_t pixels = 0;
  for (auto _ : state) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    std::setvbuf(file, nullptr, _IONBF, 0);
    for (std::size_t strip = 0; strip * edge < height; ++strip) {
      std::fseek(file, static_cast<long>(6 + strip * chunkBytes), SEEK_SET);
      benchmark::DoNotOptimize(std::fread(chunk.data(), 1, chunkBytes, file));
      for (std::size_t r = 0; r < edge; ++r) {
        std::memcpy(line.data(), chunk.data() + r * width * 3, 4 * width);
        benchmark::DoNotOptimize(line.data());
      }
    }
    benchmark::ClobberMemory();
    std::fclose(file);
    pixels += static_cast<int64_t>(width * height);
  }
  state.SetItemsProcessed(pixels);
}

// The peer: stb_image loading the same picture from PPM into RGBA.
void BM_PeerStbImage(benchmark::State& state) {
  int64_t pixels = 0;
  for (auto _ : state) {
    int width = 0, height = 0, channels = 0;
    stbi_uc* rgba = stbi_load(inputs().ppm32.c_str(), &width, &height, &channels, 4);
    if (rgba == nullptr) {
      state.SkipWithError("stb_image cannot read the PPM");
      break;
    }
    benchmark::DoNotOptimize(rgba);
    stbi_image_free(rgba);
    pixels += static_cast<int64_t>(width) * height;
  }
  state.SetItemsProcessed(pixels);
}

BENCHMARK(BM_Decode)->Arg(32)->Arg(16)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Floor)->Arg(32)->Arg(16)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PeerStbImage)->Unit(benchmark::kMillisecond)->UseRealTime();

// Keeps each benchmark's median time, then prints the ratios asked about.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  RatioReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_Defaults : OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration && medians_.count(run.benchmark_name()) == 0) {
        singles_[run.benchmark_name()] = run.GetAdjustedRealTime();
      }
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
        medians_[run.run_name.str()] = run.GetAdjustedRealTime();
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }

  void printRatios() const {
    const auto time = [&](const std::string& name) {
      const auto median = medians_.find(name);
      if (median != medians_.end()) return median->second;
      const auto single = singles_.find(name);
      return single != singles_.end() ? single->second : 0.0;
    };
    std::printf("\nRatios (median wall time; the peer decodes the 32-pixel picture):\n");
    for (const char* edge : {"32", "16"}) {
      const double decode = time(std::string("BM_Decode/") + edge + "/real_time");
      const double floor = time(std::string("BM_Floor/") + edge + "/real_time");
      if (decode > 0 && floor > 0)
        std::printf("  %s-pixel tiles: decode/floor = %.2f\n", edge, decode / floor);
    }
    const double decode = time("BM_Decode/32/real_time");
    const double peer = time("BM_PeerStbImage/real_time");
    if (decode > 0 && peer > 0) std::printf("  peer/decode = %.2f\n", peer / decode);
  }

 private:
  std::map<std::string, double> medians_, singles_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  inputs();  // made before any timing starts
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.printRatios();
  benchmark::Shutdown();
  return 0;
}
