#include "BetterSpinEdit.h"
#include "Main.h"
#include "NetworkButton.h"
#include "NetworkButtonForm.h"
#include "NumoraCalcPanel.h"
#include "QuadrelPanel.h"
#include "VarnexTest.h"

#include <QApplication>
#include <QComboBox>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QTabWidget>
#include <QTest>

using VarnexTest::Control;

namespace {

enum class TKind { SpinEdit, OctetEdit, NumberDisplay };
enum class TAway {
    Tab,
    ShiftTab,
    MouseElsewhere,
    PageTab,
    RadioItem,
    CheckBox,
    MenuPopup,
    MenuBarByAlt,
    OtherWindow
};

QWidget* Focused() {
    return QApplication::focusWidget();
}

} // namespace

Q_DECLARE_METATYPE(TKind)
Q_DECLARE_METATYPE(TAway)

// The three kinds of control that commit what was typed when the user leaves them, against
// every way the focus can go: all three agree on when the user has left.
class TestLeavingControls : public QObject {
    Q_OBJECT

    std::unique_ptr<TMainForm> form;

    QString SubnetAddress() const {
        return QString::fromStdString(form->SubnetCalculator()->SubnetModel().AsDecimalString());
    }

    // Into the control and half-way through a value; returns the control.
    QWidget* StartTyping(TKind kind) {
        switch (kind) {
        case TKind::SpinEdit:
            QTest::keyClick(form.get(), Qt::Key_S, Qt::AltModifier);
            QTest::keyClicks(Focused(), QStringLiteral("12"));
            break;
        case TKind::OctetEdit:
            QTest::keyClick(form.get(), Qt::Key_I, Qt::AltModifier);
            QTest::keyClicks(Focused(), QStringLiteral("10"));
            break;
        case TKind::NumberDisplay: {
            QTest::keyClick(form.get(), Qt::Key_H, Qt::ControlModifier);
            auto* memo = Control(*form, "DecMemo");
            QTest::mouseClick(memo, Qt::LeftButton, {}, QPoint(4, memo->height() / 2));
            QTest::keyClicks(Focused(), QStringLiteral("5-"));
            // "-" alone waits for its digits; leaving shows the number again.
            QTest::keyClick(Focused(), Qt::Key_Backspace);
            break;
        }
        }
        return Focused();
    }

    // Whether what was typed has been committed.
    bool Committed(TKind kind, const QString& addressBefore) const {
        switch (kind) {
        case TKind::SpinEdit:
            return Control<TBetterSpinEdit>(*form, "BitsSpinEdit")->Value() == 12;
        case TKind::OctetEdit:
            return SubnetAddress() != addressBefore &&
                   SubnetAddress().startsWith(QLatin1String("10."));
        case TKind::NumberDisplay:
            return Control<QLineEdit>(*form, "DecMemo")->text() == QLatin1String("-5");
        }
        return false;
    }

    void GoAway(TAway away, TKind kind) {
        QWidget* control = Focused();
        switch (away) {
        case TAway::Tab:
            QTest::keyClick(control, Qt::Key_Tab);
            break;
        case TAway::ShiftTab:
            QTest::keyClick(control, Qt::Key_Backtab, Qt::ShiftModifier);
            break;
        case TAway::MouseElsewhere: {
            auto* other = Control(*form, kind == TKind::NumberDisplay ? "HexMemo" : "MaskEdit2");
            QTest::mouseClick(other, Qt::LeftButton, {}, QPoint(4, other->height() / 2));
            break;
        }
        case TAway::PageTab: {
            const bool numbers = kind == TKind::NumberDisplay;
            QVERIFY(VarnexTest::ClickPage(
                *Control<QTabWidget>(*form,
                                     numbers ? "NumoraCalcPageControl" : "QuadrelPageControl"),
                *Control(*form, numbers ? "LookupTableTabSheet" : "GeneralInfoTab")));
            break;
        }
        case TAway::RadioItem:
        case TAway::CheckBox: {
            // Items whose click alone changes nothing that is checked here.
            const char* name = away == TAway::CheckBox        ? "RFC1878CheckBox"
                               : kind == TKind::NumberDisplay ? "NumberWidth16BitsButton"
                               : kind == TKind::OctetEdit     ? "ClassARadioButton"
                                                              : "ClassBRadioButton";
            auto* item = Control(*form, name);
            QTest::mouseClick(item, Qt::LeftButton, {}, QPoint(8, item->height() / 2));
            break;
        }
        case TAway::MenuPopup: {
            QMenuBar* bar = form->menuBar();
            const QRect title = bar->actionGeometry(bar->actions().constFirst());
            QTest::mouseClick(bar, Qt::LeftButton, {}, title.center());
            QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
            QTRY_VERIFY(QApplication::activePopupWidget() == nullptr);
            // The offscreen platform leaves no window active after a popup.
            QVERIFY(VarnexTest::ShowActive(*form));
            // Escape from a menu leaves the keyboard on the menu bar; a second one gives it back.
            if (form->menuBar()->hasFocus()) {
                QTest::keyClick(form->menuBar(), Qt::Key_Escape);
            }
            QTRY_COMPARE(Focused(), control);
            break;
        }
        case TAway::MenuBarByAlt:
            QTest::keyClick(control, Qt::Key_Alt);
            QTRY_VERIFY(form->menuBar()->hasFocus());
            QTest::keyClick(form->menuBar(), Qt::Key_Escape);
            QTRY_COMPARE(Focused(), control);
            break;
        case TAway::OtherWindow: {
            QWidget other;
            other.resize(100, 50);
            QVERIFY(VarnexTest::ShowActive(other));
            QVERIFY(!control->hasFocus());
            other.close();
            QVERIFY(VarnexTest::ShowActive(*form));
            QTRY_COMPARE(Focused(), control);
            break;
        }
        }
    }

private slots:
    void initTestCase() {
        // A style on which Alt alone takes the keyboard to the menu bar, as on a desktop that
        // offers it.
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows")));
        QVERIFY(QApplication::style()->styleHint(QStyle::SH_MenuBar_AltKeyNavigation));
    }

    void init() {
        VarnexTest::ResetRecorders();
        form = std::make_unique<TMainForm>();
        QVERIFY(VarnexTest::ShowActive(*form));
        QVERIFY(VarnexTest::ClickPage(*Control<QTabWidget>(*form, "QuadrelPageControl"),
                                      *Control(*form, "AddressInfoTab")));
    }
    void cleanup() { form.reset(); }

    void leavingCommits_data() {
        QTest::addColumn<TKind>("kind");
        QTest::addColumn<TAway>("away");
        QTest::addColumn<bool>("commits");
        const std::pair<const char*, TKind> kinds[] = {{"spin edit", TKind::SpinEdit},
                                                       {"octet edit", TKind::OctetEdit},
                                                       {"number display", TKind::NumberDisplay}};
        const std::tuple<const char*, TAway, bool> aways[] = {
            {"Tab", TAway::Tab, true},
            {"Shift+Tab", TAway::ShiftTab, true},
            {"mouse elsewhere", TAway::MouseElsewhere, true},
            {"page tab", TAway::PageTab, true},
            {"radio item", TAway::RadioItem, true},
            {"check box", TAway::CheckBox, true},
            {"menu popup", TAway::MenuPopup, false},
            {"menu bar by Alt", TAway::MenuBarByAlt, false},
            {"another window", TAway::OtherWindow, false}};
        for (const auto& [kindName, kind] : kinds) {
            for (const auto& [awayName, away, commits] : aways) {
                // The number calculator has no check box.
                if (kind == TKind::NumberDisplay && away == TAway::CheckBox) {
                    continue;
                }
                QTest::addRow("%s, %s", kindName, awayName) << kind << away << commits;
            }
        }
    }
    void leavingCommits() {
        QFETCH(TKind, kind);
        QFETCH(TAway, away);
        QFETCH(bool, commits);
        const QString addressBefore = SubnetAddress();
        QWidget* control = StartTyping(kind);
        QVERIFY(control != nullptr);
        QVERIFY(!Committed(kind, addressBefore));
        GoAway(away, kind);
        QCOMPARE(Committed(kind, addressBefore), commits);
        QCOMPARE(VarnexTest::Errors(), QStringList());
    }

    // The properties dialog's spin edits commit on a click elsewhere in the dialog too.
    void dialogSpinEditsCommitOnClicks_data() {
        QTest::addColumn<QString>("clicked");
        QTest::newRow("topology box") << "TopologyComboBox";
        QTest::newRow("bandwidth box") << "BandwidthComboBox";
    }
    void dialogSpinEditsCommitOnClicks() {
        QFETCH(QString, clicked);
        auto* dialog = new TNetworkButtonForm(form.get());
        auto* network = new TNetworkButton(form.get());
        network->SetNetworkButtonKind(nbATM);
        dialog->ShowElement(network);
        QTRY_COMPARE(QApplication::activeWindow(), dialog);
        auto* delay = Control<TBetterSpinEdit>(*dialog, "PropDelaySpinEdit");
        QTest::keyClick(dialog, Qt::Key_D, Qt::AltModifier);
        QCOMPARE(Focused(), delay);
        QTest::keyClick(delay, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(delay, QStringLiteral("25"));
        QVERIFY(delay->Value() != 25);
        auto* box = Control<QComboBox>(*dialog, clicked);
        QVERIFY(box->isEditable());
        QTest::mouseClick(box->lineEdit(), Qt::LeftButton, {}, QPoint(4, box->height() / 2));
        QCOMPARE(delay->Value(), 25);
        dialog->reject();
    }
};

VARNEX_TEST_MAIN(TestLeavingControls)
#include "tst_LeavingControls.moc"
