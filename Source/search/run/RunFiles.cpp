#include "search/run/RunFiles.h"

#include "files/FileExists.h"
#include "files/WordListReader.h"
#include "search/run/RunMessages.h"

namespace Vorlaine {

QString CheckRunFiles(std::span<const RunInput> inputs, const QString& outputPath,
                      RunFileKinds kinds) {
    for (const RunInput& input : inputs) {
        if (input.standardInput)
            continue;
        const FileKind kind = KindOfFile(input.path);
        if (kind == FileKind::Regular || (kind == FileKind::Pipe && kinds == RunFileKinds::PipesToo))
            continue;
        if (kind == FileKind::Missing || kinds == RunFileKinds::RegularOnly || input.option.isEmpty())
            return RunMessage::NotFound(input.path);
        return RunMessage::NotAFile(input.path, kind, input.option);
    }
    for (const RunInput& input : inputs) {
        if (input.standardInput ? IsStandardInput(outputPath) : IsSameFile(input.path, outputPath))
            return RunMessage::IsInput(outputPath, input.name);
    }
    return {};
}

QString CountList(const QString& path, ListCount& count) {
    WordListReader counter(path);
    if (!counter.open())
        return RunMessage::CannotOpen(path, counter.errorString());
    if (!counter.countItems(count.items))
        return RunMessage::CannotRead(path, counter.errorString());
    count.firstLineNotUtf8 = counter.firstLineNotUtf8();
    return {};
}

} // namespace Vorlaine
