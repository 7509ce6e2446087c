// The bounded label copy used wherever a label is handed to the host.
#pragma once

#include <cstdint>

namespace zor {

// Writes exactly `size` bytes to `out`: the label's characters, then zero
// bytes. A label of `size` characters or more is cut and left unterminated,
// as the host interface expects.
void copyLabel(const char* label, char* out, uint32_t size);

// Whether a host's label buffer and size can take a copy: a negative size is
// refused (read as unsigned it would be about four billion bytes), and a
// missing buffer is acceptable only for a size of 0.
bool labelBufferUsable(const char* out, int32_t size);

}  // namespace zor
