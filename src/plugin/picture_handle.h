// The per-file record behind the opaque PictureHandle of the host interface.
#pragma once

#include <cstdint>
#include <memory>

#include "brackenfold_tst.h"
#include "file_stream.h"
#include "strip_decoder.h"

struct PictureHandle {
  zor::FileStream file;  // the file being read or written
  int32_t width = 0;     // picture width in pixels
  // One block, reader only: the raw bytes of one strip (one picture row of
  // tiles) as read from the file, then the same strip decoded into
  // tileSize picture lines of width four-byte pixels.
  std::unique_ptr<uint8_t[]> strip;
  uint8_t* decoded = nullptr;  // the decoded lines, inside `strip`
  int64_t stripBytes = 0;      // raw length of one strip; 0 until described
  int64_t stripOffset = -1;    // file offset of the strip in `strip`; -1 when none
  int64_t fileSize = 0;        // length of the file as measured when described
  int32_t tileSize = 0;        // 32 or 16; 0 until a tile type has selected one
  // Chosen when the handle is described, so the processor is asked once.
  tst::DecodePath decodePath = tst::DecodePath::kPortable;

  bool described() const { return strip != nullptr && tileSize > 0; }
};

namespace zor {

// A fresh record with every field zero, no stream and no strip held; null
// when memory runs out. Deleting it closes its stream and releases its strip
// buffer.
PictureHandle* newPictureHandle();

}  // namespace zor
