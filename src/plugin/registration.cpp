// Registration: the host learns the format label, extension and support flags.
#include "brackenfold_tst.h"
#include "label_copy.h"
#include "plugin_constants.h"

extern "C" int32_t zorGetPluginInfo(int32_t version, char* label, int32_t labelMaxSize,
                                    char* extension, int32_t /*extensionMaxSize*/,
                                    int32_t* supportFlags) noexcept {
  if (version != zor::kInterfaceVersion) return 0;
  if (!zor::labelBufferUsable(label, labelMaxSize) || extension == nullptr ||
      supportFlags == nullptr) {
    return 0;
  }
  zor::copyLabel(zor::kFormatLabel, label, static_cast<uint32_t>(labelMaxSize));
  // The host guarantees room for the four extension bytes, whatever size it
  // passes alongside.
  for (int i = 0; i < 4; ++i) extension[i] = zor::kExtension[i];
  *supportFlags = zor::kSupportFlags;
  return 1;
}
