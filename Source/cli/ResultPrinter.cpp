#include "cli/ResultPrinter.h"

#include "files/TextEncoding.h"
#include "search/anagrams/AnagramVocabulary.h"
#include "search/query/WordSearch.h"

namespace Vorlaine {

ResultPrinter::ResultPrinter(const Options& options, ResultLines& lines)
    : lines_(lines), format_(options.format), withSeed_(!options.seedsPath.isEmpty()) {}

bool ResultPrinter::printWord(const QString& seed, const WordMatch& match) {
    line_.resize(0);
    if (withSeed_ && seed != seed_) {
        seed_ = seed;
        seedUtf8_ = seed.toUtf8();
    }
    if (format_ == OutputFormat::Json) {
        line_.append('{');
        if (withSeed_) {
            line_.append("\"seed\":");
            AppendJsonString(line_, seed);
            line_.append(',');
        }
        line_.append("\"word\":");
        AppendJsonString(line_, match.word);
        line_.append(",\"length\":").append(QByteArray::number(match.length));
        line_.append(",\"score\":").append(QByteArray::number(match.score));
        line_.append(",\"blanks\":");
        AppendJsonString(line_, match.blanks);
        line_.append('}');
        return lines_.add(line_);
    }
    if (withSeed_)
        line_.append(seedUtf8_).append('\t');
    // A word that is UTF-8 in the list is printed as the list has it.
    line_.append(IsUtf8(match.bytes) ? match.bytes : match.word.toUtf8());
    return lines_.add(line_, withSeed_ ? QByteArrayView() : QByteArrayView(match.bytes));
}

QByteArray ResultPrinter::printedWord(const QString& word) const {
    if (format_ == OutputFormat::Plain)
        return word.toUtf8();
    QByteArray json;
    AppendJsonString(json, word);
    return json;
}

void ResultPrinter::setAnagramWords(const AnagramVocabulary& vocabulary) {
    vocabulary_ = &vocabulary;
    anagramWords_.clear();
    anagramWords_.reserve(vocabulary.words().size());
    for (const QString& word : vocabulary.words())
        anagramWords_.push_back(printedWord(word));
    included_.clear();
    for (const QString& word : vocabulary.included())
        included_.push_back(printedWord(word));
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
    if (format_ == OutputFormat::Json)
        return lines_.addJoined("{\"words\":[", parts_, ",", "]}");
    return lines_.addJoined({}, parts_, " ", {});
}

} // namespace Vorlaine
