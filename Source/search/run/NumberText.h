#pragma once

#include <QString>
#include <QStringView>

namespace Vorlaine {

// The number at the start of a text: leading blanks skipped, then an optional
// sign, digits, a full stop and digits, and an optional exponent; anything else
// ends it. A text that does not start with a number is 0. Too large a number is
// infinite, too small a one 0.
double NumericValue(QStringView text);

// A blank or a minus sign, then the value in plain decimal with at most 15
// significant digits, no trailing zeros and a full stop whatever the locale:
// " 25", " 33.3333333333333", "-2", " 0.5".
QString NumberText(double value);

} // namespace Vorlaine
