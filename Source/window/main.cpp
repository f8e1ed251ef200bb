#include "window/MainWindow.h"
#include "window/ProgramSetup.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    Vorlaine::SetUpApplication();

    Vorlaine::MainWindow window;
    window.show();
    // Closing the window, even during a run, ends the program with status 0.
    return QApplication::exec();
}
