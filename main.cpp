#include "Main.h"
#include "CommandLine.h"
#include "FirstExposure.h"
#include "FontConfigWarmUp.h"
#include "TerminationSignal.h"
#include "VarnexApplication.h"

#include <QApplication>
#include <QIcon>
#include <cstdio>

int main(int argc, char** argv) {
    // Read before the application object exists: --version and --help need no windowing system.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    const TCommandLine commandLine = TCommandLine::Parse(arguments);
    switch (commandLine.Action) {
    case TCommandLine::TAction::ShowVersion:
    case TCommandLine::TAction::ShowHelp:
        std::fputs(commandLine.Text.toLocal8Bit().constData(), stdout);
        return 0;
    case TCommandLine::TAction::Refuse:
        std::fputs(commandLine.Text.toLocal8Bit().constData(), stderr);
        return TCommandLine::UsageError;
    case TCommandLine::TAction::Run:
        break;
    }

    TFontConfigWarmUp fontConfig;
    VarnexApplication app(argc, argv);
    Q_INIT_RESOURCE(varnex);
    fontConfig.Wait();

    TMainForm mainForm;
    mainForm.show();
    // The window system takes the icon at many sizes, each rendered from its vectors: the window
    // appears first.
    RunAfterFirstExposure(
        mainForm, [] { QApplication::setWindowIcon(QIcon(QStringLiteral(":/VARNEXICON.svg"))); });
    // A terminated program ends as if its window were closed, so the settings are saved.
    TTerminationSignal termination([&mainForm] {
        mainForm.close();
        QCoreApplication::quit();
    });
    return app.exec();
}
