// What any window pays to appear with a line of text: the yardstick for the program's start-up.
// A plain window of the program's client size showing one label in the program's font.
#include "ApplicationFont.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setFont(ApplicationFont());
    QWidget window;
    window.setWindowTitle(QStringLiteral("TextWindow"));
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("IP Address 192.168.1.1")));
    window.resize(292, 409);
    window.show();
    return app.exec();
}
