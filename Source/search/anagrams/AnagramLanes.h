#pragma once

// Letter count vectors of the phrase anagram search, sixteen bytes at a time:
// one lane a letter, one or two bytes a count. Inline, as the solver's inner
// loops are made of them.

#include "files/Sse2.h"

#include <algorithm>
#include <bit>
#include <iterator>

namespace Vorlaine {
namespace Anagram {

template <typename Count> struct alignas(16) Block {
    static constexpr int Lanes = 16 / static_cast<int>(sizeof(Count));
    Count lane[Lanes];
};

#ifdef VORLAINE_SSE2
template <typename Count> inline __m128i Load(const Block<Count>& block) {
    return _mm_load_si128(reinterpret_cast<const __m128i*>(block.lane));
}
template <typename Count> inline __m128i SubtractSaturated(__m128i a, __m128i b) {
    if constexpr (sizeof(Count) == 1)
        return _mm_subs_epu8(a, b);
    else
        return _mm_subs_epu16(a, b);
}
template <typename Count> inline __m128i IsZero(__m128i a) {
    if constexpr (sizeof(Count) == 1)
        return _mm_cmpeq_epi8(a, _mm_setzero_si128());
    else
        return _mm_cmpeq_epi16(a, _mm_setzero_si128());
}
inline unsigned ByteMask(__m128i a) {
    return static_cast<unsigned>(_mm_movemask_epi8(a));
}
#endif

template <typename Count>
inline void Subtract(const Block<Count>* whole, const Block<Count>* part, Block<Count>* rest,
                     int blocks) {
#ifdef VORLAINE_SSE2
    for (int b = 0; b < blocks; ++b) {
        const __m128i a = Load(whole[b]);
        const __m128i c = Load(part[b]);
        _mm_store_si128(reinterpret_cast<__m128i*>(rest[b].lane),
                        sizeof(Count) == 1 ? _mm_sub_epi8(a, c) : _mm_sub_epi16(a, c));
    }
#else
    for (int b = 0; b < blocks; ++b)
        for (int i = 0; i < Block<Count>::Lanes; ++i)
            rest[b].lane[i] = static_cast<Count>(whole[b].lane[i] - part[b].lane[i]);
#endif
}

template <typename Count>
inline bool Equal(const Block<Count>* a, const Block<Count>* b, int blocks) {
#ifdef VORLAINE_SSE2
    __m128i difference = _mm_xor_si128(Load(a[0]), Load(b[0]));
    for (int i = 1; i < blocks; ++i)
        difference = _mm_or_si128(difference, _mm_xor_si128(Load(a[i]), Load(b[i])));
    return ByteMask(IsZero<Count>(difference)) == 0xFFFF;
#else
    for (int i = 0; i < blocks; ++i)
        for (int j = 0; j < Block<Count>::Lanes; ++j)
            if (a[i].lane[j] != b[i].lane[j])
                return false;
    return true;
#endif
}

// The first lane with a nonzero count; the vector must not be all zero.
template <typename Count> inline int FirstLane(const Block<Count>* counts) {
    for (int b = 0;; ++b) {
#ifdef VORLAINE_SSE2
        const unsigned nonzero = ~ByteMask(IsZero<Count>(Load(counts[b]))) & 0xFFFFu;
        if (nonzero != 0)
            return b * Block<Count>::Lanes +
                   std::countr_zero(nonzero) / static_cast<int>(sizeof(Count));
#else
        for (int i = 0; i < Block<Count>::Lanes; ++i)
            if (counts[b].lane[i] != 0)
                return b * Block<Count>::Lanes + i;
#endif
    }
}

template <typename Count> inline Count LaneOf(const Block<Count>* counts, int lane) {
    return counts[lane / Block<Count>::Lanes].lane[lane % Block<Count>::Lanes];
}

template <typename Count> inline void Broadcast(Count value, Block<Count>& block) {
#ifdef VORLAINE_SSE2
    const __m128i all = sizeof(Count) == 1 ? _mm_set1_epi8(static_cast<char>(value))
                                           : _mm_set1_epi16(static_cast<short>(value));
    _mm_store_si128(reinterpret_cast<__m128i*>(block.lane), all);
#else
    std::fill(std::begin(block.lane), std::end(block.lane), value);
#endif
}

// Column blocks hold one lane of Block::Lanes entries side by side. Bit i of
// the answer is set when entry i holds no letter more often than `wanted`,
// which repeats the remainder's count of each lane.
template <typename Count>
inline unsigned ColumnFits(const Block<Count>* columns, const Block<Count>* wanted, int count) {
#ifdef VORLAINE_SSE2
    __m128i over = _mm_setzero_si128();
    for (int c = 0; c < count; ++c)
        over = _mm_or_si128(over, SubtractSaturated<Count>(Load(columns[c]), Load(wanted[c])));
    const __m128i fits = IsZero<Count>(over);
    if constexpr (sizeof(Count) == 1)
        return ByteMask(fits);
    else
        return ByteMask(_mm_packs_epi16(fits, _mm_setzero_si128()));
#else
    // Without branches, so that the compiler can vectorize it.
    Count over[Block<Count>::Lanes] = {};
    for (int c = 0; c < count; ++c)
        for (int i = 0; i < Block<Count>::Lanes; ++i)
            over[i] |= static_cast<Count>(columns[c].lane[i] > wanted[c].lane[i]);
    unsigned mask = 0;
    for (int i = 0; i < Block<Count>::Lanes; ++i)
        mask |= static_cast<unsigned>(over[i] == 0) << i;
    return mask;
#endif
}

} // namespace Anagram
} // namespace Vorlaine
