#pragma once

#include <QString>
#include <QStringView>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace Vorlaine {

// Words kept by the hundred thousand are kept as bytes: a UTF-16 code unit
// below 0x80 as one byte, any other as three. The bytes compare as the units
// do, so that sorted keys need no decoding, and an ASCII word takes a byte a
// letter instead of two.
void AppendPacked(std::string& to, QStringView text);
// The same, each unit lower-cased on its own as LowerCaseKey does.
void AppendPackedLower(std::string& to, QStringView text);
QString UnpackText(std::string_view packed);

// Numbers of 7 bits a byte, least significant first.
inline void AppendVarint(std::string& to, std::uint64_t value) {
    while (value >= 0x80) {
        to.push_back(static_cast<char>((value & 0x7F) | 0x80));
        value >>= 7;
    }
    to.push_back(static_cast<char>(value));
}
inline std::uint64_t ReadVarint(const char*& at) {
    std::uint64_t value = 0;
    for (int shift = 0;; shift += 7) {
        const auto byte = static_cast<unsigned char>(*at++);
        value |= static_cast<std::uint64_t>(byte & 0x7F) << shift;
        if (byte < 0x80)
            return value;
    }
}

std::uint64_t HashBytes(std::string_view bytes);

// Records of bytes kept end to end in blocks that never move, each addressed
// by its place: a set of millions of words grows a block at a time, without
// copying what it holds or keeping twice the room it needs.
class ByteRecords {
public:
    // The place of the record added.
    std::uint64_t add(std::string_view record);
    std::string_view at(std::uint64_t place) const;
    // Each record's place, in the order they were added.
    template <typename Each> void forEach(const Each& each) const {
        for (std::size_t block = 0; block < blocks_.size(); ++block) {
            const std::uint64_t base = static_cast<std::uint64_t>(block) << BlockBits;
            const char* const bytes = blocks_[block].bytes.get();
            for (std::size_t offset = 0; offset < blocks_[block].used;) {
                const char* record = bytes + offset;
                const std::uint64_t size = ReadVarint(record);
                each(base + offset);
                offset = static_cast<std::size_t>(record - bytes) + size;
            }
        }
    }
    // The bytes taken, the unused ends of the blocks included.
    std::size_t capacity() const;
    void clear() { blocks_.clear(); }

    // Records are words of at most 32,766 units, and what goes with them.
    static constexpr int BlockBits = 20;
    static constexpr std::size_t BlockSize = std::size_t{1} << BlockBits;
    static constexpr std::size_t MostRecord = BlockSize / 4;

private:
    struct Block {
        std::unique_ptr<char[]> bytes;
        std::size_t size = 0; // the first grows from small; the others are full
        std::size_t used = 0;
    };
    std::vector<Block> blocks_;
};

} // namespace Vorlaine
