#include "strip_decoder.h"

#include <cstring>

#include "line_decoder.h"

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#include <immintrin.h>
#define TST_HAVE_SSSE3_PATH 1
#endif

namespace tst {
namespace {

void decodeStripScalar(const uint8_t* strip, int32_t width, int32_t tileSize, uint8_t* out) {
  const std::size_t lineBytes = 4 * static_cast<std::size_t>(width);
  for (int32_t row = 0; row < tileSize; ++row)
    decodeLine(strip, width, tileSize, row, out + row * lineBytes);
}

#if defined(TST_HAVE_SSSE3_PATH)
// Four pixels of three bytes at `src`, widened to 32 bits with a zero fourth
// byte. Loads 16 bytes for the 12 it uses.
__attribute__((target("ssse3"))) inline __m128i fourPixels(const uint8_t* src, __m128i widen) {
  return _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(src)), widen);
}

// Works on blocks of 4 x 4 pixels: four tile columns of four rows each are
// 12 contiguous bytes apiece in the file. Each is widened to four 32-bit
// pixels with one byte shuffle, the block is transposed into four picture
// rows, and alpha is set with a compare, all with no branch.
__attribute__((target("ssse3"))) void decodeStripSsse3(const uint8_t* strip, int32_t width,
                                                       int32_t tileSize, uint8_t* out) {
  const __m128i widen = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
  const __m128i key =
      _mm_set1_epi32(transparentKey[0] | transparentKey[1] << 8 | transparentKey[2] << 16);
  const __m128i opaque = _mm_set1_epi32(static_cast<int>(0xFF000000u));
  const std::size_t size = static_cast<std::size_t>(tileSize);
  const std::size_t columnBytes = 3 * size;
  const std::size_t lineBytes = 4 * static_cast<std::size_t>(width);
  const std::size_t columns = static_cast<std::size_t>(width);

  for (std::size_t x = 0; x < columns; x += 4) {
    // Picture columns x to x + 3 are consecutive columns of one tile, which
    // follow one another in the strip.
    const uint8_t* column = strip + x * columnBytes;
    for (std::size_t y = 0; y < size; y += 4) {
      const uint8_t* src = column + 3 * y;
      const __m128i c0 = fourPixels(src, widen);
      const __m128i c1 = fourPixels(src + columnBytes, widen);
      const __m128i c2 = fourPixels(src + 2 * columnBytes, widen);
      const __m128i c3 = fourPixels(src + 3 * columnBytes, widen);
      // Transpose: columns of four rows become rows of four columns.
      const __m128i t0 = _mm_unpacklo_epi32(c0, c1), t1 = _mm_unpackhi_epi32(c0, c1);
      const __m128i t2 = _mm_unpacklo_epi32(c2, c3), t3 = _mm_unpackhi_epi32(c2, c3);
      const __m128i rows[4] = {_mm_unpacklo_epi64(t0, t2), _mm_unpackhi_epi64(t0, t2),
                               _mm_unpacklo_epi64(t1, t3), _mm_unpackhi_epi64(t1, t3)};
      uint8_t* dst = out + y * lineBytes + 4 * x;
      for (int r = 0; r < 4; ++r) {
        const __m128i isKey = _mm_cmpeq_epi32(rows[r], key);
        const __m128i pixels = _mm_or_si128(rows[r], _mm_andnot_si128(isKey, opaque));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + r * lineBytes), pixels);
      }
    }
  }
}
#endif

}  // namespace

DecodePath fastestDecodePath() {
#if defined(TST_HAVE_SSSE3_PATH)
  unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
  if (__get_cpuid(1, &eax, &ebx, &ecx, &edx) != 0 && (ecx & bit_SSSE3) != 0) {
    return DecodePath::kSsse3;
  }
#endif
  return DecodePath::kPortable;
}

void decodeStrip(DecodePath path, const uint8_t* strip, int32_t width, int32_t tileSize,
                 uint8_t* out) {
#if defined(TST_HAVE_SSSE3_PATH)
  if (path == DecodePath::kSsse3 && tileSize % 4 == 0) {
    decodeStripSsse3(strip, width, tileSize, out);
    return;
  }
#else
  (void)path;
#endif
  decodeStripScalar(strip, width, tileSize, out);
}

void fillDecodedWithKey(uint8_t* out, std::size_t pixels) {
  const uint8_t keyPixel[4] = {transparentKey[0], transparentKey[1], transparentKey[2], 0};
  for (std::size_t i = 0; i < pixels; ++i) std::memcpy(out + 4 * i, keyPixel, 4);
}

}  // namespace tst
