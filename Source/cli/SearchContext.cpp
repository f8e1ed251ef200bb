#include "cli/SearchContext.h"

#include "cli/CommandLineWindow.h"
#include "cli/StopSignals.h"
#include "files/TextEncoding.h"
#include "search/run/RunMessages.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace Vorlaine {

SearchContext::SearchContext(const Options& options)
    : options_(options), outputPath_(options.settings.text(Field::Output)),
      printOnly_(IsStandardStream(outputPath_)), onTerminal_(IsTerminal(stderr)),
      output_(outputPath_), lines_(stdout, printOnly_ ? nullptr : &output_, progress_) {
    progress_.setEnabled(onTerminal_ && !options.quiet);
}

std::optional<int> SearchContext::start(const QString& seedsPath) {
    std::vector<RunInput> inputs;
    for (const RunInput& input :
         {RunInput{options_.tileValuesPath, InputKind::TileValues},
          RunInput{options_.settings.text(Field::WordList), InputKind::WordList},
          RunInput{seedsPath, InputKind::Seeds}}) {
        if (!input.path.isEmpty() && !IsStandardStream(input.path))
            inputs.push_back(input);
    }
    if (const QString failed = CheckRunFiles(inputs, printOnly_ ? QString() : outputPath_);
        !failed.isEmpty())
        return ReportError(failed);

    tiles_ = TileValues::Edition(options_.tileSet, options_.foldAccents);
    if (!options_.tileValuesPath.isEmpty()) {
        QFile file(options_.tileValuesPath);
        if (!file.open(QIODevice::ReadOnly))
            return ReportError(RunMessage::CannotOpen(options_.tileValuesPath, file.errorString()));
        qint64 firstLineNotUtf8 = 0;
        const QString text = DecodeText(file.readAll(), &firstLineNotUtf8);
        if (firstLineNotUtf8 > 0)
            notice(RunMessage::ReadAsWindows1252(options_.tileValuesPath, firstLineNotUtf8));
        QString error;
        const auto read = TileValues::parse(text, options_.foldAccents, error);
        if (!read) {
            std::fprintf(stderr, "makewords: %s, %s\n", qUtf8Printable(options_.tileValuesPath),
                         qUtf8Printable(error));
            return ExitUsage;
        }
        tiles_ = *read;
    }
    return std::nullopt;
}

std::optional<int> SearchContext::openOutput() {
    if (!printOnly_ && !output_.open())
        return ReportError(RunMessage::CannotAppend(outputPath_, output_.errorString()));
    StopSignals::catchThem();
    return std::nullopt;
}

int SearchContext::finish(const SearchEnd& end, const QString& found) {
    // A write that failed before leaves its reason behind.
    const bool flushed = lines_.errorString().isEmpty() && lines_.flush();
    const bool closed = output_.close();
    progress_.clear();
    if (!flushed)
        return ReportError(lines_.errorString());
    if (!closed)
        return ReportError(RunMessage::CannotWrite(outputPath_, output_.errorString()));
    if (end.kind == SearchEnd::Kind::Failed)
        return ReportError(end.message);
    const bool stopped = end.kind == SearchEnd::Kind::Stopped;
    const QString report =
        RunMessage::Report(stopped ? RunMessage::Ending::Stopped : RunMessage::Ending::Done,
                           lines_.count(), found, printOnly_ ? QString() : outputPath_);
    if (int error = 0; !Flush(stdout, error))
        return ReportError(StandardOutputFailure(error));
    if (!options_.quiet)
        Print(stderr, MessageLine(MessageKind::Report, report));
    return stopped ? 128 + StopSignals::signal() : ExitDone;
}

int ReportError(const QString& message) {
    std::fflush(stdout);
    Print(stderr, MessageLine(MessageKind::Error, message));
    return ExitFailed;
}

void SearchContext::notice(const QString& text) {
    if (options_.quiet)
        return;
    progress_.clear();
    Print(stderr, MessageLine(MessageKind::Error, text));
}

} // namespace Vorlaine
