#include "label_copy.h"

#include <cstring>

namespace zor {

void copyLabel(const char* label, char* out, uint32_t size) {
  if (size == 0) return;
  const std::size_t length = std::strlen(label);
  const std::size_t copied = length < size ? length : size;
  std::memcpy(out, label, copied);
  std::memset(out + copied, 0, size - copied);
}

bool labelBufferUsable(const char* out, int32_t size) {
  return size == 0 || (size > 0 && out != nullptr);
}

}  // namespace zor
