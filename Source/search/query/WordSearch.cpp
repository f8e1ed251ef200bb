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
#include <array>
#include <optional>

using namespace Qt::StringLiterals;

namespace Vorlaine {

namespace {

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
          asciiKeyIsBytes_(search.keys_.asciiKeyIsBytes()),
          // The letters on the board are played with the seed's.
          seedKey_(search.keys_.key(query.seed) +
                   (query.board ? query.board->literals() : QString())),
          letters_(*search.letters_) {
        search.letters_->reset(seedKey_);
        failure_ = search.prepare(query);
        // The bytes a word may hold when every letter must come from the
        // seed's tiles.
        seedBytesOnly_ = query.mode != FitMode::ContainsAll && query.blanks == 0;
        for (const QChar unit : seedKey_) {
            for (const QChar letter : search.keys_.letters(unit.unicode())) {
                if (letter.unicode() < 128)
                    seedBytes_[letter.unicode()] = true;
            }
        }
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
        if (!asciiKeyIsBytes_)
            return true;
        const qsizetype allowed = allowedMissing(bytes.size());
        if (allowed < 0)
            return !IsAscii(bytes);
        const qsizetype missing = letters_.missingAscii(bytes, allowed);
        return missing < 0 || missing <= allowed;
    }

    const QString& seedKey() const { return seedKey_; }

private:
    // Whether the item fits the seed, its lengths and its case; if so, the
    // word it is and its key (where a later step needs it), and its length.
    bool fits(QByteArrayView bytes, QString& word, QString& key);
    bool fitsAsciiTiles(QByteArrayView bytes, QString& word, QString& key);
    // The outcome for a word that a filter leaves out or that failed.
    std::optional<Outcome> filter(const QString& word, const QString& key);
    // The match's bytes, score, blanks and chance of being drawn.
    void describe(QByteArrayView bytes, const QString& word, const QString& key);

    // Whether the word has at most as many letters as bytes. Folded, ß, æ and
    // œ are two letters each, and take one byte in Windows-1252.
    bool bytesBound(QByteArrayView bytes) const {
        return !search_.keys_.foldAccents() || IsAscii(bytes) || IsUtf8(bytes);
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
    // An ASCII word's key is its bytes lower-cased: the tests on bytes hold.
    const bool asciiKeyIsBytes_;
    const QString seedKey_;
    const SeedLetters& letters_;
    WordSet listed_;
    QString asciiKey_; // kept, for its room
    bool seedBytesOnly_ = false;
    std::array<bool, 128> seedBytes_{};
    bool repeatsWeeded_ = false;
    WordMatch match_;
};

WordSearch::Outcome WordSearch::Query::consider(QByteArrayView bytes, const Found& found) {
    QString word;
    QString key;
    if (!fits(bytes, word, key))
        return Outcome::Done;
    if (const std::optional<Outcome> filtered = filter(word, key))
        return *filtered;
    describe(bytes, word, key);
    match_.word = std::move(word);
    return found(match_) ? Outcome::Done : Outcome::Stopped;
}

bool WordSearch::Query::fits(QByteArrayView bytes, QString& word, QString& key) {
    // A word mostly has at most as many letters as bytes, so most items are
    // passed over before they are decoded.
    const bool bound = bytesBound(bytes);
    if (bound && query_.minimumLength > static_cast<double>(bytes.size()))
        return false;
    // What an ASCII word of this many letters may lack. Other words have fewer
    // letters than bytes, so for them it only tells when their ASCII letters
    // already lack too many.
    const qsizetype asciiAllowed = bound && asciiKeyIsBytes_ ? allowedMissing(bytes.size()) : -1;
    const qsizetype asciiMissing = !bound || !asciiKeyIsBytes_ ? -1
                                   : asciiAllowed >= 0 ? letters_.missingAscii(bytes, asciiAllowed)
                                   : IsAscii(bytes)    ? 1
                                                       : -1;
    if (asciiMissing >= 0) {
        // ASCII: the bytes are the word, and there are no accents to fold.
        if (asciiMissing > asciiAllowed || !lengthAllowed(bytes.size()) ||
            (query_.noProperNouns && bytes.front() >= 'A' && bytes.front() <= 'Z'))
            return false;
        word = QString::fromLatin1(bytes);
        if (query_.pattern != nullptr || query_.board != nullptr || query_.scores ||
            query_.probability || query_.notIn)
            key = AsciiLower(bytes);
        match_.length = bytes.size();
        return true;
    }
    if (!asciiKeyIsBytes_ && IsAscii(bytes))
        return fitsAsciiTiles(bytes, word, key);
    word = DecodeItem(bytes);
    if (query_.noProperNouns && StartsWithCapital(word))
        return false;
    // The letters the word plays: folded, ß is ss and é is e.
    key = search_.keys_.key(word);
    if (!lengthAllowed(key.size()))
        return false;
    match_.length = key.size();
    const qsizetype allowed = allowedMissing(key.size());
    return allowed >= 0 && letters_.missing(key, allowed) <= allowed;
}

bool WordSearch::Query::fitsAsciiTiles(QByteArrayView bytes, QString& word, QString& key) {
    // ASCII with tiles of two letters (the Spanish ch): a letter that no tile
    // of the seed holds rules the word out at once (not a stop, which may
    // write the Catalan l·l); the others are keyed straight from the bytes,
    // and decoded only when they fit.
    if (seedBytesOnly_ && std::any_of(bytes.begin(), bytes.end(), [this](char c) {
            const char lower = static_cast<char>(c | (c >= 'A' && c <= 'Z' ? 0x20 : 0));
            return lower >= 'a' && lower <= 'z' && !seedBytes_[static_cast<unsigned char>(lower)];
        }))
        return false;
    search_.keys_.asciiKey(bytes, asciiKey_);
    const qsizetype allowed = allowedMissing(asciiKey_.size());
    if (!lengthAllowed(asciiKey_.size()) || allowed < 0 ||
        letters_.missing(asciiKey_, allowed) > allowed ||
        (query_.noProperNouns && bytes.front() >= 'A' && bytes.front() <= 'Z'))
        return false;
    word = QString::fromLatin1(bytes);
    key = asciiKey_;
    match_.length = key.size();
    return true;
}

std::optional<WordSearch::Outcome> WordSearch::Query::filter(const QString& word,
                                                             const QString& key) {
    if (query_.pattern != nullptr && !query_.pattern->matches(key))
        return Outcome::Done;
    if (query_.board != nullptr && !query_.board->matches(key))
        return Outcome::Done;
    if (query_.notIn && query_.notIn->holds(key))
        return Outcome::Done;
    if (query_.regex != nullptr) {
        const QRegularExpressionMatch regexMatch = query_.regex->match(search_.keys_.folded(word));
        // An invalid match of a valid expression is one that gave up.
        if (!regexMatch.isValid()) {
            failure_ = u"the regular expression gave up on '"_s + word +
                       u"': it takes too long there. Try a simpler one."_s;
            return Outcome::Failed;
        }
        if (!regexMatch.hasMatch())
            return Outcome::Done;
    }
    if (query_.eachWordOnce && !repeatsWeeded_ && !listed_.insert(word))
        return Outcome::Done;
    return std::nullopt;
}

void WordSearch::Query::describe(QByteArrayView bytes, const QString& word, const QString& key) {
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
                match_.blanks += search_.keys_.letters(letter);
        });
    }
    if (query_.probability)
        match_.probability = DrawProbability(
            search_.bag_, search_.keys_.edition() != nullptr ? key : search_.bag_.key(word));
}

WordSearch::WordSearch(const TileValues& tiles, const LetterKeys& keys)
    : tiles_(tiles), keys_(keys),
      bag_(keys.edition() != nullptr ? *keys.edition()
                                     : EditionAlphabet(TileSet::English, keys.foldAccents())),
      letters_(std::make_unique<SeedLetters>()), index_(std::make_unique<WordIndex>()) {}

WordSearch::~WordSearch() = default;

QString WordSearch::prepare(const WordQuery& query) const {
    return query.notIn ? query.notIn->read(keys_) : QString();
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
    index_->build(list, keys_);
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
