#include "search/query/WordSearch.h"

#include "files/WordListReader.h"
#include "search/letters/LetterKey.h"
#include "search/letters/SeedLetters.h"
#include "search/letters/WordSet.h"
#include "search/query/ExcludedWords.h"
#include "search/query/WordIndex.h"
#include "search/query/WordList.h"
#include "search/query/WordPattern.h"

#include <QRegularExpression>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace Vorlaine {

namespace {

bool IsAscii(QByteArrayView bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) == 0; });
}

QString AsciiLower(QByteArrayView bytes) {
    QString lower(bytes.size(), Qt::Uninitialized);
    QChar* out = lower.data();
    for (const char c : bytes)
        *out++ = QChar(static_cast<char16_t>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c));
    return lower;
}

// A capital or title-case letter first, as a proper noun has it.
bool StartsWithCapital(QStringView word) {
    const char32_t first = word.size() > 1 && word[0].isHighSurrogate()
                               ? QChar::surrogateToUcs4(word[0], word[1])
                               : word[0].unicode();
    const QChar::Category category = QChar::category(first);
    return category == QChar::Letter_Uppercase || category == QChar::Letter_Titlecase;
}

// How often the progress is told during a scan of the list.
constexpr qsizetype ProgressEvery = 1 << 16;

} // namespace

// One query's run: the seed's letters and the words listed so far.
class WordSearch::Query {
public:
    // Kept: the items' bytes outlive the query, as in a list in memory, and
    // matches point into them; Copied: each match copies its bytes.
    enum class ItemBytes { Copied, Kept };
    Query(const WordSearch& search, const WordQuery& query, ItemBytes itemBytes)
        : search_(search), query_(query), bytesStay_(itemBytes == ItemBytes::Kept),
          seedKey_(LetterKey(query.seed, search.foldAccents_)), letters_(*search.letters_) {
        search.letters_->reset(seedKey_);
        failure_ = search.prepare(query);
    }

    // The query cannot be answered, as the list of its words to leave out
    // cannot be read.
    bool failed() const { return !failure_.isEmpty(); }

    // Hands the item to `found` when the query lists it.
    Outcome consider(QByteArrayView bytes, const Found& found);
    // The items it is given are each word once already.
    void repeatsWeeded() { repeatsWeeded_ = true; }
    // How a run of this query ended.
    Result ended(Outcome outcome) const { return {outcome, failure_}; }
    // False for an item that the query cannot list, as far as a quick look
    // at an ASCII one shows.
    bool mayList(QByteArrayView bytes) const {
        if (!bytesBound(bytes))
            return true;
        if (query_.minimumLength > static_cast<double>(bytes.size()))
            return false;
        const qsizetype allowed = allowedMissing(bytes.size());
        if (allowed < 0)
            return !IsAscii(bytes);
        const qsizetype missing = letters_.missingAscii(bytes, allowed);
        return missing < 0 || missing <= allowed;
    }

    const QString& seedKey() const { return seedKey_; }

private:
    // Whether the word has at most as many letters as bytes. Folded, ß, æ and
    // œ are two letters each, and take one byte in Windows-1252.
    bool bytesBound(QByteArrayView bytes) const {
        return !search_.foldAccents_ || IsAscii(bytes) || IsUtf8(bytes);
    }
    // How many letters a word of `keyLength` letters may lack from the seed;
    // negative when no word of that length can be listed.
    qsizetype allowedMissing(qsizetype keyLength) const {
        switch (query_.mode) {
        case FitMode::Within:
            return query_.blanks;
        case FitMode::Anagram:
            return keyLength == seedKey_.size() + query_.blanks ? query_.blanks : -1;
        case FitMode::ContainsAll:
            return keyLength - seedKey_.size();
        }
        return -1;
    }
    bool lengthAllowed(qsizetype length) const {
        return query_.minimumLength <= static_cast<double>(length) &&
               length <= query_.maximumLength;
    }

    const WordSearch& search_;
    const WordQuery& query_;
    QString failure_;
    const bool bytesStay_;
    const QString seedKey_;
    const SeedLetters& letters_;
    WordSet listed_;
    bool repeatsWeeded_ = false;
    WordMatch match_;
};

WordSearch::Outcome WordSearch::Query::consider(QByteArrayView bytes, const Found& found) {
    // A word mostly has at most as many letters as bytes, so most items are
    // passed over before they are decoded.
    const bool bound = bytesBound(bytes);
    if (bound && query_.minimumLength > static_cast<double>(bytes.size()))
        return Outcome::Done;
    QString word;
    QString key;
    // What an ASCII word of this many letters may lack. Other words have fewer
    // letters than bytes, so for them it only tells when their ASCII letters
    // already lack too many.
    const qsizetype asciiAllowed = bound ? allowedMissing(bytes.size()) : -1;
    const qsizetype asciiMissing = !bound              ? -1
                                   : asciiAllowed >= 0 ? letters_.missingAscii(bytes, asciiAllowed)
                                   : IsAscii(bytes)    ? 1
                                                       : -1;
    if (asciiMissing >= 0) {
        // ASCII: the bytes are the word, and there are no accents to fold.
        if (asciiMissing > asciiAllowed || !lengthAllowed(bytes.size()) ||
            (query_.noProperNouns && bytes.front() >= 'A' && bytes.front() <= 'Z'))
            return Outcome::Done;
        word = QString::fromLatin1(bytes);
        if (query_.pattern != nullptr || query_.scores || query_.notIn)
            key = AsciiLower(bytes);
        match_.length = bytes.size();
    } else {
        word = DecodeItem(bytes);
        if (query_.noProperNouns && StartsWithCapital(word))
            return Outcome::Done;
        // The letters the word plays: folded, ß is ss and é is e.
        key = LetterKey(word, search_.foldAccents_);
        if (!lengthAllowed(key.size()))
            return Outcome::Done;
        match_.length = key.size();
        const qsizetype allowed = allowedMissing(key.size());
        if (allowed < 0 || letters_.missing(key, allowed) > allowed)
            return Outcome::Done;
    }

    if (query_.pattern != nullptr && !query_.pattern->matches(key))
        return Outcome::Done;
    if (query_.notIn && query_.notIn->holds(key))
        return Outcome::Done;
    if (query_.regex != nullptr) {
        const QRegularExpressionMatch regexMatch =
            query_.regex->match(search_.foldAccents_ ? WithoutAccents(word) : word);
        // An invalid match of a valid expression is one that gave up.
        if (!regexMatch.isValid()) {
            failure_ = u"the regular expression gave up on '"_s + word +
                       u"': it takes too long there. Try a simpler one."_s;
            return Outcome::Failed;
        }
        if (!regexMatch.hasMatch())
            return Outcome::Done;
    }
    if (query_.eachWordOnce && !repeatsWeeded_) {
        if (!listed_.insert(word))
            return Outcome::Done;
    }

    match_.bytes =
        bytesStay_ ? QByteArray::fromRawData(bytes.data(), bytes.size()) : bytes.toByteArray();
    match_.score = 0;
    match_.blanks.clear();
    if (query_.scores) {
        // The letters beyond the seed's are played by blanks, except when the
        // word only has to hold the seed: then they are simply the word's own.
        const bool blanksPlay = query_.mode != FitMode::ContainsAll;
        letters_.play(key, [&](char16_t letter, bool fromSeed) {
            if (fromSeed)
                match_.score += search_.tiles_.value(letter);
            else if (blanksPlay)
                match_.blanks += QChar(letter);
        });
    }
    match_.word = std::move(word);
    return found(match_) ? Outcome::Done : Outcome::Stopped;
}

WordSearch::WordSearch(const TileValues& tiles, bool foldAccents)
    : tiles_(tiles), foldAccents_(foldAccents), letters_(std::make_unique<SeedLetters>()),
      index_(std::make_unique<WordIndex>()) {}

WordSearch::~WordSearch() = default;

QString WordSearch::prepare(const WordQuery& query) const {
    return query.notIn ? query.notIn->read(foldAccents_) : QString();
}

WordSearch::Result WordSearch::run(const WordQuery& query, WordListReader& reader, qint64 itemTotal,
                                   const Found& found, const Progress& progress) const {
    Query run(*this, query, Query::ItemBytes::Copied);
    if (run.failed())
        return run.ended(Outcome::Failed);
    WordListItem item;
    for (qint64 done = 0; reader.readItem(item); ++done) {
        if (progress && done % ProgressEvery == 0 &&
            !progress(static_cast<double>(done) /
                      static_cast<double>(std::max<qint64>(itemTotal, 1))))
            return run.ended(Outcome::Stopped);
        if (item.overlong)
            continue;
        if (const Outcome outcome = run.consider(item.bytes, found); outcome != Outcome::Done)
            return run.ended(outcome);
    }
    return run.ended(Outcome::Done);
}

void WordSearch::buildIndex(const WordList& list) {
    index_->build(list, foldAccents_);
}

WordSearch::Result WordSearch::run(const WordQuery& query, const WordList& list, const Found& found,
                                   const Progress& progress) const {
    Query run(*this, query, Query::ItemBytes::Kept);
    if (run.failed())
        return run.ended(Outcome::Failed);
    if (!index_->covers(list)) {
        for (qsizetype item = 0; item < list.size(); ++item) {
            if (progress && item % ProgressEvery == 0 &&
                !progress(static_cast<double>(item) / static_cast<double>(list.size())))
                return run.ended(Outcome::Stopped);
            if (const Outcome outcome = run.consider(list.bytes(item), found);
                outcome != Outcome::Done)
                return run.ended(outcome);
        }
        return run.ended(Outcome::Done);
    }

    // The share is a rough one: the walk over the index, then the words,
    // half each.
    IndexSteps steps(progress);
    const auto mayList = [&run](QByteArrayView bytes) { return run.mayList(bytes); };
    std::vector<std::uint32_t> items;
    run.repeatsWeeded();
    if (!index_->collect(query, run.seedKey(), mayList, steps, items))
        return run.ended(Outcome::Stopped);
    const auto itemCount = static_cast<double>(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (!steps.goOn(0.5 + static_cast<double>(i) / itemCount / 2))
            return run.ended(Outcome::Stopped);
        if (const Outcome outcome = run.consider(list.bytes(items[i]), found);
            outcome != Outcome::Done)
            return run.ended(outcome);
    }
    return run.ended(Outcome::Done);
}

} // namespace Vorlaine
