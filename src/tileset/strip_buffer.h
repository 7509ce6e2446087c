// The strip buffer: one picture row of tiles, read from the file in one piece.
#pragma once

#include <cstdint>

#include "picture_geometry.h"

struct PictureHandle;

namespace zor {

// Puts a handle back in its just-opened state: no geometry, no strip buffer.
void releaseStrip(PictureHandle& handle);

// Describes a handle with a picture's geometry and gives it the strip buffer
// for it, holding no strip yet; false, leaving it undescribed, when memory
// runs out.
bool allocateStrip(PictureHandle& handle, const tst::PictureGeometry& geometry);

// Makes sure the strip starting at file offset `offset` is in the handle's
// buffer, read and decoded, unless it is the strip already held. Bytes past
// the end of the file (as measured when the handle was described) become the
// key colour. False, with no strip held, when the file yields fewer bytes
// than it held for the strip when it was measured.
bool holdStrip(PictureHandle& handle, int64_t offset);

}  // namespace zor
