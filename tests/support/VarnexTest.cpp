#include "VarnexTest.h"

#include "Feedback.h"
#include "Main.h"
#include "SuperStringGrid.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDialog>
#include <QDir>
#include <QHeaderView>
#include <QMenu>
#include <QRegularExpression>
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

// What the offscreen platform says of requests it has no means for: raising a window, grabbing
// the keyboard for a popup, passing size hints on to a window system. Nothing about the program.
const QRegularExpression HarmlessMessages(
    QStringLiteral("^This plugin does not support (raise\\(\\)|grabbing the keyboard|"
                   "propagateSizeHints\\(\\))$"));

QtMessageHandler qtTestHandler = nullptr;

// Any warning or critical message while a test function runs fails it. Qt Test fails a test on a
// warning registered with failOnWarning unless the test expects it with QTest::ignoreMessage;
// a critical message has no such way and always fails.
void FailOnMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    const bool counts = (type == QtWarningMsg || type == QtCriticalMsg) &&
                        QTest::currentTestFunction() != nullptr &&
                        !HarmlessMessages.match(message).hasMatch();
    if (counts && type == QtWarningMsg) {
        QTest::failOnWarning(QRegularExpression(
            QLatin1Char('^') + QRegularExpression::escape(message) + QLatin1Char('$')));
    }
    qtTestHandler(type, context, message);
    if (counts && type == QtCriticalMsg) {
        const QByteArray what = "Critical message: " + message.toUtf8();
        QTest::qFail(what.constData(), context.file != nullptr ? context.file : __FILE__,
                     context.file != nullptr ? context.line : __LINE__);
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

int ThreadCount() {
    return static_cast<int>(QDir(QStringLiteral("/proc/self/task"))
                                .entryList(QDir::Dirs | QDir::NoDotAndDotDot)
                                .size());
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

void ClearSettings() {
    QSettings settings(QStringLiteral("Korvex Group"), QStringLiteral("Varnex"));
    settings.clear();
    settings.sync();
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

QMenu* OpenContextMenu(QWidget& control, const QPoint& at) {
    QContextMenuEvent request(QContextMenuEvent::Mouse, at, control.mapToGlobal(at));
    QApplication::sendEvent(&control, &request);
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
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

    // Qt Test installs its message handler as it starts; this one goes in front of it.
    QTest::qInit(&test, argc, argv);
    qtTestHandler = qInstallMessageHandler(FailOnMessages);
    const int failures = QTest::qRun();
    qInstallMessageHandler(qtTestHandler);
    QTest::qCleanup();
    return failures;
}

} // namespace VarnexTest
