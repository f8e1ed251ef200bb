// Fuzzes the word-list reader: the input is the content of a word list. The
// items that readItem yields and the count of countItems are compared with a
// plain second reading of the same bytes, the first line it reads as
// Windows-1252 and the decoding of every item with a plain UTF-8 check.

#include "FuzzCheck.h"
#include "files/TextEncoding.h"
#include "files/WordListReader.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringDecoder>
#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

using namespace Vorlaine;
using Fuzz::Escaped;

namespace {

struct Item {
    QByteArray bytes; // empty when overlong
    bool overlong = false;

    bool operator==(const Item&) const = default;
};

std::string Describe(const Item& item) {
    return item.overlong ? std::string("<overlong>") : Escaped(item.bytes);
}

// The list file, rewritten for every input. In memory where there is a
// memory file system, as reading it is most of the work.
class ListFile {
public:
    ListFile() {
        const QFileInfo shm(QStringLiteral("/dev/shm"));
        const QString folder = shm.isDir() && shm.isWritable() ? shm.filePath() : QDir::tempPath();
        path_ = QDir(folder).filePath(
            QStringLiteral("vorlaine-fuzz-%1.txt").arg(QCoreApplication::applicationPid()));
    }
    ~ListFile() { QFile::remove(path_); }

    const QString& write(QByteArrayView bytes) {
        QFile file(path_);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate),
                   "cannot write " + path_.toStdString());
        FUZZ_CHECK(file.write(bytes.data(), bytes.size()) == bytes.size(),
                   "cannot write " + path_.toStdString());
        return path_;
    }

private:
    QString path_;
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// A list that starts with a UTF-16 byte-order mark, as UTF-8; nothing for
// any other.
std::optional<QByteArray> FromUtf16(QByteArrayView list) {
    const bool little = list.startsWith("\xFF\xFE");
    if (!little && !list.startsWith("\xFE\xFF"))
        return std::nullopt;
    QStringDecoder decoder(little ? QStringConverter::Utf16LE : QStringConverter::Utf16BE,
                           QStringDecoder::Flag::ConvertInitialBom);
    return QString(decoder.decode(list.sliced(2))).toUtf8();
}

// The items of a list, read the plain way: UTF-16 turned into UTF-8 first,
// lines end at CR LF, LF or CR, a UTF-8 byte-order mark at the start is
// skipped, blanks and tabs around a line are dropped and empty lines are no
// items.
std::vector<Item> OracleItems(QByteArrayView original) {
    const std::optional<QByteArray> utf8 = FromUtf16(original);
    const QByteArrayView list = utf8 ? QByteArrayView(*utf8) : original;
    std::vector<Item> items;
    const char* p = list.data();
    const char* const end = p + list.size();
    if (!utf8 && list.startsWith("\xEF\xBB\xBF"))
        p += 3;
    while (p < end) {
        const char* lineEnd = p;
        while (lineEnd < end && *lineEnd != '\n' && *lineEnd != '\r')
            ++lineEnd;
        const char* first = p;
        const char* last = lineEnd;
        while (first < last && IsBlank(*first))
            ++first;
        while (last > first && IsBlank(last[-1]))
            --last;
        if (last > first) {
            if (last - first > MaxItemBytes)
                items.push_back(Item{QByteArray(), true});
            else
                items.push_back(Item{QByteArray(first, last - first), false});
        }
        if (lineEnd < end && *lineEnd == '\r' && lineEnd + 1 < end && lineEnd[1] == '\n')
            ++lineEnd;
        p = lineEnd + 1;
    }
    return items;
}

// Decodes UTF-8 by the book (RFC 3629): no overlong forms, no surrogates,
// nothing above U+10FFFF, no sequence cut short. False for invalid bytes.
bool OracleDecodeUtf8(QByteArrayView bytes, std::u16string* text) {
    qsizetype i = 0;
    while (i < bytes.size()) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        char32_t code = 0;
        int more = 0;
        char32_t least = 0;
        if (b < 0x80) {
            code = b;
        } else if (b >= 0xC0 && b < 0xE0) {
            code = b & 0x1F;
            more = 1;
            least = 0x80;
        } else if (b >= 0xE0 && b < 0xF0) {
            code = b & 0x0F;
            more = 2;
            least = 0x800;
        } else if (b >= 0xF0 && b < 0xF8) {
            code = b & 0x07;
            more = 3;
            least = 0x10000;
        } else {
            return false;
        }
        if (i + more >= bytes.size() && more > 0)
            return false;
        for (int k = 1; k <= more; ++k) {
            const auto c = static_cast<unsigned char>(bytes[i + k]);
            if ((c & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (c & 0x3F);
        }
        if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        if (text) {
            if (code >= 0x10000) {
                text->push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
                text->push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
            } else {
                text->push_back(static_cast<char16_t>(code));
            }
        }
        i += 1 + more;
    }
    return true;
}

std::uint32_t Hash(QByteArrayView bytes) {
    std::uint32_t hash = 2166136261u;
    for (const char c : bytes)
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    return hash;
}

struct ReadResult {
    std::vector<Item> items;
    qint64 firstLineNotUtf8 = 0;
};

// Reads the list as the make-words run does, checks the reader against the
// plain reading and returns what it read.
ReadResult CheckReader(const QString& path, QByteArrayView list, std::uint32_t hash) {
    const std::vector<Item> expected = OracleItems(list);

    ReadResult result;
    {
        WordListReader reader(path);
        FUZZ_CHECK(reader.open(), reader.errorString().toStdString());
        WordListItem item;
        while (reader.readItem(item)) {
            if (item.overlong) {
                FUZZ_CHECK(item.bytes.isEmpty(), "an overlong item with bytes");
                result.items.push_back(Item{QByteArray(), true});
                continue;
            }
            const QByteArrayView bytes = item.bytes;
            const auto where = [&] {
                return "item " + std::to_string(result.items.size()) + ": " + Escaped(bytes) +
                       " of " + Escaped(list);
            };
            FUZZ_CHECK(!bytes.isEmpty(), "empty " + where());
            FUZZ_CHECK(bytes.size() <= MaxItemBytes, "too long " + where());
            FUZZ_CHECK(!IsBlank(*bytes.begin()) && !IsBlank(*(bytes.end() - 1)),
                       "blank at an end of " + where());
            FUZZ_CHECK(!bytes.contains('\n') && !bytes.contains('\r'), "line end in " + where());
            result.items.push_back(Item{bytes.toByteArray(), false});
        }
        FUZZ_CHECK(!reader.hasError(), reader.errorString().toStdString());
        result.firstLineNotUtf8 = reader.firstLineNotUtf8();
    }

    for (std::size_t i = 0; i < expected.size() && i < result.items.size(); ++i) {
        FUZZ_CHECK(result.items[i] == expected[i],
                   "item " + std::to_string(i) + " is " + Describe(result.items[i]) +
                       ", expected " + Describe(expected[i]) + "; list " + Escaped(list));
    }
    FUZZ_CHECK(result.items.size() == expected.size(),
               std::to_string(result.items.size()) + " items, expected " +
                   std::to_string(expected.size()) + "; list " + Escaped(list));

    // The counting pass, after reading a few items first, must see the rest.
    {
        WordListReader counter(path);
        FUZZ_CHECK(counter.open(), counter.errorString().toStdString());
        const std::size_t readFirst = std::min<std::size_t>(hash % 4, expected.size());
        WordListItem item;
        for (std::size_t i = 0; i < readFirst; ++i) {
            FUZZ_CHECK(counter.readItem(item), "item " + std::to_string(i) + " missing");
            FUZZ_CHECK((Item{item.overlong ? QByteArray() : item.bytes.toByteArray(),
                             item.overlong} == expected[i]),
                       "item " + std::to_string(i) + " differs before counting");
        }
        qint64 count = -1;
        FUZZ_CHECK(counter.countItems(count), counter.errorString().toStdString());
        FUZZ_CHECK(static_cast<std::size_t>(count) + readFirst == expected.size(),
                   "counted " + std::to_string(count) + " after " + std::to_string(readFirst) +
                       " items, expected " + std::to_string(expected.size()) + " in all; list " +
                       Escaped(list));
    }
    return result;
}

// Each item decodes as UTF-8 when it is valid UTF-8, as Windows-1252 otherwise.
void CheckDecoding(const std::vector<Item>& items) {
    for (const Item& item : items) {
        const QString text = DecodeItem(item.bytes);
        std::u16string expected;
        if (OracleDecodeUtf8(item.bytes, &expected)) {
            FUZZ_CHECK(IsUtf8(item.bytes),
                       "a UTF-8 item taken for another: " + Escaped(item.bytes));
            // A byte-order mark that starts an item may be dropped.
            const QStringView whole(expected.data(), static_cast<qsizetype>(expected.size()));
            const bool matches =
                text == whole || (whole.startsWith(QChar(0xFEFF)) && text == whole.sliced(1));
            FUZZ_CHECK(matches, Escaped(item.bytes) + " decodes to " + Escaped(text) +
                                    ", expected " + Escaped(whole));
        } else {
            FUZZ_CHECK(!IsUtf8(item.bytes), "taken for UTF-8: " + Escaped(item.bytes));
            // One character per byte, and no two bytes alike: ASCII and the
            // upper half of Latin-1 stand for themselves, 0x80 to 0x9F for
            // the Windows-1252 characters or, where it has none, themselves.
            FUZZ_CHECK(text.size() == item.bytes.size(),
                       Escaped(item.bytes) + " decodes to " + Escaped(text));
            for (qsizetype i = 0; i < text.size(); ++i) {
                const auto b = static_cast<unsigned char>(item.bytes[i]);
                const char16_t c = text[i].unicode();
                const bool right = (b < 0x80 || b >= 0xA0) ? c == b : (c == b || c >= 0x100);
                FUZZ_CHECK(right, Escaped(item.bytes) + " decodes to " + Escaped(text));
            }
        }
    }
}

void CheckWindows1252IsOneToOne() {
    QByteArray all(256, '\0');
    for (int b = 0; b < 256; ++b)
        all[b] = static_cast<char>(b);
    const QString text = DecodeWindows1252(all);
    FUZZ_CHECK(text.size() == 256, "Windows-1252 does not give one character per byte");
    for (int i = 0; i < 256; ++i) {
        for (int j = i + 1; j < 256; ++j)
            FUZZ_CHECK(text[i] != text[j], "bytes " + std::to_string(i) + " and " +
                                               std::to_string(j) + " decode alike");
    }
}

// The first line that is not UTF-8, as lines are counted in an editor: 0
// when there is none, and for a list in UTF-16.
qint64 OracleFirstLineNotUtf8(QByteArrayView list) {
    if (FromUtf16(list))
        return 0;
    qint64 line = 1;
    const char* p = list.data();
    const char* const end = p + list.size();
    while (p < end) {
        const char* lineEnd = p;
        while (lineEnd < end && *lineEnd != '\n' && *lineEnd != '\r')
            ++lineEnd;
        if (!OracleDecodeUtf8(QByteArrayView(p, lineEnd - p), nullptr))
            return line;
        if (lineEnd < end && *lineEnd == '\r' && lineEnd + 1 < end && lineEnd[1] == '\n')
            ++lineEnd;
        p = lineEnd + 1;
        ++line;
    }
    return 0;
}

void CheckEncoding(QByteArrayView list, qint64 firstLineNotUtf8, std::uint32_t hash) {
    const bool valid = OracleDecodeUtf8(list, nullptr);
    // Qt's decoder agrees: valid UTF-8 comes back unchanged from UTF-16. (A
    // blank goes first, as Qt drops a byte-order mark at the start.)
    const QByteArray marked = ' ' + list.toByteArray();
    FUZZ_CHECK(valid == (QString::fromUtf8(marked).toUtf8() == marked),
               "UTF-8 check and Qt disagree on " + Escaped(list));
    const qint64 expected = OracleFirstLineNotUtf8(list);
    FUZZ_CHECK(firstLineNotUtf8 == expected, "line " + std::to_string(firstLineNotUtf8) +
                                                 " taken for the first not UTF-8, not " +
                                                 std::to_string(expected) + ": " + Escaped(list));

    // Fed in three pieces, the validator says the same as in one.
    const qsizetype size = list.size();
    const qsizetype cut1 = size == 0 ? 0 : hash % (size + 1);
    const qsizetype cut2 = cut1 + (size == cut1 ? 0 : (hash >> 16) % (size - cut1 + 1));
    Utf8Validator validator;
    validator.feed(list.first(cut1));
    validator.feed(list.sliced(cut1, cut2 - cut1));
    validator.feed(list.sliced(cut2));
    FUZZ_CHECK(validator.isValid() == valid, "validator fed at " + std::to_string(cut1) + " and " +
                                                 std::to_string(cut2) + " wrong for " +
                                                 Escaped(list));
}

// Lists that put the input where the reader's work is hardest: across the
// seam between two reads, or at the end of an item of nearly the most bytes.
// The reader reads about MaxItemBytes + 128 KiB at a time.
constexpr qsizetype ReadSize = MaxItemBytes + 128 * 1024;
constexpr qsizetype MaxItem = MaxItemBytes;

constexpr int StretchKinds = 5;

QByteArray Stretched(QByteArrayView input, int kind, std::uint32_t hash) {
    const qsizetype k = (hash >> 8) % 64; // input bytes before the seam, or short of the limit
    QByteArray list;
    switch (kind) {
    case 0: // blank lines up to k bytes before the seam
        list = QByteArray(ReadSize - k - 1, ' ') + '\n';
        break;
    case 1: // the first line continues an item k bytes short of the longest
        list = QByteArray(MaxItem - k, 'w');
        break;
    case 2: // as 1, then blanks past the seam and the input again
        list = QByteArray(MaxItem - k, 'w');
        list.append(input.data(), input.size());
        list += QByteArray(ReadSize, ' ');
        break;
    case 3: // the first line continues a far too long item across the seam
        list = QByteArray(ReadSize - k, 'w');
        break;
    default: // the first line continues an item of nearly the most bytes, across the seam
        list = QByteArray(ReadSize - MaxItem + 31, ' ') + '\n' + QByteArray(MaxItem - 32 - k, 'w');
        break;
    }
    list.append(input.data(), input.size());
    return list;
}

// Under libFuzzer, one input in four is also read stretched, in one of the
// ways chosen by its hash, as a stretched list takes many times as long. The
// corpus driver reads every input in every way.
bool everyStretch = true;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    everyStretch = false;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static ListFile file;
    static const bool windows1252Checked = (CheckWindows1252IsOneToOne(), true);
    (void)windows1252Checked;

    const QByteArrayView input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::uint32_t hash = Hash(input);

    const ReadResult read = CheckReader(file.write(input), input, hash);
    CheckEncoding(input, read.firstLineNotUtf8, hash);
    CheckDecoding(read.items);

    for (int kind = 0; kind < StretchKinds; ++kind) {
        if (!everyStretch &&
            (hash % 4 != 0 || kind != static_cast<int>((hash >> 2) % StretchKinds)))
            continue;
        const QByteArray stretched = Stretched(input, kind, hash);
        const ReadResult readStretched = CheckReader(file.write(stretched), stretched, hash);
        FUZZ_CHECK(readStretched.firstLineNotUtf8 == OracleFirstLineNotUtf8(stretched),
                   "the first line not UTF-8 of " + Escaped(input) + " stretched " +
                       std::to_string(kind));
    }
    return 0;
}
