// Handles share nothing: many decode at once on several threads.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <thread>

#include "loaded_plugin.h"
#include "tileset_files.h"

namespace {

using fixture::Bytes;

TEST(Concurrency, HandlesOnSeveralThreadsDecodeIndependently) {
  constexpr int kThreads = 6;
  constexpr int kHandlesPerThread = 4;
  fixture::ScratchDir dir;
  std::vector<Bytes> files;
  std::vector<std::string> paths;
  for (int i = 0; i < kThreads; ++i) {
    const int16_t type = static_cast<int16_t>(1 + i % 6);
    Bytes file = fixture::tileset(static_cast<int16_t>(5 + 7 * i), type, -1, i);
    file.resize(file.size() - 1000 * static_cast<std::size_t>(i));  // some end early
    paths.push_back(dir.write("c" + std::to_string(i) + ".tst", file));
    files.push_back(std::move(file));
  }

  std::atomic<int> mismatches{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      // Each thread interleaves its own handles on several files, among them
      // files other threads are reading too.
      std::vector<std::unique_ptr<fixture::OpenPicture>> mine;
      std::vector<int> which;
      for (int h = 0; h < kHandlesPerThread; ++h) {
        which.push_back((t + h) % kThreads);
        mine.push_back(std::make_unique<fixture::OpenPicture>(paths[which.back()]));
        if (mine.back()->describe() != 1) ++mismatches;
      }
      std::vector<uint8_t> line;
      for (int y = 0; y < 96; ++y) {
        for (int h = 0; h < kHandlesPerThread; ++h) {
          const fixture::OpenPicture& p = *mine[h];
          const int16_t type = static_cast<int16_t>(1 + which[h] % 6);
          if (p.fetch(y, line) != 1) ++mismatches;
          for (int x = 0; x < p.info.width; ++x) {
            const fixture::Pixel want = fixture::expectedPixel(files[which[h]], p.info.width,
                                                               fixture::tileSizeOf(type), x, y);
            if (std::memcmp(&line[4 * x], want.data(), 4) != 0) ++mismatches;
          }
        }
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(mismatches.load(), 0);
}

}  // namespace
