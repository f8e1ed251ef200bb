#include "cli/ResultPrinter.h"

#include "cli/JsonPrinter.h"
#include "cli/PlainPrinter.h"
#include "search/anagrams/AnagramVocabulary.h"

namespace Vorlaine {

void ResultPrinter::setAnagramWords(const AnagramVocabulary& vocabulary, int score) {
    vocabulary_ = &vocabulary;
    anagramScore_ = score;
    std::vector<QByteArray> printed;
    printed.reserve(vocabulary.words().size() +
                    static_cast<std::size_t>(vocabulary.included().size()));
    for (const QString& word : vocabulary.words())
        printed.push_back(anagramWord(word));
    firstIncluded_ = static_cast<int>(printed.size());
    for (const QString& word : vocabulary.included())
        printed.push_back(anagramWord(word));
    included_ = static_cast<int>(vocabulary.included().size());
    words_ = ResultLines::AnagramWords(anagramJoins(), printed);
}

bool ResultPrinter::printAnagram(std::span<const int> indices) {
    if (included_ == 0)
        return lines_.addAnagram(words_, indices, anagramTail(indices));
    // The included words, in the same order, go before the first word that
    // ranks after them.
    order_.clear();
    int included = 0;
    for (const int index : indices) {
        while (included < vocabulary_->includedBefore(static_cast<std::size_t>(index)))
            order_.push_back(firstIncluded_ + included++);
        order_.push_back(index);
    }
    while (included < included_)
        order_.push_back(firstIncluded_ + included++);
    return lines_.addAnagram(words_, order_, anagramTail(indices));
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
