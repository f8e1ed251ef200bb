#pragma once

#include <QIcon>

namespace Vorlaine {

// The program's 16 x 16 icon.
QIcon ProgramIcon();

// Name, version and icon of the running application.
void SetUpApplication();

} // namespace Vorlaine
