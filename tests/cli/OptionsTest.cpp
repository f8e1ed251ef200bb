// What each option of the table reads, in this process.

#include "cli/Options.h"

#include "cli/Console.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <map>

namespace Vorlaine {
namespace {

// A value for an option, unlike its default: the last of its choices, or
// one for the kind of value it takes.
QString SampleValue(const OptionDefinition& defined) {
    if (!defined.choices.isEmpty())
        return defined.choices.constLast();
    static const std::map<QString, QString> byKind{
        {"word", "gent"}, {"WORD", "gent"}, {"file", "other.txt"}, {"length", "2"},
        {"N", "5"},       {"K", "2"},       {"P", "a*"},           {"R", "^a"},
    };
    const auto sample = byKind.find(defined.valueName);
    return sample == byKind.end() ? QString() : sample->second;
}

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
            arguments << SampleValue(defined);
            ASSERT_FALSE(arguments.constLast().isEmpty())
                << "no sample value for " << defined.valueName.toStdString();
        }
        const bool forPhrases = defined.scope == OptionScope::PhraseWords;
        if (forPhrases)
            arguments << "-w"
                      << "2";
        const std::optional<Options> parsed = Parsed(arguments);
        ASSERT_TRUE(parsed) << arguments.join(' ').toStdString();
        EXPECT_FALSE(*parsed == (forPhrases ? *phrase : *plain)) << defined.dashed().toStdString();
    }
}

} // namespace
} // namespace Vorlaine
