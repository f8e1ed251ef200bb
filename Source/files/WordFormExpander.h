#pragma once

#include "files/AffixRules.h"
#include "files/ForbiddenWords.h"

#include <string>
#include <string_view>
#include <vector>

namespace Vorlaine {

// Makes every form that hunspell accepts of one dictionary word, without
// compounding: the word, and what one or two affixes of the inner side
// (suffixes, or prefixes with COMPLEXPREFIXES) and one of the outer side make
// of it, as the flags, continuations and cross products allow.
class WordFormExpander {
public:
    explicit WordFormExpander(const AffixRules& rules);

    // Appends each form of the word (UTF-8, the IGNORE characters removed) to
    // `out`, followed by '\n': the word first, if it is a form by itself.
    // `flags` are the word's flags, sorted.
    void expand(std::string_view word, const AffixFlags& flags, std::string& out);
    // The same, whatever the word's FORBIDDENWORD and ONLYINCOMPOUND flags say:
    // the forms of a forbidden word are forbidden too.
    void expandForms(std::string_view word, const AffixFlags& flags, std::string& out);
    // Leaves out the forms that these forbid; none when null.
    void setForbidden(const ForbiddenWords* forbidden) { forbidden_ = forbidden; }

private:
    bool applies(const AffixEntry& entry, std::string_view word) const {
        const std::size_t strip = entry.strip.size();
        if (word.size() < strip + minimumStem_)
            return false;
        // Strips are a few bytes: compared here rather than by a call.
        const char* const part = entry.atStart ? word.data() : word.data() + word.size() - strip;
        for (std::size_t i = 0; i < strip; ++i) {
            if (part[i] != entry.strip[i])
                return false;
        }
        return entry.condition.matches(word);
    }
    // Puts the affix on the word: into `out` after what it holds.
    static void Append(const AffixEntry& entry, std::string_view word, std::string& out);
    void addForm(const AffixEntry& entry, std::string_view word, std::string& out) const;
    void put(std::string_view form, std::string& out) const;
    const AffixEntry& entry(std::int32_t index) const {
        return entries_[static_cast<std::size_t>(index)];
    }
    bool inWord(std::int32_t classIndex) const {
        return marks_[static_cast<std::size_t>(classIndex)] == epoch_;
    }

    void expandInner(const AffixEntry& inner, std::string_view word, std::string& out);
    // The forms of inner affixes that the outer one's continuation allows.
    void expandAllowedByOuter(const AffixEntry& outer, std::string_view word, std::string& out);
    // The forms of entries that allow each other, whatever the word's flags.
    // Whether the inner entry's continuation names the outer class.
    static bool Names(const AffixEntry& inner, std::int32_t outerClass);
    void expandMutual(std::string_view word, std::string& out);
    void findMutual();
    // Calls `use` with each entry of the class that fits the word.
    template <typename Use>
    void forEachFitting(std::int32_t classIndex, std::string_view word, Use use) const;
    // Calls `use` with each outer entry that fits the word and may go on it
    // with these inner entries.
    template <typename Use>
    void forEachOuter(const AffixEntry& first, const AffixEntry* second, std::string_view word,
                      Use use) const;

    const AffixRules& rules_;
    const std::vector<AffixEntry>& entries_;
    const std::vector<AffixClass>& classes_;
    std::size_t minimumStem_;                 // bytes the strip must leave of the word
    std::vector<std::int32_t> inner_, outer_; // the word's own classes
    std::vector<unsigned> marks_;             // epoch_ for the word's own classes
    unsigned epoch_ = 0;
    std::string once_, twice_; // the word with one or two inner affixes
    const ForbiddenWords* forbidden_ = nullptr;
    std::string_view standing_; // the word, when it is a form by itself
    // An outer entry and one or two inner ones, where the outer one's
    // continuation names the first inner one and an inner one's names the
    // outer one: hunspell takes them on any word their conditions fit.
    struct Mutual {
        std::int32_t outer, first, second; // second: -1 for none
    };
    std::vector<Mutual> mutual_;
};

} // namespace Vorlaine
