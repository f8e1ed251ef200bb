#pragma once

#include "search/letters/LetterKeys.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <bitset>
#include <string>
#include <string_view>
#include <unordered_map>

namespace Vorlaine {

// The hooks of the words a search found: the letters (an edition's tiles)
// that make another word of the list when put before a word or after it.
// The words come first; then each item of the list, read again, adds the
// hooks it makes. Words compare by their letter keys.
class WordHooks {
public:
    // The keys must outlive the hooks.
    explicit WordHooks(const LetterKeys& keys) : keys_(keys) {}

    void addWord(QStringView word);
    // An item of the list, as its bytes.
    void scan(QByteArrayView item);

    // A word's hooks, each shown as its letters, in the order of their keys;
    // apart, with a blank between, in an edition with tiles of two letters.
    QString before(QStringView word) const { return shown(word, &Hooks::before); }
    QString after(QStringView word) const { return shown(word, &Hooks::after); }

private:
    struct Hooks {
        std::u16string before, after; // units of keys, each once
    };
    // Keys as UTF-16, looked up without a copy of their own.
    struct KeyHash {
        using is_transparent = void;
        std::size_t operator()(std::u16string_view key) const {
            return std::hash<std::u16string_view>()(key);
        }
    };
    using Words = std::unordered_map<std::u16string, Hooks, KeyHash, std::equal_to<>>;

    void hookOf(std::u16string_view key);
    QString shown(QStringView word, std::u16string Hooks::*side) const;

    const LetterKeys& keys_;
    Words words_;
    // The key lengths that can make a hook: one more than a word's (up to 63).
    std::bitset<64> hookLengths_;
    qsizetype longestHook_ = 0;
    std::u16string key_; // the item's key, kept for its room
    // The first and last units of the words' keys, when all are ASCII: most
    // items are passed over without a look-up.
    std::bitset<128> firsts_, lasts_;
    bool onlyAscii_ = true;
};

} // namespace Vorlaine
