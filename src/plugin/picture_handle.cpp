#include "picture_handle.h"

#include <new>
#include <utility>

namespace zor {

PictureHandle* newPictureHandle(FileStream file) {
  PictureHandle* handle = new (std::nothrow) PictureHandle{};
  if (handle != nullptr) handle->file = std::move(file);
  return handle;
}

}  // namespace zor
