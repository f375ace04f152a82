#include "BetterSpinEdit.h"
#include "VarnexTest.h"

#include <QAction>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QMenu>
#include <QTest>
#include <QToolButton>
#include <QTranslator>
#include <algorithm>
#include <climits>

namespace {

struct Notifications {
    int change = 0;
    int upClicking = 0;
    int upClick = 0;
    int downClicking = 0;
    int downClick = 0;
};

enum class Commit { Enter, KeypadEnter, Tab, ClickElsewhere };
enum class Trigger { UpKey, DownKey, PageUpKey, UpArrow, DownArrow };

// A window with a spin edit and a plain edit to take the focus from it.
class SpinEditForm {
public:
    SpinEditForm(int minValue, int maxValue, int value) {
        window.resize(160, 90);
        edit = new TBetterSpinEdit(&window);
        edit->setObjectName(QStringLiteral("BitsSpinEdit"));
        edit->move(10, 10);
        other = new QLineEdit(&window);
        other->setGeometry(10, 50, 65, 21);
        edit->SetMaxValue(maxValue);
        edit->SetMinValue(minValue);
        edit->SetValue(value);
        edit->SetOnChange([this](TBetterSpinEdit& sender) {
            ++fired.change;
            changeSender = &sender;
        });
        edit->SetOnUpClicking([this](TBetterSpinEdit&) { ++fired.upClicking; });
        edit->SetOnUpClick([this](TBetterSpinEdit&) { ++fired.upClick; });
        edit->SetOnDownClicking([this](TBetterSpinEdit&) { ++fired.downClicking; });
        edit->SetOnDownClick([this](TBetterSpinEdit&) { ++fired.downClick; });
    }

    bool ShowActive() { return VarnexTest::ShowActive(window); }

    // Enters the spin edit from the other edit, which selects its text for typing over.
    void EnterEdit() {
        other->setFocus();
        edit->setFocus();
    }

    QToolButton* UpArrow() const {
        return edit->findChild<QToolButton*>(QStringLiteral("UpButton"));
    }
    QToolButton* DownArrow() const {
        return edit->findChild<QToolButton*>(QStringLiteral("DownButton"));
    }

    QWidget window;
    TBetterSpinEdit* edit;
    QLineEdit* other;
    Notifications fired;
    TBetterSpinEdit* changeSender = nullptr;
};

// Types text as key clicks; characters beyond ASCII arrive as keys that carry only text.
void TypeText(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(widget, c.toLatin1());
        } else {
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
}

QAction* MenuAction(const QMenu& menu, const QString& caption) {
    const QList<QAction*> actions = menu.actions();
    const auto found = std::find_if(actions.cbegin(), actions.cend(), [&](const QAction* action) {
        return action->text().startsWith(caption);
    });
    return found == actions.cend() ? nullptr : *found;
}

void CommitBy(SpinEditForm& form, Commit commit) {
    switch (commit) {
    case Commit::Enter:
        QTest::keyClick(form.edit, Qt::Key_Return);
        break;
    case Commit::KeypadEnter:
        QTest::keyClick(form.edit, Qt::Key_Enter, Qt::KeypadModifier);
        break;
    case Commit::Tab:
        QTest::keyClick(form.edit, Qt::Key_Tab);
        break;
    case Commit::ClickElsewhere:
        QTest::mouseClick(form.other, Qt::LeftButton);
        break;
    }
}

void Fire(SpinEditForm& form, Trigger trigger) {
    switch (trigger) {
    case Trigger::UpKey:
        QTest::keyClick(form.edit, Qt::Key_Up);
        break;
    case Trigger::DownKey:
        QTest::keyClick(form.edit, Qt::Key_Down);
        break;
    case Trigger::PageUpKey:
        QTest::keyClick(form.edit, Qt::Key_PageUp);
        break;
    case Trigger::UpArrow:
        QTest::mouseClick(form.UpArrow(), Qt::LeftButton);
        break;
    case Trigger::DownArrow:
        QTest::mouseClick(form.DownArrow(), Qt::LeftButton);
        break;
    }
}

} // namespace

Q_DECLARE_METATYPE(Commit)
Q_DECLARE_METATYPE(Trigger)
Q_DECLARE_METATYPE(Qt::Key)

class TestBetterSpinEdit : public QObject {
    Q_OBJECT

private slots:
    void init() { VarnexTest::ResetRecorders(); }

    void newControl() {
        TBetterSpinEdit edit;
        QCOMPARE(edit.text(), QStringLiteral("0"));
        QCOMPARE(edit.Value(), 0);
        QCOMPARE(edit.MinValue(), 0);
        QCOMPARE(edit.MaxValue(), 0);
        QCOMPARE(edit.Increment(), 1);
        QCOMPARE(edit.FastIncrement(), 10);
        QVERIFY(edit.EditorEnabled());
        QVERIFY(!edit.Infinity());
        QCOMPARE(edit.Alignment(), Qt::AlignLeft);
        QCOMPARE(edit.size(), QSize(65, 21));
    }

    void setValueClamps_data() {
        QTest::addColumn<int>("minValue");
        QTest::addColumn<int>("maxValue");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("expected");
        QTest::addColumn<int>("changes");
        QTest::newRow("below the range") << 1 << 22 << -5 << 1 << 1;
        QTest::newRow("above the range") << 1 << 22 << 30 << 22 << 1;
        QTest::newRow("inside the range") << 1 << 22 << 7 << 7 << 1;
        QTest::newRow("unchanged") << 1 << 22 << 8 << 8 << 0;
        QTest::newRow("clamped to the value it has") << 1 << 8 << 9 << 8 << 0;
        QTest::newRow("default bounds take negatives") << 0 << 0 << -7 << -7 << 1;
        QTest::newRow("equal bounds take anything") << 5 << 5 << 100 << 100 << 1;
        QTest::newRow("full range") << INT_MIN << INT_MAX << INT_MIN << INT_MIN << 1;
    }
    void setValueClamps() {
        QFETCH(int, minValue);
        QFETCH(int, maxValue);
        QFETCH(int, value);
        QFETCH(int, expected);
        QFETCH(int, changes);
        SpinEditForm form(minValue, maxValue, 8);
        form.edit->setText(QStringLiteral("garbage"));

        form.edit->SetValue(value);
        QCOMPARE(form.edit->Value(), expected);
        QCOMPARE(form.edit->text(), QString::number(expected));
        QCOMPARE(form.fired.change, changes);
    }

    void changeCallbackReceivesTheSender() {
        SpinEditForm form(1, 22, 8);
        form.edit->SetValue(9);
        QCOMPARE(form.changeSender, form.edit);
    }

    void unassignedCallbacksAreNotCalled() {
        TBetterSpinEdit edit;
        edit.SetOnChange({});
        edit.SetValue(5);
        edit.UpClick();
        edit.FastDownClick();
        QCOMPARE(edit.Value(), -4);
    }

    void boundsReclamp_data() {
        QTest::addColumn<bool>("setMax");
        QTest::addColumn<int>("bound");
        QTest::addColumn<int>("expected");
        QTest::addColumn<int>("changes");
        QTest::newRow("lowering the maximum below the value") << true << 10 << 10 << 1;
        QTest::newRow("lowering the maximum above the value") << true << 22 << 20 << 0;
        QTest::newRow("raising the minimum above the value") << false << 21 << 21 << 1;
        QTest::newRow("equal bounds stop clamping") << false << 24 << 20 << 0;
    }
    void boundsReclamp() {
        QFETCH(bool, setMax);
        QFETCH(int, bound);
        QFETCH(int, expected);
        QFETCH(int, changes);
        SpinEditForm form(1, 24, 20);
        QVERIFY(form.ShowActive());
        form.EnterEdit();
        TypeText(form.edit, QStringLiteral("15"));

        if (setMax) {
            form.edit->SetMaxValue(bound);
        } else {
            form.edit->SetMinValue(bound);
        }
        QCOMPARE(form.edit->Value(), expected);
        QCOMPARE(form.edit->text(), QString::number(expected));
        QCOMPARE(form.fired.change, changes);
    }

    void propertiesForDesignerForms() {
        TBetterSpinEdit edit;
        QVERIFY(edit.setProperty("MaxValue", 22));
        QVERIFY(edit.setProperty("MinValue", 1));
        QVERIFY(edit.setProperty("Value", 30));
        QVERIFY(edit.setProperty("Alignment", QVariant::fromValue(Qt::Alignment(Qt::AlignRight))));
        QCOMPARE(edit.Value(), 22);
        QCOMPARE(edit.text(), QStringLiteral("22"));
        QCOMPARE(edit.Alignment(), Qt::AlignRight);
        QVERIFY(edit.alignment() & Qt::AlignRight);
    }

    void typedTextCommits_data() {
        QTest::addColumn<int>("minValue");
        QTest::addColumn<int>("maxValue");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<Commit>("commit");
        QTest::addColumn<int>("expected");
        QTest::addColumn<int>("changes");
        QTest::newRow("30 Enter") << 1 << 22 << "30" << Commit::Enter << 22 << 1;
        QTest::newRow("30 keypad Enter") << 1 << 22 << "30" << Commit::KeypadEnter << 22 << 1;
        QTest::newRow("30 Tab") << 1 << 22 << "30" << Commit::Tab << 22 << 1;
        QTest::newRow("30 click elsewhere") << 1 << 22 << "30" << Commit::ClickElsewhere << 22 << 1;
        QTest::newRow("5 Tab") << 1 << 22 << "5" << Commit::Tab << 5 << 1;
        QTest::newRow("same number") << 1 << 22 << "8" << Commit::Enter << 8 << 0;
        QTest::newRow("stray minus signs") << 1 << 22 << "1-2-" << Commit::Enter << 12 << 1;
        QTest::newRow("lone minus") << 1 << 22 << "-" << Commit::Enter << 1 << 1;
        QTest::newRow("lone minus, no range") << 0 << 0 << "-" << Commit::Tab << 0 << 1;
        QTest::newRow("leading minus kept") << 0 << 0 << "--5-" << Commit::Enter << -5 << 1;
        QTest::newRow("negative below range") << 1 << 22 << "-3" << Commit::Enter << 1 << 1;
        QTest::newRow("too many digits") << 0 << 0 << "99999999999" << Commit::Enter << 0 << 1;
        QTest::newRow("emptied text keeps value") << 1 << 22 << "\b" << Commit::Enter << 8 << 0;
        QTest::newRow("INT_MIN") << 0 << 0 << "-2147483648" << Commit::Tab << INT_MIN << 1;
    }
    void typedTextCommits() {
        QFETCH(int, minValue);
        QFETCH(int, maxValue);
        QFETCH(QString, typed);
        QFETCH(Commit, commit);
        QFETCH(int, expected);
        QFETCH(int, changes);
        SpinEditForm form(minValue, maxValue, 8);
        QVERIFY(form.ShowActive());
        form.EnterEdit();

        TypeText(form.edit, typed);
        QCOMPARE(form.edit->Value(), 8);
        QCOMPARE(form.fired.change, 0);

        CommitBy(form, commit);
        QCOMPARE(form.edit->Value(), expected);
        QCOMPARE(form.edit->text(), QString::number(expected));
        QCOMPARE(form.fired.change, changes);
        QCOMPARE(VarnexTest::Beeps(), 0);
    }

    void windowDeactivationDoesNotCommit() {
        SpinEditForm form(1, 22, 8);
        QVERIFY(form.ShowActive());
        form.EnterEdit();
        TypeText(form.edit, QStringLiteral("5"));

        QWidget otherWindow;
        QVERIFY(VarnexTest::ShowActive(otherWindow));
        QCOMPARE(form.edit->Value(), 8);
        QCOMPARE(form.edit->text(), QStringLiteral("5"));

        QVERIFY(form.ShowActive());
        QVERIFY(form.edit->hasFocus());
        QVERIFY(!form.edit->hasSelectedText());
        QCOMPARE(form.fired.change, 0);
    }

    void steps_data() {
        QTest::addColumn<int>("minValue");
        QTest::addColumn<int>("maxValue");
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("expected");
        QTest::addColumn<int>("changes");
        QTest::addColumn<bool>("upward");
        const int none = Qt::NoModifier;
        QTest::newRow("Up") << 1 << 22 << 8 << "" << Qt::Key_Up << none << 9 << 1 << true;
        QTest::newRow("Down") << 1 << 22 << 8 << "" << Qt::Key_Down << none << 7 << 1 << false;
        QTest::newRow("Up at the maximum, text rewritten")
            << 1 << 22 << 22 << "0022" << Qt::Key_Up << none << 22 << 0 << true;
        QTest::newRow("Down at the minimum")
            << 1 << 22 << 1 << "" << Qt::Key_Down << none << 1 << 0 << false;
        QTest::newRow("Page Up stops at the maximum")
            << 1 << 24 << 20 << "" << Qt::Key_PageUp << none << 24 << 1 << true;
        QTest::newRow("Page Down")
            << 1 << 24 << 20 << "" << Qt::Key_PageDown << none << 10 << 1 << false;
        QTest::newRow("Page Down stops at the minimum")
            << 1 << 24 << 5 << "" << Qt::Key_PageDown << none << 1 << 1 << false;
        QTest::newRow("Shift+Up") << 1 << 22 << 8 << "" << Qt::Key_Up << int(Qt::ShiftModifier) << 9
                                  << 1 << true;
        QTest::newRow("Ctrl+Page Up")
            << 1 << 24 << 8 << "" << Qt::Key_PageUp << int(Qt::ControlModifier) << 18 << 1 << true;
        QTest::newRow("Alt+Down") << 1 << 22 << 8 << "" << Qt::Key_Down << int(Qt::AltModifier) << 7
                                  << 1 << false;
        QTest::newRow("typed 5 then Up")
            << 1 << 22 << 8 << "5" << Qt::Key_Up << none << 6 << 1 << true;
        QTest::newRow("typed 30 then Down")
            << 1 << 22 << 8 << "30" << Qt::Key_Down << none << 22 << 1 << false;
        QTest::newRow("typed 21 then Up to the value it had")
            << 1 << 22 << 22 << "21" << Qt::Key_Up << none << 22 << 1 << true;
        QTest::newRow("unreadable text then Up")
            << 0 << 0 << 8 << "-" << Qt::Key_Up << none << 1 << 1 << true;
    }
    void steps() {
        QFETCH(int, minValue);
        QFETCH(int, maxValue);
        QFETCH(int, start);
        QFETCH(QString, typed);
        QFETCH(Qt::Key, key);
        QFETCH(int, modifiers);
        QFETCH(int, expected);
        QFETCH(int, changes);
        QFETCH(bool, upward);
        SpinEditForm form(minValue, maxValue, start);
        QVERIFY(form.ShowActive());
        form.EnterEdit();
        TypeText(form.edit, typed);

        QTest::keyClick(form.edit, key, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(form.edit->Value(), expected);
        QCOMPARE(form.edit->text(), QString::number(expected));
        QCOMPARE(form.fired.change, changes);
        QCOMPARE(form.fired.upClicking, upward ? 1 : 0);
        QCOMPARE(form.fired.upClick, upward ? 1 : 0);
        QCOMPARE(form.fired.downClicking, upward ? 0 : 1);
        QCOMPARE(form.fired.downClick, upward ? 0 : 1);
        QCOMPARE(VarnexTest::Beeps(), 0);
        QVERIFY(VarnexTest::Errors().isEmpty());
    }

    void increments_data() {
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<int>("expected");
        QTest::newRow("Up uses Increment") << Qt::Key_Up << 13;
        QTest::newRow("Down uses Increment") << Qt::Key_Down << 3;
        QTest::newRow("Page Up uses FastIncrement") << Qt::Key_PageUp << 11;
        QTest::newRow("Page Down uses FastIncrement") << Qt::Key_PageDown << 5;
    }
    void increments() {
        QFETCH(Qt::Key, key);
        QFETCH(int, expected);
        SpinEditForm form(0, 0, 8);
        form.edit->SetIncrement(5);
        form.edit->SetFastIncrement(3);
        QTest::keyClick(form.edit, key);
        QCOMPARE(form.edit->Value(), expected);
    }

    void arrowButtons_data() {
        QTest::addColumn<Trigger>("trigger");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<int>("expected");
        QTest::addColumn<int>("beeps");
        QTest::newRow("up arrow") << Trigger::UpArrow << false << 9 << 0;
        QTest::newRow("down arrow") << Trigger::DownArrow << false << 7 << 0;
        QTest::newRow("read-only up arrow") << Trigger::UpArrow << true << 8 << 1;
        QTest::newRow("read-only down arrow") << Trigger::DownArrow << true << 8 << 1;
        QTest::newRow("read-only Up key") << Trigger::UpKey << true << 8 << 1;
        QTest::newRow("read-only Page Up key") << Trigger::PageUpKey << true << 8 << 1;
    }
    void arrowButtons() {
        QFETCH(Trigger, trigger);
        QFETCH(bool, readOnly);
        QFETCH(int, expected);
        QFETCH(int, beeps);
        SpinEditForm form(1, 22, 8);
        form.edit->setReadOnly(readOnly);
        QVERIFY(form.ShowActive());
        form.other->setFocus();

        Fire(form, trigger);
        QCOMPARE(form.edit->Value(), expected);
        QCOMPARE(form.edit->text(), QString::number(expected));
        QCOMPARE(VarnexTest::Beeps(), beeps);
        const bool upward = trigger != Trigger::DownArrow && trigger != Trigger::DownKey;
        QCOMPARE(form.fired.upClicking, upward ? 1 : 0);
        QCOMPARE(form.fired.upClick, upward ? 1 : 0);
        QCOMPARE(form.fired.downClicking, upward ? 0 : 1);
        QCOMPARE(form.fired.downClick, upward ? 0 : 1);
        QCOMPARE(form.fired.change, expected == 8 ? 0 : 1);
    }

    void arrowClickCommitsTheEditThatHadTheFocus() {
        SpinEditForm form(1, 22, 8);
        auto* second = new TBetterSpinEdit(&form.window);
        second->setGeometry(90, 10, 65, 21);
        second->SetMaxValue(22);
        second->SetMinValue(1);
        second->SetValue(8);
        QVERIFY(form.ShowActive());
        second->setFocus();
        TypeText(second, QStringLiteral("30"));

        QTest::mouseClick(form.UpArrow(), Qt::LeftButton);
        QVERIFY(form.edit->hasFocus());
        QCOMPARE(second->Value(), 22);
        QCOMPARE(form.edit->Value(), 9);
    }

    void overflow_data() {
        QTest::addColumn<int>("minValue");
        QTest::addColumn<int>("maxValue");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<Trigger>("trigger");
        QTest::addColumn<int>("taken");
        QTest::newRow("Up key past INT_MAX")
            << 0 << INT_MAX << "2147483647" << Trigger::UpKey << INT_MAX;
        QTest::newRow("Up arrow past INT_MAX")
            << 0 << INT_MAX << "2147483647" << Trigger::UpArrow << INT_MAX;
        QTest::newRow("Page Up past INT_MAX")
            << 0 << 0 << "2147483640" << Trigger::PageUpKey << 2147483640;
        QTest::newRow("Down key past INT_MIN")
            << 0 << 0 << "-2147483648" << Trigger::DownKey << INT_MIN;
        QTest::newRow("Down arrow past INT_MIN")
            << 0 << 0 << "-2147483648" << Trigger::DownArrow << INT_MIN;
    }
    void overflow() {
        QFETCH(int, minValue);
        QFETCH(int, maxValue);
        QFETCH(QString, typed);
        QFETCH(Trigger, trigger);
        QFETCH(int, taken);
        SpinEditForm form(minValue, maxValue, 8);
        QVERIFY(form.ShowActive());
        form.EnterEdit();
        TypeText(form.edit, typed);

        Fire(form, trigger);
        QCOMPARE(VarnexTest::Errors(), QStringList{QStringLiteral("Integer overflow.")});
        QCOMPARE(form.edit->Value(), taken);
        QCOMPARE(form.edit->text(), typed);
        QCOMPARE(form.fired.change, 0);
        QCOMPARE(form.fired.upClicking + form.fired.downClicking, 1);
        QCOMPARE(form.fired.upClick + form.fired.downClick, 0);

        // The control goes on working: a step the other way lands inside the range.
        const bool upward = trigger == Trigger::UpKey || trigger == Trigger::UpArrow ||
                            trigger == Trigger::PageUpKey;
        QTest::keyClick(form.edit, upward ? Qt::Key_Down : Qt::Key_Up);
        QCOMPARE(form.edit->Value(), upward ? taken - 1 : taken + 1);
        QCOMPARE(form.fired.change, 1);
        QCOMPARE(VarnexTest::Errors().size(), 1);
    }

    // Characters arrive as key presses, one at a time, or as text an input method composed, all
    // at once: both pass the same filter.
    void characterFilter_data() {
        QTest::addColumn<bool>("inputMethod");
        QTest::addColumn<bool>("editorEnabled");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("beeps");
        QTest::newRow("digits") << false << true << "42"
                                << "42" << 0;
        QTest::newRow("minus") << false << true << "-"
                               << "-" << 0;
        QTest::newRow("letter") << false << true << "a"
                                << "8" << 1;
        QTest::newRow("plus") << false << true << "+"
                              << "8" << 1;
        QTest::newRow("space") << false << true << " "
                               << "8" << 1;
        QTest::newRow("letters between digits") << false << true << "1x2y"
                                                << "12" << 2;
        QTest::newRow("infinity sign") << false << true << QString(QChar(0x221E)) << "8" << 1;
        QTest::newRow("Arabic-Indic digit") << false << true << QString(QChar(0x0663)) << "8" << 1;
        QTest::newRow("Backspace") << false << true << "\b"
                                   << "" << 0;
        QTest::newRow("Escape") << false << true << "\x1b"
                                << "8" << 0;
        QTest::newRow("no editor: digit") << false << false << "5"
                                          << "8" << 1;
        QTest::newRow("no editor: minus") << false << false << "-"
                                          << "8" << 1;
        QTest::newRow("no editor: Backspace") << false << false << "\b"
                                              << "8" << 1;
        QTest::newRow("no editor: Escape") << false << false << "\x1b"
                                           << "8" << 0;
        QTest::newRow("input method: digits") << true << true << "42"
                                              << "42" << 0;
        QTest::newRow("input method: letter") << true << true << "a"
                                              << "8" << 1;
        QTest::newRow("input method: digit and plus") << true << true << "1+"
                                                      << "8" << 1;
        QTest::newRow("input method, no editor: digit") << true << false << "5"
                                                        << "8" << 1;
    }
    void characterFilter() {
        QFETCH(bool, inputMethod);
        QFETCH(bool, editorEnabled);
        QFETCH(QString, typed);
        QFETCH(QString, text);
        QFETCH(int, beeps);
        SpinEditForm form(1, 22, 8);
        form.edit->SetEditorEnabled(editorEnabled);
        QVERIFY(form.ShowActive());
        form.EnterEdit();

        if (inputMethod) {
            QInputMethodEvent event;
            event.setCommitString(typed);
            QCoreApplication::sendEvent(form.edit, &event);
        } else {
            TypeText(form.edit, typed);
        }
        QCOMPARE(form.edit->text(), text);
        QCOMPARE(VarnexTest::Beeps(), beeps);
        QCOMPARE(form.edit->Value(), 8);
        QCOMPARE(form.fired.change, 0);
    }

    void isValidChar_data() {
        QTest::addColumn<bool>("editorEnabled");
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("valid");
        QTest::newRow("0") << true << int('0') << true;
        QTest::newRow("9") << true << int('9') << true;
        QTest::newRow("minus") << true << int('-') << true;
        QTest::newRow("Ctrl+A") << true << 1 << true;
        QTest::newRow("Backspace") << true << 8 << true;
        QTest::newRow("Enter") << true << 13 << false;
        QTest::newRow("unit separator") << true << 31 << true;
        QTest::newRow("space") << true << 32 << false;
        QTest::newRow("slash before 0") << true << int('/') << false;
        QTest::newRow("colon after 9") << true << int(':') << false;
        QTest::newRow("DEL") << true << 127 << false;
        QTest::newRow("superscript two") << true << 0xB2 << false;
        QTest::newRow("U+0130 narrows to 0") << true << 0x130 << false;
        QTest::newRow("no editor: 0") << false << int('0') << false;
        QTest::newRow("no editor: minus") << false << int('-') << false;
        QTest::newRow("no editor: Backspace") << false << 8 << false;
        QTest::newRow("no editor: Ctrl+A") << false << 1 << true;
        QTest::newRow("no editor: Enter") << false << 13 << false;
    }
    void isValidChar() {
        QFETCH(bool, editorEnabled);
        QFETCH(int, code);
        QFETCH(bool, valid);
        TBetterSpinEdit edit;
        edit.SetEditorEnabled(editorEnabled);
        QCOMPARE(edit.IsValidChar(QChar(code)), valid);
    }

    void cutAndPaste_data() {
        QTest::addColumn<bool>("editorEnabled");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("editable") << true << false << true;
        QTest::newRow("no editor") << false << false << false;
        QTest::newRow("read-only") << true << true << false;
    }
    void cutAndPaste() {
        QFETCH(bool, editorEnabled);
        QFETCH(bool, readOnly);
        QFETCH(bool, allowed);
        SpinEditForm form(1, 22, 8);
        form.edit->SetEditorEnabled(editorEnabled);
        form.edit->setReadOnly(readOnly);
        QVERIFY(form.ShowActive());
        form.EnterEdit();
        QClipboard* clipboard = QApplication::clipboard();

        clipboard->setText(QStringLiteral("1-2-"));
        QTest::keyClick(form.edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(form.edit->text(), allowed ? QStringLiteral("1-2-") : QStringLiteral("8"));
        // Pasted text is not filtered; committing it reads what it can.
        QTest::keyClick(form.edit, Qt::Key_Return);
        QCOMPARE(form.edit->Value(), allowed ? 12 : 8);

        form.edit->selectAll();
        clipboard->setText(QStringLiteral("kept"));
        QTest::keyClick(form.edit, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(form.edit->text().isEmpty(), allowed);
        QCOMPARE(clipboard->text(), allowed ? QStringLiteral("12") : QStringLiteral("kept"));
        QCOMPARE(VarnexTest::Beeps(), 0);
    }

    void contextMenuCutAndPaste_data() { cutAndPaste_data(); }
    void contextMenuCutAndPaste() {
        QFETCH(bool, editorEnabled);
        QFETCH(bool, readOnly);
        QFETCH(bool, allowed);
        SpinEditForm form(1, 22, 8);
        form.edit->SetEditorEnabled(editorEnabled);
        form.edit->setReadOnly(readOnly);
        QVERIFY(form.ShowActive());
        form.EnterEdit();
        QApplication::clipboard()->setText(QStringLiteral("15"));

        QMenu* menu = VarnexTest::OpenContextMenu(*form.edit, QPoint(5, 5));
        QVERIFY(menu);
        const QAction* cut = MenuAction(*menu, QStringLiteral("Cu&t"));
        const QAction* paste = MenuAction(*menu, QStringLiteral("&Paste"));
        // A read-only edit offers neither; otherwise both are there, usable only when allowed.
        QCOMPARE(cut != nullptr, !readOnly);
        QCOMPARE(paste != nullptr, !readOnly);
        if (!readOnly) {
            QCOMPARE(cut->isEnabled(), allowed);
            QCOMPARE(paste->isEnabled(), allowed);
        }
        menu->close();
    }

    // Under a translation the menu's captions change; the entries the edit disables do not.
    void contextMenuUnderATranslation() {
        class TMarkingTranslator : public QTranslator {
        public:
            QString translate(const char* context, const char* source, const char*,
                              int) const override {
                return qstrcmp(context, "QLineEdit") == 0
                           ? QLatin1String("~") + QLatin1String(source)
                           : QString();
            }
            bool isEmpty() const override { return false; }
        } translator;
        QVERIFY(QCoreApplication::installTranslator(&translator));
        SpinEditForm form(1, 22, 8);
        form.edit->SetEditorEnabled(false);
        QVERIFY(form.ShowActive());
        form.EnterEdit();
        QApplication::clipboard()->setText(QStringLiteral("15"));

        QMenu* menu = VarnexTest::OpenContextMenu(*form.edit, QPoint(5, 5));
        QCoreApplication::removeTranslator(&translator);
        QVERIFY(menu);
        const QAction* cut = MenuAction(*menu, QStringLiteral("~Cu&t"));
        const QAction* copy = MenuAction(*menu, QStringLiteral("~&Copy"));
        const QAction* paste = MenuAction(*menu, QStringLiteral("~&Paste"));
        QVERIFY(cut && copy && paste);
        QVERIFY(!cut->isEnabled());
        QVERIFY(copy->isEnabled());
        QVERIFY(!paste->isEnabled());
        menu->close();
    }

    void focusEntrySelects_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("selected");
        QTest::newRow("Tab") << "tab" << true;
        QTest::newRow("Shift+Tab") << "backtab" << true;
        QTest::newRow("program") << "program" << true;
        QTest::newRow("left click in the text") << "click" << false;
    }
    void focusEntrySelects() {
        QFETCH(QString, entry);
        QFETCH(bool, selected);
        SpinEditForm form(1, 22, 8);
        QVERIFY(form.ShowActive());
        form.other->setFocus();

        if (entry == QLatin1String("tab")) {
            QTest::keyClick(form.other, Qt::Key_Tab);
        } else if (entry == QLatin1String("backtab")) {
            QTest::keyClick(form.other, Qt::Key_Backtab, Qt::ShiftModifier);
        } else if (entry == QLatin1String("program")) {
            form.EnterEdit();
        } else {
            QTest::mouseClick(form.edit, Qt::LeftButton, {}, QPoint(4, 10));
        }
        QVERIFY(form.edit->hasFocus());
        QCOMPARE(form.edit->selectedText(), selected ? QStringLiteral("8") : QString());
    }

    void arrowPressFocusesTheEdit_data() {
        QTest::addColumn<int>("focusPolicy");
        QTest::newRow("click focus") << int(Qt::StrongFocus);
        // Without click focus, the arrow itself hands the focus over.
        QTest::newRow("tab focus only") << int(Qt::TabFocus);
    }
    void arrowPressFocusesTheEdit() {
        QFETCH(int, focusPolicy);
        SpinEditForm form(1, 22, 8);
        form.edit->setFocusPolicy(Qt::FocusPolicy(focusPolicy));
        QVERIFY(form.ShowActive());
        form.other->setFocus();
        QTest::mousePress(form.UpArrow(), Qt::LeftButton);
        QVERIFY(form.edit->hasFocus());
        QCOMPARE(form.edit->Value(), 8);
        QTest::mouseRelease(form.UpArrow(), Qt::LeftButton);
        QCOMPARE(form.edit->Value(), 9);
    }

    void arrowsRepeat_data() {
        QTest::addColumn<QString>("arrow");
        QTest::newRow("up") << "UpButton";
        QTest::newRow("down") << "DownButton";
    }
    void arrowsRepeat() {
        QFETCH(QString, arrow);
        TBetterSpinEdit edit;
        auto* button = edit.findChild<QToolButton*>(arrow);
        QVERIFY(button);
        QVERIFY(button->autoRepeat());
        QCOMPARE(button->autoRepeatDelay(), 400);
        QCOMPARE(button->autoRepeatInterval(), 100);
        QCOMPARE(button->focusPolicy(), Qt::NoFocus);
    }

    void holdingAnArrowRepeatsItsStep() {
        SpinEditForm form(0, 0, 8);
        QVERIFY(form.ShowActive());
        QTest::mousePress(form.UpArrow(), Qt::LeftButton);
        QTRY_VERIFY(form.edit->Value() >= 10);
        QTest::mouseRelease(form.UpArrow(), Qt::LeftButton);
        const int released = form.edit->Value();
        QTest::qWait(250);
        QCOMPARE(form.edit->Value(), released);
        QCOMPARE(form.fired.upClick, released - 8);
    }

    void failedRepetitionStops() {
        SpinEditForm form(0, 0, INT_MAX);
        QVERIFY(form.ShowActive());
        QTest::mousePress(form.UpArrow(), Qt::LeftButton);
        QTRY_COMPARE(VarnexTest::Errors().size(), 1);
        QVERIFY(!form.UpArrow()->isDown());
        QTest::qWait(350);
        QTest::mouseRelease(form.UpArrow(), Qt::LeftButton);
        QCOMPARE(VarnexTest::Errors(), QStringList{QStringLiteral("Integer overflow.")});
        QCOMPARE(form.edit->Value(), INT_MAX);
    }

    void infinityIgnoresValueChanges_data() {
        QTest::addColumn<QString>("attempt");
        QTest::newRow("set value") << "value";
        QTest::newRow("lower maximum") << "maximum";
        QTest::newRow("raise minimum") << "minimum";
        QTest::newRow("Up key") << "up";
        QTest::newRow("typed and Enter") << "enter";
        QTest::newRow("typed and Tab") << "tab";
    }
    void infinityIgnoresValueChanges() {
        QFETCH(QString, attempt);
        SpinEditForm form(1, 22, 8);
        QVERIFY(form.ShowActive());
        form.edit->SetInfinity(true);
        const QString infinity(QChar(0x221E));
        QCOMPARE(form.edit->text(), infinity);
        QVERIFY(QFontMetrics(form.edit->font()).inFont(QChar(0x221E)));
        form.EnterEdit();

        if (attempt == QLatin1String("value")) {
            form.edit->SetValue(5);
        } else if (attempt == QLatin1String("maximum")) {
            form.edit->SetMaxValue(3);
        } else if (attempt == QLatin1String("minimum")) {
            form.edit->SetMinValue(12);
        } else if (attempt == QLatin1String("up")) {
            QTest::keyClick(form.edit, Qt::Key_Up);
            QCOMPARE(form.fired.upClick, 1);
        } else {
            TypeText(form.edit, QStringLiteral("5"));
            QTest::keyClick(form.edit,
                            attempt == QLatin1String("tab") ? Qt::Key_Tab : Qt::Key_Return);
        }
        QCOMPARE(form.edit->Value(), 8);
        QCOMPARE(form.edit->text(), infinity);
        QCOMPARE(form.fired.change, 0);

        form.edit->SetInfinity(false);
        QCOMPARE(form.edit->text(), QStringLiteral("8"));
        QCOMPARE(form.fired.change, 0);
    }

    void minimumSize_data() {
        QTest::addColumn<QSize>("requested");
        QTest::addColumn<int>("pixelSize");
        QTest::newRow("too narrow") << QSize(10, 21) << 0;
        QTest::newRow("too low") << QSize(69, 5) << 0;
        QTest::newRow("large font raises the height") << QSize(69, 21) << 40;
    }
    void minimumSize() {
        QFETCH(QSize, requested);
        QFETCH(int, pixelSize);
        TBetterSpinEdit edit;
        if (pixelSize > 0) {
            QFont font = edit.font();
            font.setPixelSize(pixelSize);
            edit.setFont(font);
            QVERIFY(edit.GetMinHeight() > 21);
        }
        edit.resize(requested);
        QCOMPARE(edit.width(), std::max(requested.width(), 33));
        QCOMPARE(edit.height(), std::max(requested.height(), edit.GetMinHeight()));
    }

    void applicationFontFitsTheDefaultHeight() {
        TBetterSpinEdit edit;
        QVERIFY(!QFontInfo(edit.font()).family().isEmpty());
        QVERIFY(edit.GetMinHeight() <= 21);
        edit.setGeometry(0, 0, 69, 21);
        QCOMPARE(edit.size(), QSize(69, 21));
    }

    void spinButtonSitsAtTheRightEdge_data() {
        QTest::addColumn<QSize>("size");
        QTest::newRow("default") << QSize(65, 21);
        QTest::newRow("subnet bits") << QSize(69, 21);
        QTest::newRow("large") << QSize(120, 40);
    }
    void spinButtonSitsAtTheRightEdge() {
        QFETCH(QSize, size);
        SpinEditForm form(0, 0, 8);
        form.edit->resize(size);
        QVERIFY(form.ShowActive());
        const QRect up =
            form.UpArrow()->geometry().translated(form.UpArrow()->parentWidget()->pos());
        const QRect down =
            form.DownArrow()->geometry().translated(form.DownArrow()->parentWidget()->pos());
        QCOMPARE(up.width(), 15);
        QCOMPARE(down.width(), 15);
        QVERIFY(up.right() < size.width());
        QVERIFY(up.right() >= size.width() - 4);
        QCOMPARE(down.left(), up.left());
        QCOMPARE(down.top(), up.bottom() + 1);
        QVERIFY(up.top() >= 0 && up.top() <= 3);
        QVERIFY(down.bottom() < size.height() && down.bottom() >= size.height() - 4);
        QVERIFY(form.edit->textMargins().right() >= 15);
        // A click on the right edge, over the arrows, steps instead of placing the caret.
        QTest::mouseClick(form.edit->childAt(up.center()), Qt::LeftButton);
        QCOMPARE(form.edit->Value(), 9);
    }
};

VARNEX_TEST_MAIN(TestBetterSpinEdit)
#include "tst_BetterSpinEdit.moc"
