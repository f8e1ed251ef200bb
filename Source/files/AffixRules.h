#pragma once

#include "files/AffixCondition.h"
#include "files/AffixFlags.h"
#include "files/EightBitCharsets.h"

#include <QString>
#include <cstdint>
#include <string>
#include <vector>

namespace Vorlaine {

// One line of a PFX or SFX class: strip `strip` from the word's start (PFX)
// or end (SFX) and put `affix` there, where `condition` holds.
struct AffixEntry {
    std::string strip; // UTF-8, as are the affix and the condition
    std::string affix;
    AffixCondition condition;
    AffixFlags continuation; // the flags after the affix's slash
    // The classes those flags name, on the side that may take two affixes
    // (suffixes, or prefixes with COMPLEXPREFIXES) and on the other.
    std::vector<std::int32_t> innerClasses, outerClasses;
    std::int32_t classIndex = -1;
    bool atStart = false; // a prefix
    bool cross = false;   // may go with an affix of the other side
    // Flags of the continuation with a meaning of their own.
    bool needsAffix = false, circumfix = false, onlyInCompound = false;
};

struct AffixClass {
    AffixFlag flag = 0;
    bool inner = false;
    bool atStart = false; // a prefix class
    std::vector<std::int32_t> entries;
    // A big class also keeps its entries by the byte the word must have next
    // to the affix, so that a word meets only those that may fit it: the
    // entries for byte b are byByte[starts[b]] up to byByte[starts[b + 1]],
    // and anyByte holds those that take any byte. Both in the file's order.
    std::vector<std::int32_t> byByte, anyByte;
    std::vector<std::uint32_t> starts; // empty for a small class
    // Outer entries whose continuation allows inner classes, crossing.
    std::vector<std::int32_t> allowingInner;
};

// Maps flags to class numbers: a table for the flags below 65536, which is
// every flag but the rare astral UTF-8 one.
class FlagTable {
public:
    FlagTable() : dense_(0x10000, -1) {}
    std::int32_t find(AffixFlag flag) const {
        return flag < dense_.size() ? dense_[flag] : findSparse(flag);
    }
    void set(AffixFlag flag, std::int32_t value);

private:
    std::int32_t findSparse(AffixFlag flag) const;
    std::vector<std::int32_t> dense_;
    std::vector<std::pair<AffixFlag, std::int32_t>> sparse_;
};

// What the affix file of a hunspell dictionary says about the forms of its
// words. Directives for compounding, suggestions and morphology are passed
// over: they make no word forms.
class AffixRules {
public:
    // Reads the affix file; false, with an error naming the file and the line,
    // when it cannot be read or is malformed.
    bool read(const QString& path, QString& error);

    // The 8-bit set of the files; null for UTF-8.
    const HighHalf* charset() const { return charset_; }
    const FlagDecoder& flags() const { return flags_; }
    bool complexPrefixes() const { return complexPrefixes_; }
    bool fullStrip() const { return fullStrip_; }
    // The IGNORE characters, sorted; removed from words and affixes.
    const std::u32string& ignored() const { return ignored_; }

    // Flags with a meaning of their own; 0 when the file sets none.
    AffixFlag needAffixFlag() const { return needAffix_; }
    AffixFlag forbiddenFlag() const { return forbidden_; }
    AffixFlag onlyInCompoundFlag() const { return onlyInCompound_; }
    // The WARN flag when FORBIDWARN makes its words forbidden, else 0.
    AffixFlag forbiddenWarnFlag() const { return forbidWarn_ ? warn_ : 0; }

    const std::vector<AffixEntry>& entries() const { return entries_; }
    const std::vector<AffixClass>& classes() const { return classes_; }
    // The class of a flag on the inner or outer side; -1 for none.
    std::int32_t innerClass(AffixFlag flag) const { return innerOf_.find(flag); }
    std::int32_t outerClass(AffixFlag flag) const { return outerOf_.find(flag); }

    // Converts text of the files to UTF-8 in `out`; false when text of a UTF-8
    // file is not valid UTF-8.
    bool toUtf8(QByteArrayView bytes, std::string& out) const;
    // Drops the IGNORE characters from UTF-8 text.
    void removeIgnored(std::string& text) const;
    // Writes the forms as the dictionary's users write them (OCONV), in place.
    void convertOutput(std::string& forms) const;

private:
    friend class AffixFileParser;
    // Fills in what the entries' continuations name, once all classes are known.
    void resolveContinuations();
    void indexClasses();
    void addEntry(AffixEntry entry, AffixFlag flag);

    const HighHalf* charset_ = nullptr;
    FlagDecoder flags_;
    bool complexPrefixes_ = false;
    bool fullStrip_ = false;
    bool forbidWarn_ = false;
    std::u32string ignored_;
    std::vector<std::pair<std::string, std::string>> outputConversions_;
    AffixFlag needAffix_ = 0, circumfix_ = 0, forbidden_ = 0, onlyInCompound_ = 0, warn_ = 0;
    std::vector<AffixEntry> entries_;
    std::vector<AffixClass> classes_;
    FlagTable innerOf_, outerOf_;
};

} // namespace Vorlaine
