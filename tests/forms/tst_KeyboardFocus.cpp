#include "LatencyCalcPanel.h"
#include "Main.h"
#include "NetworkButton.h"
#include "NumoraCalcPanel.h"
#include "OctetEdit.h"
#include "QuadrelPanel.h"
#include "SvgImage.h"
#include "VarnexTest.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

using VarnexTest::Control;

namespace {

QWidget* Focused() {
    return QApplication::focusWidget();
}

QString FocusName() {
    if (Focused() == nullptr) {
        return QStringLiteral("(none)");
    }
    // The page tabs carry the name of their page control.
    if (Focused()->objectName() == QLatin1String("qt_tabwidget_tabbar")) {
        return Focused()->parent()->objectName() + QStringLiteral(" tabs");
    }
    return Focused()->objectName();
}

// The caret position of the edit that a click at x places.
int ClickAtCaret(QLineEdit& edit, int caret) {
    for (int x = 1; x < edit.width() - 1; ++x) {
        QTest::mouseClick(&edit, Qt::LeftButton, {}, QPoint(x, edit.height() / 2));
        if (edit.cursorPosition() == caret && !edit.hasSelectedText()) {
            return x;
        }
    }
    return -1;
}

} // namespace

// Where the keyboard is and what it reaches: nothing typed is lost or lands in another control.
class TestKeyboardFocus : public QObject {
    Q_OBJECT

    std::unique_ptr<TMainForm> form;

    QString SubnetAddress() const {
        return QString::fromStdString(form->SubnetCalculator()->SubnetModel().AsDecimalString());
    }
    QString SupernetAddress() const {
        return QString::fromStdString(form->SubnetCalculator()->SupernetModel().AsDecimalString());
    }

    void ShowPage(const QString& pageControl, const QString& page) {
        QVERIFY(
            VarnexTest::ClickPage(*Control<QTabWidget>(*form, pageControl), *Control(*form, page)));
    }

    void Press(const QKeySequence& keys) {
        QVERIFY(Focused() != nullptr);
        QTest::keySequence(Focused(), keys);
    }

private slots:
    void init() {
        VarnexTest::ResetRecorders();
        form = std::make_unique<TMainForm>();
        VarnexTest::BuildCalculators(*form);
        QVERIFY(VarnexTest::ShowActive(*form));
    }
    void cleanup() {
        form.reset();
        QVERIFY2(VarnexTest::Errors().isEmpty(), qPrintable(VarnexTest::Errors().join(' ')));
    }

    // Keys typed into the first octet (128) with the caret placed by a click.
    void fullOctetKeepsTheKeyboard_data() {
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("beeps");
        QTest::newRow("two digits after the last") << 3 << "57"
                                                   << "128"
                                                   << "MaskEdit1" << 2;
        QTest::newRow("a letter after the last") << 3 << "x"
                                                 << "128"
                                                 << "MaskEdit1" << 1;
        QTest::newRow("a letter in the middle") << 1 << "x"
                                                << "128"
                                                << "MaskEdit1" << 1;
        QTest::newRow("a digit over the middle one") << 1 << "9"
                                                     << "198"
                                                     << "MaskEdit2" << 0;
    }
    void fullOctetKeepsTheKeyboard() {
        QFETCH(int, caret);
        QFETCH(QString, keys);
        QFETCH(QString, shown);
        QFETCH(QString, focus);
        QFETCH(int, beeps);
        ShowPage(QStringLiteral("QuadrelPageControl"), QStringLiteral("AddressInfoTab"));
        auto* octet = Control<TOctetEdit>(*form, "MaskEdit1");
        QVERIFY(ClickAtCaret(*octet, caret) >= 0);
        QTest::keyClicks(Focused(), keys);
        QCOMPARE(octet->text(), shown);
        QCOMPARE(FocusName(), focus);
        QCOMPARE(VarnexTest::Beeps(), beeps);
        QCOMPARE(Control<QLineEdit>(*form, "MaskEdit2")->text(), QStringLiteral("0"));
        QTest::keyClick(Focused(), Qt::Key_Return);
        QCOMPARE(SubnetAddress().section(QLatin1Char('.'), 0, 0), shown);
    }

    // The label's accelerator into an octet that has the focus already selects it.
    void acceleratorSelectsItsOctet_data() {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("octet");
        QTest::addColumn<QString>("address");
        QTest::newRow("Address Info") << "AddressInfoTab"
                                      << "MaskEdit1"
                                      << "10.0.0.1";
        QTest::newRow("CIDR") << "CIDRTab"
                              << "MaskEdit5"
                              << "10.0.0.1";
    }
    void acceleratorSelectsItsOctet() {
        QFETCH(QString, page);
        QFETCH(QString, octet);
        QFETCH(QString, address);
        ShowPage(QStringLiteral("QuadrelPageControl"), page);
        auto* edit = Control<TOctetEdit>(*form, octet);
        QVERIFY(ClickAtCaret(*edit, 3) >= 0);
        QTest::keyClick(form.get(), Qt::Key_I, Qt::AltModifier);
        QCOMPARE(Focused(), edit);
        QCOMPARE(edit->selectedText(), edit->text());
        QTest::keyClicks(edit, QStringLiteral("10"));
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(page == QLatin1String("CIDRTab") ? SupernetAddress() : SubnetAddress(), address);
        QCOMPARE(VarnexTest::Beeps(), 0);
    }

    // Keys typed in one burst after a radio item's accelerator meet the item's choice.
    void radioAcceleratorsTakeEffectAtOnce_data() {
        QTest::addColumn<QString>("calculator");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QKeySequence>("choice");
        QTest::addColumn<QKeySequence>("into");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("shown");
        QTest::newRow("32 bits, decimal")
            << "Ctrl+H"
            << "ConversionTabSheet" << QKeySequence(QStringLiteral("Alt+O"))
            << QKeySequence(QStringLiteral("Alt+D")) << "1234567"
            << "DecMemo"
            << "1,234,567";
        QTest::newRow("8 bits, binary")
            << "Ctrl+H"
            << "ConversionTabSheet" << QKeySequence(QStringLiteral("Alt+Y"))
            << QKeySequence(QStringLiteral("Alt+B")) << "101"
            << "BinMemo"
            << "00000101";
        QTest::newRow("class C, then an octet")
            << "Ctrl+I"
            << "AddressInfoTab" << QKeySequence(QStringLiteral("Alt+C"))
            << QKeySequence(QStringLiteral("Alt+I")) << "10\r"
            << "MaskEdit1"
            << "10";
        QTest::newRow("class A, then the bits")
            << "Ctrl+I"
            << "GeneralInfoTab" << QKeySequence(QStringLiteral("Alt+A"))
            << QKeySequence(QStringLiteral("Alt+S")) << "20\r"
            << "BitsSpinEdit"
            << "20";
    }
    void radioAcceleratorsTakeEffectAtOnce() {
        QFETCH(QString, calculator);
        QFETCH(QString, page);
        QFETCH(QKeySequence, choice);
        QFETCH(QKeySequence, into);
        QFETCH(QString, keys);
        QFETCH(QString, display);
        QFETCH(QString, shown);
        QTest::keySequence(form.get(), QKeySequence(calculator));
        const QString pageControl = calculator == QLatin1String("Ctrl+H")
                                        ? QStringLiteral("NumoraCalcPageControl")
                                        : QStringLiteral("QuadrelPageControl");
        if (Control<QTabWidget>(*form, pageControl)->currentWidget()->objectName() != page) {
            ShowPage(pageControl, page);
        }
        // No event is processed between the keys, as when they come faster than a timer.
        QTest::keySequence(form.get(), choice);
        QTest::keySequence(form.get(), into);
        QTest::keyClicks(Focused(), keys.remove(QLatin1Char('\r')));
        if (calculator == QLatin1String("Ctrl+I")) {
            QTest::keyClick(Focused(), Qt::Key_Return);
        }
        QCOMPARE(Control<QLineEdit>(*form, display)->text(), shown);
        // Nothing comes after.
        QTest::qWait(300);
        QCOMPARE(Control<QLineEdit>(*form, display)->text(), shown);
        QCOMPARE(VarnexTest::Beeps(), 0);
    }

    // Choosing a calculator puts the keyboard on the first input of its page.
    void choosingACalculatorFocusesItsFirstInput_data() {
        QTest::addColumn<QString>("pageControl");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("copyTarget");
        QTest::newRow("Ctrl+H") << "NumoraCalcPageControl"
                                << "ConversionTabSheet"
                                << "Ctrl+H"
                                << "DecMemo"
                                << "DecClipboardButton";
        QTest::newRow("Ctrl+H on the lookup table") << "NumoraCalcPageControl"
                                                    << "LookupTableTabSheet"
                                                    << "Ctrl+H"
                                                    << "NumberWidth16BitsButton"
                                                    << "CopyLookupTableButton";
        QTest::newRow("Ctrl+I on General Info") << "QuadrelPageControl"
                                                << "GeneralInfoTab"
                                                << "Ctrl+I"
                                                << "ClassBRadioButton"
                                                << "";
        QTest::newRow("Ctrl+I on Address Info") << "QuadrelPageControl"
                                                << "AddressInfoTab"
                                                << "Ctrl+I"
                                                << "MaskEdit1"
                                                << "";
        QTest::newRow("Ctrl+I on Subnets/Hosts") << "QuadrelPageControl"
                                                 << "SubnetHostTab"
                                                 << "Ctrl+I"
                                                 << "ClassBRadioButton"
                                                 << "CopySubnetHostButton";
        QTest::newRow("Ctrl+I on CIDR") << "QuadrelPageControl"
                                        << "CIDRTab"
                                        << "Ctrl+I"
                                        << "MaskEdit5"
                                        << "";
        QTest::newRow("Ctrl+L on Network Setup") << "LatencyCalcPageControl"
                                                 << "NetworkSetupTabSheet"
                                                 << "Ctrl+L"
                                                 << "(selected element)"
                                                 << "CopyNetworkSetupButton";
        QTest::newRow("Ctrl+L on Latency Statistics") << "LatencyCalcPageControl"
                                                      << "LatencyStatsTabSheet"
                                                      << "Ctrl+L"
                                                      << "AtoBRadioButton"
                                                      << "CopyLatencyStatsButton";
        QTest::newRow("logo to the subnet calculator") << "QuadrelPageControl"
                                                       << "AddressInfoTab"
                                                       << "logo"
                                                       << "MaskEdit1"
                                                       << "";
    }
    void choosingACalculatorFocusesItsFirstInput() {
        QFETCH(QString, pageControl);
        QFETCH(QString, page);
        QFETCH(QString, command);
        QFETCH(QString, focus);
        QFETCH(QString, copyTarget);
        // From another calculator; from the Numora calculator the logo goes on to this one.
        QTest::keySequence(form.get(), QKeySequence(command == QLatin1String("Ctrl+H")
                                                        ? QStringLiteral("Ctrl+L")
                                                        : QStringLiteral("Ctrl+H")));
        Control<QTabWidget>(*form, pageControl)->setCurrentWidget(Control(*form, page));
        if (command == QLatin1String("logo")) {
            auto* logo = Control(*form, "CalcImage");
            QTest::mouseClick(logo, Qt::LeftButton, {}, logo->rect().center());
        } else {
            QTest::keySequence(form.get(), QKeySequence(command));
        }
        // Focusing an element selects it: the keyboard goes to the one already selected.
        if (focus == QLatin1String("(selected element)")) {
            QCOMPARE(Focused(), &form->LatencyCalculator()->SelectedNetwork());
            QCOMPARE(form->LatencyCalculator()->SelectedNetwork().toolTip(),
                     QStringLiteral("<Unknown Topology>"));
        } else {
            QCOMPARE(FocusName(), focus);
        }
        QCOMPARE(Control<QAction>(*form, "CopyMenuItem")->isEnabled(), !copyTarget.isEmpty());
        if (!copyTarget.isEmpty()) {
            QCOMPARE(form->ActiveCopyButton(), Control(*form, copyTarget));
        }
        // What is typed next reaches it.
        if (auto* edit = qobject_cast<QLineEdit*>(Focused())) {
            QTest::keyClicks(edit, QStringLiteral("10"));
            QVERIFY2(edit->text().startsWith(QLatin1String("10")), qPrintable(edit->text()));
        }
        QCOMPARE(VarnexTest::Beeps(), 0);
    }

    // The keyboard sits on a group's checked item, and its frame shows where.
    void focusIsOnTheCheckedItemAndShows_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("focus");
        QTest::newRow("at start") << ""
                                  << "ClassBRadioButton";
        QTest::newRow("Shift+Tab from the bits") << "Alt+S,Shift+Tab"
                                                 << "ClassBRadioButton";
        QTest::newRow("Tab round the calculator") << "Alt+S,Tab,Tab,Tab"
                                                  << "ClassBRadioButton";
        QTest::newRow("Alt+C") << "Alt+C"
                               << "ClassCRadioButton";
        QTest::newRow("Alt+B after a click on it") << "click,Alt+B"
                                                   << "ClassBRadioButton";
        QTest::newRow("number width by Tab") << "Ctrl+H,Shift+Tab,Shift+Tab"
                                             << "NumberWidth16BitsButton";
    }
    void focusIsOnTheCheckedItemAndShows() {
        QFETCH(QString, steps);
        QFETCH(QString, focus);
        for (const QString& step : steps.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            if (step == QLatin1String("click")) {
                auto* item = Control(*form, "ClassBRadioButton");
                QTest::mouseClick(item, Qt::LeftButton, {}, QPoint(8, item->height() / 2));
            } else {
                Press(QKeySequence(step));
            }
        }
        QCOMPARE(FocusName(), focus);
        auto* item = Control<QRadioButton>(*form, focus);
        QVERIFY(item->isChecked());
        const QImage framed = item->grab().toImage();
        // The same item without the keyboard.
        auto* elsewhere =
            Control(*form, focus.startsWith(QLatin1String("Class")) ? QStringLiteral("BitsSpinEdit")
                                                                    : QStringLiteral("DecMemo"));
        QTest::mouseClick(elsewhere, Qt::LeftButton, {}, QPoint(4, elsewhere->height() / 2));
        QVERIFY(!item->hasFocus());
        QVERIFY2(item->grab().toImage() != framed, "no focus frame");
    }

    // Tab runs through each page as it is laid out, top left first.
    void tabFollowsTheLayout_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QStringList>("order");
        const QString subnetTabs = QStringLiteral("QuadrelPageControl tabs");
        const QString numberTabs = QStringLiteral("NumoraCalcPageControl tabs");
        QTest::newRow("General Info")
            << "Ctrl+I"
            << "GeneralInfoTab"
            << QStringList{"ClassBRadioButton", "BitsSpinEdit", "RFC1878CheckBox", subnetTabs};
        QTest::newRow("Address Info")
            << "Ctrl+I"
            << "AddressInfoTab"
            << QStringList{"ClassBRadioButton", "BitsSpinEdit", "RFC1878CheckBox", subnetTabs,
                           "MaskEdit1",         "MaskEdit2",    "MaskEdit3",       "MaskEdit4"};
        QTest::newRow("Subnets/Hosts")
            << "Ctrl+I"
            << "SubnetHostTab"
            << QStringList{"ClassBRadioButton",    "BitsSpinEdit", "RFC1878CheckBox",
                           "CopySubnetHostButton", subnetTabs,     "SubnetHostStringGrid"};
        QTest::newRow("CIDR") << "Ctrl+I"
                              << "CIDRTab"
                              << QStringList{"ClassCRadioButton", "BitsSpinEdit", subnetTabs,
                                             "MaskEdit5",         "MaskEdit6",    "MaskEdit7",
                                             "MaskEdit8"};
        QTest::newRow("Conversion Calculator") << "Ctrl+H"
                                               << "ConversionTabSheet"
                                               << QStringList{"NumberWidth16BitsButton",
                                                              numberTabs,
                                                              "DecMemo",
                                                              "DecClipboardButton",
                                                              "HexMemo",
                                                              "HexClipboardButton",
                                                              "BinMemo",
                                                              "BinClipboardButton",
                                                              "ClearButton",
                                                              "InvertButton"};
        QTest::newRow("Lookup Table")
            << "Ctrl+H"
            << "LookupTableTabSheet"
            << QStringList{"NumberWidth16BitsButton", "CopyLookupTableButton", numberTabs,
                           "LookupStringGrid"};
    }
    void tabFollowsTheLayout() {
        QFETCH(QString, command);
        QFETCH(QString, page);
        QFETCH(QStringList, order);
        QTest::keySequence(form.get(), QKeySequence(command));
        ShowPage(command == QLatin1String("Ctrl+H") ? QStringLiteral("NumoraCalcPageControl")
                                                    : QStringLiteral("QuadrelPageControl"),
                 page);
        Control(*form, order.constFirst())->setFocus(Qt::OtherFocusReason);
        QStringList visited{FocusName()};
        for (int step = 1; step <= order.size(); ++step) {
            Press(QKeySequence(Qt::Key_Tab));
            visited.append(FocusName());
        }
        QCOMPARE(visited, order + QStringList{order.constFirst()});
    }
};

VARNEX_TEST_MAIN(TestKeyboardFocus)
#include "tst_KeyboardFocus.moc"
