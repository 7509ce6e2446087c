// The strip buffer: one picture row of tiles, read from the file in one piece.
#pragma once

#include <cstdint>
#include <memory>

struct PictureHandle;

namespace zor {

// A buffer for a strip of `stripBytes` bytes; null when memory runs out.
std::unique_ptr<uint8_t[]> allocateStrip(int64_t stripBytes);

// Makes sure the strip starting at file offset `offset` is in the handle's
// buffer, reading it unless it is the strip already held. Bytes past the end
// of the file (as measured when the handle was described) become the key
// colour. False, with no strip held, when the file yields fewer bytes than it
// held for the strip when it was measured.
bool holdStrip(PictureHandle& handle, int64_t offset);

}  // namespace zor
