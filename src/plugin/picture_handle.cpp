#include "picture_handle.h"

#include <new>

namespace zor {

PictureHandle* newPictureHandle() {
  return new (std::nothrow) PictureHandle{};
}

}  // namespace zor
