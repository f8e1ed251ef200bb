#pragma once

// Byte scanning for the word-list reader, sixteen bytes at a time where the
// processor allows it. The buffers passed in must allow reading 15 bytes past
// their end.

#include "files/Sse2.h"

#include <QtGlobal>
#include <bit>
#include <cstdint>
#include <cstring>

namespace Vorlaine::LineScan {

inline bool IsLineEnd(char c) {
    return c == '\n' || c == '\r';
}
inline bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The first CR or LF in [p, end), or end.
inline const char* FindLineEnd(const char* p, const char* end) {
#ifdef VORLAINE_SSE2
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i cr = _mm_set1_epi8('\r');
    while (p < end) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const unsigned mask = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(block, lf), _mm_cmpeq_epi8(block, cr))));
        if (mask != 0) {
            const char* found = p + std::countr_zero(mask);
            return found < end ? found : end;
        }
        p += 16;
    }
    return end;
#else
    while (p < end && !IsLineEnd(*p))
        ++p;
    return p;
#endif
}

// Counts the items that start in [p, end): bytes that are neither a line end
// nor a blank and come first in their line apart from blanks. `inItem` carries
// over from the previous call: whether the current line already holds an item.
// Without a population-count instruction in the baseline, std::popcount would
// become a library call.
inline int PopCount16(unsigned x) {
    x = x - ((x >> 1) & 0x5555u);
    x = (x & 0x3333u) + ((x >> 2) & 0x3333u);
    x = (x + (x >> 4)) & 0x0F0Fu;
    return static_cast<int>((x + (x >> 8)) & 0x1Fu);
}

inline void CountItemStartsOneByOne(const char* p, const char* end, bool& inItem, qint64& count) {
    for (; p < end; ++p) {
        const char c = *p;
        if (IsLineEnd(c)) {
            inItem = false;
        } else if (!IsBlank(c) && !inItem) {
            inItem = true;
            ++count;
        }
    }
}

inline qint64 CountItemStarts(const char* p, const char* end, bool& inItem) {
    qint64 count = 0;
#ifdef VORLAINE_SSE2
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i space = _mm_set1_epi8(' ');
    const __m128i tab = _mm_set1_epi8('\t');
    for (; end - p >= 16; p += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const unsigned blanks = static_cast<unsigned>(_mm_movemask_epi8(
            _mm_or_si128(_mm_cmpeq_epi8(block, space), _mm_cmpeq_epi8(block, tab))));
        if (blanks != 0) {
            CountItemStartsOneByOne(p, p + 16, inItem, count);
            continue;
        }
        // Without blanks, an item starts at every byte that is no line end
        // and follows one (or starts the block outside an item).
        const unsigned lineEnds = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(block, lf), _mm_cmpeq_epi8(block, cr))));
        const unsigned content = ~lineEnds & 0xFFFFu;
        const unsigned afterLineEnd = ((lineEnds << 1) | (inItem ? 0u : 1u)) & 0xFFFFu;
        count += PopCount16(content & afterLineEnd);
        inItem = (content >> 15) & 1u;
    }
#endif
    CountItemStartsOneByOne(p, end, inItem, count);
    return count;
}

// Counts the line ends in [p, end): each LF and each CR, a CR LF once.
// `afterCr` carries over from the previous call: whether its last byte was CR.
inline qint64 CountLineEnds(const char* p, const char* end, bool& afterCr) {
    qint64 count = 0;
#ifdef VORLAINE_SSE2
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i cr = _mm_set1_epi8('\r');
    for (; end - p >= 16; p += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const auto lfs = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, lf)));
        const auto crs = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, cr)));
        const unsigned pairs = lfs & ((crs << 1) | (afterCr ? 1u : 0u));
        count += PopCount16(lfs) + PopCount16(crs) - PopCount16(pairs);
        afterCr = (crs >> 15) & 1u;
    }
#endif
    for (; p < end; ++p) {
        if (*p == '\r' || (*p == '\n' && !afterCr))
            ++count;
        afterCr = *p == '\r';
    }
    return count;
}

} // namespace Vorlaine::LineScan
