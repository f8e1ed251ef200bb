#include "search/query/WordHooks.h"

#include "files/TextEncoding.h"

#include <algorithm>

namespace Vorlaine {

namespace {
std::u16string_view View(QStringView text) {
    return {text.utf16(), static_cast<std::size_t>(text.size())};
}

void AddUnit(std::u16string& units, char16_t unit) {
    if (units.find(unit) == std::u16string::npos)
        units += unit;
}
} // namespace

void WordHooks::addWord(QStringView word) {
    const QString key = keys_.key(word);
    words_.try_emplace(std::u16string(View(key)));
    if (key.size() + 1 < qsizetype(hookLengths_.size()))
        hookLengths_.set(static_cast<std::size_t>(key.size() + 1));
    longestHook_ = std::max(longestHook_, key.size() + 1);
    if (key.isEmpty() || key.front().unicode() >= 128 || key.back().unicode() >= 128) {
        onlyAscii_ = false;
        return;
    }
    firsts_.set(key.front().unicode());
    lasts_.set(key.back().unicode());
}

void WordHooks::scan(QByteArrayView item) {
    const qsizetype size = item.size();
    if (size < 2)
        return;
    if (keys_.asciiKeyIsBytes()) {
        const auto lower = [](char c) {
            return static_cast<char16_t>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        };
        // An item whose first two and last two bytes are ASCII begins and
        // ends with those letters, whatever lies between, so the words a hook
        // would leave are known by their ends: most items are passed over
        // before their bytes are looked at.
        const auto ascii = [](char c) { return (static_cast<unsigned char>(c) & 0x80) == 0; };
        if (onlyAscii_ && ascii(item[0]) && ascii(item[1]) && ascii(item[size - 2]) &&
            ascii(item[size - 1]) &&
            !(firsts_.test(lower(item[1])) && lasts_.test(lower(item[size - 1]))) &&
            !(firsts_.test(lower(item[0])) && lasts_.test(lower(item[size - 2]))))
            return;
        // An ASCII item's key is as long as its bytes.
        if (IsAscii(item)) {
            if (size >= qsizetype(hookLengths_.size()) ||
                !hookLengths_.test(static_cast<std::size_t>(size)))
                return;
            key_.resize(static_cast<std::size_t>(size));
            std::transform(item.begin(), item.end(), key_.begin(), lower);
            hookOf(key_);
            return;
        }
    }
    const QString key = keys_.key(DecodeItem(item));
    if (key.size() < qsizetype(hookLengths_.size()) &&
        hookLengths_.test(static_cast<std::size_t>(key.size())))
        hookOf(View(key));
}

void WordHooks::hookOf(std::u16string_view key) {
    const auto mayBe = [this](std::u16string_view word) {
        return !onlyAscii_ || (word.front() < 128 && word.back() < 128 &&
                               firsts_.test(word.front()) && lasts_.test(word.back()));
    };
    const std::u16string_view withoutFirst = key.substr(1);
    const std::u16string_view withoutLast = key.substr(0, key.size() - 1);
    if (mayBe(withoutFirst)) {
        if (const auto word = words_.find(withoutFirst); word != words_.end())
            AddUnit(word->second.before, key.front());
    }
    if (mayBe(withoutLast)) {
        if (const auto word = words_.find(withoutLast); word != words_.end())
            AddUnit(word->second.after, key.back());
    }
}

QString WordHooks::shown(QStringView word, std::u16string Hooks::*side) const {
    const QString key = keys_.key(word);
    const auto found = words_.find(View(key));
    if (found == words_.end())
        return {};
    std::u16string units = found->second.*side;
    std::sort(units.begin(), units.end());
    // With tiles of two letters (the Spanish ch), c and h must not read as ch.
    const bool apart = !keys_.asciiKeyIsBytes();
    QString letters;
    for (const char16_t unit : units) {
        if (apart && !letters.isEmpty())
            letters += u' ';
        letters += keys_.letters(unit);
    }
    return letters;
}

} // namespace Vorlaine
