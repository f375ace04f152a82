#pragma once

#include "FontConfigWarmUp.h"
#include "VarnexApplication.h"

#include <QObject>
#include <QStringList>
#include <QWidget>

class QMenu;
class TMainForm;

class QTabWidget;
class TSuperStringGrid;

// What every test program shares: the offscreen platform unless one is set, settings in a
// temporary folder, recorders in place of the error box and the beep, a watchdog that fails
// the running test on an unexpected modal dialog instead of hanging, and a message handler that
// fails it on a warning or critical message (QTest::ignoreMessage expects a warning).
namespace VarnexTest {

// Error texts reported since the last reset, as the error box would have shown them.
QStringList& Errors();
int& Beeps();
void ResetRecorders();

// A test that opens a modal dialog on purpose switches the watchdog off around it.
void SetModalDialogsExpected(bool expected);

// The control of that object name inside the form. A missing one ends the test program: every
// later check would only repeat the failure.
template <typename T = QWidget> T* Control(const QObject& form, const QString& name) {
    T* control = form.findChild<T*>(name);
    if (control == nullptr) {
        qFatal("No control %s", qPrintable(name));
    }
    return control;
}

// Shows the window and makes it the active one: focus events and shortcuts need that.
bool ShowActive(QWidget& window);

// The object names of the main window's three calculator panels.
inline const char* const CalculatorPanels[] = {"NumoraCalcPanel", "QuadrelPanel",
                                               "LatencyCalcPageControl"};
// Empties the program's settings store, so that the next main window starts as on a first run.
void ClearSettings();

// Builds the calculators that the window builds when first shown, for a test that reaches their
// controls before showing them.
void BuildCalculators(TMainForm& form);
// The calculators the main window shows (not hidden), joined by "+"; one not built yet is not
// shown either.
QString ShownCalculators(const QWidget& form);

// The popup menu that a right click at that point raises: Qt Test's right click sends no menu
// request, so the request is sent as the click would; none when no menu came up.
QMenu* OpenContextMenu(QWidget& control, const QPoint& at);

// Clicks the page's tab with the mouse; true when the page became the current one.
bool ClickPage(QTabWidget& pageControl, const QWidget& page);

// Selects every data row of the grid as a user does: a click on the first column's title and a
// Shift+click on the title of lastColumn.
void SelectRowsByHeader(TSuperStringGrid& grid, int lastColumn);

// Counts the paint events a widget receives from its construction on.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// The threads the test process runs now.
int ThreadCount();

// The folder that stands in for the user's settings store.
QString SettingsFolder();

void UseOffscreenUnlessSet();
int Run(QObject& test, int argc, char** argv);

} // namespace VarnexTest

#define VARNEX_TEST_MAIN(TestClass)                                                                \
    int main(int argc, char** argv) {                                                              \
        VarnexTest::UseOffscreenUnlessSet();                                                       \
        /* The tests start as the program does. */                                                 \
        TFontConfigWarmUp fontConfig;                                                              \
        VarnexApplication app(argc, argv);                                                         \
        fontConfig.Wait();                                                                         \
        TestClass test;                                                                            \
        return VarnexTest::Run(test, argc, argv);                                                  \
    }
