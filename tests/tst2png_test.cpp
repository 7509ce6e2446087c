// The converter as its users meet it: run as a program, its PNGs read back.
#include <gtest/gtest.h>
#include <png.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "loaded_plugin.h"
#include "tileset_files.h"

#ifndef TST2PNG_PATH
#error "TST2PNG_PATH names the converter under test"
#endif

namespace {

namespace fs = std::filesystem;
using fixture::Bytes;

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

std::string slurp(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class Tst2png : public testing::Test {
 protected:
  Outcome run(const std::string& arguments) {
    const std::string out = dir_.path("stdout.txt"), err = dir_.path("stderr.txt");
    const std::string command =
        std::string(TST2PNG_PATH) + " " + arguments + " >" + out + " 2>" + err;
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, slurp(out), slurp(err)};
  }
  std::string write(const std::string& name, const Bytes& bytes) { return dir_.write(name, bytes); }
  std::string path(const std::string& name) { return dir_.path(name); }
  // Files in the scratch directory other than the captured output.
  std::vector<std::string> files() {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir_.path(""))) {
      const std::string name = e.path().filename().string();
      if (name != "stdout.txt" && name != "stderr.txt") names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  fixture::ScratchDir dir_;
};

struct Decoded {
  uint32_t width = 0, height = 0;
  png_uint_32 format = 0;
  int bitDepth = 0, colourType = 0;
  std::vector<uint8_t> rgba;
};

Decoded readPng(const std::string& path) {
  Decoded d;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return d;
  d.width = image.width, d.height = image.height, d.format = image.format;
  image.format = PNG_FORMAT_RGBA;
  d.rgba.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, d.rgba.data(), 0, nullptr)) d.rgba.clear();
  // The stored header, not just what the simplified reader makes of it.
  std::ifstream in(path, std::ios::binary);
  char ihdr[29];
  in.read(ihdr, sizeof ihdr);
  d.bitDepth = static_cast<uint8_t>(ihdr[24]);
  d.colourType = static_cast<uint8_t>(ihdr[25]);
  return d;
}

// The lines the plug-in hands a host for `path`, one after another.
std::vector<uint8_t> pluginLines(const std::string& path) {
  fixture::OpenPicture picture(path);
  if (picture.describe() != 1) return {};
  std::vector<uint8_t> all, line;
  for (int y = 0; y < picture.info.height; ++y) {
    if (picture.fetch(y, line) != 1) return {};
    all.insert(all.end(), line.begin(), line.end());
  }
  return all;
}

TEST_F(Tst2png, WritesThePluginsLinesPixelForPixel) {
  struct Case {
    const char* name;
    Bytes file;
    uint32_t width, height;
  };
  Bytes cut = fixture::tileset(19, 1);
  cut.resize(cut.size() - 5000);
  const Case cases[] = {{"one.tst", fixture::tileset(1, 1), 32, 32},
                        {"nineteen.tst", fixture::tileset(19, 1), 288, 96},
                        {"small.tst", fixture::tileset(10, 2), 288, 32},
                        {"cut.tst", cut, 288, 96}};
  for (const Case& c : cases) {
    const std::string input = write(c.name, c.file);
    const Outcome r = run(input);
    ASSERT_EQ(r.status, 0) << c.name << ": " << r.err;
    const std::string output = fs::path(input).replace_extension(".png").string();
    EXPECT_NE(r.out.find(output), std::string::npos) << r.out;
    const Decoded png = readPng(output);
    EXPECT_EQ(png.width, c.width) << c.name;
    EXPECT_EQ(png.height, c.height) << c.name;
    EXPECT_EQ(png.bitDepth, 8) << c.name;
    EXPECT_EQ(png.colourType, PNG_COLOR_TYPE_RGB_ALPHA) << c.name;
    EXPECT_TRUE(png.rgba == pluginLines(input)) << c.name << " differs from the plug-in's lines";
  }
}

TEST_F(Tst2png, DashONamesTheFileOrTheDirectory) {
  const std::string a = write("a.tst", fixture::tileset(2, 1));
  const std::string b = write("b.tst", fixture::tileset(3, 2));
  ASSERT_EQ(run(a + " -o " + path("picture.png")).status, 0);
  EXPECT_EQ(readPng(path("picture.png")).width, 64u);
  fs::create_directory(path("pngs"));
  ASSERT_EQ(run("-o " + path("pngs") + " " + a + " " + b).status, 0);
  EXPECT_EQ(readPng(path("pngs/a.png")).width, 64u);
  EXPECT_EQ(readPng(path("pngs/b.png")).width, 48u);

  const Outcome notDirectory = run("-o " + path("picture.png") + " " + a + " " + b);
  EXPECT_EQ(notDirectory.status, 2);
  EXPECT_NE(notDirectory.err.find("not a directory"), std::string::npos) << notDirectory.err;
}

TEST_F(Tst2png, ReportsEachFailingInputAndConvertsTheRest) {
  const std::string good1 = write("good1.tst", fixture::tileset(1, 1));
  const std::string bad = write("bad.tst", fixture::header(19, 1, 1));
  const std::string good2 = write("good2.tst", fixture::tileset(1, 2));
  const std::string missing = path("missing.tst");
  const Outcome r = run(good1 + " " + bad + " " + missing + " " + good2);
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find(bad + ": not a tileset this plug-in reads"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find(missing + ": cannot be opened"), std::string::npos) << r.err;
  EXPECT_EQ(files(), (std::vector<std::string>{"bad.tst", "good1.png", "good1.tst", "good2.png",
                                               "good2.tst"}));
}

TEST_F(Tst2png, NeverOverwritesAnInputOrAnEarlierOutput) {
  const Bytes tileset = fixture::tileset(1, 1);
  const std::string input = write("t.tst", tileset);
  const Outcome self = run(input + " -o " + input);
  EXPECT_EQ(self.status, 1);
  EXPECT_NE(self.err.find("is the input itself"), std::string::npos) << self.err;
  EXPECT_EQ(fixture::readFile(input), tileset);

  fs::create_directory(path("a"));
  fs::create_directory(path("b"));
  fs::create_directory(path("out"));
  const std::string first = write("a/x.tst", fixture::tileset(1, 1));
  const std::string second = write("b/x.tst", fixture::tileset(2, 2));
  const Outcome both = run("-o " + path("out") + " " + first + " " + second);
  EXPECT_EQ(both.status, 1);
  EXPECT_NE(both.err.find(second + ": the output " + path("out/x.png") +
                          " was already written for " + first),
            std::string::npos)
      << both.err;
  EXPECT_EQ(readPng(path("out/x.png")).width, 32u) << "the first input's picture stays";
}

TEST_F(Tst2png, LeavesNothingBehindWhenTheOutputCannotBeWritten) {
  const std::string input = write("t.tst", fixture::tileset(1, 1));
  const Outcome r = run(input + " -o " + path("absent/dir/t.png"));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("cannot write " + path("absent/dir/t.png")), std::string::npos) << r.err;
  EXPECT_EQ(files(), (std::vector<std::string>{"t.tst"}));
}

TEST_F(Tst2png, InfoDescribesAndConvertsNothing) {
  const std::string input = write("t.tst", fixture::tileset(19, 2));
  const Outcome r = run("--info " + input);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, input +
                       "\n  format: Brackenfold Tileset\n  width: 288\n  height: 48\n"
                       "  bits per pixel: 32\n  bytes per line: 1152\n  tiles: 19\n");
  EXPECT_EQ(files(), (std::vector<std::string>{"t.tst"}));
}

TEST_F(Tst2png, UsageForHelpAndWrongArguments) {
  const Outcome help = run("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("usage: tst2png", 0), 0u) << help.out;
  for (const char* wrong : {"--bogus x.tst", "", "-o", "--plugin"}) {
    const Outcome r = run(wrong);
    EXPECT_EQ(r.status, 2) << wrong;
    EXPECT_NE(r.err.find("usage: tst2png"), std::string::npos) << wrong;
  }
}

struct PluginFailure {
  const char* plugin;
  const char* message;
};

TEST_F(Tst2png, NamesThePluginFault) {
  const std::string input = write("t.tst", fixture::tileset(1, 1));
  const PluginFailure cases[] = {
      {FAKE_REFUSES_LINE_PATH, ": the plug-in refused line 5"},
      {FAKE_DECLINES_VERSION_PATH, " declines interface version 2"},
      {FAKE_MISSING_SYMBOL_PATH, " has no entry point zorSavePictureExit"},
      {"/nonexistent/plugin.so", "cannot load plug-in /nonexistent/plugin.so"},
  };
  for (const PluginFailure& c : cases) {
    const Outcome r = run(std::string("--plugin ") + c.plugin + " " + input);
    EXPECT_EQ(r.status, 1) << c.plugin;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_EQ(files(), (std::vector<std::string>{"t.tst"})) << c.plugin;
  }
}

}  // namespace
