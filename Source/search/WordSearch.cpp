#include "search/WordSearch.h"

#include "files/WordListReader.h"
#include "search/LetterFit.h"
#include "search/LetterKey.h"
#include "search/WordList.h"
#include "search/WordPattern.h"

#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

namespace Vorlaine {

namespace {

// A word's letter set as 64 bits: one for each of a to z, and the other
// letters shared out over the rest. A word can use only letters the seed has
// when its bits are among the seed's.
std::uint64_t LetterBit(char16_t lowerUnit) {
    if (lowerUnit >= u'a' && lowerUnit <= u'z')
        return std::uint64_t{1} << (lowerUnit - u'a');
    return std::uint64_t{1} << (26 + lowerUnit % 38);
}

std::uint64_t LetterSet(QStringView key) {
    std::uint64_t letters = 0;
    for (const QChar unit : key)
        letters |= LetterBit(unit.unicode());
    return letters;
}

bool IsAscii(QByteArrayView bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) == 0; });
}

// The same for ASCII bytes; nothing when they are not all ASCII.
std::optional<std::uint64_t> AsciiLetterSet(QByteArrayView bytes) {
    std::uint64_t letters = 0;
    for (const char c : bytes) {
        if (c & 0x80)
            return std::nullopt;
        letters |= LetterBit(static_cast<char16_t>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c));
    }
    return letters;
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

std::size_t HashSlot(std::uint64_t letters, std::size_t mask) {
    return static_cast<std::size_t>((letters * 0x9E3779B97F4A7C15ull) >> 20) & mask;
}

// How often the progress is told during a scan of the list, and during the
// steps of a search through the index (each a group, a subset or a word).
constexpr qsizetype ProgressEvery = 1 << 16;
constexpr std::uint64_t ProgressSteps = 1 << 12;

} // namespace

// One query's run: the seed's letters and the words listed so far.
class WordSearch::Query {
public:
    // `bytesStay`: the items' bytes outlive the query, as in a list in memory.
    Query(const WordSearch& search, const WordQuery& query, TextEncoding encoding, bool bytesStay)
        : search_(search), query_(query), encoding_(encoding), bytesStay_(bytesStay),
          lettersWithinBytes_(!search.foldAccents_ || encoding != TextEncoding::Windows1252),
          seedKey_(LetterKey(query.seed, search.foldAccents_)), letters_(*search.letters_) {
        search.letters_->reset(seedKey_);
        listed_.reserve(256);
    }

    // Hands the item to `found` when the query lists it.
    Outcome consider(QByteArrayView bytes, const Found& found);
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

    std::uint64_t seedLetters() const { return LetterSet(seedKey_); }

private:
    // Whether the word has at most as many letters as bytes. Folded, ß, æ and
    // œ are two letters each, and take one byte in Windows-1252.
    bool bytesBound(QByteArrayView bytes) const { return lettersWithinBytes_ || IsAscii(bytes); }
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
    const TextEncoding encoding_;
    const bool bytesStay_;
    const bool lettersWithinBytes_;
    const QString seedKey_;
    const SeedLetters& letters_;
    QSet<QString> listed_;
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
        if (query_.pattern != nullptr || query_.scores)
            key = AsciiLower(bytes);
        match_.length = bytes.size();
    } else {
        word = DecodeItem(bytes, encoding_);
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
    if (query_.regex != nullptr) {
        const QRegularExpressionMatch regexMatch =
            query_.regex->match(search_.foldAccents_ ? WithoutAccents(word) : word);
        // An invalid match of a valid expression is one that gave up.
        if (!regexMatch.isValid()) {
            search_.failedWord_ = word;
            return Outcome::RegexTooSlow;
        }
        if (!regexMatch.hasMatch())
            return Outcome::Done;
    }
    if (query_.eachWordOnce) {
        if (listed_.contains(word))
            return Outcome::Done;
        listed_.insert(word);
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
    : tiles_(tiles), foldAccents_(foldAccents), letters_(std::make_unique<SeedLetters>()) {}

WordSearch::~WordSearch() = default;

WordSearch::Outcome WordSearch::run(const WordQuery& query, WordListReader& reader,
                                    TextEncoding encoding, qint64 itemTotal, const Found& found,
                                    const Progress& progress) const {
    Query run(*this, query, encoding, false);
    WordListItem item;
    for (qint64 done = 0; reader.readItem(item); ++done) {
        if (progress && done % ProgressEvery == 0 &&
            !progress(static_cast<double>(done) /
                      static_cast<double>(std::max<qint64>(itemTotal, 1))))
            return Outcome::Stopped;
        if (item.overlong)
            continue;
        if (const Outcome outcome = run.consider(item.bytes, found); outcome != Outcome::Done)
            return outcome;
    }
    return Outcome::Done;
}

void WordSearch::buildIndex(const WordList& list) {
    indexed_ = nullptr;
    // Places in the grouped bytes are 32 bits; a larger list is searched
    // without an index.
    if (list.byteCount() >= std::numeric_limits<std::uint32_t>::max())
        return;
    indexed_ = &list;
    const auto items = static_cast<std::size_t>(list.size());

    // Each letter set becomes a group, numbered as first met.
    std::size_t slotCount = 1024;
    while (slotCount < items)
        slotCount *= 2;
    slotLetters_.assign(slotCount / 2, 0);
    slotGroup_.assign(slotCount / 2, 0);
    groupLetters_.clear();
    std::vector<std::uint32_t> groupOfItem(items);
    std::vector<std::uint32_t> sizes;
    std::vector<std::uint32_t> byteSizes;
    for (std::size_t item = 0; item < items; ++item) {
        const auto index = static_cast<qsizetype>(item);
        const QByteArrayView bytes = list.bytes(index);
        const std::optional<std::uint64_t> ascii = AsciiLetterSet(bytes);
        const std::uint64_t letters =
            ascii ? *ascii : LetterSet(LetterKey(list.text(index), foldAccents_));
        std::size_t slot = findSlot(letters);
        if (slotLetters_[slot] == 0) {
            if (2 * (groupLetters_.size() + 1) > slotLetters_.size()) {
                growSlots();
                slot = findSlot(letters);
            }
            slotLetters_[slot] = letters;
            slotGroup_[slot] = static_cast<std::uint32_t>(groupLetters_.size());
            groupLetters_.push_back(letters);
            sizes.push_back(0);
            byteSizes.push_back(0);
        }
        const std::uint32_t group = slotGroup_[slot];
        groupOfItem[item] = group;
        ++sizes[group];
        byteSizes[group] += static_cast<std::uint32_t>(bytes.size());
    }

    // Then the items are counted out into their groups, in the list's order,
    // and their bytes with them.
    groupStarts_.assign(groupLetters_.size() + 1, 0);
    std::vector<std::uint32_t> nextByte(groupLetters_.size() + 1, 0);
    for (std::size_t group = 0; group < sizes.size(); ++group) {
        groupStarts_[group + 1] = groupStarts_[group] + sizes[group];
        nextByte[group + 1] = nextByte[group] + byteSizes[group];
    }
    std::vector<std::uint32_t> next(groupStarts_.begin(), groupStarts_.end() - 1);
    groupedItems_.resize(items);
    groupedBytes_.resize(static_cast<std::size_t>(list.byteCount()));
    groupedEnds_.resize(items);
    groupedSingleLetters_.assign(items, false);
    for (std::size_t item = 0; item < items; ++item) {
        const std::uint32_t group = groupOfItem[item];
        const std::uint32_t place = next[group]++;
        const QByteArrayView bytes = list.bytes(static_cast<qsizetype>(item));
        std::memcpy(groupedBytes_.data() + nextByte[group], bytes.data(),
                    static_cast<std::size_t>(bytes.size()));
        nextByte[group] += static_cast<std::uint32_t>(bytes.size());
        groupedItems_[place] = static_cast<std::uint32_t>(item);
        groupedEnds_[place] = nextByte[group];
        std::uint32_t seen = 0;
        bool single = true;
        for (const char c : bytes) {
            const int letter = (c | 0x20) - 'a';
            single = single && letter >= 0 && letter < 26 && !(seen & (1u << letter));
            if (single)
                seen |= 1u << letter;
        }
        groupedSingleLetters_[place] = single;
    }
}

// The slot that holds the letter set, or the empty one where it would go.
std::size_t WordSearch::findSlot(std::uint64_t letters) const {
    const std::size_t mask = slotLetters_.size() - 1;
    std::size_t slot = HashSlot(letters, mask);
    while (slotLetters_[slot] != 0 && slotLetters_[slot] != letters)
        slot = (slot + 1) & mask;
    return slot;
}

void WordSearch::growSlots() {
    std::vector<std::uint64_t> letters(slotLetters_.size() * 2, 0);
    std::vector<std::uint32_t> groups(letters.size(), 0);
    letters.swap(slotLetters_);
    groups.swap(slotGroup_);
    for (std::size_t slot = 0; slot < letters.size(); ++slot) {
        if (letters[slot] != 0) {
            const std::size_t to = findSlot(letters[slot]);
            slotLetters_[to] = letters[slot];
            slotGroup_[to] = groups[slot];
        }
    }
}

std::optional<std::uint32_t> WordSearch::findGroup(std::uint64_t letters) const {
    const std::size_t slot = findSlot(letters);
    if (slotLetters_[slot] == 0)
        return std::nullopt;
    return slotGroup_[slot];
}

WordSearch::Outcome WordSearch::run(const WordQuery& query, const WordList& list,
                                    const Found& found, const Progress& progress) const {
    Query run(*this, query, list.encoding(), true);
    if (indexed_ != &list) {
        for (qsizetype item = 0; item < list.size(); ++item) {
            if (progress && item % ProgressEvery == 0 &&
                !progress(static_cast<double>(item) / static_cast<double>(list.size())))
                return Outcome::Stopped;
            if (const Outcome outcome = run.consider(list.bytes(item), found);
                outcome != Outcome::Done)
                return outcome;
        }
        return Outcome::Done;
    }

    // The groups whose letters can make a listed word, then their words in
    // the list's order. A seed with many letters can mean a long walk over
    // groups or subsets, so the progress is told along the way.
    const std::uint64_t seed = run.seedLetters();
    std::vector<std::uint32_t> items;
    const bool withinSeed = query.mode != FitMode::ContainsAll && query.blanks == 0;
    const bool lettersSettle = query.mode == FitMode::Within && query.blanks == 0;
    const auto take = [&](std::size_t group) {
        std::size_t begin = groupStarts_[group] > 0 ? groupedEnds_[groupStarts_[group] - 1] : 0;
        for (std::uint32_t i = groupStarts_[group]; i < groupStarts_[group + 1]; ++i) {
            const std::size_t end = groupedEnds_[i];
            const QByteArrayView bytes(groupedBytes_.data() + begin,
                                       static_cast<qsizetype>(end - begin));
            const bool fits = lettersSettle && groupedSingleLetters_[i]
                                  ? query.minimumLength <= static_cast<double>(bytes.size())
                                  : run.mayList(bytes);
            if (fits)
                items.push_back(groupedItems_[i]);
            begin = end;
        }
    };
    // The share is a rough one: the walk, then the words, half each.
    std::uint64_t steps = 0;
    const auto goOn = [&](double share) {
        return !progress || ++steps % ProgressSteps != 0 || progress(share);
    };
    const int seedBits = std::popcount(seed);
    // At most a subset for every eighth group; a seed with all 64 bits set
    // has more subsets than a size_t counts, and is walked group by group.
    const bool fewSubsets = seedBits < std::numeric_limits<std::size_t>::digits &&
                            (std::size_t{1} << seedBits) < groupLetters_.size() / 8;
    if (withinSeed && fewSubsets) {
        // Few letters: look up each of their subsets.
        for (std::uint64_t subset = seed; subset != 0; subset = (subset - 1) & seed) {
            if (!goOn(0))
                return Outcome::Stopped;
            if (const auto group = findGroup(subset))
                take(*group);
        }
    } else {
        const qsizetype extraLetters = std::min<qsizetype>(query.blanks, 64);
        const auto groups = static_cast<double>(groupLetters_.size());
        for (std::size_t group = 0; group < groupLetters_.size(); ++group) {
            if (!goOn(static_cast<double>(group) / groups / 2))
                return Outcome::Stopped;
            const std::uint64_t letters = groupLetters_[group];
            const bool possible = query.mode == FitMode::ContainsAll
                                      ? (letters & seed) == seed
                                      : std::popcount(letters & ~seed) <= extraLetters;
            if (possible)
                take(group);
        }
    }
    // Back into the list's order. Most of a large list is put in order by
    // marking the items: a sort of millions would not notice a stop.
    if (items.size() * 16 > static_cast<std::size_t>(list.size())) {
        std::vector<std::uint64_t> marked((static_cast<std::size_t>(list.size()) + 63) / 64, 0);
        for (const std::uint32_t item : items)
            marked[item / 64] |= std::uint64_t{1} << (item % 64);
        std::size_t next = 0;
        for (std::size_t word = 0; word < marked.size(); ++word) {
            for (std::uint64_t bits = marked[word]; bits != 0; bits &= bits - 1)
                items[next++] = static_cast<std::uint32_t>(
                    word * 64 + static_cast<std::size_t>(std::countr_zero(bits)));
        }
    } else {
        std::sort(items.begin(), items.end());
    }
    const auto itemCount = static_cast<double>(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (!goOn(0.5 + static_cast<double>(i) / itemCount / 2))
            return Outcome::Stopped;
        if (const Outcome outcome = run.consider(list.bytes(items[i]), found);
            outcome != Outcome::Done)
            return outcome;
    }
    return Outcome::Done;
}

bool SortMatches(std::vector<WordMatch>& matches, SortOrder order,
                 const std::function<bool()>& goOn) {
    if (order == SortOrder::List)
        return true;
    // A sort of millions of words takes a while; one asked to stop leaves it
    // through an exception, after which the matches are whole but unordered.
    struct Stop {};
    std::uint64_t steps = 0;
    const auto check = [&] {
        if (goOn && ++steps % ProgressSteps == 0 && !goOn())
            throw Stop{};
    };
    struct Keyed {
        QString lower;
        std::size_t index;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(matches.size());
    try {
        for (std::size_t i = 0; i < matches.size(); ++i) {
            check();
            keyed.push_back({LetterKey(matches[i].word, false), i});
        }
        std::stable_sort(keyed.begin(), keyed.end(), [&](const Keyed& a, const Keyed& b) {
            check();
            const WordMatch& first = matches[a.index];
            const WordMatch& second = matches[b.index];
            if (order == SortOrder::Length)
                return CompareLongestFirst(a.lower, b.lower) < 0;
            if (order == SortOrder::Score && first.score != second.score)
                return first.score > second.score;
            return QStringView(a.lower).compare(b.lower, Qt::CaseSensitive) < 0;
        });
    } catch (const Stop&) {
        return false;
    }
    std::vector<WordMatch> sorted;
    sorted.reserve(matches.size());
    for (const Keyed& entry : keyed)
        sorted.push_back(std::move(matches[entry.index]));
    matches = std::move(sorted);
    return true;
}

} // namespace Vorlaine
