#include "Main.h"
#include "NumoraCalcPanel.h"
#include "SuperStringGrid.h"
#include "VarnexTest.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

namespace {

using VarnexTest::Control;

QAction* CopyMenuItem(const QWidget& form) {
    return form.findChild<QAction*>(QStringLiteral("CopyMenuItem"));
}

const QStringList MemoNames{QStringLiteral("DecMemo"), QStringLiteral("HexMemo"),
                            QStringLiteral("BinMemo")};
const QStringList WidthButtonNames{QStringLiteral("NumberWidth8BitsButton"),
                                   QStringLiteral("NumberWidth16BitsButton"),
                                   QStringLiteral("NumberWidth32BitsButton")};

QString CopyButtonOf(const QString& memoName) {
    return QString(memoName).replace(QLatin1String("Memo"), QLatin1String("ClipboardButton"));
}

// The lookup table's line for n, as the clipboard carries it: decimal, hexadecimal, binary.
QStringList LookupLine(int n) {
    QString binary = QString::number(n, 2).rightJustified(n < 16 ? 4 : 8, QLatin1Char('0'));
    if (n >= 16) {
        binary.insert(4, QLatin1Char(' '));
    }
    return {QString::number(n), QString::number(n, 16).toUpper(), binary};
}

} // namespace

class TestNumoraCalcPanel : public QObject {
    Q_OBJECT

    std::unique_ptr<TMainForm> form;

    QLineEdit* Memo(const QString& name) const { return Control<QLineEdit>(*form, name); }
    QLineEdit* Dec() const { return Memo(QStringLiteral("DecMemo")); }
    QLineEdit* Hex() const { return Memo(QStringLiteral("HexMemo")); }
    QLineEdit* Bin() const { return Memo(QStringLiteral("BinMemo")); }
    QTabWidget* PageControl() const {
        return Control<QTabWidget>(*form, QStringLiteral("NumoraCalcPageControl"));
    }
    TSuperStringGrid* LookupGrid() const {
        return Control<TSuperStringGrid>(*form, QStringLiteral("LookupStringGrid"));
    }
    bool CopyEnabled() const { return CopyMenuItem(*form)->isEnabled(); }

    QStringList Displays() const { return {Dec()->text(), Hex()->text(), Bin()->text()}; }

    void Click(const QString& name) {
        auto* control = Control(*form, name);
        QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center());
    }

    void FocusByClick(QLineEdit* memo) {
        QTest::mouseClick(memo, Qt::LeftButton, {}, QPoint(4, memo->height() / 2));
        QCOMPARE(QApplication::focusWidget(), memo);
    }

    void SelectWidth(int widthIndex) {
        auto* button = Control<QRadioButton>(*form, WidthButtonNames.at(widthIndex));
        // On the indicator: the rest of the row outside the caption takes no clicks.
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
        QVERIFY(button->isChecked());
    }

    // Types into whatever has the focus, one key event per character.
    static void Type(const QString& keys) {
        for (const QChar key : keys) {
            QWidget* focused = QApplication::focusWidget();
            QVERIFY(focused != nullptr);
            QTest::sendKeyEvent(QTest::Click, focused, KeyOf(key), QString(key), Qt::NoModifier);
        }
    }

    static Qt::Key KeyOf(QChar character) {
        switch (character.unicode()) {
        case u'\b':
            return Qt::Key_Backspace;
        case u'\x1b':
            return Qt::Key_Escape;
        case u'\n':
        case u'\r':
            return Qt::Key_Return;
        default:
            return Qt::Key(character.toUpper().unicode());
        }
    }

    static void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QWidget* focused = QApplication::focusWidget();
        QVERIFY(focused != nullptr);
        QTest::keyClick(focused, key, modifiers);
    }

    void ClickPage(const QString& pageName) {
        QVERIFY(VarnexTest::ClickPage(*PageControl(), *Control(*form, pageName)));
    }

    // Edit > Copy is there exactly while a display has the focus, and copies that display.
    void VerifyCopyFollowsTheFocus() {
        auto* memo = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        const bool onDisplay = memo != nullptr && MemoNames.contains(memo->objectName());
        QCOMPARE(CopyEnabled(), onDisplay);
        if (onDisplay) {
            QCOMPARE(form->ActiveCopyButton(), Control(*form, CopyButtonOf(memo->objectName())));
        }
    }

    void VerifyCaretAtEnd(QLineEdit* memo) {
        QCOMPARE(memo->cursorPosition(), memo->text().size());
        QVERIFY(!memo->hasSelectedText());
    }

private slots:
    void init() {
        VarnexTest::ResetRecorders();
        QGuiApplication::clipboard()->clear();
        form = std::make_unique<TMainForm>();
        QVERIFY(VarnexTest::ShowActive(*form));
        QTest::keyClick(form.get(), Qt::Key_H, Qt::ControlModifier);
        QVERIFY(Control(*form, QStringLiteral("NumoraCalcPanel"))->isVisible());
    }

    void cleanup() {
        form.reset();
        QVERIFY(VarnexTest::Errors().isEmpty());
    }

    void startsAtZeroWithSixteenBits() {
        QCOMPARE(Displays(), QStringList({"0", "00 00", "00000000 00000000"}));
        QVERIFY(Control<QRadioButton>(*form, WidthButtonNames.at(1))->isChecked());
        QCOMPARE(PageControl()->currentWidget()->objectName(),
                 QStringLiteral("ConversionTabSheet"));
        QVERIFY(!Control(*form, QStringLiteral("CopyLookupTableButton"))->isEnabled());
        QCOMPARE(form->NumoraCalculator()->ActiveNumMemo(), Dec());
        // Choosing the calculator put the keyboard on the decimal display, which copies.
        QCOMPARE(QApplication::focusWidget(), Dec());
        QCOMPARE(form->ActiveCopyButton(), Control(*form, QStringLiteral("DecClipboardButton")));
        QVERIFY(CopyEnabled());
    }

    void controlTexts_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("hint");
        QTest::newRow("width group") << "NumberWidthGroup"
                                     << "Number Width"
                                     << "";
        QTest::newRow("8 bits") << "NumberWidth8BitsButton"
                                << "8 bits   (b&yte)"
                                << "";
        QTest::newRow("16 bits") << "NumberWidth16BitsButton"
                                 << "16 bits (&word)"
                                 << "";
        QTest::newRow("32 bits") << "NumberWidth32BitsButton"
                                 << "32 bits (d&ouble word)"
                                 << "";
        QTest::newRow("decimal label") << "DecLabel"
                                       << "&Decimal"
                                       << "";
        QTest::newRow("hexadecimal label") << "HexLabel"
                                           << "He&xadecimal"
                                           << "";
        QTest::newRow("binary label") << "BinLabel"
                                      << "&Binary"
                                      << "";
        QTest::newRow("clear") << "ClearButton"
                               << "&Clear"
                               << "Clear all number displays";
        QTest::newRow("invert") << "InvertButton"
                                << "&Invert"
                                << "Perform a \"not\" operation on all numbers";
        QTest::newRow("decimal copy") << "DecClipboardButton"
                                      << ""
                                      << "Copy decimal number to clipboard";
        QTest::newRow("hexadecimal copy") << "HexClipboardButton"
                                          << ""
                                          << "Copy hexadecimal number to clipboard";
        QTest::newRow("binary copy") << "BinClipboardButton"
                                     << ""
                                     << "Copy binary number to clipboard";
        QTest::newRow("table copy") << "CopyLookupTableButton"
                                    << ""
                                    << "Copy lookup table to clipboard";
    }
    void controlTexts() {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QString, hint);
        QWidget* control = Control(*form, name);
        QString shown;
        if (auto* label = qobject_cast<QLabel*>(control)) {
            shown = label->text();
        } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            shown = button->text();
        } else if (auto* group = qobject_cast<QGroupBox*>(control)) {
            shown = group->title();
        }
        QCOMPARE(shown, text);
        QCOMPARE(control->toolTip(), hint);
    }

    void pagesAndLayout() {
        QCOMPARE(PageControl()->count(), 2);
        QCOMPARE(PageControl()->tabText(0), QStringLiteral("Conversion Calculator"));
        QCOMPARE(PageControl()->tabText(1), QStringLiteral("Lookup Table"));
        QCOMPARE(Control(*form, QStringLiteral("NumoraCalcPanel"))->size(), QSize(276, 313));
        const QRect group = Control(*form, QStringLiteral("NumberWidthGroup"))->geometry();
        const QRect copyTable = Control(*form, QStringLiteral("CopyLookupTableButton"))->geometry();
        QCOMPARE(group.topLeft(), QPoint(0, 0));
        QVERIFY(copyTable.left() > group.right());
        QCOMPARE(PageControl()->geometry().width(), 276);
        QVERIFY(PageControl()->geometry().top() > qMax(group.bottom(), copyTable.bottom()));
        for (const QString& memoName : MemoNames) {
            const QRect memo = Memo(memoName)->geometry();
            const QRect label =
                Control(*form, QString(memoName).replace(QLatin1String("Memo"), "Label"))
                    ->geometry();
            const QRect button = Control(*form, CopyButtonOf(memoName))->geometry();
            QVERIFY2(label.bottom() < memo.top(), qPrintable(memoName));
            QVERIFY2(button.left() > memo.right(), qPrintable(memoName));
            QVERIFY2(button.bottom() >= memo.top() && button.top() <= memo.bottom(),
                     qPrintable(memoName));
            QVERIFY(Memo(memoName)->alignment() & Qt::AlignRight);
            // An editable line edit under the hood: no context menu may offer paste or undo.
            QCOMPARE(Memo(memoName)->contextMenuPolicy(), Qt::NoContextMenu);
        }
        const QRect clear = Control(*form, QStringLiteral("ClearButton"))->geometry();
        const QRect invert = Control(*form, QStringLiteral("InvertButton"))->geometry();
        QCOMPARE(clear.top(), invert.top());
        QVERIFY(clear.right() < invert.left());
        QVERIFY(clear.top() > Bin()->geometry().bottom());
    }

    // Every case starts from 0 at the width given, with the focus clicked into the display.
    void typing_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("memo");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QStringList>("displays");
        QTest::addColumn<int>("beeps");

        const auto row = [](const char* name, int width, const char* memo, const QString& keys,
                            const QStringList& displays, int beeps) {
            QTest::newRow(name) << width << QString::fromLatin1(memo) << keys << displays << beeps;
        };
        row("1234", 1, "DecMemo", "1234", {"1,234", "04 D2", "00000100 11010010"}, 0);
        row("70000 overflows", 1, "DecMemo", "70000", {"7,000", "1B 58", "00011011 01011000"}, 1);
        row("65,535 is full", 1, "DecMemo", "6553509", {"65,535", "FF FF", "11111111 11111111"}, 2);
        row("minus", 1, "DecMemo", "5-", {"-5", "FF FF FF FB", "11111111 11111011"}, 0);
        row("minus twice", 1, "DecMemo", "5--", {"5", "00 05", "00000000 00000101"}, 0);
        row("plus after minus", 1, "DecMemo", "5-+", {"5", "00 05", "00000000 00000101"}, 0);
        row("plus on a positive value", 1, "DecMemo", "5+", {"5", "00 05", "00000000 00000101"}, 0);
        row("minus at zero", 1, "DecMemo", "-", {"0", "00 00", "00000000 00000000"}, 0);
        row("digits after minus", 1, "DecMemo", "5-3", {"-53", "FF FF FF CB", "11111111 11001011"},
            0);
        row("backspace on -5", 1, "DecMemo", "5-\b", {"-", "FF FF FF FB", "11111111 11111011"}, 0);
        row("backspace on 5", 1, "DecMemo", "5\b", {"0", "00 00", "00000000 00000000"}, 0);
        row("backspace at zero", 1, "DecMemo", "\b\b", {"0", "00 00", "00000000 00000000"}, 0);
        row("backspace regroups", 1, "DecMemo", "1234\b", {"123", "00 7B", "00000000 01111011"}, 0);
        row("0 on 0", 1, "DecMemo", "0", {"00", "00 00", "00000000 00000000"}, 0);
        row("0 twice on 0", 1, "DecMemo", "00", {"000", "00 00", "00000000 00000000"}, 0);
        row("0 then 5 on 0", 1, "DecMemo", "05", {"5", "00 05", "00000000 00000101"}, 0);
        row("letters refused", 1, "DecMemo", "a1x", {"1", "00 01", "00000000 00000001"}, 2);
        row("escape, line feed and enter refused", 1, "DecMemo", "\x1b\n\r",
            {"0", "00 00", "00000000 00000000"}, 3);
        row("non-ASCII refused", 1, "DecMemo", QStringLiteral("\u00e9"),
            {"0", "00 00", "00000000 00000000"}, 1);
        row("8 bits: 256 overflows", 0, "DecMemo", "256", {"25", "19", "00011001"}, 1);
        row("8 bits: negative shows eight hex digits", 0, "DecMemo", "5-",
            {"-5", "FF FF FF FB", "11111011"}, 0);
        row("32 bits: largest", 2, "DecMemo", "2147483647",
            {"2,147,483,647", "7F FF FF FF", "01111111 11111111 11111111 11111111"}, 0);
        row("32 bits: beyond the largest", 2, "DecMemo", "2147483648",
            {"214,748,364", "0C CC CC CC", "00001100 11001100 11001100 11001100"}, 1);
        row("hex a", 1, "HexMemo", "a", {"10", "00 0A", "00000000 00001010"}, 0);
        row("hex g", 1, "HexMemo", "g", {"0", "00 00", "00000000 00000000"}, 1);
        row("hex minus and plus refused", 1, "HexMemo", "-+", {"0", "00 00", "00000000 00000000"},
            2);
        row("hex digits shift in", 1, "HexMemo", "1f2e", {"7,982", "1F 2E", "00011111 00101110"},
            0);
        row("hex full", 1, "HexMemo", "1f2e3", {"7,982", "1F 2E", "00011111 00101110"}, 1);
        row("hex backspace", 1, "HexMemo", "1f2\b", {"31", "00 1F", "00000000 00011111"}, 0);
        row("hex 32 bits: eight digits go negative", 2, "HexMemo", "fffffffe",
            {"-2", "FF FF FF FE", "11111111 11111111 11111111 11111110"}, 0);
        row("binary 8 bits: eight ones", 0, "BinMemo", "11111111", {"255", "FF", "11111111"}, 0);
        row("binary 8 bits: a ninth one", 0, "BinMemo", "111111111", {"255", "FF", "11111111"}, 1);
        row("binary 2 refused", 0, "BinMemo", "2", {"0", "00", "00000000"}, 1);
        row("binary 101", 1, "BinMemo", "101", {"5", "00 05", "00000000 00000101"}, 0);
        row("binary backspace", 1, "BinMemo", "101\b", {"2", "00 02", "00000000 00000010"}, 0);
    }
    void typing() {
        QFETCH(int, width);
        QFETCH(QString, memo);
        QFETCH(QString, keys);
        QFETCH(QStringList, displays);
        QFETCH(int, beeps);
        SelectWidth(width);
        FocusByClick(Memo(memo));
        VarnexTest::ResetRecorders();
        Type(keys);
        QCOMPARE(Displays(), displays);
        QCOMPARE(VarnexTest::Beeps(), beeps);
        VerifyCaretAtEnd(Memo(memo));
    }

    // Typing "1" until a display is full: the length it reaches is its maximum at that width.
    void maximumLengths_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("memo");
        QTest::addColumn<int>("digits");
        QTest::addColumn<int>("maxLength");
        const std::array<std::array<int, 3>, 3> digits{{{3, 5, 10}, {2, 4, 8}, {8, 16, 32}}};
        const std::array<std::array<int, 3>, 3> lengths{{{3, 6, 13}, {2, 5, 11}, {8, 17, 35}}};
        for (int memo = 0; memo < 3; ++memo) {
            for (int width = 0; width < 3; ++width) {
                const QString name =
                    QStringLiteral("%1 at %2 bits").arg(MemoNames.at(memo)).arg(8 << width);
                QTest::newRow(qPrintable(name))
                    << width << MemoNames.at(memo) << digits[memo][width] << lengths[memo][width];
            }
        }
    }
    void maximumLengths() {
        QFETCH(int, width);
        QFETCH(QString, memo);
        QFETCH(int, digits);
        QFETCH(int, maxLength);
        SelectWidth(width);
        FocusByClick(Memo(memo));
        VarnexTest::ResetRecorders();
        Type(QString(digits, QLatin1Char('1')));
        QCOMPARE(VarnexTest::Beeps(), 0);
        const QString full = Memo(memo)->text();
        QCOMPARE(full.size(), maxLength);
        Type(QStringLiteral("1"));
        QCOMPARE(VarnexTest::Beeps(), 1);
        QCOMPARE(Memo(memo)->text(), full);
    }

    void keysThatCannotMoveTheCaret_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Left") << int(Qt::Key_Left) << 0;
        QTest::newRow("Right") << int(Qt::Key_Right) << 0;
        QTest::newRow("Up") << int(Qt::Key_Up) << 0;
        QTest::newRow("Down") << int(Qt::Key_Down) << 0;
        QTest::newRow("Shift+Left") << int(Qt::Key_Left) << int(Qt::ShiftModifier);
        QTest::newRow("Ctrl+Tab") << int(Qt::Key_Tab) << int(Qt::ControlModifier);
    }
    void keysThatCannotMoveTheCaret() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        FocusByClick(Hex());
        Type(QStringLiteral("12"));
        VarnexTest::ResetRecorders();
        Press(Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(QApplication::focusWidget(), Hex());
        QCOMPARE(PageControl()->currentWidget()->objectName(),
                 QStringLiteral("ConversionTabSheet"));
        VerifyCaretAtEnd(Hex());
        Type(QStringLiteral("3"));
        QCOMPARE(Displays(), QStringList({"291", "01 23", "00000001 00100011"}));
        QCOMPARE(VarnexTest::Beeps(), 0);
    }

    // The displays show a caret, so they are editable line edits: no editing key may reach them.
    void editingKeysLeaveTheDisplay_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Ctrl+Z") << int(Qt::Key_Z) << int(Qt::ControlModifier);
        QTest::newRow("Ctrl+Backspace") << int(Qt::Key_Backspace) << int(Qt::ControlModifier);
        QTest::newRow("Ctrl+K") << int(Qt::Key_K) << int(Qt::ControlModifier);
        QTest::newRow("Ctrl+A") << int(Qt::Key_A) << int(Qt::ControlModifier);
    }
    void editingKeysLeaveTheDisplay() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        FocusByClick(Dec());
        Type(QStringLiteral("12"));
        Press(Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(Displays(), QStringList({"12", "00 0C", "00000000 00001100"}));
        QCOMPARE(form->NumoraCalculator()->NumoraNumber().Value(), 12);
        QVERIFY(!Dec()->isReadOnly());
        VerifyCaretAtEnd(Dec());
        Type(QStringLiteral("3"));
        QCOMPARE(Dec()->text(), QStringLiteral("123"));
    }

    void homeMovesTheCaretButDigitsStillEnterAtTheRight() {
        FocusByClick(Dec());
        Type(QStringLiteral("12"));
        Press(Qt::Key_Home);
        QCOMPARE(Dec()->cursorPosition(), 0);
        Type(QStringLiteral("3"));
        QCOMPARE(Dec()->text(), QStringLiteral("123"));
        VerifyCaretAtEnd(Dec());
    }

    void deleteZeroesEveryDisplay_data() {
        QTest::addColumn<QString>("memo");
        QTest::addColumn<QString>("keys");
        QTest::newRow("decimal") << "DecMemo"
                                 << "5-";
        QTest::newRow("hexadecimal") << "HexMemo"
                                     << "ab";
        QTest::newRow("binary") << "BinMemo"
                                << "1101";
    }
    void deleteZeroesEveryDisplay() {
        QFETCH(QString, memo);
        QFETCH(QString, keys);
        FocusByClick(Memo(memo));
        Type(keys);
        QVERIFY(form->NumoraCalculator()->NumoraNumber().Value() != 0);
        Press(Qt::Key_Delete);
        QCOMPARE(Displays(), QStringList({"0", "00 00", "00000000 00000000"}));
        QCOMPARE(VarnexTest::Beeps(), 0);
        VerifyCaretAtEnd(Memo(memo));
    }

    void clearZeroesEveryDisplay() {
        FocusByClick(Bin());
        Type(QStringLiteral("1011"));
        Click(QStringLiteral("ClearButton"));
        QCOMPARE(Displays(), QStringList({"0", "00 00", "00000000 00000000"}));
    }

    void invert_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QStringList>("inverted");
        QTest::addColumn<QStringList>("twice");
        QTest::newRow("0 at 16 bits")
            << 1 << "" << QStringList{"-1", "FF FF FF FF", "11111111 11111111"}
            << QStringList{"0", "00 00", "00000000 00000000"};
        QTest::newRow("5 at 16 bits")
            << 1 << "5" << QStringList{"-6", "FF FF FF FA", "11111111 11111010"}
            << QStringList{"5", "00 05", "00000000 00000101"};
        QTest::newRow("-5 at 16 bits")
            << 1 << "5-" << QStringList{"4", "00 04", "00000000 00000100"}
            << QStringList{"-5", "FF FF FF FB", "11111111 11111011"};
        QTest::newRow("255 at 8 bits")
            << 0 << "255" << QStringList{"-256", "FF FF FF 00", "00000000"}
            << QStringList{"255", "FF", "11111111"};
        QTest::newRow("2,147,483,647 at 32 bits")
            << 2 << "2147483647"
            << QStringList{"-2,147,483,648", "80 00 00 00", "10000000 00000000 00000000 00000000"}
            << QStringList{"2,147,483,647", "7F FF FF FF", "01111111 11111111 11111111 11111111"};
    }
    void invert() {
        QFETCH(int, width);
        QFETCH(QString, keys);
        QFETCH(QStringList, inverted);
        QFETCH(QStringList, twice);
        SelectWidth(width);
        FocusByClick(Dec());
        Type(keys);
        Click(QStringLiteral("InvertButton"));
        QCOMPARE(Displays(), inverted);
        Click(QStringLiteral("InvertButton"));
        QCOMPARE(Displays(), twice);
        QCOMPARE(VarnexTest::Beeps(), 0);
    }

    void invertByAccelerator() {
        QTest::keyClick(form.get(), Qt::Key_I, Qt::AltModifier);
        QTRY_COMPARE(Dec()->text(), QStringLiteral("-1"));
        QTest::keyClick(form.get(), Qt::Key_C, Qt::AltModifier);
        QTRY_COMPARE(Dec()->text(), QStringLiteral("0"));
    }

    void widthChanges_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("to");
        QTest::addColumn<QStringList>("displays");
        QTest::newRow("32 to 8 bits clamps 1000")
            << 2 << "1000" << 0 << QStringList{"255", "FF", "11111111"};
        QTest::newRow("16 to 32 bits keeps 1234")
            << 1 << "1234" << 2
            << QStringList{"1,234", "00 00 04 D2", "00000000 00000000 00000100 11010010"};
        QTest::newRow("16 to 32 bits turns -5 into the maximum")
            << 1 << "5-" << 2
            << QStringList{"2,147,483,647", "7F FF FF FF", "01111111 11111111 11111111 11111111"};
        QTest::newRow("16 to 8 bits turns -5 into the maximum")
            << 1 << "5-" << 0 << QStringList{"255", "FF", "11111111"};
        QTest::newRow("8 to 16 bits keeps 200")
            << 0 << "200" << 1 << QStringList{"200", "00 C8", "00000000 11001000"};
    }
    void widthChanges() {
        QFETCH(int, from);
        QFETCH(QString, keys);
        QFETCH(int, to);
        QFETCH(QStringList, displays);
        SelectWidth(from);
        FocusByClick(Dec());
        Type(keys);
        SelectWidth(to);
        QCOMPARE(Displays(), displays);
        QCOMPARE(VarnexTest::Beeps(), 0);
    }

    void widthByKeyboard() {
        QTest::keyClick(form.get(), Qt::Key_Y, Qt::AltModifier);
        QTRY_COMPARE(Displays(), QStringList({"0", "00", "00000000"}));
        QTest::keyClick(form.get(), Qt::Key_O, Qt::AltModifier);
        QTRY_COMPARE(Hex()->text(), QStringLiteral("00 00 00 00"));
        // The arrow keys move the choice inside the group.
        Press(Qt::Key_Up);
        QCOMPARE(Hex()->text(), QStringLiteral("00 00"));
    }

    void lookupTable_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("cells");
        QTest::newRow("header") << 0 << QStringList{"Decimal", "Hexadecimal", "Binary"};
        QTest::newRow("1") << 1 << QStringList{"0", "0", "0000"};
        QTest::newRow("11") << 11 << QStringList{"10", "A", "1010"};
        QTest::newRow("16") << 16 << QStringList{"15", "F", "1111"};
        QTest::newRow("17") << 17 << QStringList{"16", "10", "0001 0000"};
        QTest::newRow("256") << 256 << QStringList{"255", "FF", "1111 1111"};
    }
    void lookupTable() {
        QFETCH(int, row);
        QFETCH(QStringList, cells);
        TSuperStringGrid* grid = LookupGrid();
        QCOMPARE(grid->ColCount(), 3);
        QCOMPARE(grid->RowCount(), 257);
        QCOMPARE(grid->FixedRows(), 1);
        QCOMPARE(grid->FixedCols(), 0);
        for (int col = 0; col < 3; ++col) {
            QCOMPARE(grid->Cells(col, row), cells.at(col));
            QCOMPARE(grid->ColAlignment(col), TSuperStringGrid::taRightJustify);
        }
    }

    void lookupTableFonts() {
        TSuperStringGrid* grid = LookupGrid();
        QCOMPARE(grid->DefaultColWidth(), 82);
        const QFontInfo cellFont(grid->font());
        QVERIFY(!cellFont.family().isEmpty());
        QVERIFY(cellFont.fixedPitch());
        QCOMPARE(cellFont.pixelSize(), 13);
        QCOMPARE(grid->FixedFont(), QApplication::font());
    }

    void lookupTableDoesNotFollowTheWidth() {
        SelectWidth(2);
        QCOMPARE(LookupGrid()->Cells(2, 256), QStringLiteral("1111 1111"));
        QCOMPARE(LookupGrid()->Cells(1, 11), QStringLiteral("A"));
    }

    void labelAcceleratorsFocusTheirDisplays_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("memo");
        QTest::newRow("Alt+D") << int(Qt::Key_D) << "DecMemo";
        QTest::newRow("Alt+X") << int(Qt::Key_X) << "HexMemo";
        QTest::newRow("Alt+B") << int(Qt::Key_B) << "BinMemo";
    }
    void labelAcceleratorsFocusTheirDisplays() {
        QFETCH(int, key);
        QFETCH(QString, memo);
        QTest::keyClick(form.get(), Qt::Key(key), Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), Memo(memo));
        // The accelerator's focus would select the whole text; the display keeps the caret.
        VerifyCaretAtEnd(Memo(memo));
        QCOMPARE(form->NumoraCalculator()->ActiveNumMemo(), Memo(memo));
        QCOMPARE(form->ActiveCopyButton(), Control(*form, CopyButtonOf(memo)));
        QVERIFY(CopyEnabled());
    }

    void tabOrder() {
        FocusByClick(Dec());
        const QStringList order{
            "DecClipboardButton", "HexMemo",     "HexClipboardButton", "BinMemo",
            "BinClipboardButton", "ClearButton", "InvertButton"};
        for (const QString& name : order) {
            Press(Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), name);
            if (auto* memo = qobject_cast<QLineEdit*>(QApplication::focusWidget())) {
                VerifyCaretAtEnd(memo);
            }
        }
    }

    void mouseCannotSelect() {
        FocusByClick(Bin());
        Type(QStringLiteral("1011"));
        const int middle = Bin()->height() / 2;
        QTest::mousePress(Bin(), Qt::LeftButton, {}, QPoint(10, middle));
        VerifyCaretAtEnd(Bin());
        QTest::mouseMove(Bin(), QPoint(Bin()->width() - 10, middle));
        VerifyCaretAtEnd(Bin());
        QTest::mouseRelease(Bin(), Qt::LeftButton, {}, QPoint(Bin()->width() - 10, middle));
        VerifyCaretAtEnd(Bin());
        QTest::mouseDClick(Bin(), Qt::LeftButton, {}, QPoint(10, middle));
        VerifyCaretAtEnd(Bin());
    }

    void copyButtons_data() {
        QTest::addColumn<QString>("memo");
        QTest::addColumn<QString>("copied");
        QTest::newRow("decimal") << "DecMemo"
                                 << "1,234";
        QTest::newRow("hexadecimal") << "HexMemo"
                                     << "04 D2";
        QTest::newRow("binary") << "BinMemo"
                                << "00000100 11010010";
    }
    void copyButtons() {
        QFETCH(QString, memo);
        QFETCH(QString, copied);
        FocusByClick(Dec());
        Type(QStringLiteral("1234"));
        Click(CopyButtonOf(memo));
        QCOMPARE(QGuiApplication::clipboard()->text(), copied);
        // The buttons take no focus from the display being typed into.
        QCOMPARE(QApplication::focusWidget(), Dec());
    }

    void copyFollowsTheFocus_data() {
        QTest::addColumn<QString>("memo");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("copied");
        QTest::newRow("decimal") << "DecMemo"
                                 << "1234"
                                 << "1,234";
        QTest::newRow("decimal as typed") << "DecMemo"
                                          << "5-\b"
                                          << "-";
        QTest::newRow("hexadecimal") << "HexMemo"
                                     << "4d2"
                                     << "04 D2";
        QTest::newRow("binary") << "BinMemo"
                                << "10011010010"
                                << "00000100 11010010";
    }
    void copyFollowsTheFocus() {
        QFETCH(QString, memo);
        QFETCH(QString, keys);
        QFETCH(QString, copied);
        FocusByClick(Memo(memo));
        Type(keys);
        QVERIFY(CopyEnabled());
        QCOMPARE(form->ActiveCopyButton(), Control(*form, CopyButtonOf(memo)));

        QTest::keyClick(Memo(memo), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), copied);
        QCOMPARE(Memo(memo)->text(), copied);
        QCOMPARE(VarnexTest::Beeps(), 0);

        QGuiApplication::clipboard()->clear();
        CopyMenuItem(*form)->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), copied);

        // Off the displays, Copy has no target.
        Click(QStringLiteral("ClearButton"));
        QVERIFY(!CopyEnabled());
        QCOMPARE(form->ActiveCopyButton(), nullptr);
        QGuiApplication::clipboard()->clear();
        Press(Qt::Key_C, Qt::ControlModifier);
        QVERIFY(QGuiApplication::clipboard()->text().isEmpty());
    }

    void copyFromTheEditMenuWhileADisplayHasTheFocus() {
        FocusByClick(Hex());
        Type(QStringLiteral("beef"));
        auto* editMenu = form->findChild<QMenu*>(QStringLiteral("EditMenuItem"));
        QVERIFY(editMenu != nullptr);
        editMenu->popup(form->mapToGlobal(QPoint(20, 20)));
        QVERIFY(QTest::qWaitForWindowExposed(editMenu));
        QVERIFY(CopyEnabled());
        QTest::keyClick(editMenu, Qt::Key_C);
        QTRY_VERIFY(!editMenu->isVisible());
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("BE EF"));
        QCOMPARE(QApplication::focusWidget(), Hex());
        QVERIFY(CopyEnabled());
    }

    void copyFromTheLookupTable() {
        FocusByClick(Dec());
        ClickPage(QStringLiteral("LookupTableTabSheet"));
        QVERIFY(CopyEnabled());
        QVERIFY(Control(*form, QStringLiteral("CopyLookupTableButton"))->isEnabled());
        QCOMPARE(form->ActiveCopyButton(), Control(*form, QStringLiteral("CopyLookupTableButton")));

        // Whole columns: a click on the first header, a Shift+click on the second.
        TSuperStringGrid* grid = LookupGrid();
        QHeaderView* header = grid->horizontalHeader();
        const auto headerPoint = [header](int col) {
            return QPoint(header->sectionViewportPosition(col) + header->sectionSize(col) / 2,
                          header->height() / 2);
        };
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, headerPoint(0));
        QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::ShiftModifier, headerPoint(1));
        QCOMPARE(grid->Selection(), (TGridRect{0, 1, 1, 256}));

        QString expected = QStringLiteral("Decimal\tHexadecimal\r\n");
        for (int n = 0; n < 256; ++n) {
            expected += LookupLine(n).mid(0, 2).join(QLatin1Char('\t')) + QStringLiteral("\r\n");
        }
        // The grid answers its own Ctrl+C, after the key event.
        Press(Qt::Key_C, Qt::ControlModifier);
        QTRY_COMPARE(QGuiApplication::clipboard()->text(), expected);

        QGuiApplication::clipboard()->clear();
        CopyMenuItem(*form)->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), expected);

        QGuiApplication::clipboard()->clear();
        Click(QStringLiteral("CopyLookupTableButton"));
        QCOMPARE(QGuiApplication::clipboard()->text(), expected);

        ClickPage(QStringLiteral("ConversionTabSheet"));
        QVERIFY(!Control(*form, QStringLiteral("CopyLookupTableButton"))->isEnabled());
        VerifyCopyFollowsTheFocus();
    }

    void displayTakingTheFocusWithThePageKeepsCopy() {
        ClickPage(QStringLiteral("LookupTableTabSheet"));
        LookupGrid()->setFocus();
        QCOMPARE(QApplication::focusWidget(), LookupGrid());
        // The page's first display takes the focus before the page change is reported.
        Press(Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(PageControl()->currentWidget()->objectName(),
                 QStringLiteral("ConversionTabSheet"));
        QVERIFY(qobject_cast<QLineEdit*>(QApplication::focusWidget()) != nullptr);
        VerifyCopyFollowsTheFocus();
    }

    void choosingTheCalculatorAgainKeepsTheDisplaysCopy() {
        FocusByClick(Bin());
        QTest::keyClick(form.get(), Qt::Key_H, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), Bin());
        QVERIFY(CopyEnabled());
        QCOMPARE(form->ActiveCopyButton(), Control(*form, QStringLiteral("BinClipboardButton")));
    }

    void switchingCalculatorsKeepsTheNumber() {
        FocusByClick(Dec());
        Type(QStringLiteral("42"));
        QTest::keyClick(form.get(), Qt::Key_L, Qt::ControlModifier);
        QVERIFY(form->ActiveCopyButton() != Control(*form, QStringLiteral("DecClipboardButton")));
        QTest::keyClick(form.get(), Qt::Key_H, Qt::ControlModifier);
        QCOMPARE(Displays(), QStringList({"42", "00 2A", "00000000 00101010"}));
    }
};

VARNEX_TEST_MAIN(TestNumoraCalcPanel)
#include "tst_NumoraCalcPanel.moc"
