#include "search/letters/Edition.h"

#include <algorithm>
#include <iterator>

namespace Vorlaine {

namespace {

using Spelling = std::pair<char16_t, std::u16string_view>;

// Each table lists the tiles by value, as the published tables group them.

// "Scrabble letter distributions", English; 100 tiles.
constexpr EditionTile EnglishTiles[] = {
    {u"e", 1, 12}, {u"a", 1, 9},  {u"i", 1, 9}, {u"o", 1, 8}, {u"n", 1, 6}, {u"r", 1, 6},
    {u"t", 1, 6},  {u"l", 1, 4},  {u"s", 1, 4}, {u"u", 1, 4}, {u"d", 2, 4}, {u"g", 2, 3},
    {u"b", 3, 2},  {u"c", 3, 2},  {u"m", 3, 2}, {u"p", 3, 2}, {u"f", 4, 2}, {u"h", 4, 2},
    {u"v", 4, 2},  {u"w", 4, 2},  {u"y", 4, 2}, {u"k", 5, 1}, {u"j", 8, 1}, {u"x", 8, 1},
    {u"q", 10, 1}, {u"z", 10, 1},
};

// "Scrabble letter distributions", French; 102 tiles.
constexpr EditionTile FrenchTiles[] = {
    {u"e", 1, 15}, {u"a", 1, 9},  {u"i", 1, 8}, {u"n", 1, 6},  {u"o", 1, 6},  {u"r", 1, 6},
    {u"s", 1, 6},  {u"t", 1, 6},  {u"u", 1, 6}, {u"l", 1, 5},  {u"d", 2, 3},  {u"m", 2, 3},
    {u"g", 2, 2},  {u"b", 3, 2},  {u"c", 3, 2}, {u"p", 3, 2},  {u"f", 4, 2},  {u"h", 4, 2},
    {u"v", 4, 2},  {u"j", 8, 1},  {u"q", 8, 1}, {u"k", 10, 1}, {u"w", 10, 1}, {u"x", 10, 1},
    {u"y", 10, 1}, {u"z", 10, 1},
};

// "Scrabble letter distributions", German (the sets since 1990); 102 tiles.
constexpr EditionTile GermanTiles[] = {
    {u"e", 1, 15}, {u"n", 1, 9}, {u"s", 1, 7}, {u"i", 1, 6},  {u"r", 1, 6},  {u"t", 1, 6},
    {u"u", 1, 6},  {u"a", 1, 5}, {u"d", 1, 4}, {u"h", 2, 4},  {u"g", 2, 3},  {u"l", 2, 3},
    {u"o", 2, 3},  {u"m", 3, 4}, {u"b", 3, 2}, {u"w", 3, 1},  {u"z", 3, 1},  {u"c", 4, 2},
    {u"f", 4, 2},  {u"k", 4, 2}, {u"p", 4, 1}, {u"ä", 6, 1},  {u"j", 6, 1},  {u"ü", 6, 1},
    {u"v", 6, 1},  {u"ö", 8, 1}, {u"x", 8, 1}, {u"q", 10, 1}, {u"y", 10, 1},
};

// "Scrabble letter distributions", Spanish (the sets sold outside North
// America); 100 tiles.
constexpr EditionTile SpanishTiles[] = {
    {u"a", 1, 12}, {u"e", 1, 12}, {u"o", 1, 9},  {u"i", 1, 6},  {u"s", 1, 6}, {u"n", 1, 5},
    {u"r", 1, 5},  {u"u", 1, 5},  {u"l", 1, 4},  {u"t", 1, 4},  {u"d", 2, 5}, {u"g", 2, 2},
    {u"c", 3, 4},  {u"b", 3, 2},  {u"m", 3, 2},  {u"p", 3, 2},  {u"h", 4, 2}, {u"f", 4, 1},
    {u"v", 4, 1},  {u"y", 4, 1},  {u"ch", 5, 1}, {u"q", 5, 1},  {u"j", 8, 1}, {u"ll", 8, 1},
    {u"ñ", 8, 1},  {u"rr", 8, 1}, {u"x", 8, 1},  {u"z", 10, 1},
};

// "Scrabble letter distributions", Italian; 120 tiles.
constexpr EditionTile ItalianTiles[] = {
    {u"o", 1, 15}, {u"a", 1, 14}, {u"i", 1, 12}, {u"e", 1, 11}, {u"c", 2, 6}, {u"r", 2, 6},
    {u"s", 2, 6},  {u"t", 2, 6},  {u"l", 3, 5},  {u"m", 3, 5},  {u"n", 3, 5}, {u"u", 3, 5},
    {u"b", 5, 3},  {u"d", 5, 3},  {u"f", 5, 3},  {u"p", 5, 3},  {u"v", 5, 3}, {u"g", 8, 2},
    {u"h", 8, 2},  {u"z", 8, 2},  {u"q", 10, 1},
};

// "Scrabble letter distributions", Dutch; 102 tiles.
constexpr EditionTile DutchTiles[] = {
    {u"e", 1, 18}, {u"n", 1, 10}, {u"a", 1, 6}, {u"o", 1, 6}, {u"i", 1, 4}, {u"d", 2, 5},
    {u"r", 2, 5},  {u"s", 2, 5},  {u"t", 2, 5}, {u"g", 3, 3}, {u"k", 3, 3}, {u"l", 3, 3},
    {u"m", 3, 3},  {u"b", 3, 2},  {u"p", 3, 2}, {u"u", 4, 3}, {u"f", 4, 2}, {u"h", 4, 2},
    {u"j", 4, 2},  {u"v", 4, 2},  {u"z", 4, 2}, {u"c", 5, 2}, {u"w", 5, 2}, {u"x", 8, 1},
    {u"y", 8, 1},  {u"q", 10, 1},
};

// "Scrabble letter distributions", Polish; 100 tiles.
constexpr EditionTile PolishTiles[] = {
    {u"a", 1, 9}, {u"i", 1, 8}, {u"e", 1, 7}, {u"o", 1, 6}, {u"n", 1, 5}, {u"z", 1, 5},
    {u"r", 1, 4}, {u"s", 1, 4}, {u"w", 1, 4}, {u"y", 2, 4}, {u"c", 2, 3}, {u"d", 2, 3},
    {u"k", 2, 3}, {u"l", 2, 3}, {u"m", 2, 3}, {u"p", 2, 3}, {u"t", 2, 3}, {u"b", 3, 2},
    {u"g", 3, 2}, {u"h", 3, 2}, {u"j", 3, 2}, {u"ł", 3, 2}, {u"u", 3, 2}, {u"ą", 5, 1},
    {u"ę", 5, 1}, {u"f", 5, 1}, {u"ó", 5, 1}, {u"ś", 5, 1}, {u"ż", 5, 1}, {u"ć", 6, 1},
    {u"ń", 7, 1}, {u"ź", 9, 1},
};

// "Scrabble letter distributions", Catalan, with the qu tile of the current
// sets where that table still has a q (as the Catalan federation describes
// its 100 tiles: the letters, the digraphs ny and qu, and two blanks).
constexpr EditionTile CatalanTiles[] = {
    {u"e", 1, 13}, {u"a", 1, 12},        {u"i", 1, 8},  {u"r", 1, 8}, {u"s", 1, 8},  {u"n", 1, 6},
    {u"o", 1, 5},  {u"t", 1, 5},         {u"l", 1, 4},  {u"u", 1, 4}, {u"c", 2, 3},  {u"d", 2, 3},
    {u"m", 2, 3},  {u"b", 3, 2},         {u"g", 3, 2},  {u"p", 3, 2}, {u"f", 4, 1},  {u"v", 4, 1},
    {u"h", 8, 1},  {u"j", 8, 1},         {u"qu", 8, 1}, {u"z", 8, 1}, {u"ç", 10, 1}, {u"ny", 10, 1},
    {u"x", 10, 1}, {u"l\u00B7l", 10, 1},
};

// Words written with the ligatures, as these editions' players spell them out.
constexpr Spelling Ligatures[] = {{u'æ', u"ae"}, {u'œ', u"oe"}};
constexpr Spelling GermanSpellings[] = {{u'ß', u"ss"}};
constexpr Spelling DutchSpellings[] = {{u'ĳ', u"ij"}};

// Word lists write the ela geminada with a full stop too (as Crosswords'
// Catalan lists do), or with the compatibility letter ŀ.
constexpr TileForm CatalanForms[] = {{u"l.l", u"l\u00B7l"}, {u"\u0140l", u"l\u00B7l"}};

constexpr Edition Editions[] = {
    {TileSet::English, EnglishTiles, 2, Ligatures, {}},
    {TileSet::French, FrenchTiles, 2, Ligatures, {}},
    {TileSet::German, GermanTiles, 2, GermanSpellings, {}},
    {TileSet::Spanish, SpanishTiles, 2, {}, {}},
    {TileSet::Italian, ItalianTiles, 2, {}, {}},
    {TileSet::Dutch, DutchTiles, 2, DutchSpellings, {}},
    {TileSet::Polish, PolishTiles, 2, {}, {}},
    {TileSet::Catalan, CatalanTiles, 2, {}, CatalanForms},
};

constexpr bool InTileSetOrder() {
    for (std::size_t i = 0; i < std::size(Editions); ++i)
        if (static_cast<std::size_t>(Editions[i].set) != i)
            return false;
    return true;
}
static_assert(InTileSetOrder(), "EditionOf indexes Editions by TileSet");

QString Text(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

const Edition& EditionOf(TileSet set) {
    return Editions[static_cast<std::size_t>(set)];
}

EditionAlphabet::EditionAlphabet(const Edition& edition, bool foldAccents)
    : edition_(&edition), foldAccents_(foldAccents), bagSize_(edition.blanks) {
    const std::span<const EditionTile> tiles = edition.tiles;
    for (qsizetype index = 0; index < static_cast<qsizetype>(tiles.size()); ++index) {
        const EditionTile& tile = tiles[static_cast<std::size_t>(index)];
        bagSize_ += tile.count;
        if (tile.letters.size() == 1)
            singles_.insert(tile.letters.front(), index);
        else
            forms_.push_back({Text(tile.letters), MultiLetterUnit(index)});
    }
    for (const TileForm& form : edition.tileForms) {
        const auto tile = std::find_if(tiles.begin(), tiles.end(), [&](const EditionTile& t) {
            return t.letters == form.tile;
        });
        if (tile != tiles.end())
            forms_.push_back({Text(form.written), MultiLetterUnit(tile - tiles.begin())});
    }
    std::stable_sort(forms_.begin(), forms_.end(), [](const Form& a, const Form& b) {
        return a.written.size() > b.written.size();
    });
    for (const Form& form : forms_) {
        if (!formStarts_.contains(form.written.front()))
            formStarts_ += form.written.front();
        if (form.written.front().unicode() < 128)
            asciiFormStarts_[form.written.front().unicode()] = true;
    }
    for (const auto& [letter, spelling] : edition.spellings)
        spellings_.insert(letter, Text(spelling));
}

QString EditionAlphabet::folded(QStringView word) const {
    QString text;
    text.reserve(word.size());
    for (const QChar c : word) {
        // The tables hold lower-case letters; a letter kept keeps its case.
        const auto unit = static_cast<char16_t>(QChar::toLower(c.unicode()));
        if (unit < 0x80 || singles_.contains(unit)) {
            text += c;
        } else if (const auto spelling = spellings_.constFind(unit);
                   spelling != spellings_.cend()) {
            text += *spelling;
        } else if (c.isMark()) {
            // An accent that no letter took in: off with the others.
        } else if (!c.isLetter()) {
            text += c;
        } else {
            // Only the marks go: a letter that decomposes into other letters
            // (a Hangul syllable) stays whole.
            QString decomposed = QString(c).normalized(QString::NormalizationForm_D);
            if (std::any_of(decomposed.cbegin(), decomposed.cend(),
                            [](QChar d) { return d.isMark(); })) {
                decomposed.removeIf([](QChar d) { return d.isMark(); });
                text += decomposed;
            } else {
                text += c;
            }
        }
    }
    return text;
}

QString EditionAlphabet::foldedText(QStringView word) const {
    const bool ascii =
        std::all_of(word.begin(), word.end(), [](QChar c) { return c.unicode() < 0x80; });
    // Composed, so that an ä written as a and a combining diaeresis is the ä tile.
    QString text =
        ascii ? word.toString() : word.toString().normalized(QString::NormalizationForm_C);
    if (foldAccents_ && !ascii)
        text = folded(text);
    return text;
}

void EditionAlphabet::asciiKey(QByteArrayView word, QString& key) const {
    key.resize(word.size());
    QChar* out = key.data();
    for (qsizetype at = 0; at < word.size();) {
        const auto lower = static_cast<char16_t>(
            word[at] >= 'A' && word[at] <= 'Z' ? word[at] - 'A' + 'a' : word[at]);
        const Form* found = nullptr;
        if (lower < 128 && asciiFormStarts_[lower]) {
            for (const Form& form : forms_) {
                const qsizetype length = form.written.size();
                bool same = at + length <= word.size();
                for (qsizetype i = 0; same && i < length; ++i) {
                    const char c = word[at + i];
                    same = QChar(static_cast<char16_t>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c)) ==
                           form.written[i];
                }
                if (same) {
                    found = &form;
                    break;
                }
            }
        }
        *out++ = QChar(found ? found->unit : lower);
        at += found ? found->written.size() : 1;
    }
    key.truncate(out - key.data());
}

QString EditionAlphabet::key(QStringView word) const {
    QString lower = foldedText(word);
    for (QChar& unit : lower)
        unit = QChar(static_cast<char16_t>(QChar::toLower(unit.unicode())));
    if (forms_.empty())
        return lower;

    QString key;
    key.reserve(lower.size());
    const QStringView text(lower);
    for (qsizetype at = 0; at < text.size();) {
        const Form* found = nullptr;
        if (formStarts_.contains(text[at])) {
            const QStringView rest = text.sliced(at);
            for (const Form& form : forms_) {
                if (rest.startsWith(form.written)) {
                    found = &form;
                    break;
                }
            }
        }
        if (found) {
            key += QChar(found->unit);
            at += found->written.size();
        } else {
            key += text[at];
            ++at;
        }
    }
    return key;
}

const EditionTile* EditionAlphabet::tile(char16_t unit) const {
    const std::span<const EditionTile> tiles = edition_->tiles;
    const std::size_t index = static_cast<std::size_t>(unit - MultiLetterUnit(0));
    if (unit >= MultiLetterUnit(0) && index < tiles.size() && tiles[index].letters.size() > 1)
        return &tiles[index];
    const auto single = singles_.constFind(unit);
    return single == singles_.cend() ? nullptr : &tiles[static_cast<std::size_t>(*single)];
}

QString EditionAlphabet::letters(char16_t unit) const {
    const EditionTile* found = tile(unit);
    return found ? Text(found->letters) : QString(QChar(unit));
}

int EditionAlphabet::value(char16_t unit) const {
    const EditionTile* found = tile(unit);
    return found ? found->value : 0;
}

int EditionAlphabet::count(char16_t unit) const {
    const EditionTile* found = tile(unit);
    return found ? found->count : 0;
}

namespace {

// The counts are whole numbers summed and multiplied in long double, whose 64
// bits of mantissa hold every whole number below 2^64 exactly. Every value on
// the way counts draws of at most k tiles from the bag, so stays within
// C(bag, k): below 2^64 for every word the board takes (15 tiles, from bags
// of up to 120), so those counts are exact until the one rounding to double.
using Count = long double;

// C(n, r) by Pascal's rule, whose every step is at most the result.
Count Choose(int n, int r) {
    if (r < 0 || r > n)
        return 0;
    r = std::min(r, n - r);
    std::vector<Count> row(static_cast<std::size_t>(r) + 1, 0);
    row[0] = 1;
    for (int m = 1; m <= n; ++m)
        for (int i = std::min(m, r); i > 0; --i)
            row[static_cast<std::size_t>(i)] += row[static_cast<std::size_t>(i) - 1];
    return row[static_cast<std::size_t>(r)];
}

Count Draws(const EditionAlphabet& alphabet, QStringView key) {
    const int blanks = alphabet.blanks();
    if (key.size() > alphabet.bagSize())
        return 0;
    std::vector<char16_t> units;
    units.reserve(static_cast<std::size_t>(key.size()));
    for (const QChar c : key)
        units.push_back(c.unicode());
    std::sort(units.begin(), units.end());

    // The polynomial in t of the units so far: ways[j] is how many ways there
    // are to draw their tiles when blanks stand for j of their letters.
    std::vector<Count> ways(static_cast<std::size_t>(blanks) + 1, 0);
    ways[0] = 1;
    std::vector<Count> next(ways.size());
    for (auto run = units.begin(); run != units.end();) {
        const auto end = std::find_if(run, units.end(), [&](char16_t u) { return u != *run; });
        const int need = static_cast<int>(end - run);
        const int count = alphabet.count(*run);
        if (count == 0)
            return 0;
        std::fill(next.begin(), next.end(), Count(0));
        for (int used = 0; used <= blanks; ++used) {
            const Count before = ways[static_cast<std::size_t>(used)];
            if (before == 0)
                continue;
            for (int more = 0; more <= std::min(need, blanks - used); ++more)
                next[static_cast<std::size_t>(used + more)] += before * Choose(count, need - more);
        }
        ways.swap(next);
        run = end;
    }
    Count total = 0;
    for (int used = 0; used <= blanks; ++used)
        total += Choose(blanks, used) * ways[static_cast<std::size_t>(used)];
    return total;
}

} // namespace

double DrawCount(const EditionAlphabet& alphabet, QStringView key) {
    return static_cast<double>(Draws(alphabet, key));
}

double DrawProbability(const EditionAlphabet& alphabet, QStringView key) {
    if (key.size() > alphabet.bagSize())
        return 0;
    const Count all = Choose(alphabet.bagSize(), static_cast<int>(key.size()));
    return static_cast<double>(Draws(alphabet, key) / all);
}

} // namespace Vorlaine
