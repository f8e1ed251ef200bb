#include "search/query/MatchRecord.h"

#include "files/TextEncoding.h"
#include "search/letters/PackedText.h"

#include <bit>
#include <cstdint>

namespace Vorlaine {

namespace {
void AppendBigEndian(std::string& to, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        to.push_back(static_cast<char>((value >> shift) & 0xFF));
}
void AppendBigEndian(std::string& to, std::uint64_t value) {
    AppendBigEndian(to, static_cast<std::uint32_t>(value >> 32));
    AppendBigEndian(to, static_cast<std::uint32_t>(value));
}
} // namespace

void AppendSortKey(std::string& to, SortOrder order, const WordMatch& match) {
    switch (order) {
    case SortOrder::List:
        // Every key the same: the list's order stays.
        return;
    case SortOrder::Alpha:
        break;
    case SortOrder::Length:
        // The letters a word plays, as the lengths are compared: folded, ß
        // is two. The most first.
        AppendBigEndian(to, ~static_cast<std::uint32_t>(match.length));
        break;
    case SortOrder::Score:
        // The highest first: the sign bit flipped orders a signed number as
        // an unsigned one, and the complement turns the order round.
        AppendBigEndian(to, ~(static_cast<std::uint32_t>(match.score) ^ 0x80000000u));
        break;
    case SortOrder::Probability:
        // The likeliest first: a chance is never negative, and such doubles
        // order as their bits do.
        AppendBigEndian(to, ~std::bit_cast<std::uint64_t>(match.probability));
        break;
    }
    // Then alpha: the lower-cased words in code-unit order.
    AppendPackedLower(to, match.word);
}

void AppendMatchRecord(std::string& to, SortOrder order, const WordMatch& match) {
    const std::size_t sizeAt = to.size();
    to.push_back(0); // the key's size, mostly one byte
    AppendSortKey(to, order, match);
    const std::size_t keySize = to.size() - sizeAt - 1;
    if (keySize >= 0x80) {
        std::string size;
        AppendVarint(size, keySize);
        to.replace(sizeAt, 1, size);
    } else {
        to[sizeAt] = static_cast<char>(keySize);
    }
    const std::string_view key(to.data() + to.size() - keySize, keySize);
    const std::string_view bytes(match.bytes.constData(),
                                 static_cast<std::size_t>(match.bytes.size()));
    const bool keyEndsWithBytes = key.ends_with(bytes);
    AppendVarint(to, (bytes.size() << 1) | (keyEndsWithBytes ? 1 : 0));
    if (!keyEndsWithBytes)
        to.append(bytes);
    AppendVarint(to, static_cast<std::uint64_t>(match.length));
    // Zigzag, so that a small negative score stays short too.
    const auto score = static_cast<std::uint32_t>(match.score);
    AppendVarint(to, (score << 1) ^ (match.score < 0 ? 0xFFFFFFFFu : 0u));
    std::string blanks;
    AppendPacked(blanks, match.blanks);
    AppendVarint(to, blanks.size());
    to.append(blanks);
    // The chance of drawing the word, when the search worked it out.
    to.push_back(match.probability != 0 ? 1 : 0);
    if (match.probability != 0)
        AppendBigEndian(to, std::bit_cast<std::uint64_t>(match.probability));
}

std::string_view MatchRecord::keyOf(std::string_view record) {
    const char* at = record.data();
    const auto size = static_cast<std::size_t>(ReadVarint(at));
    return {at, size};
}

MatchRecord MatchRecord::read(std::string_view record) {
    MatchRecord read;
    read.key = keyOf(record);
    const char* at = read.key.data() + read.key.size();
    const std::uint64_t bytes = ReadVarint(at);
    const auto bytesSize = static_cast<std::size_t>(bytes >> 1);
    if ((bytes & 1) != 0) {
        read.bytes = read.key.substr(read.key.size() - bytesSize);
    } else {
        read.bytes = {at, bytesSize};
        at += bytesSize;
    }
    read.length = static_cast<qsizetype>(ReadVarint(at));
    const auto score = static_cast<std::uint32_t>(ReadVarint(at));
    read.score = static_cast<int>((score >> 1) ^ (0u - (score & 1)));
    const auto blanksSize = static_cast<std::size_t>(ReadVarint(at));
    read.blanks = {at, blanksSize};
    at += blanksSize;
    if (*at++ != 0) {
        std::uint64_t bits = 0;
        for (int i = 0; i < 8; ++i)
            bits = (bits << 8) | static_cast<unsigned char>(*at++);
        read.probability = std::bit_cast<double>(bits);
    }
    return read;
}

WordMatch MatchRecord::match() const {
    WordMatch match;
    match.bytes = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    match.word = DecodeItem(match.bytes);
    match.score = score;
    match.blanks = UnpackText(blanks);
    match.length = length;
    match.probability = probability;
    return match;
}

} // namespace Vorlaine
