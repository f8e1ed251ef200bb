#include "search/letters/PackedText.h"

#include <algorithm>
#include <cstring>

namespace Vorlaine {

namespace {

template <typename Unit> void Pack(std::string& to, QStringView text, const Unit& unit) {
    const std::size_t at = to.size();
    to.resize(at + 3 * static_cast<std::size_t>(text.size()));
    char* out = to.data() + at;
    for (const QChar c : text) {
        const char16_t u = unit(c.unicode());
        if (u < 0x80) {
            *out++ = static_cast<char>(u);
        } else {
            // 0x80 to 0x8F first, after every one-byte unit, then six bits
            // at a time: the bytes keep the units' order.
            *out++ = static_cast<char>(0x80 | (u >> 12));
            *out++ = static_cast<char>(0x80 | ((u >> 6) & 0x3F));
            *out++ = static_cast<char>(0x80 | (u & 0x3F));
        }
    }
    to.resize(static_cast<std::size_t>(out - to.data()));
}

} // namespace

void AppendPacked(std::string& to, QStringView text) {
    Pack(to, text, [](char16_t u) { return u; });
}

void AppendPackedLower(std::string& to, QStringView text) {
    Pack(to, text, [](char16_t u) {
        if (u < 0x80)
            return u >= u'A' && u <= u'Z' ? static_cast<char16_t>(u + (u'a' - u'A')) : u;
        return static_cast<char16_t>(QChar::toLower(u));
    });
}

QString UnpackText(std::string_view packed) {
    QString text(static_cast<qsizetype>(packed.size()), Qt::Uninitialized);
    QChar* out = text.data();
    for (std::size_t i = 0; i < packed.size(); ++i) {
        const auto b = static_cast<unsigned char>(packed[i]);
        if (b < 0x80) {
            *out++ = QChar(static_cast<char16_t>(b));
            continue;
        }
        const auto b1 = static_cast<unsigned char>(packed[i + 1]);
        const auto b2 = static_cast<unsigned char>(packed[i + 2]);
        *out++ =
            QChar(static_cast<char16_t>(((b & 0x0F) << 12) | ((b1 & 0x3F) << 6) | (b2 & 0x3F)));
        i += 2;
    }
    text.resize(out - text.constData());
    return text;
}

std::uint64_t HashBytes(std::string_view bytes) {
    const auto mix = [](std::uint64_t hash, std::uint64_t value) {
        hash = (hash ^ value) * 0x9FB21C651E98DF25ull;
        return hash ^ (hash >> 29);
    };
    std::uint64_t hash = 0x243F6A8885A308D3ull ^ bytes.size();
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    for (; left >= 8; p += 8, left -= 8) {
        std::uint64_t value;
        std::memcpy(&value, p, 8);
        hash = mix(hash, value);
    }
    std::uint64_t tail = 0;
    if (left > 0)
        std::memcpy(&tail, p, left);
    hash = mix(hash, tail);
    hash = (hash ^ (hash >> 31)) * 0xBF58476D1CE4E5B9ull;
    return hash ^ (hash >> 32);
}

std::uint64_t ByteRecords::add(std::string_view record) {
    std::string head;
    AppendVarint(head, record.size());
    const std::size_t need = head.size() + record.size();
    if (blocks_.empty() || blocks_.back().used + need > blocks_.back().size) {
        Block* last = blocks_.empty() ? nullptr : &blocks_.back();
        if (last != nullptr && last->size < BlockSize && last->used + need <= BlockSize) {
            // The first block doubles up to a whole one: a set of a few words
            // stays small.
            const std::size_t size =
                std::min(BlockSize, std::max(2 * last->size, last->used + need));
            auto bytes = std::make_unique<char[]>(size);
            std::copy_n(last->bytes.get(), last->used, bytes.get());
            last->bytes = std::move(bytes);
            last->size = size;
        } else {
            const std::size_t size = blocks_.empty() ? std::max<std::size_t>(256, need) : BlockSize;
            blocks_.push_back({std::make_unique<char[]>(size), size, 0});
        }
    }
    Block& block = blocks_.back();
    char* const out = block.bytes.get() + block.used;
    std::copy(head.begin(), head.end(), out);
    std::copy(record.begin(), record.end(), out + head.size());
    const std::uint64_t place =
        (static_cast<std::uint64_t>(blocks_.size() - 1) << BlockBits) + block.used;
    block.used += need;
    return place;
}

std::string_view ByteRecords::at(std::uint64_t place) const {
    const char* record = blocks_[static_cast<std::size_t>(place >> BlockBits)].bytes.get() +
                         (place & (BlockSize - 1));
    const std::uint64_t size = ReadVarint(record);
    return {record, static_cast<std::size_t>(size)};
}

std::size_t ByteRecords::capacity() const {
    std::size_t bytes = 0;
    for (const Block& block : blocks_)
        bytes += block.size;
    return bytes;
}

} // namespace Vorlaine
