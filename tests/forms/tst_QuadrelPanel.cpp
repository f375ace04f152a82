#include "BetterSpinEdit.h"
#include "Main.h"
#include "OctetEdit.h"
#include "QuadrelPanel.h"
#include "SubnetHostTable.h"
#include "SuperStringGrid.h"
#include "VarnexTest.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

namespace {

using VarnexTest::Control;

// What a display control shows: a label's caption or an edit's text.
QString Shown(const QWidget& form, const QString& name) {
    const QWidget* control = Control(form, name);
    if (const auto* label = qobject_cast<const QLabel*>(control)) {
        return label->text();
    }
    if (const auto* edit = qobject_cast<const QLineEdit*>(control)) {
        return edit->text();
    }
    if (const auto* group = qobject_cast<const QGroupBox*>(control)) {
        return group->title();
    }
    qFatal("%s shows no text", qPrintable(name));
}

QString CheckedAddressType(const QWidget& form) {
    QStringList checked;
    for (const char* name : {"ClassARadioButton", "ClassBRadioButton", "ClassCRadioButton"}) {
        if (Control<QRadioButton>(form, QLatin1String(name))->isChecked()) {
            checked.append(QLatin1String(name).mid(5, 1));
        }
    }
    return checked.join(QLatin1Char('+'));
}

// The four octets of a box as the edits show them, "a.b.c.d".
QString ShownAddress(const QWidget& form, int firstEdit) {
    QStringList octets;
    for (int edit = firstEdit; edit < firstEdit + 4; ++edit) {
        octets.append(Shown(form, QStringLiteral("MaskEdit%1").arg(edit)));
    }
    return octets.join(QLatin1Char('.'));
}

QWidget* FocusWidget() {
    return QApplication::focusWidget();
}

QString FocusName() {
    return FocusWidget() == nullptr ? QString() : FocusWidget()->objectName();
}

// Types into whatever has the focus, key by key, as the focus moves: '\r' is Enter, '\t' Tab,
// '\b' Backspace and '>' the right arrow; every other character is typed as it is.
void TypeKeys(const QString& keys) {
    for (const QChar c : keys) {
        QWidget* target = FocusWidget();
        QVERIFY(target != nullptr);
        switch (c.unicode()) {
        case u'\r':
            QTest::keyClick(target, Qt::Key_Return);
            break;
        case u'\t':
            QTest::keyClick(target, Qt::Key_Tab);
            break;
        case u'\b':
            QTest::keyClick(target, Qt::Key_Backspace);
            break;
        case u'>':
            QTest::keyClick(target, Qt::Key_Right);
            break;
        default:
            QTest::keyClick(target, c.toLatin1());
            break;
        }
    }
}

QString TableText(const TSuperStringGrid& grid, int row) {
    return grid.Cells(0, row) + QLatin1Char('|') + grid.Cells(1, row);
}

} // namespace

class TestQuadrelPanel : public QObject {
    Q_OBJECT

    std::unique_ptr<TMainForm> form;

    TQuadrelPanel& Panel() const { return *form->SubnetCalculator(); }
    TBetterSpinEdit& Spin() const { return *Control<TBetterSpinEdit>(*form, "BitsSpinEdit"); }
    TSuperStringGrid& Grid() const { return Panel().SubnetHostStringGrid(); }
    QCheckBox& RFC1878() const { return *Control<QCheckBox>(*form, "RFC1878CheckBox"); }
    QAction& CopyMenuItem() const { return *Control<QAction>(*form, "CopyMenuItem"); }

    void ShowPage(const char* pageName) {
        QVERIFY(VarnexTest::ClickPage(*Control<QTabWidget>(*form, "QuadrelPageControl"),
                                      *Control(*form, QLatin1String(pageName))));
    }

    // Into the octet edit (1 to 4 in the box shown) as a user gets there: the label's
    // accelerator, then Tab.
    void EnterOctet(int octet) {
        QTest::keyClick(form.get(), Qt::Key_I, Qt::AltModifier);
        for (int i = 1; i < octet; ++i) {
            QTest::keyClick(FocusWidget(), Qt::Key_Tab);
        }
        QVERIFY(qobject_cast<TOctetEdit*>(FocusWidget()) != nullptr);
    }

    // Types a number of bits into the spin edit (reached by its label's accelerator) and Enter.
    void TypeBits(int bits) {
        QTest::keyClick(form.get(), Qt::Key_S, Qt::AltModifier);
        QCOMPARE(FocusWidget(), &Spin());
        TypeKeys(QString::number(bits) + QLatin1Char('\r'));
    }

    void ClickAddressType(const char* radioName) {
        auto* radio = Control<QRadioButton>(*form, QLatin1String(radioName));
        QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(8, radio->height() / 2));
        QVERIFY(radio->isChecked());
    }

    void ClickRFC1878() {
        QTest::mouseClick(&RFC1878(), Qt::LeftButton, {}, QPoint(6, RFC1878().height() / 2));
    }

    // Class C, 2 subnet bits without RFC 1878, address 192.0.1.65: two subnets.
    void SetUpTwoClassCSubnets() {
        ClickAddressType("ClassCRadioButton");
        ClickRFC1878();
        TypeBits(2);
        ShowPage("AddressInfoTab");
        EnterOctet(3);
        TypeKeys(QStringLiteral("1\t65\r"));
        QCOMPARE(QString::fromStdString(Panel().SubnetModel().AsDecimalString()),
                 QStringLiteral("192.0.1.65"));
    }

    void SelectWholeTableByHeader() {
        VarnexTest::SelectRowsByHeader(Grid(), 1);
        QCOMPARE(Grid().Selection(), (TGridRect{0, 1, 1, Grid().RowCount() - 1}));
    }

private slots:
    void init() {
        VarnexTest::ResetRecorders();
        QGuiApplication::clipboard()->clear();
        form = std::make_unique<TMainForm>();
        QVERIFY(VarnexTest::ShowActive(*form));
    }

    void cleanup() {
        form.reset();
        QVERIFY2(VarnexTest::Errors().isEmpty(), qPrintable(VarnexTest::Errors().join(' ')));
    }

    void startUpFigures_data() {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("text");
        const auto row = [](const char* page, const char* control, const char* text) {
            QTest::addRow("%s %s", page, control) << page << control << text;
        };
        row("GeneralInfoTab", "AddressTypeRadioGroup", "Address Type");
        row("GeneralInfoTab", "BitsLabel", "&Subnet Bits");
        row("GeneralInfoTab", "BitsSpinEdit", "8");
        row("GeneralInfoTab", "MaxSubnetsPanel", "256");
        row("GeneralInfoTab", "MaxHostsPanel", "254");
        row("GeneralInfoTab", "BitMapPanel", "10nnnnnn.nnnnnnnn.ssssssss.hhhhhhhh");
        row("GeneralInfoTab", "DecClassMaskLabel", "Decimal Class B Mask");
        row("GeneralInfoTab", "HexClassMaskLabel", "Hex Class B Mask");
        row("GeneralInfoTab", "DecClassMaskPanel", "255.255.0.0");
        row("GeneralInfoTab", "HexClassMaskPanel", "FF.FF.00.00");
        row("GeneralInfoTab", "DecMaskPanel", "255.255.255.0");
        row("GeneralInfoTab", "HexMaskPanel", "FF.FF.FF.00");
        row("AddressInfoTab", "MaskEdit1", "128");
        row("AddressInfoTab", "MaskEdit2", "0");
        row("AddressInfoTab", "MaskEdit3", "0");
        row("AddressInfoTab", "MaskEdit4", "1");
        row("AddressInfoTab", "HexAddressPanel", "80.00.00.01");
        row("AddressInfoTab", "AddressRangePanel", "128.0.0.1  -  128.0.0.254");
        row("AddressInfoTab", "SubnetMaskPanel", "0.0.255.0");
        row("AddressInfoTab", "SubnetIDPanel", "0.0.0.0");
        row("AddressInfoTab", "NetworkIDPanel", "128.0.0.0");
        row("AddressInfoTab", "HostIDPanel", "0.0.0.1");
        row("CIDRTab", "AddressTypeRadioGroup", "Address Prefix");
        row("CIDRTab", "BitsLabel", "&Supernet Bits");
        row("CIDRTab", "BitsSpinEdit", "23");
        row("CIDRTab", "MaskEdit5", "192");
        row("CIDRTab", "MaskEdit6", "0");
        row("CIDRTab", "MaskEdit7", "0");
        row("CIDRTab", "MaskEdit8", "1");
        row("CIDRTab", "NumNetworksPanel", "2");
        row("CIDRTab", "AllocationPanel", "192.0.0.0  -  192.0.1.255");
        row("CIDRTab", "RouteMaskPanel", "192.0.0.0  /  255.255.254.0");
        row("CIDRTab", "HexRouteMaskPanel", "C0.00.00.00  /  FF.FF.FE.00");
    }
    void startUpFigures() {
        QFETCH(QString, page);
        QFETCH(QString, control);
        QFETCH(QString, text);
        if (page != QLatin1String("GeneralInfoTab")) {
            ShowPage(page.toLatin1().constData());
        }
        QCOMPARE(Shown(*form, control), text);
    }

    void startUpControls() {
        QCOMPARE(Control<QTabWidget>(*form, "QuadrelPageControl")->currentWidget(),
                 Control(*form, "GeneralInfoTab"));
        QCOMPARE(CheckedAddressType(*form), QStringLiteral("B"));
        QVERIFY(RFC1878().isChecked());
        QVERIFY(RFC1878().isEnabled());
        QCOMPARE(RFC1878().toolTip(),
                 QStringLiteral("Allow subnet fields of all 0s or all 1s and 1 subnet bit"));
        QCOMPARE(Spin().MinValue(), 1);
        QCOMPARE(Spin().MaxValue(), 22);
        QVERIFY(!Control(*form, "CopySubnetHostButton")->isEnabled());
        QVERIFY(!CopyMenuItem().isEnabled());
        QVERIFY(Panel().SubnetModel().RFC1878());
    }

    void cidrStartsWithItsClass() {
        ShowPage("CIDRTab");
        QCOMPARE(CheckedAddressType(*form), QStringLiteral("C"));
        QVERIFY(!RFC1878().isEnabled());
        QCOMPARE(Spin().MinValue(), 1);
        QCOMPARE(Spin().MaxValue(), 24);
    }

    void layout_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("panel") << "QuadrelPanel" << QRect(8, 88, 276, 313);
        QTest::newRow("radio group") << "AddressTypeRadioGroup" << QRect(0, 0, 185, 81);
        QTest::newRow("copy button") << "CopySubnetHostButton" << QRect(251, 60, 25, 25);
        QTest::newRow("page control") << "QuadrelPageControl" << QRect(0, 88, 276, 225);
        QTest::newRow("octet box") << "SubnetAddressBox" << QRect(142, 6, 116, 21);
        QTest::newRow("first octet") << "MaskEdit5" << QRect(1, 1, 25, 19);
        QTest::newRow("last octet") << "MaskEdit4" << QRect(88, 1, 25, 19);
    }
    void layout() {
        QFETCH(QString, control);
        QFETCH(QRect, geometry);
        QCOMPARE(Control(*form, control)->geometry(), geometry);
        QCOMPARE(Spin().width(), 69);
        QCOMPARE(Control(*form, "MaxSubnetsPanel")->size(), QSize(112, 21));
        QCOMPARE(Control(*form, "BitMapPanel")->width(), 249);
        QCOMPARE(Control(*form, "AllocationPanel")->width(), 250);
    }

    void pageCaptionsFitTheirTabs() {
        QTabBar* tabs = Control<QTabWidget>(*form, "QuadrelPageControl")->tabBar();
        const QRect last = tabs->tabRect(tabs->count() - 1);
        QVERIFY2(last.right() < tabs->width(), "the tabs need scroll buttons");
    }

    // Typing into the octets of the Address Info page; the keys start in the octet given.
    void addressInfoOctets_data() {
        QTest::addColumn<int>("octet");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("addressType");
        QTest::addColumn<int>("bits");
        QTest::addColumn<QString>("focus");
        // The third digit moves on to the next octet, which commits the first.
        QTest::newRow("300 in the first") << 1 << "300"
                                          << "223.0.0.1"
                                          << "C" << 6 << "MaskEdit2";
        QTest::newRow("0 and Enter") << 1 << "0\r"
                                     << "1.0.0.1"
                                     << "A" << 8 << "MaskEdit1";
        QTest::newRow("127") << 1 << "127"
                             << "126.0.0.1"
                             << "A" << 8 << "MaskEdit2";
        QTest::newRow("10 and Tab") << 1 << "10\t"
                                    << "10.0.0.1"
                                    << "A" << 8 << "MaskEdit2";
        QTest::newRow("empty first") << 1 << "\b\r"
                                     << "1.0.0.1"
                                     << "A" << 8 << "MaskEdit1";
        QTest::newRow("300 in the second") << 2 << "300"
                                           << "128.255.0.1"
                                           << "B" << 8 << "MaskEdit3";
        QTest::newRow("empty second") << 2 << "7\r\b\b\b\r"
                                      << "128.0.0.1"
                                      << "B" << 8 << "MaskEdit2";
        QTest::newRow("empty last") << 4 << "77\r\b\b\b\r"
                                    << "128.0.0.1"
                                    << "B" << 8 << "MaskEdit4";
        QTest::newRow("255 in the last") << 4 << "255"
                                         << "128.0.0.254"
                                         << "B" << 8 << "MaskEdit1";
        QTest::newRow("0 in the last") << 4 << "0\r"
                                       << "128.0.0.1"
                                       << "B" << 8 << "MaskEdit4";
        // The display's writes of three-digit octets move no focus.
        QTest::newRow("7 in the third") << 3 << "7\r"
                                        << "128.0.7.1"
                                        << "B" << 8 << "MaskEdit3";
    }
    void addressInfoOctets() {
        QFETCH(int, octet);
        QFETCH(QString, keys);
        QFETCH(QString, address);
        QFETCH(QString, addressType);
        QFETCH(int, bits);
        QFETCH(QString, focus);
        ShowPage("AddressInfoTab");
        EnterOctet(octet);
        TypeKeys(keys);
        QCOMPARE(QString::fromStdString(Panel().SubnetModel().AsDecimalString()), address);
        QCOMPARE(ShownAddress(*form, 1), address);
        QCOMPARE(CheckedAddressType(*form), addressType);
        QCOMPARE(int(Panel().SubnetModel().SubnetBits()), bits);
        QCOMPARE(Spin().Value(), bits);
        QCOMPARE(FocusName(), focus);
    }

    void addressInfoUnreadableOctet() {
        ShowPage("AddressInfoTab");
        EnterOctet(2);
        // The caret skips a blank: the octet reads "1 2".
        TypeKeys(QStringLiteral("1>2\r"));
        QCOMPARE(VarnexTest::Errors(),
                 QStringList{QStringLiteral("'1 2' is not a valid integer value.")});
        QCOMPARE(QString::fromStdString(Panel().SubnetModel().AsDecimalString()),
                 QStringLiteral("128.0.0.1"));
        VarnexTest::ResetRecorders();
    }

    void aBlankTypedBetweenDigitsIsKept() {
        ShowPage("AddressInfoTab");
        EnterOctet(2);
        TypeKeys(QStringLiteral("1 2\r"));
        QCOMPARE(VarnexTest::Errors(),
                 QStringList{QStringLiteral("'1 2' is not a valid integer value.")});
        VarnexTest::ResetRecorders();
    }

    void switchingCalculatorsCommitsTheTypedOctet() {
        ShowPage("AddressInfoTab");
        EnterOctet(1);
        TypeKeys(QStringLiteral("10"));
        QTest::keyClick(form.get(), Qt::Key_L, Qt::ControlModifier);
        QCOMPARE(QString::fromStdString(Panel().SubnetModel().AsDecimalString()),
                 QStringLiteral("10.0.0.1"));
        QCOMPARE(Panel().SubnetModel().IPClass(), ctClassA);
        QWidget* focused = FocusWidget();
        QVERIFY(focused == nullptr || focused->isVisible());
    }

    void untickingRFC1878WithOneBit() {
        TypeBits(1);
        QCOMPARE(int(Panel().SubnetModel().SubnetBits()), 1);
        ClickRFC1878();
        QVERIFY(!Panel().SubnetModel().RFC1878());
        QCOMPARE(int(Panel().SubnetModel().SubnetBits()), 2);
        QCOMPARE(Spin().Value(), 2);
        QCOMPARE(Spin().MinValue(), 2);
        QCOMPARE(Shown(*form, "MaxSubnetsPanel"), QStringLiteral("2"));
        ClickRFC1878();
        QCOMPARE(Spin().MinValue(), 1);
        QCOMPARE(Shown(*form, "MaxSubnetsPanel"), QStringLiteral("4"));
    }

    void classCCapsTheBits() {
        TypeBits(10);
        ClickAddressType("ClassCRadioButton");
        QCOMPARE(Spin().Value(), 6);
        QCOMPARE(Shown(*form, "DecClassMaskLabel"), QStringLiteral("Decimal Class C Mask"));
        ShowPage("AddressInfoTab");
        QCOMPARE(ShownAddress(*form, 1), QStringLiteral("192.0.0.1"));
    }

    void spinningChangesTheClass_data() {
        QTest::addColumn<int>("bits");
        QTest::addColumn<QString>("addressType");
        QTest::addColumn<QString>("firstOctet");
        QTest::newRow("7") << 7 << "B"
                           << "128";
        QTest::newRow("15") << 15 << "A"
                            << "1";
    }
    void spinningChangesTheClass() {
        QFETCH(int, bits);
        QFETCH(QString, addressType);
        QFETCH(QString, firstOctet);
        ClickAddressType("ClassCRadioButton");
        QCOMPARE(Spin().Value(), 6);
        QTest::keyClick(form.get(), Qt::Key_S, Qt::AltModifier);
        for (int i = 6; i < bits; ++i) {
            QTest::keyClick(&Spin(), Qt::Key_Up);
        }
        QCOMPARE(Spin().Value(), bits);
        QCOMPARE(CheckedAddressType(*form), addressType);
        ShowPage("AddressInfoTab");
        QCOMPARE(Shown(*form, "MaskEdit1"), firstOctet);
        QCOMPARE(Spin().Value(), bits);
    }

    // Only the user's typing moves on from a full octet, not the display writing one.
    void displayWritesMoveNoFocus() {
        ShowPage("AddressInfoTab");
        ClickAddressType("ClassCRadioButton");
        QCOMPARE(Shown(*form, "MaskEdit1"), QStringLiteral("192"));
        TypeBits(7);
        QCOMPARE(Shown(*form, "MaskEdit1"), QStringLiteral("128"));
        QCOMPARE(FocusName(), QStringLiteral("BitsSpinEdit"));
    }

    void subnetRowsOfClassC() {
        SetUpTwoClassCSubnets();
        ShowPage("SubnetHostTab");
        QCOMPARE(Grid().RowCount(), 3);
        QCOMPARE(TableText(Grid(), 0), QStringLiteral("Subnet|Host Range"));
        QCOMPARE(TableText(Grid(), 1), QStringLiteral("0|192.0.1.65  -  192.0.1.126"));
        QCOMPARE(TableText(Grid(), 2), QStringLiteral("1|192.0.1.129  -  192.0.1.190"));
        QCOMPARE(Grid().ColAlignment(0), TSuperStringGrid::taRightJustify);
        QCOMPARE(Grid().ColAlignment(1), TSuperStringGrid::taCenter);
        QVERIFY(!Panel().SubnetTableStale());
    }

    void subnetRowsOfClassA_data() {
        QTest::addColumn<bool>("rfc1878");
        QTest::addColumn<QString>("firstRow");
        QTest::addColumn<QString>("lastRow");
        QTest::newRow("RFC 1878") << true << "0|1.0.0.1  -  1.0.0.2"
                                  << "16384|1.1.0.1  -  1.1.0.2";
        QTest::newRow("without RFC 1878") << false << "0|1.0.0.5  -  1.0.0.6"
                                          << "16384|1.1.0.5  -  1.1.0.6";
    }
    void subnetRowsOfClassA() {
        QFETCH(bool, rfc1878);
        QFETCH(QString, firstRow);
        QFETCH(QString, lastRow);
        ClickAddressType("ClassARadioButton");
        if (!rfc1878) {
            ClickRFC1878();
        }
        TypeBits(22);
        ShowPage("SubnetHostTab");
        QCOMPARE(Grid().RowCount(), 16386);
        QCOMPARE(TableText(Grid(), 1), firstRow);
        QCOMPARE(TableText(Grid(), 16385), lastRow);
    }

    void rebuildShowsTheBusyCursor() {
        QList<Qt::CursorShape> cursors;
        Grid().SetOnRowCountChange([&cursors](TSuperStringGrid&, int) {
            const QCursor* cursor = QApplication::overrideCursor();
            cursors.append(cursor == nullptr ? Qt::ArrowCursor : cursor->shape());
        });
        ShowPage("SubnetHostTab");
        QCOMPARE(cursors, QList<Qt::CursorShape>{Qt::WaitCursor});
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    void tableFollowsChangesMadeOnItsPage() {
        SetUpTwoClassCSubnets();
        ShowPage("SubnetHostTab");
        TypeBits(3);
        QCOMPARE(Grid().RowCount(), 7);
        QCOMPARE(TableText(Grid(), 6), QStringLiteral("5|192.0.1.193  -  192.0.1.222"));
        ClickRFC1878();
        QCOMPARE(Grid().RowCount(), 9);
        QCOMPARE(TableText(Grid(), 1), QStringLiteral("0|192.0.1.1  -  192.0.1.30"));
        ClickAddressType("ClassBRadioButton");
        QCOMPARE(Grid().RowCount(), 9);
        QCOMPARE(TableText(Grid(), 8), QStringLiteral("7|128.0.224.1  -  128.0.255.254"));
    }

    void cidrOctets_data() {
        QTest::addColumn<int>("octet");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("address");
        QTest::addColumn<int>("bits");
        QTest::addColumn<QStringList>("errors");
        QTest::newRow("10 in the first") << 1 << "10\r"
                                         << "10.0.0.1" << 7 << QStringList();
        QTest::newRow("7 in the third") << 3 << "7\t"
                                        << "192.0.7.1" << 23 << QStringList();
        QTest::newRow("999 in the first")
            << 1 << "999"
            << "192.0.0.1" << 23 << QStringList{QStringLiteral("Range check error.")};
        QTest::newRow("256 in the last")
            << 4 << "256"
            << "192.0.0.1" << 23 << QStringList{QStringLiteral("Range check error.")};
        QTest::newRow("blank between digits")
            << 2 << "1>2\r"
            << "192.0.0.1" << 23
            << QStringList{QStringLiteral("'1 2' is not a valid integer value.")};
        QTest::newRow("empty") << 3 << "\b\r"
                               << "192.0.0.1" << 23
                               << QStringList{QStringLiteral("'' is not a valid integer value.")};
    }
    void cidrOctets() {
        QFETCH(int, octet);
        QFETCH(QString, keys);
        QFETCH(QString, address);
        QFETCH(int, bits);
        QFETCH(QStringList, errors);
        ShowPage("CIDRTab");
        EnterOctet(octet);
        TypeKeys(keys);
        QCOMPARE(VarnexTest::Errors(), errors);
        QCOMPARE(QString::fromStdString(Panel().SupernetModel().AsDecimalString()), address);
        QCOMPARE(int(Panel().SupernetModel().SupernetBits()), bits);
        QCOMPARE(Spin().Value(), bits);
        if (errors.isEmpty()) {
            QCOMPARE(ShownAddress(*form, 5), address);
        } else {
            // The octet that could not be taken gets the focus back.
            const QString edit = QStringLiteral("MaskEdit%1").arg(octet + 4);
            QTRY_COMPARE(FocusName(), edit);
        }
        // The subnet is not touched from here.
        QCOMPARE(QString::fromStdString(Panel().SubnetModel().AsDecimalString()),
                 QStringLiteral("128.0.0.1"));
        VarnexTest::ResetRecorders();
    }

    void cidrTenInTheFirstOctet() {
        ShowPage("CIDRTab");
        EnterOctet(1);
        TypeKeys(QStringLiteral("10\r"));
        QCOMPARE(CheckedAddressType(*form), QStringLiteral("A"));
        QCOMPARE(Spin().Value(), 7);
        QCOMPARE(Shown(*form, "NumNetworksPanel"), QStringLiteral("2"));
        QCOMPARE(Shown(*form, "RouteMaskPanel"), QStringLiteral("10.0.0.0  /  254.0.0.0"));
    }

    void cidrControlsChangeTheSupernet() {
        ShowPage("CIDRTab");
        TypeBits(16);
        QCOMPARE(int(Panel().SupernetModel().SupernetBits()), 16);
        QCOMPARE(Shown(*form, "NumNetworksPanel"), QStringLiteral("256"));
        ClickAddressType("ClassBRadioButton");
        QCOMPARE(int(Panel().SupernetModel().SupernetBits()), 15);
        QCOMPARE(Shown(*form, "MaskEdit5"), QStringLiteral("128"));
        QCOMPARE(Panel().SubnetModel().SubnetBits(), 8);
        QCOMPARE(QString::fromStdString(Panel().SubnetModel().AsDecimalString()),
                 QStringLiteral("128.0.0.1"));
    }

    void leavingCIDRRestoresTheSubnetControls_data() {
        QTest::addColumn<bool>("rfc1878");
        QTest::addColumn<QString>("page");
        QTest::newRow("General Info") << true << "GeneralInfoTab";
        QTest::newRow("Subnets/Hosts") << true << "SubnetHostTab";
        QTest::newRow("without RFC 1878") << false << "AddressInfoTab";
    }
    void leavingCIDRRestoresTheSubnetControls() {
        QFETCH(bool, rfc1878);
        QFETCH(QString, page);
        if (!rfc1878) {
            ClickRFC1878();
        }
        TypeBits(5);
        ShowPage("CIDRTab");
        // A prefix above the subnet's upper limit.
        TypeBits(24);
        QCOMPARE(int(Panel().SupernetModel().SupernetBits()), 24);
        ShowPage(page.toLatin1().constData());
        QCOMPARE(Shown(*form, "AddressTypeRadioGroup"), QStringLiteral("Address Type"));
        QCOMPARE(Shown(*form, "BitsLabel"), QStringLiteral("&Subnet Bits"));
        QVERIFY(RFC1878().isEnabled());
        QCOMPARE(Spin().Value(), 5);
        QCOMPARE(Spin().MaxValue(), 22);
        QCOMPARE(Spin().MinValue(), rfc1878 ? 1 : 2);
        QCOMPARE(CheckedAddressType(*form), QStringLiteral("B"));
        QCOMPARE(int(Panel().SupernetModel().SupernetBits()), 24);
        QCOMPARE(int(Panel().SubnetModel().SubnetBits()), 5);
    }

    void leavingCIDRLeavesTheSupernetPrefix() {
        ClickRFC1878();
        ShowPage("CIDRTab");
        TypeBits(1);
        QCOMPARE(QString::fromStdString(Panel().SupernetModel().AsDecimalString()),
                 QStringLiteral("1.0.0.1"));
        ShowPage("GeneralInfoTab");
        QCOMPARE(int(Panel().SupernetModel().SupernetBits()), 1);
        QCOMPARE(QString::fromStdString(Panel().SupernetModel().AsDecimalString()),
                 QStringLiteral("1.0.0.1"));
        QCOMPARE(Spin().MinValue(), 2);
        QCOMPARE(Spin().Value(), 8);
    }

    // The display's own writes to the radio group and the spin edit change nothing: the table
    // stays as it was built.
    void tableIsBuiltOnlyWhenStale() {
        QSignalSpy rebuilds(Grid().model(), &QAbstractItemModel::dataChanged);
        ShowPage("SubnetHostTab");
        QCOMPARE(rebuilds.count(), 1);
        QVERIFY(!Panel().SubnetTableStale());
        for (const char* page : {"GeneralInfoTab", "AddressInfoTab", "CIDRTab", "SubnetHostTab"}) {
            ShowPage(page);
            QVERIFY(!Panel().SubnetTableStale());
        }
        // Changes on the CIDR page, the other calculators and the same class again.
        ShowPage("CIDRTab");
        TypeBits(20);
        ClickAddressType("ClassARadioButton");
        QTest::keyClick(form.get(), Qt::Key_L, Qt::ControlModifier);
        QTest::keyClick(form.get(), Qt::Key_I, Qt::ControlModifier);
        ShowPage("GeneralInfoTab");
        ClickAddressType("ClassBRadioButton");
        ShowPage("SubnetHostTab");
        QVERIFY(!Panel().SubnetTableStale());
        QCOMPARE(rebuilds.count(), 1);
        // One change, one rebuild, even when the change passes through the spin edit's limit.
        TypeBits(1);
        QCOMPARE(rebuilds.count(), 2);
        ClickRFC1878();
        QCOMPARE(Spin().Value(), 2);
        QCOMPARE(rebuilds.count(), 3);
    }

    void changesElsewhereRebuildTheTableOnce() {
        ShowPage("SubnetHostTab");
        QSignalSpy rebuilds(Grid().model(), &QAbstractItemModel::dataChanged);
        ShowPage("AddressInfoTab");
        EnterOctet(3);
        TypeKeys(QStringLiteral("9\r"));
        ClickAddressType("ClassCRadioButton");
        QVERIFY(Panel().SubnetTableStale());
        QCOMPARE(rebuilds.count(), 0);
        ShowPage("SubnetHostTab");
        QCOMPARE(rebuilds.count(), 1);
        QCOMPARE(TableText(Grid(), 1), QStringLiteral("0|192.0.9.1  -  192.0.9.2"));
    }

    void copyOnlyOnTheSubnetHostPage() {
        auto* button = Control<QToolButton>(*form, "CopySubnetHostButton");
        ShowPage("SubnetHostTab");
        QVERIFY(button->isEnabled());
        QVERIFY(CopyMenuItem().isEnabled());
        QCOMPARE(form->ActiveCopyButton(), button);
        ShowPage("CIDRTab");
        QVERIFY(!button->isEnabled());
        QVERIFY(!CopyMenuItem().isEnabled());
    }

    void copyTheWholeTable_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("button") << "button";
        QTest::newRow("Ctrl+C") << "Ctrl+C";
        QTest::newRow("Edit menu") << "menu";
    }
    void copyTheWholeTable() {
        QFETCH(QString, how);
        SetUpTwoClassCSubnets();
        ShowPage("SubnetHostTab");
        SelectWholeTableByHeader();
        if (how == QLatin1String("button")) {
            QTest::mouseClick(Control(*form, "CopySubnetHostButton"), Qt::LeftButton);
        } else if (how == QLatin1String("Ctrl+C")) {
            // From the spin edit: the window's Copy wins over the edit's own copy key.
            Spin().setFocus();
            Spin().selectAll();
            QTest::keyClick(&Spin(), Qt::Key_C, Qt::ControlModifier);
        } else {
            CopyMenuItem().trigger();
        }
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QStringLiteral("Subnet\tHost Range\r\n"
                                "0\t192.0.1.65  -  192.0.1.126\r\n"
                                "1\t192.0.1.129  -  192.0.1.190\r\n"));
    }

    void ctrlXInAnOctetExits() {
        ShowPage("AddressInfoTab");
        EnterOctet(1);
        QTest::keyClick(FocusWidget(), Qt::Key_X, Qt::ControlModifier);
        QVERIFY(!form->isVisible());
        QCOMPARE(QString::fromStdString(Panel().SubnetModel().AsDecimalString()),
                 QStringLiteral("128.0.0.1"));
    }

    void copyOneCell() {
        SetUpTwoClassCSubnets();
        ShowPage("SubnetHostTab");
        const QModelIndex cell = Grid().model()->index(1, 1);
        QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {}, Grid().visualRect(cell).center());
        QTest::mouseClick(Control(*form, "CopySubnetHostButton"), Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QStringLiteral("Host Range\r\n192.0.1.129  -  192.0.1.190\r\n"));
    }

    void copyTheLargestTable() {
        ClickAddressType("ClassARadioButton");
        TypeBits(22);
        ShowPage("SubnetHostTab");
        SelectWholeTableByHeader();
        QTest::mouseClick(Control(*form, "CopySubnetHostButton"), Qt::LeftButton);
        const QStringList lines =
            QGuiApplication::clipboard()->text().split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 16387);
        QCOMPARE(lines.at(16385), QStringLiteral("16384\t1.1.0.1  -  1.1.0.2"));
        QVERIFY(lines.last().isEmpty());
    }

    void addressRangeText_data() {
        QTest::addColumn<quint32>("first");
        QTest::addColumn<quint32>("last");
        QTest::newRow("zeros") << quint32(0) << quint32(0);
        QTest::newRow("ones") << quint32(0xFFFFFFFF) << quint32(0x0A00FF09);
        QTest::newRow("every width") << quint32(0x01020A64) << quint32(0xC0A801FE);
    }
    void addressRangeText() {
        QFETCH(quint32, first);
        QFETCH(quint32, last);
        QCOMPARE(AddressRangeText(first, last),
                 QString::fromStdString(DottedDecimal(first) + "  -  " + DottedDecimal(last)));
    }
};

VARNEX_TEST_MAIN(TestQuadrelPanel)
#include "tst_QuadrelPanel.moc"
