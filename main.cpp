#include "VarnexApplication.h"

#include <QIcon>
#include <QWidget>

int main(int argc, char** argv) {
    VarnexApplication app(argc, argv);
    Q_INIT_RESOURCE(varnex);
    app.setWindowIcon(QIcon(QStringLiteral(":/VARNEXICON")));

    QWidget mainForm;
    mainForm.setWindowTitle(QStringLiteral("Varnex"));
    mainForm.resize(292, 409);
    mainForm.show();
    return app.exec();
}
