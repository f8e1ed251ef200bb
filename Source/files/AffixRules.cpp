#include "files/AffixRules.h"

#include "files/TextEncoding.h"

#include <algorithm>

namespace Vorlaine {

void FlagTable::set(AffixFlag flag, std::int32_t value) {
    if (flag < dense_.size()) {
        dense_[flag] = value;
        return;
    }
    sparse_.emplace_back(flag, value);
}

std::int32_t FlagTable::findSparse(AffixFlag flag) const {
    for (const auto& [key, value] : sparse_) {
        if (key == flag)
            return value;
    }
    return -1;
}

bool AffixRules::toUtf8(QByteArrayView bytes, std::string& out) const {
    out.clear();
    if (charset_) {
        AppendAsUtf8(bytes, *charset_, out);
        return true;
    }
    if (!IsUtf8(bytes))
        return false;
    out.assign(bytes.data(), static_cast<std::size_t>(bytes.size()));
    return true;
}

void AffixRules::removeIgnored(std::string& text) const {
    if (ignored_.empty())
        return;
    std::string kept;
    for (const char* p = text.data(); p < text.data() + text.size();) {
        const char* const start = p;
        const char32_t c = NextCharacter(p);
        if (!std::binary_search(ignored_.begin(), ignored_.end(), c))
            kept.append(start, p);
    }
    text = std::move(kept);
}

void AffixRules::addEntry(AffixEntry entry, AffixFlag flag) {
    // Prefixes stack twice only with COMPLEXPREFIXES, suffixes only without.
    const bool inner = entry.atStart == complexPrefixes_;
    FlagTable& table = inner ? innerOf_ : outerOf_;
    std::int32_t index = table.find(flag);
    if (index < 0) {
        index = static_cast<std::int32_t>(classes_.size());
        classes_.push_back(AffixClass{flag, inner, entry.atStart, {}, {}, {}, {}, {}});
        table.set(flag, index);
    }
    entry.classIndex = index;
    classes_[static_cast<std::size_t>(index)].entries.push_back(
        static_cast<std::int32_t>(entries_.size()));
    entries_.push_back(std::move(entry));
}

void AffixRules::indexClasses() {
    constexpr std::size_t SmallClass = 6;
    std::vector<std::pair<unsigned char, std::int32_t>> keyed; // byte, entry
    for (AffixClass& affixClass : classes_) {
        if (affixClass.entries.size() <= SmallClass)
            continue;
        keyed.clear();
        for (const std::int32_t index : affixClass.entries) {
            const AffixEntry& entry = entries_[static_cast<std::size_t>(index)];
            bool bytes[256] = {};
            if (!entry.strip.empty())
                bytes[static_cast<unsigned char>(entry.atStart ? entry.strip.front()
                                                               : entry.strip.back())] = true;
            else if (!entry.condition.markNextBytes(bytes)) {
                affixClass.anyByte.push_back(index);
                continue;
            }
            for (std::size_t b = 0; b < 256; ++b) {
                if (bytes[b])
                    keyed.emplace_back(static_cast<unsigned char>(b), index);
            }
        }
        // By byte, and in the file's order for each byte.
        std::stable_sort(keyed.begin(), keyed.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        affixClass.starts.assign(257, 0);
        for (const auto& [byte, index] : keyed) {
            ++affixClass.starts[byte + 1u];
            affixClass.byByte.push_back(index);
        }
        for (std::size_t b = 0; b < 256; ++b)
            affixClass.starts[b + 1] += affixClass.starts[b];
    }
}

void AffixRules::resolveContinuations() {
    const auto has = [](const AffixFlags& flags, AffixFlag flag) {
        return flag != 0 && FlagDecoder::Contains(flags, flag);
    };
    for (AffixEntry& entry : entries_) {
        for (const AffixFlag flag : entry.continuation) {
            if (const std::int32_t inner = innerOf_.find(flag); inner >= 0)
                entry.innerClasses.push_back(inner);
            if (const std::int32_t outer = outerOf_.find(flag); outer >= 0)
                entry.outerClasses.push_back(outer);
        }
        entry.needsAffix = has(entry.continuation, needAffix_);
        entry.circumfix = has(entry.continuation, circumfix_);
        entry.onlyInCompound = has(entry.continuation, onlyInCompound_);
    }
    for (AffixClass& affixClass : classes_) {
        for (const std::int32_t index : affixClass.entries) {
            const AffixEntry& entry = entries_[static_cast<std::size_t>(index)];
            if (!affixClass.inner && entry.cross && !entry.onlyInCompound &&
                !entry.innerClasses.empty())
                affixClass.allowingInner.push_back(index);
        }
    }
}

void AffixRules::convertOutput(std::string& forms) const {
    for (const auto& [from, to] : outputConversions_) {
        for (std::size_t at = forms.find(from); at != std::string::npos;
             at = forms.find(from, at + to.size()))
            forms.replace(at, from.size(), to);
    }
}

} // namespace Vorlaine
