#include "files/AffixFlags.h"

#include <algorithm>

namespace Vorlaine {

namespace {
// Decodes one UTF-8 character at `p`; 0 when the bytes are no valid character.
int DecodeUtf8(const unsigned char* p, const unsigned char* end, AffixFlag& flag) {
    const unsigned char b = *p;
    int length = b < 0x80 ? 1 : b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC2 ? 2 : 0;
    if (length == 0 || length > end - p || b > 0xF4)
        return 0;
    flag = length == 1 ? b : b & (0xFF >> (length + 1));
    for (int i = 1; i < length; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0;
        flag = (flag << 6) | (p[i] & 0x3F);
    }
    return length;
}

bool DecodeNumbers(QByteArrayView field, AffixFlags& flags, QString& error) {
    AffixFlag value = 0;
    bool digits = false;
    for (qsizetype i = 0; i <= field.size(); ++i) {
        const char c = i < field.size() ? field[i] : ',';
        if (c >= '0' && c <= '9' && value < 100000) {
            value = value * 10 + static_cast<AffixFlag>(c - '0');
            digits = true;
        } else if (c == ',' && digits && value >= 1 && value <= 65535) {
            flags.push_back(value);
            value = 0;
            digits = false;
        } else {
            error = QStringLiteral("\"%1\" is no list of flag numbers from 1 to 65535")
                        .arg(QString::fromUtf8(field));
            return false;
        }
    }
    return true;
}
} // namespace

bool FlagDecoder::setKind(QByteArrayView name) {
    if (name == "long")
        kind_ = FlagKind::Long;
    else if (name == "num")
        kind_ = FlagKind::Number;
    else if (name == "UTF-8")
        kind_ = FlagKind::Utf8;
    else if (name == "char")
        kind_ = FlagKind::Byte;
    else
        return false;
    return true;
}

bool FlagDecoder::decodeInOrder(QByteArrayView field, AffixFlags& flags, QString& error) const {
    flags.clear();
    const auto* p = reinterpret_cast<const unsigned char*>(field.data());
    const auto* const end = p + field.size();
    switch (kind_) {
    case FlagKind::Byte:
        flags.assign(p, end);
        break;
    case FlagKind::Long:
        if (field.size() % 2 != 0) {
            error = QStringLiteral("\"%1\" is no list of two-character flags")
                        .arg(QString::fromUtf8(field));
            return false;
        }
        for (; p < end; p += 2)
            flags.push_back(AffixFlag{p[0]} << 8 | p[1]);
        break;
    case FlagKind::Number:
        if (!DecodeNumbers(field, flags, error))
            return false;
        break;
    case FlagKind::Utf8:
        while (p < end) {
            AffixFlag flag = 0;
            const int length = DecodeUtf8(p, end, flag);
            if (length == 0) {
                error = QStringLiteral("the flags \"%1\" are not UTF-8")
                            .arg(QString::fromLatin1(field));
                return false;
            }
            flags.push_back(flag);
            p += length;
        }
        break;
    }
    return true;
}

bool FlagDecoder::decodeFlags(QByteArrayView field, AffixFlags& flags, QString& error) const {
    if (!decodeInOrder(field, flags, error))
        return false;
    std::sort(flags.begin(), flags.end());
    flags.erase(std::unique(flags.begin(), flags.end()), flags.end());
    return true;
}

bool FlagDecoder::decode(QByteArrayView field, AffixFlags& flags, QString& error) const {
    // A word or an affix without flags names no alias.
    if (aliases_.empty() || field.isEmpty())
        return decodeFlags(field, flags, error);
    qsizetype index = 0;
    for (const char c : field) {
        if (c < '0' || c > '9' || index > 1000000) {
            index = 0;
            break;
        }
        index = index * 10 + (c - '0');
    }
    if (index < 1 || index > static_cast<qsizetype>(aliases_.size())) {
        error = QStringLiteral("unknown flag alias \"%1\" (the AF lines define 1 to %2)")
                    .arg(QString::fromUtf8(field))
                    .arg(aliases_.size());
        return false;
    }
    flags = aliases_[static_cast<std::size_t>(index - 1)];
    return true;
}

bool FlagDecoder::decodeOne(QByteArrayView field, AffixFlag& flag, QString& error) const {
    AffixFlags flags;
    if (!decodeInOrder(field, flags, error))
        return false;
    // A longer field names its first flag, as hunspell reads it.
    if (flags.empty() || (kind_ == FlagKind::Number && flags.size() > 1)) {
        error = QStringLiteral("\"%1\" is not one flag").arg(QString::fromUtf8(field));
        return false;
    }
    flag = flags.front();
    return true;
}

std::string FlagDecoder::textOf(AffixFlag flag) const {
    if (!aliases_.empty() || flag == 0)
        return {};
    switch (kind_) {
    case FlagKind::Byte:
        return std::string(1, static_cast<char>(flag));
    case FlagKind::Long:
        return {static_cast<char>(flag >> 8), static_cast<char>(flag & 0xFF)};
    case FlagKind::Number:
        return std::to_string(flag);
    case FlagKind::Utf8:
        break;
    }
    std::string text;
    if (flag < 0x80) {
        text += static_cast<char>(flag);
    } else {
        const int more = flag < 0x800 ? 1 : flag < 0x10000 ? 2 : 3;
        text += static_cast<char>(((0xFF00 >> (more + 1)) & 0xFF) | (flag >> (6 * more)));
        for (int i = more - 1; i >= 0; --i)
            text += static_cast<char>(0x80 | ((flag >> (6 * i)) & 0x3F));
    }
    return text;
}

bool FlagDecoder::Contains(const AffixFlags& flags, AffixFlag flag) {
    return std::binary_search(flags.begin(), flags.end(), flag);
}

} // namespace Vorlaine
