#include "BetterSpinEdit.h"
#include "Main.h"
#include "OctetEdit.h"
#include "QuadrelPanel.h"
#include "VarnexTest.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

using VarnexTest::Control;

namespace {

enum class TPaste { CtrlV, ShiftInsert, MiddleButton, Menu };

// Puts the text where the way of pasting takes it from and pastes into the control, which has
// the focus.
void Paste(QWidget& control, const QString& text, TPaste how) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    switch (how) {
    case TPaste::CtrlV:
        clipboard->setText(text);
        QTest::keyClick(&control, Qt::Key_V, Qt::ControlModifier);
        break;
    case TPaste::ShiftInsert:
        clipboard->setText(text);
        QTest::keyClick(&control, Qt::Key_Insert, Qt::ShiftModifier);
        break;
    case TPaste::MiddleButton:
        clipboard->setText(text, QClipboard::Selection);
        QTest::mouseClick(&control, Qt::MiddleButton, {}, QPoint(4, control.height() / 2));
        break;
    case TPaste::Menu: {
        clipboard->setText(text);
        VarnexTest::OpenContextMenu(control, QPoint(4, control.height() / 2));
        QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu != nullptr);
        // The entry that pastes is the one whose shortcut is the paste keys.
        QAction* paste = nullptr;
        for (QAction* action : menu->actions()) {
            if (action->text().contains(
                    QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText))) {
                paste = action;
            }
        }
        QVERIFY(paste != nullptr);
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(paste).center());
        QTRY_VERIFY(QApplication::activePopupWidget() == nullptr);
        break;
    }
    }
}

bool PlatformCanPaste(TPaste how) {
    return how != TPaste::MiddleButton || QGuiApplication::clipboard()->supportsSelection();
}

} // namespace

Q_DECLARE_METATYPE(TPaste)

// Pasting what engineers copy from elsewhere: a dotted address into an octet box, a number into
// a number display. The real clipboard carries the text.
class TestPasting : public QObject {
    Q_OBJECT

    std::unique_ptr<TMainForm> form;

    QString Shown(const char* name) const { return Control<QLineEdit>(*form, name)->text(); }

    QString ShownAddress(int firstEdit) const {
        QStringList octets;
        for (int edit = firstEdit; edit < firstEdit + 4; ++edit) {
            octets.append(
                Control<QLineEdit>(*form, QStringLiteral("MaskEdit%1").arg(edit))->text());
        }
        return octets.join(QLatin1Char('.'));
    }

    QString CheckedClass() const {
        for (const char* name : {"ClassARadioButton", "ClassBRadioButton", "ClassCRadioButton"}) {
            if (Control<QRadioButton>(*form, name)->isChecked()) {
                return QString::fromLatin1(name).mid(5, 1);
            }
        }
        return {};
    }

private slots:
    void init() {
        VarnexTest::ResetRecorders();
        form = std::make_unique<TMainForm>();
        QVERIFY(VarnexTest::ShowActive(*form));
    }
    void cleanup() {
        form.reset();
        QGuiApplication::clipboard()->clear();
        QVERIFY2(VarnexTest::Errors().isEmpty(), qPrintable(VarnexTest::Errors().join(' ')));
    }

    void addressIntoAnOctet_data() {
        QTest::addColumn<QString>("page");
        QTest::addColumn<int>("octet");
        QTest::addColumn<QString>("text");
        QTest::addColumn<TPaste>("how");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("addressClass");
        QTest::addColumn<int>("bits");
        const auto row = [](const char* name, const char* page, int octet, const char* text,
                            TPaste how, const char* address, const char* addressClass, int bits) {
            QTest::newRow(name) << page << octet << text << how << address << addressClass << bits;
        };
        const TPaste v = TPaste::CtrlV;
        row("class A into the first", "AddressInfoTab", 1, "10.1.2.3", v, "10.1.2.3", "A", 8);
        row("blanks around it, into the third", "AddressInfoTab", 3, "  192.168.0.1 ",
            TPaste::ShiftInsert, "192.168.0.1", "C", 6);
        row("middle button", "AddressInfoTab", 2, "10.1.2.3", TPaste::MiddleButton, "10.1.2.3", "A",
            8);
        row("the menu's Paste", "AddressInfoTab", 4, "10.1.2.3", TPaste::Menu, "10.1.2.3", "A", 8);
        row("the last octet clamped as typed", "AddressInfoTab", 4, "172.16.5.255", v,
            "172.16.5.254", "B", 8);
        row("a prefix sets the subnet bits", "AddressInfoTab", 2, "10.1.2.3/24", v, "10.1.2.3", "A",
            16);
        row("a prefix beyond the class", "AddressInfoTab", 1, "192.168.7.9 / 31", v, "192.168.7.9",
            "C", 6);
        row("a prefix shorter than the class", "AddressInfoTab", 1, "172.16.0.1/8", v, "172.16.0.1",
            "B", 1);
        row("into the supernet", "CIDRTab", 5, "10.0.0.0", v, "10.0.0.0", "A", 7);
        row("a prefix sets the supernet bits", "CIDRTab", 7, "192.168.4.0/22", v, "192.168.4.0",
            "C", 22);
        row("a supernet prefix beyond the range", "CIDRTab", 8, "192.168.4.0/28", v, "192.168.4.0",
            "C", 24);
    }
    void addressIntoAnOctet() {
        QFETCH(QString, page);
        QFETCH(int, octet);
        QFETCH(QString, text);
        QFETCH(TPaste, how);
        QFETCH(QString, address);
        QFETCH(QString, addressClass);
        QFETCH(int, bits);
        if (!PlatformCanPaste(how)) {
            QSKIP("This platform has no selection for the middle button to paste");
        }
        QVERIFY(VarnexTest::ClickPage(*Control<QTabWidget>(*form, "QuadrelPageControl"),
                                      *Control(*form, page)));
        auto* edit = Control<TOctetEdit>(*form, QStringLiteral("MaskEdit%1").arg(octet));
        QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(4, edit->height() / 2));
        QCOMPARE(QApplication::focusWidget(), edit);
        Paste(*edit, text, how);
        const bool supernet = page == QLatin1String("CIDRTab");
        const auto& model =
            supernet ? static_cast<const TIPAddress&>(form->SubnetCalculator()->SupernetModel())
                     : static_cast<const TIPAddress&>(form->SubnetCalculator()->SubnetModel());
        QCOMPARE(QString::fromStdString(model.AsDecimalString()), address);
        QCOMPARE(ShownAddress(supernet ? 5 : 1), address);
        QCOMPARE(CheckedClass(), addressClass);
        QCOMPARE(Control<TBetterSpinEdit>(*form, "BitsSpinEdit")->Value(), bits);
        QCOMPARE(supernet ? int(form->SubnetCalculator()->SupernetModel().SupernetBits())
                          : int(form->SubnetCalculator()->SubnetModel().SubnetBits()),
                 bits);
        QCOMPARE(QApplication::focusWidget(), edit);
        QCOMPARE(VarnexTest::Beeps(), 0);
    }

    // Anything else goes into the one box as before: a full box moves on, which commits it.
    void otherTextIntoAnOctet_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("address");
        QTest::newRow("a number") << "12"
                                  << "12"
                                  << "128.0.0.1";
        QTest::newRow("a prefix alone") << "/24"
                                        << "24"
                                        << "128.0.0.1";
        // The mask drops the dots and keeps the first three digits.
        QTest::newRow("three numbers") << "10.1.2"
                                       << "101"
                                       << "101.0.0.1";
        QTest::newRow("an octet beyond 255") << "10.1.2.300"
                                             << "101"
                                             << "101.0.0.1";
    }
    void otherTextIntoAnOctet() {
        QFETCH(QString, text);
        QFETCH(QString, typed);
        QFETCH(QString, address);
        QVERIFY(VarnexTest::ClickPage(*Control<QTabWidget>(*form, "QuadrelPageControl"),
                                      *Control(*form, "AddressInfoTab")));
        QTest::keyClick(form.get(), Qt::Key_I, Qt::AltModifier);
        auto* edit = Control<TOctetEdit>(*form, "MaskEdit1");
        Paste(*edit, text, TPaste::CtrlV);
        QCOMPARE(edit->TypedText(), typed);
        QCOMPARE(ShownAddress(1).section(QLatin1Char('.'), 1), QStringLiteral("0.0.1"));
        QCOMPARE(QString::fromStdString(form->SubnetCalculator()->SubnetModel().AsDecimalString()),
                 address);
    }

    // Into a display holding 12 at 16 bits.
    void numberIntoADisplay_data() {
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("text");
        QTest::addColumn<TPaste>("how");
        QTest::addColumn<QString>("decimal");
        QTest::addColumn<int>("beeps");
        const auto row = [](const char* display, const char* text, TPaste how, const char* decimal,
                            int beeps) {
            QTest::addRow("%s %s", display, text) << display << text << how << decimal << beeps;
        };
        const TPaste v = TPaste::CtrlV;
        row("DecMemo", "1,234", v, "1,234", 0);
        row("DecMemo", " 4 660 ", TPaste::ShiftInsert, "4,660", 0);
        row("DecMemo", "-5", v, "-5", 0);
        row("DecMemo", "65535", TPaste::MiddleButton, "65,535", 0);
        row("DecMemo", "70000", v, "12", 1);
        row("DecMemo", "12a", v, "12", 1);
        row("DecMemo", "0x10", v, "12", 1);
        row("DecMemo", "", v, "12", 1);
        row("HexMemo", "0x4D2", v, "1,234", 0);
        row("HexMemo", "be ef", TPaste::ShiftInsert, "48,879", 0);
        row("HexMemo", "FFFF FFFF", v, "-1", 0);
        row("HexMemo", "0x1FFFF", v, "12", 1);
        row("HexMemo", "1 0000 0000", v, "12", 1);
        row("HexMemo", "0x", v, "12", 1);
        row("HexMemo", "-5", v, "12", 1);
        row("BinMemo", "0b1010", v, "10", 0);
        row("BinMemo", "1 0000 0000", TPaste::MiddleButton, "256", 0);
        row("BinMemo", "102", v, "12", 1);
        row("BinMemo", "1 0000 0000 0000 0000", v, "12", 1);
    }
    void numberIntoADisplay() {
        QFETCH(QString, display);
        QFETCH(QString, text);
        QFETCH(TPaste, how);
        QFETCH(QString, decimal);
        QFETCH(int, beeps);
        if (!PlatformCanPaste(how)) {
            QSKIP("This platform has no selection for the middle button to paste");
        }
        QTest::keyClick(form.get(), Qt::Key_H, Qt::ControlModifier);
        QTest::keyClicks(Control(*form, "DecMemo"), QStringLiteral("12"));
        auto* memo = Control<QLineEdit>(*form, display);
        QTest::mouseClick(memo, Qt::LeftButton, {}, QPoint(4, memo->height() / 2));
        QCOMPARE(QApplication::focusWidget(), memo);
        Paste(*memo, text, how);
        QCOMPARE(Shown("DecMemo"), decimal);
        QCOMPARE(VarnexTest::Beeps(), beeps);
        // The display goes on taking digits at its end.
        QCOMPARE(memo->cursorPosition(), memo->text().size());
    }
};

VARNEX_TEST_MAIN(TestPasting)
#include "tst_Pasting.moc"
