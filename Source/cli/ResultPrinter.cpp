#include "cli/ResultPrinter.h"

#include "cli/JsonPrinter.h"
#include "cli/PlainPrinter.h"
#include "search/anagrams/AnagramVocabulary.h"

namespace Vorlaine {

void ResultPrinter::setAnagramWords(const AnagramVocabulary& vocabulary, int score) {
    vocabulary_ = &vocabulary;
    anagramScore_ = score;
    anagramWords_.clear();
    anagramWords_.reserve(vocabulary.words().size());
    for (const QString& word : vocabulary.words())
        anagramWords_.push_back(anagramWord(word));
    included_.clear();
    for (const QString& word : vocabulary.included())
        included_.push_back(anagramWord(word));
}

bool ResultPrinter::printAnagram(std::span<const int> indices) {
    parts_.clear();
    if (included_.empty()) {
        for (const int index : indices)
            parts_.emplace_back(anagramWords_[static_cast<std::size_t>(index)]);
    } else {
        // The included words, in the same order, go before the first word
        // that ranks after them.
        std::size_t included = 0;
        for (const int index : indices) {
            const auto i = static_cast<std::size_t>(index);
            while (included < static_cast<std::size_t>(vocabulary_->includedBefore(i)))
                parts_.emplace_back(included_[included++]);
            parts_.emplace_back(anagramWords_[i]);
        }
        while (included < included_.size())
            parts_.emplace_back(included_[included++]);
    }
    return addAnagram(parts_, indices);
}

std::unique_ptr<ResultPrinter> MakeResultPrinter(OutputFormat format, ResultLines& lines,
                                                 bool withSeed) {
    switch (format) {
    case OutputFormat::Json:
        return std::make_unique<JsonPrinter>(lines, withSeed);
    case OutputFormat::Plain:
        break;
    }
    return std::make_unique<PlainPrinter>(lines, withSeed);
}

} // namespace Vorlaine
