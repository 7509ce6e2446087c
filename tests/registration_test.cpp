// Registration as the host performs it through zorGetPluginInfo.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "loaded_plugin.h"

namespace {

using fixture::plugin;

struct Registration {
  int32_t result;
  std::string label;  // every byte of the buffer, sentinels included
  std::string extension;
  int32_t flags;
};

Registration registerWith(int32_t version, int32_t labelMaxSize, int32_t extensionMaxSize = 4) {
  char label[40];
  char extension[8];
  std::memset(label, '#', sizeof label);
  std::memset(extension, '#', sizeof extension);
  int32_t flags = -7;
  const int32_t result =
      plugin().getPluginInfo(version, label, labelMaxSize, extension, extensionMaxSize, &flags);
  return {result, std::string(label, sizeof label), std::string(extension, sizeof extension),
          flags};
}

TEST(Registration, AcceptsVersionTwo) {
  const Registration r = registerWith(2, 32);
  EXPECT_EQ(r.result, 1);
  EXPECT_EQ(r.label.substr(0, 32), std::string("Brackenfold Tileset") + std::string(13, '\0'));
  EXPECT_EQ(r.label.substr(32), std::string(8, '#')) << "wrote past labelMaxSize";
  EXPECT_EQ(r.extension, std::string("tst\0####", 8));
  EXPECT_EQ(r.flags, 1);
}

TEST(Registration, RefusesOtherVersionsTouchingNothing) {
  for (int32_t version : {0, 1, 3, -2, 20}) {
    const Registration r = registerWith(version, 32);
    EXPECT_EQ(r.result, 0) << "version " << version;
    EXPECT_EQ(r.label, std::string(40, '#'));
    EXPECT_EQ(r.extension, std::string(8, '#'));
    EXPECT_EQ(r.flags, -7);
  }
}

TEST(Registration, CopiesExactlyLabelMaxSizeBytes) {
  struct Case {
    int32_t size;
    std::string written;
  };
  const Case cases[] = {
      {32, std::string("Brackenfold Tileset") + std::string(13, '\0')},
      {20, std::string("Brackenfold Tileset", 20)},  // just room for the terminator
      {19, "Brackenfold Tileset"},                   // filled: no terminator
      {5, "Brack"},
      {1, "B"},
      {0, ""},
  };
  for (const Case& c : cases) {
    const Registration r = registerWith(2, c.size);
    EXPECT_EQ(r.result, 1) << c.size;
    EXPECT_EQ(r.label, c.written + std::string(40 - c.written.size(), '#')) << c.size;
  }
}

TEST(Registration, WritesTheExtensionWhateverItsStatedSize) {
  for (int32_t extensionMaxSize : {0, 2, 4, -1}) {
    const Registration r = registerWith(2, 32, extensionMaxSize);
    EXPECT_EQ(r.result, 1);
    EXPECT_EQ(r.extension, std::string("tst\0####", 8)) << extensionMaxSize;
  }
}

TEST(Registration, RepeatedCallsAgree) {
  const Registration first = registerWith(2, 24);
  for (int i = 0; i < 3; ++i) {
    const Registration again = registerWith(2, 24);
    EXPECT_EQ(again.result, first.result);
    EXPECT_EQ(again.label, first.label);
    EXPECT_EQ(again.extension, first.extension);
    EXPECT_EQ(again.flags, first.flags);
  }
}

TEST(Registration, RefusesUnusableOutputsTouchingNothing) {
  // A negative size read as unsigned would be a four-gigabyte copy.
  Registration r = registerWith(2, -1);
  EXPECT_EQ(r.result, 0);
  EXPECT_EQ(r.label, std::string(40, '#'));
  EXPECT_EQ(r.flags, -7);

  char label[32];
  char extension[4];
  int32_t flags = -7;
  EXPECT_EQ(plugin().getPluginInfo(2, nullptr, 32, extension, 4, &flags), 0);
  EXPECT_EQ(plugin().getPluginInfo(2, label, 32, nullptr, 4, &flags), 0);
  EXPECT_EQ(plugin().getPluginInfo(2, label, 32, extension, 4, nullptr), 0);
  EXPECT_EQ(flags, -7);
  // No label buffer is needed when no label byte is asked for.
  EXPECT_EQ(plugin().getPluginInfo(2, nullptr, 0, extension, 4, &flags), 1);
}

}  // namespace
