#include "search/AnagramVocabulary.h"

#include "search/LetterKey.h"

#include <algorithm>
#include <numeric>

namespace Vorlaine {

namespace {

// The phrase's letters without those of `word`; nothing when the phrase
// lacks some of them.
std::optional<QString> Without(const QString& phrase, const QString& word) {
    QString rest = phrase;
    for (const QChar letter : word) {
        const qsizetype at = rest.indexOf(letter);
        if (at < 0)
            return std::nullopt;
        rest.remove(at, 1);
    }
    return rest;
}

} // namespace

AnagramVocabulary::AnagramVocabulary(const QString& phrase, const Rules& rules) : rules_(rules) {
    QString letters = phrase;
    letters.removeIf([](QChar c) { return c == u' ' || c == u'\t'; });
    phraseKey_ = LetterKey(letters, rules.foldAccents);
    includeKey_ = LetterKey(rules.include, rules.foldAccents);
    includeSpelling_ = rules.include;
    searched_ = Without(phraseKey_, includeKey_);
    for (const QString& word : rules.excluded)
        excluded_.insert(LetterKey(word, rules.foldAccents));
    if (searched_)
        searchedLetters_.reset(*searched_);
}

WordQuery AnagramVocabulary::query() const {
    WordQuery query;
    query.blanks = rules_.blanks;
    query.scores = false;
    query.noProperNouns = rules_.noProperNouns;
    // With a word the anagrams must hold, the whole phrase is searched, so
    // that the list's spelling of that word is met too.
    const bool including = !rules_.include.isEmpty();
    query.seed = including ? phraseKey_ : searched_.value_or(QString());
    query.minimumLength = including ? 0 : rules_.minimumLength;
    query.maximumLength = including ? MaxWordLength : rules_.maximumLength;
    return query;
}

void AnagramVocabulary::offer(const QString& word) {
    QString key = LetterKey(word, rules_.foldAccents);
    if (!rules_.include.isEmpty() && key == includeKey_ && !includeListed_) {
        includeSpelling_ = word;
        includeListed_ = true;
    }
    if (static_cast<double>(word.size()) < rules_.minimumLength ||
        word.size() > rules_.maximumLength ||
        searchedLetters_.missing(key, rules_.blanks) > rules_.blanks ||
        (rules_.distinct && !rules_.include.isEmpty() && key == includeKey_) ||
        taken_.contains(key) || excluded_.contains(key))
        return;
    taken_.insert(key);
    words_.push_back(word);
    keyed_.push_back({std::move(key), 0});
}

void AnagramVocabulary::rank() {
    std::vector<int> order(words_.size());
    std::iota(order.begin(), order.end(), 0);
    std::vector<QString> lower;
    lower.reserve(words_.size());
    for (const QString& word : words_)
        lower.push_back(LetterKey(word, false));
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return CompareLongestFirst(lower[static_cast<std::size_t>(a)],
                                   lower[static_cast<std::size_t>(b)]) < 0;
    });
    for (std::size_t place = 0; place < order.size(); ++place)
        keyed_[static_cast<std::size_t>(order[place])].rank = static_cast<int>(place);

    // The same word ties, and the included one goes first.
    const QString includeLower = LetterKey(includeSpelling_, false);
    includeBefore_.assign(words_.size(), false);
    for (std::size_t i = 0; i < words_.size() && !rules_.include.isEmpty(); ++i)
        includeBefore_[i] = SameWord(includeSpelling_, words_[i], rules_.foldAccents) ||
                            CompareLongestFirst(includeLower, lower[i]) < 0;
}

bool AnagramVocabulary::includeIsWholePhrase() const {
    return !rules_.include.isEmpty() && searched_ && searched_->isEmpty() && rules_.blanks == 0;
}

PhraseAnagrams AnagramVocabulary::takeSearch() {
    AnagramOptions options;
    options.maxWords = rules_.maxWords - (rules_.include.isEmpty() ? 0 : 1);
    options.distinct = rules_.distinct;
    options.blanks = rules_.blanks;
    PhraseAnagrams search(searched_.value_or(QString()), std::move(keyed_), options);
    search.setMinimumWords(rules_.minimumWords - (rules_.include.isEmpty() ? 0 : 1));
    return search;
}

} // namespace Vorlaine
