#include "cli/SearchContext.h"

#include "cli/Console.h"
#include "files/TextEncoding.h"
#include "search/run/RunFiles.h"
#include "search/run/RunMessages.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace Vorlaine {

SearchContext::SearchContext(const Options& options, Console& console)
    : options_(options), console_(console), outputPath_(options.settings.text(Field::Output)),
      printOnly_(IsStandardStream(outputPath_)), output_(outputPath_),
      lines_(console, printOnly_ ? nullptr : &output_) {}

std::optional<int> SearchContext::start() {
    // The files the options name, standard input aside.
    std::vector<RunInput> inputs;
    for (const OptionDefinition& defined : OptionTable()) {
        if (!defined.inputPath)
            continue;
        const QString path = defined.inputPath(options_);
        if (IsStandardStream(path) && console_.inClosed())
            return console_.error(RunMessage::CannotRead(path, u"standard input is closed"_s));
        if (!path.isEmpty())
            inputs.push_back({path, defined.inputName, defined.dashed(), IsStandardStream(path)});
    }
    if (const QString failed =
            CheckRunFiles(inputs, printOnly_ ? QString() : outputPath_, RunFileKinds::PipesToo);
        !failed.isEmpty())
        return console_.error(failed);

    tiles_ = TileValues::Of(options_.keys);
    if (!options_.tileValuesPath.isEmpty()) {
        QFile file(options_.tileValuesPath);
        if (!file.open(QIODevice::ReadOnly))
            return console_.error(
                RunMessage::CannotOpen(options_.tileValuesPath, file.errorString()));
        qint64 firstLineNotUtf8 = 0;
        const QString text = DecodeText(file.readAll(), &firstLineNotUtf8);
        if (firstLineNotUtf8 > 0)
            console_.notice(
                RunMessage::ReadAsWindows1252(options_.tileValuesPath, firstLineNotUtf8));
        QString error;
        const auto read = TileValues::parse(text, options_.keys, error);
        if (!read)
            return console_.error(options_.tileValuesPath + u", "_s + error);
        tiles_ = *read;
    }
    return std::nullopt;
}

std::optional<int> SearchContext::openOutput() {
    if (!printOnly_ && !output_.open())
        return console_.error(RunMessage::CannotAppend(outputPath_, output_.errorString()));
    Console::catchStops();
    return std::nullopt;
}

int SearchContext::finish(const SearchEnd& end, const QString& found) {
    // A write that failed before leaves its reason behind.
    const bool flushed = lines_.errorString().isEmpty() && lines_.flush();
    const bool closed = output_.close();
    console_.clearProgress();
    if (!flushed)
        return console_.error(lines_.errorString());
    if (!closed)
        return console_.error(RunMessage::CannotWrite(outputPath_, output_.errorString()));
    if (end.kind == SearchEnd::Kind::Failed)
        return console_.error(end.message);
    const bool stopped = end.kind == SearchEnd::Kind::Stopped;
    const QString report =
        RunMessage::Report(stopped ? RunMessage::Ending::Stopped : RunMessage::Ending::Done,
                           lines_.count(), found, printOnly_ ? QString() : outputPath_);
    if (!console_.flushOut())
        return console_.error(console_.outFailure());
    console_.report(report);
    return stopped ? 128 + Console::stopSignal() : ExitDone;
}

} // namespace Vorlaine
