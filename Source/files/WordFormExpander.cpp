#include "files/WordFormExpander.h"

#include <algorithm>

namespace Vorlaine {

WordFormExpander::WordFormExpander(const AffixRules& rules)
    : rules_(rules), entries_(rules.entries()), classes_(rules.classes()),
      minimumStem_(rules.fullStrip() ? 0 : 1), marks_(rules.classes().size(), 0) {
    findMutual();
}

bool WordFormExpander::Names(const AffixEntry& inner, std::int32_t outerClass) {
    return std::find(inner.outerClasses.begin(), inner.outerClasses.end(), outerClass) !=
           inner.outerClasses.end();
}

void WordFormExpander::findMutual() {
    for (std::size_t o = 0; o < entries_.size(); ++o) {
        const AffixEntry& outer = entries_[o];
        if (classes_[static_cast<std::size_t>(outer.classIndex)].inner || !outer.cross ||
            outer.onlyInCompound)
            continue;
        for (const std::int32_t innerClass : outer.innerClasses) {
            for (const std::int32_t f : classes_[static_cast<std::size_t>(innerClass)].entries) {
                const AffixEntry& first = entry(f);
                if (!first.cross || first.onlyInCompound || first.circumfix != outer.circumfix)
                    continue;
                const auto o32 = static_cast<std::int32_t>(o);
                const bool named = Names(first, outer.classIndex);
                if (named && !(first.needsAffix && outer.needsAffix))
                    mutual_.push_back({o32, f, -1});
                for (const std::int32_t secondClass : first.innerClasses) {
                    for (const std::int32_t n :
                         classes_[static_cast<std::size_t>(secondClass)].entries) {
                        const AffixEntry& second = entry(n);
                        // Only the first may name the outer one here: see
                        // expandAllowedByOuter.
                        if (named && second.cross && !second.onlyInCompound &&
                            (!second.circumfix || outer.circumfix) &&
                            !Names(second, outer.classIndex))
                            mutual_.push_back({o32, f, n});
                    }
                }
            }
        }
    }
}

void WordFormExpander::expandMutual(std::string_view word, std::string& out) {
    for (const Mutual& mutual : mutual_) {
        const AffixEntry& outer = entry(mutual.outer);
        const AffixEntry& first = entry(mutual.first);
        // Made with the word's own classes where it has either.
        if (inWord(outer.classIndex) || inWord(first.classIndex) || !applies(first, word))
            continue;
        once_.clear();
        Append(first, word, once_);
        if (mutual.second < 0) {
            if (applies(outer, once_))
                addForm(outer, once_, out);
            continue;
        }
        const AffixEntry& second = entry(mutual.second);
        if (!applies(second, once_))
            continue;
        twice_.clear();
        Append(second, once_, twice_);
        if (applies(outer, twice_))
            addForm(outer, twice_, out);
    }
}

void WordFormExpander::Append(const AffixEntry& entry, std::string_view word, std::string& out) {
    const std::size_t strip = entry.strip.size();
    if (entry.atStart) {
        out += entry.affix;
        out.append(word.substr(strip));
    } else {
        out.append(word.substr(0, word.size() - strip));
        out += entry.affix;
    }
}

void WordFormExpander::put(std::string_view form, std::string& out) const {
    if (form.empty() || (forbidden_ && forbidden_->blocks(form, standing_)))
        return;
    out += form;
    out += '\n';
}

void WordFormExpander::addForm(const AffixEntry& entry, std::string_view word,
                               std::string& out) const {
    const std::size_t before = out.size();
    Append(entry, word, out);
    // FULLSTRIP can leave nothing.
    const std::string_view form(out.data() + before, out.size() - before);
    if (form.empty() || (forbidden_ && forbidden_->blocks(form, standing_)))
        out.resize(before);
    else
        out += '\n';
}

void WordFormExpander::expand(std::string_view word, const AffixFlags& flags, std::string& out) {
    const auto has = [&flags](AffixFlag flag) {
        return flag != 0 && FlagDecoder::Contains(flags, flag);
    };
    if (word.empty() || has(rules_.forbiddenFlag()) || has(rules_.onlyInCompoundFlag()) ||
        has(rules_.forbiddenWarnFlag()))
        return;
    expandForms(word, flags, out);
}

void WordFormExpander::expandForms(std::string_view word, const AffixFlags& flags,
                                   std::string& out) {
    if (++epoch_ == 0) {
        std::fill(marks_.begin(), marks_.end(), 0u);
        epoch_ = 1;
    }
    inner_.clear();
    outer_.clear();
    for (const AffixFlag flag : flags) {
        if (const std::int32_t inner = rules_.innerClass(flag); inner >= 0) {
            inner_.push_back(inner);
            marks_[static_cast<std::size_t>(inner)] = epoch_;
        }
        if (const std::int32_t outer = rules_.outerClass(flag); outer >= 0) {
            outer_.push_back(outer);
            marks_[static_cast<std::size_t>(outer)] = epoch_;
        }
    }
    const bool standsAlone = !FlagDecoder::Contains(flags, rules_.needAffixFlag());
    standing_ = standsAlone ? word : std::string_view();
    if (standsAlone)
        put(word, out);
    for (const std::int32_t inner : inner_)
        forEachFitting(inner, word,
                       [&](const AffixEntry& first) { expandInner(first, word, out); });
    for (const std::int32_t outer : outer_) {
        forEachFitting(outer, word, [&](const AffixEntry& alone) {
            if (!alone.needsAffix && !alone.circumfix && !alone.onlyInCompound)
                addForm(alone, word, out);
        });
        for (const std::int32_t index : classes_[static_cast<std::size_t>(outer)].allowingInner)
            expandAllowedByOuter(entry(index), word, out);
    }
    if (!mutual_.empty())
        expandMutual(word, out);
}

template <typename Use>
void WordFormExpander::forEachFitting(std::int32_t classIndex, std::string_view word,
                                      Use use) const {
    const AffixClass& affixClass = classes_[static_cast<std::size_t>(classIndex)];
    if (affixClass.starts.empty() || word.empty()) {
        for (const std::int32_t index : affixClass.entries) {
            if (applies(entry(index), word))
                use(entry(index));
        }
        return;
    }
    // The entries for the byte next to the affix, merged with those for any
    // byte, so that they come in the file's order.
    const auto next = static_cast<unsigned char>(affixClass.atStart ? word.front() : word.back());
    const std::int32_t* one = affixClass.byByte.data() + affixClass.starts[next];
    const std::int32_t* const oneEnd = affixClass.byByte.data() + affixClass.starts[next + 1];
    const std::int32_t* any = affixClass.anyByte.data();
    const std::int32_t* const anyEnd = any + affixClass.anyByte.size();
    while (one != oneEnd || any != anyEnd) {
        const std::int32_t index =
            any == anyEnd || (one != oneEnd && *one < *any) ? *one++ : *any++;
        if (applies(entry(index), word))
            use(entry(index));
    }
}

template <typename Use>
void WordFormExpander::forEachOuter(const AffixEntry& first, const AffixEntry* second,
                                    std::string_view word, Use use) const {
    // Both sides must allow the cross product, an ONLYINCOMPOUND affix is no
    // part of a word, and a circumfix goes on both sides or on neither.
    const auto fits = [&](std::int32_t classIndex) {
        forEachFitting(classIndex, word, [&](const AffixEntry& outer) {
            if (outer.cross && !outer.onlyInCompound && outer.circumfix == first.circumfix &&
                (!second || !second->circumfix || outer.circumfix))
                use(outer);
        });
    };
    // The word's outer classes and those the first inner affix allows need it
    // to take the cross product; those the second allows do not.
    if (first.cross) {
        for (const std::int32_t outer : outer_)
            fits(outer);
        for (const std::int32_t outer : first.outerClasses) {
            if (!inWord(outer))
                fits(outer);
        }
    }
    if (second) {
        for (const std::int32_t outer : second->outerClasses) {
            if (!(first.cross && (inWord(outer) || Names(first, outer))))
                fits(outer);
        }
    }
}

void WordFormExpander::expandInner(const AffixEntry& inner, std::string_view word,
                                   std::string& out) {
    if (inner.onlyInCompound)
        return;
    once_.clear();
    Append(inner, word, once_);
    if (!inner.needsAffix && !inner.circumfix)
        put(once_, out);
    if (inner.cross) {
        forEachOuter(inner, nullptr, once_, [&](const AffixEntry& outer) {
            // A NEEDAFFIX affix on each side still needs a third.
            if (!(inner.needsAffix && outer.needsAffix))
                addForm(outer, once_, out);
        });
    }
    for (const std::int32_t second : inner.innerClasses) {
        forEachFitting(second, once_, [&](const AffixEntry& next) {
            if (next.onlyInCompound)
                return;
            twice_.clear();
            Append(next, once_, twice_);
            if (!inner.circumfix && !next.circumfix)
                put(twice_, out);
            if (next.cross) {
                forEachOuter(inner, &next, twice_,
                             [&](const AffixEntry& outer) { addForm(outer, twice_, out); });
            }
        });
    }
}

void WordFormExpander::expandAllowedByOuter(const AffixEntry& outer, std::string_view word,
                                            std::string& out) {
    for (const std::int32_t innerClass : outer.innerClasses) {
        if (inWord(innerClass))
            continue; // made with the word's own inner classes
        for (const std::int32_t index : classes_[static_cast<std::size_t>(innerClass)].entries) {
            const AffixEntry& inner = entry(index);
            if (!inner.cross || inner.onlyInCompound || inner.circumfix != outer.circumfix ||
                !applies(inner, word))
                continue;
            once_.clear();
            Append(inner, word, once_);
            if (!(inner.needsAffix && outer.needsAffix) && applies(outer, once_))
                addForm(outer, once_, out);
            for (const std::int32_t second : inner.innerClasses) {
                for (const std::int32_t next : classes_[static_cast<std::size_t>(second)].entries) {
                    const AffixEntry& last = entry(next);
                    // When the second names the outer one, hunspell wants the
                    // first to be the word's own.
                    if (!last.cross || last.onlyInCompound ||
                        (last.circumfix && !outer.circumfix) || Names(last, outer.classIndex) ||
                        !applies(last, once_))
                        continue;
                    twice_.clear();
                    Append(last, once_, twice_);
                    if (applies(outer, twice_))
                        addForm(outer, twice_, out);
                }
            }
        }
    }
}

} // namespace Vorlaine
