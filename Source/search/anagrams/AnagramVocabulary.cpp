#include "search/anagrams/AnagramVocabulary.h"

#include "search/letters/LetterKey.h"

#include <algorithm>
#include <iterator>
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

AnagramVocabulary::AnagramVocabulary(const QString& phrase, const WordQuery& words,
                                     const PhraseRules& rules, const LetterKeys& keys)
    : query_(words), rules_(rules), keys_(keys) {
    QString letters = phrase;
    letters.removeIf([](QChar c) { return c == u' ' || c == u'\t'; });
    phraseKey_ = keys.key(letters);
    searched_ = phraseKey_;
    for (const QString& word : rules.included) {
        includedKeys_ << keys.key(word);
        includedSpellings_ << word;
        if (searched_)
            searched_ = Without(*searched_, includedKeys_.constLast());
    }
    includedListed_.assign(static_cast<std::size_t>(includedKeys_.size()), false);
    for (const QString& word : rules.excluded)
        excluded_.insert(keys.key(word));
    if (searched_)
        searchedLetters_.reset(*searched_);
}

WordQuery AnagramVocabulary::query() const {
    WordQuery query = query_;
    query.mode = FitMode::Within;
    query.scores = false;
    query.eachWordOnce = true;
    // With words the anagrams must hold, the whole phrase is searched, so
    // that the list's spellings of those words are met too.
    const bool including = !includedKeys_.isEmpty();
    query.seed = including ? phraseKey_ : searched_.value_or(QString());
    query.minimumLength = including ? 0 : query_.minimumLength;
    query.maximumLength = including ? MaxWordLength : query_.maximumLength;
    return query;
}

void AnagramVocabulary::offer(const QString& word) {
    QString key = keys_.key(word);
    for (qsizetype i = 0; i < includedKeys_.size(); ++i) {
        if (key == includedKeys_[i] && !includedListed_[static_cast<std::size_t>(i)]) {
            includedSpellings_[i] = word;
            includedListed_[static_cast<std::size_t>(i)] = true;
        }
    }
    // Lengths count the letters the word plays.
    if (static_cast<double>(key.size()) < query_.minimumLength ||
        key.size() > query_.maximumLength ||
        searchedLetters_.missing(key, query_.blanks) > query_.blanks ||
        (rules_.distinct && includedKeys_.contains(key)) || taken_.contains(key) ||
        excluded_.contains(key))
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
        lower.push_back(LowerCaseKey(word));
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return CompareLongestFirst(lower[static_cast<std::size_t>(a)],
                                   lower[static_cast<std::size_t>(b)]) < 0;
    });
    for (std::size_t place = 0; place < order.size(); ++place)
        keyed_[static_cast<std::size_t>(order[place])].rank = static_cast<int>(place);

    // The included words in the same order; the same word ties, and the
    // included one goes first.
    std::stable_sort(includedSpellings_.begin(), includedSpellings_.end(),
                     [](const QString& a, const QString& b) {
                         return CompareLongestFirst(LowerCaseKey(a), LowerCaseKey(b)) < 0;
                     });
    includedBefore_.assign(words_.size(), 0);
    for (const QString& included : includedSpellings_) {
        const QString includedLower = LowerCaseKey(included);
        const QString includedKey = keys_.key(included);
        for (std::size_t i = 0; i < words_.size(); ++i) {
            if (includedKey == keyed_[i].key || CompareLongestFirst(includedLower, lower[i]) < 0)
                ++includedBefore_[i];
        }
    }
}

int AnagramVocabulary::searchedWords() const {
    return rules_.maxWords - static_cast<int>(includedKeys_.size());
}

bool AnagramVocabulary::includedAreWholePhrase() const {
    return !includedKeys_.isEmpty() && searched_ && searched_->isEmpty() && query_.blanks == 0;
}

PhraseAnagrams AnagramVocabulary::takeSearch() {
    AnagramOptions options;
    options.maxWords = std::max(searchedWords(), 1);
    options.distinct = rules_.distinct;
    options.blanks = static_cast<int>(query_.blanks);
    if (options.blanks > 0) {
        blankedKeys_.reserve(keyed_.size());
        for (const AnagramWord& word : keyed_)
            blankedKeys_.push_back(word.key);
        sortedSearched_ = searched_.value_or(QString());
        std::sort(sortedSearched_.begin(), sortedSearched_.end());
    }
    PhraseAnagrams search(searched_.value_or(QString()), std::move(keyed_), options);
    search.setMinimumWords(rules_.minimumWords - static_cast<int>(includedKeys_.size()));
    return search;
}

int AnagramVocabulary::phraseScore(const TileValues& tiles) const {
    int score = 0;
    for (const QChar unit : phraseKey_)
        score += tiles.value(unit.unicode());
    return score;
}

QString AnagramVocabulary::blankLetters(std::span<const int> indices) const {
    if (blankedKeys_.empty())
        return {};
    QString played;
    for (const int index : indices)
        played += blankedKeys_[static_cast<std::size_t>(index)];
    std::sort(played.begin(), played.end());
    // What the words play beyond the letters searched for.
    QString letters;
    std::set_difference(played.cbegin(), played.cend(), sortedSearched_.cbegin(),
                        sortedSearched_.cend(), std::back_inserter(letters));
    QString shown;
    for (const QChar unit : letters)
        shown += keys_.letters(unit.unicode());
    return shown;
}

} // namespace Vorlaine
