#include "Main.h"
#include "About.h"
#include "TerminationSignal.h"
#include "VarnexApplication.h"

#include <QIcon>

int main(int argc, char** argv) {
    VarnexApplication app(argc, argv);
    Q_INIT_RESOURCE(varnex);
    app.setWindowIcon(QIcon(QStringLiteral(":/VARNEXICON.svg")));

    TMainForm mainForm;
    mainForm.show();
    // Owned by the main window, so that it never keeps the program running on its own.
    mainForm.SetAboutBox(new TAboutCalc(&mainForm));
    // A terminated program ends as if its window were closed, so the settings are saved.
    TTerminationSignal termination([&mainForm] {
        mainForm.close();
        QCoreApplication::quit();
    });
    return app.exec();
}
