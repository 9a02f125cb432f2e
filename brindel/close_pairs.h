// Which candidate neighbours of one centre lie within DCUT of each other, as a bit matrix: the pairs of
// the close-neighbour lists, tested in constant time by the vertex search.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <vector>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

#include "brindel/tessellation_limits.h"

namespace mirelda::tessellation {

class ClosePairs {
 public:
  static constexpr int Words = (NeighbourLimit + 63) / 64;

  ClosePairs() : rows_(NeighbourLimit) {}

  // Coordinates are read in chunks of this many entries: callers pad their columns to whole chunks.
  static constexpr int Chunk = 16;
  static constexpr int PaddedLimit = (NeighbourLimit + Chunk - 1) / Chunk * Chunk;

  // Every row from the offsets of `count` entries (columns of PaddedLimit, the padding NaN so that it is
  // never close): l is close to k (k != l) when (x_l - x_k)^2 + (y_l - y_k)^2 + (z_l - z_k)^2 <= dcut2, the
  // expression of a one-by-one search, which rounds alike both ways round and so keeps the matrix
  // symmetric.
  // The wider registers are used where the processor has them, unless `narrow` asks for the portable way
  // (the same matrix).
  void Fill(const double* xs, const double* ys, const double* zs, int count, double dcut2,
            bool narrow = false) {
    const int padded = (count + Chunk - 1) / Chunk * Chunk;
    words_ = (count + 63) / 64;
#if defined(__x86_64__) && defined(__GNUC__)
    static const bool wide = __builtin_cpu_supports("avx");
    if (wide && !narrow) {
      FillEightAtATime(xs, ys, zs, count, padded, dcut2);
      return;
    }
#endif
#if defined(__SSE2__)
    // Two entries at a time, the comparisons packed straight into bits (the padding never passes).
    const __m128d limit = _mm_set1_pd(dcut2);
    FillRows<2>(count, padded, [&](int k, int l) {
      const __m128d dx = _mm_sub_pd(_mm_loadu_pd(xs + l), _mm_set1_pd(xs[k]));
      const __m128d dy = _mm_sub_pd(_mm_loadu_pd(ys + l), _mm_set1_pd(ys[k]));
      const __m128d dz = _mm_sub_pd(_mm_loadu_pd(zs + l), _mm_set1_pd(zs[k]));
      const __m128d d2 = _mm_add_pd(_mm_add_pd(_mm_mul_pd(dx, dx), _mm_mul_pd(dy, dy)), _mm_mul_pd(dz, dz));
      return static_cast<std::uint64_t>(_mm_movemask_pd(_mm_cmple_pd(d2, limit)));
    });
#else
    FillRows<1>(count, padded, [&](int k, int l) {
      const double dx = xs[l] - xs[k], dy = ys[l] - ys[k], dz = zs[l] - zs[k];
      return std::uint64_t{dx * dx + dy * dy + dz * dz <= dcut2};
    });
#endif
  }

  // Every row k from bits(k, l), the bits of Step entries from l: each word is gathered in a register and
  // stored once, and k is never close to itself.
  template <int Step, typename Bits>
  __attribute__((always_inline)) void FillRows(int count, int padded, Bits bits) {
    for (int k = 0; k < count; ++k) {
      std::array<std::uint64_t, Words>& row = rows_[k];
      row.fill(0);
      for (int first = 0; first < padded; first += 64) {
        const int end = std::min(padded, first + 64);
        std::uint64_t word = 0;
        for (int l = first; l < end; l += Step) word |= bits(k, l) << (l - first);
        row[first >> 6] = word;
      }
      row[k >> 6] &= ~(std::uint64_t{1} << (k & 63));
    }
  }

#if defined(__x86_64__) && defined(__GNUC__)
  // Eight entries at a time in single precision, where the processor has the wider registers: a distance
  // that single precision cannot place surely on one side of DCUT (within `band` of it; coordinates
  // rounded to single precision move a squared distance by under 2e-6 of the largest squared distance
  // from the centre, four times that of any two points) sends its eight entries to the double-precision
  // expression, which decides.
  __attribute__((target("avx"))) void FillEightAtATime(const double* xs, const double* ys, const double* zs,
                                                       int count, int padded, double dcut2) {
    double reach2 = 0;
    for (int k = 0; k < count; ++k) reach2 = std::max(reach2, xs[k] * xs[k] + ys[k] * ys[k] + zs[k] * zs[k]);
    const double band = 4e-5 * reach2 + 1e-6 * dcut2;
    if (!(dcut2 + band < 1e30)) {
      FillFourAtATime(xs, ys, zs, count, padded, dcut2);
      return;
    }
    for (int l = 0; l < padded; ++l) {
      xf_[l] = static_cast<float>(xs[l]);
      yf_[l] = static_cast<float>(ys[l]);
      zf_[l] = static_cast<float>(zs[l]);
    }
    const __m256 surelyIn = _mm256_set1_ps(static_cast<float>(dcut2 - band));
    const __m256 surelyOut = _mm256_set1_ps(static_cast<float>(dcut2 + band));
    const __m256d limit = _mm256_set1_pd(dcut2);
    FillRows<8>(
        count, padded, [&](int k, int l) __attribute__((target("avx"))) {
          const __m256 dx = _mm256_sub_ps(_mm256_loadu_ps(xf_.data() + l), _mm256_set1_ps(xf_[k]));
          const __m256 dy = _mm256_sub_ps(_mm256_loadu_ps(yf_.data() + l), _mm256_set1_ps(yf_[k]));
          const __m256 dz = _mm256_sub_ps(_mm256_loadu_ps(zf_.data() + l), _mm256_set1_ps(zf_[k]));
          const __m256 d2 = _mm256_add_ps(_mm256_add_ps(_mm256_mul_ps(dx, dx), _mm256_mul_ps(dy, dy)),
                                          _mm256_mul_ps(dz, dz));
          const int unsure = _mm256_movemask_ps(_mm256_and_ps(_mm256_cmp_ps(d2, surelyIn, _CMP_GT_OQ),
                                                              _mm256_cmp_ps(d2, surelyOut, _CMP_LT_OQ)));
          if (unsure != 0) return ExactEight(xs, ys, zs, k, l, limit);
          return static_cast<std::uint64_t>(_mm256_movemask_ps(_mm256_cmp_ps(d2, surelyIn, _CMP_LE_OQ)));
        });
  }

  // The bits of entries l .. l + 7 against entry k, in double precision.
  __attribute__((target("avx"))) static std::uint64_t ExactEight(const double* xs, const double* ys,
                                                                 const double* zs, int k, int l,
                                                                 __m256d limit) {
    const __m256d cx = _mm256_set1_pd(xs[k]), cy = _mm256_set1_pd(ys[k]), cz = _mm256_set1_pd(zs[k]);
    return ExactFour(xs, ys, zs, l, cx, cy, cz, limit) | ExactFour(xs, ys, zs, l + 4, cx, cy, cz, limit) << 4;
  }

  // The bits of entries l .. l + 3 against the point (cx, cy, cz), in double precision: the expression of
  // a one-by-one search.
  __attribute__((target("avx"))) static std::uint64_t ExactFour(const double* xs, const double* ys,
                                                                const double* zs, int l, __m256d cx,
                                                                __m256d cy, __m256d cz, __m256d limit) {
    const __m256d dx = _mm256_sub_pd(_mm256_loadu_pd(xs + l), cx);
    const __m256d dy = _mm256_sub_pd(_mm256_loadu_pd(ys + l), cy);
    const __m256d dz = _mm256_sub_pd(_mm256_loadu_pd(zs + l), cz);
    const __m256d d2 =
        _mm256_add_pd(_mm256_add_pd(_mm256_mul_pd(dx, dx), _mm256_mul_pd(dy, dy)), _mm256_mul_pd(dz, dz));
    return static_cast<std::uint64_t>(_mm256_movemask_pd(_mm256_cmp_pd(d2, limit, _CMP_LE_OQ)));
  }

  // The same expression four entries at a time in double precision.
  __attribute__((target("avx"))) void FillFourAtATime(const double* xs, const double* ys, const double* zs,
                                                      int count, int padded, double dcut2) {
    const __m256d limit = _mm256_set1_pd(dcut2);
    FillRows<4>(
        count, padded, [&](int k, int l) __attribute__((target("avx"))) {
          return ExactFour(xs, ys, zs, l, _mm256_set1_pd(xs[k]), _mm256_set1_pd(ys[k]), _mm256_set1_pd(zs[k]),
                           limit);
        });
  }
#endif

  // How many entries after k are close to k.
  int CountAfter(int k) const { return CountFrom(k, k + 1); }
  bool Test(int k, int l) const { return (rows_[k][l >> 6] >> (l & 63)) & 1; }
  // Writes every l >= first close to k to `out`, increasing, and returns their count; `out` must have room
  // for IndexSlack entries more than that.
  static constexpr int IndexSlack = 16;
  int IndicesFrom(int k, int first, int* out) const {
#if defined(__x86_64__) && defined(__GNUC__)
    // Sixteen bits at a time where the processor can pack the entries of a mask (one bit at a time is a
    // chain of dependent steps).
    static const bool packs = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("popcnt");
    if (packs) return IndicesPacked(k, first, out);
#endif
    int count = 0;
    for (int w = first >> 6; w < words_; ++w) {
      for (std::uint64_t bits = WordFrom(k, w, first); bits != 0; bits &= bits - 1)
        out[count++] = w * 64 + std::countr_zero(bits);
    }
    return count;
  }

 private:
  // Word w of row k without the bits of the entries before `first`.
  std::uint64_t WordFrom(int k, int w, int first) const {
    const std::uint64_t word = rows_[k][w];
    const int bit = first - w * 64;
    return bit <= 0 ? word : bit >= 64 ? 0 : word & (~std::uint64_t{0} << bit);
  }
  int CountFrom(int k, int first) const {
#if defined(__x86_64__) && defined(__GNUC__)
    // The processor's own instruction where it has one, rather than a library call per word.
    static const bool counts = __builtin_cpu_supports("popcnt");
    if (counts) return CountWithInstruction(k, first);
#endif
    int count = 0;
    for (int w = first >> 6; w < words_; ++w) count += std::popcount(WordFrom(k, w, first));
    return count;
  }
#if defined(__x86_64__) && defined(__GNUC__)
  __attribute__((target("popcnt"))) int CountWithInstruction(int k, int first) const {
    int count = 0;
    for (int w = first >> 6; w < words_; ++w) count += __builtin_popcountll(WordFrom(k, w, first));
    return count;
  }
#endif

#if defined(__x86_64__) && defined(__GNUC__)
  __attribute__((target("avx512f,popcnt"))) int IndicesPacked(int k, int first, int* out) const {
    int count = 0;
    const int from = first >> 6;
    __m512i index = _mm512_add_epi32(_mm512_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15),
                                     _mm512_set1_epi32(from * 64));
    const __m512i sixteen = _mm512_set1_epi32(16);
    for (int w = from; w < words_; ++w) {
      const std::uint64_t bits = WordFrom(k, w, first);
      for (int part = 0; part < 4; ++part) {
        const auto mask = static_cast<__mmask16>(bits >> (16 * part));
        _mm512_storeu_si512(out + count, _mm512_maskz_compress_epi32(mask, index));
        count += __builtin_popcount(mask);
        index = _mm512_add_epi32(index, sixteen);
      }
    }
    return count;
  }
#endif

  std::vector<std::array<std::uint64_t, Words>> rows_;
  int words_ = 0;  // the words that may hold a bit: those of the entries of the last Fill()
  std::array<float, PaddedLimit> xf_{}, yf_{}, zf_{};  // the coordinates in single precision
};

}  // namespace mirelda::tessellation
