#include "window/ProgramSetup.h"

#include "Version.h"

#include <QApplication>

// The icon lives in a static library, whose resources are linked only when
// registered by hand; the macro must stand outside any namespace.
static void RegisterResources() {
    Q_INIT_RESOURCE(vorlaine);
}

namespace Vorlaine {

QIcon ProgramIcon() {
    static const bool registered = (RegisterResources(), true);
    Q_UNUSED(registered);
    return QIcon(QStringLiteral(":/vorlaine/vorlaine.xpm"));
}

void SetUpApplication() {
    QApplication::setApplicationName(QStringLiteral("Vorlaine"));
    QApplication::setApplicationVersion(QString::fromLatin1(VersionText));
    QApplication::setWindowIcon(ProgramIcon());
    // Lets desktops match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Vorlaine"));
}

} // namespace Vorlaine
