#include "window/DocumentsFolder.h"
#include "window/MainWindow.h"
#include "window/ProgramSetup.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    Vorlaine::SetUpApplication();

    // Started from a menu, the window works in a folder of the user's
    // documents, with the word list that comes with Vorlaine; started from a
    // terminal, in the current folder.
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Finds every word of a word list that can be spelled from a seed word."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption documents(
        QStringLiteral("documents"),
        QStringLiteral("Works in the folder Vorlaine of your documents, made when missing, with "
                       "the word list that comes with Vorlaine copied there as wordlist.txt "
                       "unless it holds one. The application menu starts Vorlaine so."));
    parser.addOption(documents);
    parser.process(app);
    if (parser.isSet(documents)) {
        QString error;
        if (!Vorlaine::EnterWordsFolder(Vorlaine::DocumentsFolder(), Vorlaine::BundledWordList(),
                                        error))
            QMessageBox::warning(nullptr, QStringLiteral("Vorlaine"), error);
    }

    Vorlaine::MainWindow window;
    window.show();
    // Closing the window, even during a run, ends the program with status 0.
    return QApplication::exec();
}
