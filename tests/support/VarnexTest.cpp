#include "VarnexTest.h"

#include "Feedback.h"
#include "Main.h"
#include "SuperStringGrid.h"

#include <QApplication>
#include <QDialog>
#include <QHeaderView>
#include <QSettings>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>

static void InitVarnexResources() {
    Q_INIT_RESOURCE(varnex);
}

namespace VarnexTest {
namespace {

bool modalDialogsExpected = false;

void CloseUnexpectedModalDialog() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || modalDialogsExpected) {
        return;
    }
    const QByteArray what = "Unexpected modal dialog \"" + modal->windowTitle().toUtf8() + "\"";
    QTest::qFail(what.constData(), __FILE__, __LINE__);
    if (auto* dialog = qobject_cast<QDialog*>(modal)) {
        dialog->reject();
    } else {
        modal->close();
    }
}

} // namespace

QStringList& Errors() {
    static QStringList errors;
    return errors;
}

int& Beeps() {
    static int beeps = 0;
    return beeps;
}

void ResetRecorders() {
    Errors().clear();
    Beeps() = 0;
}

void SetModalDialogsExpected(bool expected) {
    modalDialogsExpected = expected;
}

QString SettingsFolder() {
    static QTemporaryDir folder;
    return folder.path();
}

bool ShowActive(QWidget& window) {
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

void BuildCalculators(TMainForm& form) {
    form.NumoraCalculator();
    form.SubnetCalculator();
    form.LatencyCalculator();
}

QString ShownCalculators(const QWidget& form) {
    QStringList shown;
    for (const char* name : CalculatorPanels) {
        const auto* panel = form.findChild<QWidget*>(QLatin1String(name));
        if (panel != nullptr && !panel->isHidden()) {
            shown.append(QLatin1String(name));
        }
    }
    return shown.join(QLatin1Char('+'));
}

bool ClickPage(QTabWidget& pageControl, const QWidget& page) {
    const int index = pageControl.indexOf(&page);
    QTabBar* tabs = pageControl.tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
    return index >= 0 && pageControl.currentIndex() == index;
}

void SelectRowsByHeader(TSuperStringGrid& grid, int lastColumn) {
    QHeaderView* header = grid.horizontalHeader();
    const auto centre = [header](int section) {
        return QPoint(header->sectionViewportPosition(section) + header->sectionSize(section) / 2,
                      header->height() / 2);
    };
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, centre(0));
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::ShiftModifier, centre(lastColumn));
}

bool PaintCounter::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::Paint) {
        ++count;
    }
    return false;
}

void UseOffscreenUnlessSet() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
}

int Run(QObject& test, int argc, char** argv) {
    InitVarnexResources();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, SettingsFolder());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, SettingsFolder());
    Feedback::SetErrorReporter([](const QString& text) { Errors().append(text); });
    Feedback::SetBeeper([] { ++Beeps(); });

    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, &CloseUnexpectedModalDialog);
    watchdog.start(50);

    return QTest::qExec(&test, argc, argv);
}

} // namespace VarnexTest
