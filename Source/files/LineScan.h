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

// Moves the unread bytes [begin, end) of a buffer to its front, to make room
// for the next read after them.
inline void MoveUnreadToFront(char* buffer, qsizetype& begin, qsizetype& end) {
    if (begin == 0)
        return;
    std::memmove(buffer, buffer + begin, static_cast<std::size_t>(end - begin));
    end -= begin;
    begin = 0;
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

// Without a population-count instruction in the baseline, std::popcount would
// become a library call.
inline int PopCount64(std::uint64_t x) {
    x = x - ((x >> 1) & 0x5555555555555555ull);
    x = (x & 0x3333333333333333ull) + ((x >> 2) & 0x3333333333333333ull);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0Full;
    return static_cast<int>((x * 0x0101010101010101ull) >> 56);
}

#ifdef VORLAINE_SSE2
// The line feeds, carriage returns and blanks of [p, p + 64), a bit a byte,
// the first byte lowest: counting them 64 bytes at a time takes one
// population count where sixteen bytes at a time took four.
struct ByteMasks {
    std::uint64_t lf = 0, cr = 0, blank = 0;
};
inline ByteMasks MasksOf64(const char* p) {
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i space = _mm_set1_epi8(' ');
    const __m128i tab = _mm_set1_epi8('\t');
    ByteMasks masks;
    for (int i = 0; i < 4; ++i) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * i));
        const auto bits = [&block](__m128i c) {
            return static_cast<std::uint64_t>(
                static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, c))));
        };
        masks.lf |= bits(lf) << (16 * i);
        masks.cr |= bits(cr) << (16 * i);
        masks.blank |= (bits(space) | bits(tab)) << (16 * i);
    }
    return masks;
}

// The items that start in 64 bytes without blanks: every byte that is no
// line end and follows one (or starts the bytes outside an item).
inline int ItemStarts64(const ByteMasks& masks, bool& inItem) {
    const std::uint64_t ends = masks.lf | masks.cr;
    const std::uint64_t afterEnd = (ends << 1) | (inItem ? 0u : 1u);
    inItem = (ends >> 63) == 0;
    return PopCount64(~ends & afterEnd);
}
// The line ends of 64 bytes: every CR, and every LF but one after a CR.
inline int LineEnds64(const ByteMasks& masks, bool& afterCr) {
    const std::uint64_t afterCrs = (masks.cr << 1) | (afterCr ? 1u : 0u);
    afterCr = (masks.cr >> 63) != 0;
    return PopCount64(masks.cr | (masks.lf & ~afterCrs));
}
#endif

// CountItemStartsOneByOne, 64 bytes at a time where it can.
inline qint64 CountItemStarts(const char* p, const char* end, bool& inItem) {
    qint64 count = 0;
#ifdef VORLAINE_SSE2
    for (; end - p >= 64; p += 64) {
        const ByteMasks masks = MasksOf64(p);
        if (masks.blank != 0)
            CountItemStartsOneByOne(p, p + 64, inItem, count);
        else
            count += ItemStarts64(masks, inItem);
    }
#endif
    CountItemStartsOneByOne(p, end, inItem, count);
    return count;
}

inline void CountLineEndsOneByOne(const char* p, const char* end, bool& afterCr, qint64& count) {
    for (; p < end; ++p) {
        if (*p == '\r' || (*p == '\n' && !afterCr))
            ++count;
        afterCr = *p == '\r';
    }
}

// Counts the line ends in [p, end): each LF and each CR, a CR LF once.
// `afterCr` carries over from the previous call: whether its last byte was CR.
inline qint64 CountLineEnds(const char* p, const char* end, bool& afterCr) {
    qint64 count = 0;
#ifdef VORLAINE_SSE2
    for (; end - p >= 64; p += 64)
        count += LineEnds64(MasksOf64(p), afterCr);
#endif
    CountLineEndsOneByOne(p, end, afterCr, count);
    return count;
}

// CountItemStarts and CountLineEnds in one pass over [p, end), the line ends
// added to `lineEnds`: the counting pass reads each byte once.
inline qint64 CountItemStartsAndLineEnds(const char* p, const char* end, bool& inItem,
                                         bool& afterCr, qint64& lineEnds) {
    qint64 count = 0;
#ifdef VORLAINE_SSE2
    for (; end - p >= 64; p += 64) {
        const ByteMasks masks = MasksOf64(p);
        lineEnds += LineEnds64(masks, afterCr);
        if (masks.blank != 0)
            CountItemStartsOneByOne(p, p + 64, inItem, count);
        else
            count += ItemStarts64(masks, inItem);
    }
#endif
    CountLineEndsOneByOne(p, end, afterCr, lineEnds);
    CountItemStartsOneByOne(p, end, inItem, count);
    return count;
}

} // namespace Vorlaine::LineScan
