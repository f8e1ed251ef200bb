#include "Form1.h"
#include "ProgramSetup.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    Vorlaine::SetUpApplication();

    Vorlaine::Form1 form;
    form.show();
    // Closing the window, even during a run, ends the program with status 0.
    return QApplication::exec();
}
