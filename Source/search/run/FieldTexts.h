#pragma once

#include "search/run/RunWindow.h"

#include <QString>
#include <array>

namespace Vorlaine {

// The text a field holds when the program starts: the window's design values,
// which makewords takes as its defaults too.
QString DefaultText(Field field);

// The four settings of a run kept in memory, for a "window" that has no boxes
// (the command line, tests, benchmarks). They start from their defaults.
class FieldTexts {
public:
    FieldTexts();

    const QString& text(Field field) const { return texts_[Index(field)]; }
    void setText(Field field, const QString& text) { texts_[Index(field)] = text; }

    bool operator==(const FieldTexts&) const = default;

private:
    static std::size_t Index(Field field) { return static_cast<std::size_t>(field); }

    std::array<QString, FieldCount> texts_;
};

} // namespace Vorlaine
