// What each option of the table reads, in this process.

#include "cli/Console.h"
#include "cli/Options.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <map>

namespace Vorlaine {
namespace {

// A value for each option that takes one, unlike its default.
const std::map<QString, QString> Samples{
    {"seed", "gent"},        {"list", "other.txt"},  {"min-length", "2"},
    {"output", "-"},         {"max-length", "5"},    {"blanks", "1"},
    {"pattern", "a*"},       {"regex", "^a"},        {"sort", "alpha"},
    {"limit", "3"},          {"tiles", "fr"},        {"tile-values", "tiles.txt"},
    {"format", "json"},      {"seeds", "seeds.txt"}, {"words", "2"},
    {"include", "gent"},     {"exclude", "gent"},    {"min-words", "2"},
};

std::optional<Options> Parsed(const QStringList& arguments) {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    Console console(out, err);
    Options options;
    const std::optional<int> status =
        ParseCommandLine(QStringList{"makewords"} + arguments, options, console);
    std::fclose(out);
    std::fclose(err);
    if (status)
        return std::nullopt;
    return options;
}

// Every option of the table changes what the commands are given: an option
// read into nothing would reach no search. (Those that only phrase anagrams
// take go with --words 2.)
TEST(Options, EveryOptionChangesWhatTheCommandsGet) {
    const std::optional<Options> plain = Parsed({});
    const std::optional<Options> phrase = Parsed({"-w", "2"});
    ASSERT_TRUE(plain && phrase);
    for (const OptionDefinition& defined : OptionTable()) {
        QStringList arguments{defined.dashed()};
        if (!defined.valueName.isEmpty()) {
            ASSERT_TRUE(Samples.contains(defined.longName()))
                << "no sample value for " << defined.dashed().toStdString();
            arguments << Samples.at(defined.longName());
        }
        const bool forPhrases = defined.scope == OptionScope::PhraseWords;
        if (forPhrases)
            arguments << "-w" << "2";
        const std::optional<Options> parsed = Parsed(arguments);
        ASSERT_TRUE(parsed) << arguments.join(' ').toStdString();
        EXPECT_FALSE(*parsed == (forPhrases ? *phrase : *plain)) << defined.dashed().toStdString();
    }
}

} // namespace
} // namespace Vorlaine
