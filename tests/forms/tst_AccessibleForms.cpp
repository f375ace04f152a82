#include "About.h"
#include "KorvexPanels.h"
#include "Main.h"
#include "NetworkButton.h"
#include "NetworkButtonForm.h"
#include "SvgImage.h"
#include "VarnexTest.h"

#include <QAbstractScrollArea>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

namespace {

using VarnexTest::Control;

QString AccessibleName(QWidget* widget) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible == nullptr ? QString() : accessible->text(QAccessible::Name);
}

// What a screen reader reads for a control: its name and the captions of the labels it is
// labelled by (on this platform Qt names a drop-down list by its text, its label by relation).
QStringList Announced(QWidget* widget) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    QStringList read{accessible->text(QAccessible::Name)};
    for (const auto& [label, relation] : accessible->relations(QAccessible::Label)) {
        read.append(label->text(QAccessible::Name));
    }
    return read;
}

// What a screen reader reaches: what takes the focus, what shows a value or a text, pictures.
// A table's headers are read as its header cells, not as controls of their own.
bool Reached(const QWidget* widget) {
    if (qobject_cast<const QHeaderView*>(widget) != nullptr &&
        qobject_cast<const QAbstractItemView*>(widget->parentWidget()) != nullptr) {
        return false;
    }
    return widget->focusPolicy() != Qt::NoFocus || qobject_cast<const QLabel*>(widget) != nullptr ||
           qobject_cast<const TSvgImage*>(widget) != nullptr ||
           qobject_cast<const TCanvasPanel*>(widget) != nullptr ||
           qobject_cast<const QAbstractScrollArea*>(widget) != nullptr;
}

// The visible controls of the window that a screen reader would announce without a name.
QStringList Unnamed(QWidget& window) {
    QStringList unnamed;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (widget->isVisible() && Reached(widget) && AccessibleName(widget).isEmpty()) {
            unnamed.append(widget->objectName() + QLatin1Char(' ') +
                           QLatin1String(widget->metaObject()->className()));
        }
    }
    return unnamed;
}

// Shows a calculator through its Calculator menu shortcut and one of its pages by a click on
// its tab.
bool ShowPage(TMainForm& form, Qt::Key shortcut, const QString& pageControl, const QString& page) {
    QTest::keyClick(&form, shortcut, Qt::ControlModifier);
    auto* pages = Control<QTabWidget>(form, pageControl);
    return pages->isVisible() && VarnexTest::ClickPage(*pages, *Control(form, page));
}

void AddPageColumns() {
    QTest::addColumn<Qt::Key>("shortcut");
    QTest::addColumn<QString>("pageControl");
    QTest::addColumn<QString>("page");
}

struct TCalculatorPages {
    Qt::Key shortcut;
    const char* pageControl;
    QStringList pages;
};

const TCalculatorPages Calculators[] = {
    {Qt::Key_H, "NumoraCalcPageControl", {"ConversionTabSheet", "LookupTableTabSheet"}},
    {Qt::Key_I,
     "QuadrelPageControl",
     {"GeneralInfoTab", "AddressInfoTab", "SubnetHostTab", "CIDRTab"}},
    {Qt::Key_L,
     "LatencyCalcPageControl",
     {"NetworkSetupTabSheet", "LatencyStatsTabSheet", "LatencyGraphsTabSheet"}},
};

} // namespace

class TestAccessibleForms : public QObject {
    Q_OBJECT

    std::unique_ptr<TMainForm> form;

private slots:
    void init() {
        form = std::make_unique<TMainForm>();
        VarnexTest::BuildCalculators(*form);
        QVERIFY(VarnexTest::ShowActive(*form));
    }

    void cleanup() { form.reset(); }

    // The walk below covers every page there is.
    void everyPageWalked() {
        for (const TCalculatorPages& calculator : Calculators) {
            auto* pages = Control<QTabWidget>(*form, QLatin1String(calculator.pageControl));
            QCOMPARE(pages->count(), calculator.pages.size());
            for (const QString& page : calculator.pages) {
                QVERIFY2(pages->indexOf(Control(*form, page)) >= 0, qPrintable(page));
            }
        }
    }

    void everyControlNamed_data() {
        AddPageColumns();
        for (const TCalculatorPages& calculator : Calculators) {
            for (const QString& page : calculator.pages) {
                QTest::newRow(qPrintable(page))
                    << calculator.shortcut << QString::fromLatin1(calculator.pageControl) << page;
            }
        }
    }

    void everyControlNamed() {
        QFETCH(Qt::Key, shortcut);
        QFETCH(QString, pageControl);
        QFETCH(QString, page);
        QVERIFY(ShowPage(*form, shortcut, pageControl, page));
        const QStringList unnamed = Unnamed(*form);
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral(", "))));
    }

    // Both faces of the about box: the product picture, and the credit a double-click shows.
    void aboutBoxNamed() {
        TAboutCalc* about = form->AboutBox();
        QVERIFY(VarnexTest::ShowActive(*about));
        QVERIFY2(Unnamed(*about).isEmpty(), qPrintable(Unnamed(*about).join(QLatin1Char(' '))));
        QTest::mouseDClick(Control(*about, QStringLiteral("AboutImage")), Qt::LeftButton);
        QVERIFY(Control(*about, QStringLiteral("CreditsMemo"))->isVisible());
        QVERIFY2(Unnamed(*about).isEmpty(), qPrintable(Unnamed(*about).join(QLatin1Char(' '))));
    }

    // The properties dialog as it shows a network and as it shows a node, and the element
    // buttons, which show only a picture, read by their labels.
    void propertiesDialogNamed_data() {
        QTest::addColumn<TNetworkButtonKind>("kind");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        QTest::newRow("network") << nbEthernet << "BandwidthComboBox"
                                 << "Bandwidth (Mbps)";
        QTest::newRow("node") << nbDesktopCPU << "PacketSizeSpinEdit"
                              << "Packet Size (bytes)";
    }

    void propertiesDialogNamed() {
        QFETCH(TNetworkButtonKind, kind);
        QFETCH(QString, control);
        QFETCH(QString, name);
        auto* element = new TNetworkButton(form.get());
        element->SetNetworkButtonKind(kind);
        element->SetLabel(QStringLiteral("Chain element"));
        auto* dialog = new TNetworkButtonForm(form.get());
        dialog->ShowElement(element);
        QTRY_COMPARE(QApplication::activeWindow(), dialog);
        const QStringList unnamed = Unnamed(*dialog);
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral(", "))));
        QVERIFY2(Announced(Control(*dialog, control)).contains(name),
                 qPrintable(Announced(Control(*dialog, control)).join(QLatin1Char('|'))));
        for (QComboBox* box : dialog->findChildren<QComboBox*>()) {
            if (box->isVisible()) {
                QVERIFY(Announced(box).contains(AccessibleName(box->lineEdit())));
            }
        }
        QCOMPARE(AccessibleName(element), QStringLiteral("Chain element"));
    }

    void names_data() {
        AddPageColumns();
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        const auto row = [](const char* tag, Qt::Key shortcut, const char* pageControl,
                            const char* page, const char* control, const char* name) {
            QTest::newRow(tag) << shortcut << pageControl << page << control << name;
        };
        row("octet 1", Qt::Key_I, "QuadrelPageControl", "AddressInfoTab", "MaskEdit1",
            "IP address, octet 1");
        row("supernet octet 3", Qt::Key_I, "QuadrelPageControl", "CIDRTab", "MaskEdit7",
            "IP address, octet 3");
        row("display", Qt::Key_I, "QuadrelPageControl", "GeneralInfoTab", "MaxHostsPanel",
            "Max # of Hosts/Subnet: 254");
        row("display of caption with blank", Qt::Key_I, "QuadrelPageControl", "GeneralInfoTab",
            "MaxSubnetsPanel", "Max # of Subnets: 256");
        row("supernet display", Qt::Key_I, "QuadrelPageControl", "CIDRTab", "HexRouteMaskPanel",
            "Hexadecimal Route/Mask: C0.00.00.00  /  FF.FF.FE.00");
        row("spin edit", Qt::Key_I, "QuadrelPageControl", "GeneralInfoTab", "BitsSpinEdit",
            "Subnet Bits");
        row("spin edit on CIDR", Qt::Key_I, "QuadrelPageControl", "CIDRTab", "BitsSpinEdit",
            "Supernet Bits");
        row("subnet table", Qt::Key_I, "QuadrelPageControl", "SubnetHostTab",
            "SubnetHostStringGrid", "Subnets/Hosts");
        row("subnet copy", Qt::Key_I, "QuadrelPageControl", "SubnetHostTab", "CopySubnetHostButton",
            "Copy subnet/host table to clipboard");
        row("calculator", Qt::Key_I, "QuadrelPageControl", "GeneralInfoTab", "QuadrelPageControl",
            "Quadrel");
        row("number display", Qt::Key_H, "NumoraCalcPageControl", "ConversionTabSheet", "HexMemo",
            "Hexadecimal");
        row("lookup table", Qt::Key_H, "NumoraCalcPageControl", "LookupTableTabSheet",
            "LookupStringGrid", "Lookup Table");
        row("latency copy", Qt::Key_L, "LatencyCalcPageControl", "LatencyGraphsTabSheet",
            "CopyLatencyGraphsButton", "Copy latency graphs to clipboard");
        row("latency graphs", Qt::Key_L, "LatencyCalcPageControl", "LatencyGraphsTabSheet",
            "LatencyGraphsCanvasPanel", "Latency Graphs");
        row("latency calculator", Qt::Key_L, "LatencyCalcPageControl", "NetworkSetupTabSheet",
            "LatencyCalcPageControl", "Latency Calculator");
        row("logo", Qt::Key_H, "NumoraCalcPageControl", "ConversionTabSheet", "CalcImage",
            "Click to cycle calculators");
    }

    void names() {
        QFETCH(Qt::Key, shortcut);
        QFETCH(QString, pageControl);
        QFETCH(QString, page);
        QFETCH(QString, control);
        QFETCH(QString, name);
        QVERIFY(ShowPage(*form, shortcut, pageControl, page));
        QCOMPARE(AccessibleName(Control(*form, control)), name);
    }

    // A display is read with what it shows now, after the address was typed.
    void displayNameFollowsTheModel() {
        QVERIFY(ShowPage(*form, Qt::Key_I, QStringLiteral("QuadrelPageControl"),
                         QStringLiteral("AddressInfoTab")));
        auto* octet = Control<QLineEdit>(*form, QStringLiteral("MaskEdit1"));
        octet->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(octet, QStringLiteral("10"));
        QTest::keyClick(octet, Qt::Key_Return);
        QVERIFY(ShowPage(*form, Qt::Key_I, QStringLiteral("QuadrelPageControl"),
                         QStringLiteral("GeneralInfoTab")));
        QCOMPARE(AccessibleName(Control(*form, QStringLiteral("DecClassMaskPanel"))),
                 QStringLiteral("Decimal Class A Mask: 255.0.0.0"));
    }
};

VARNEX_TEST_MAIN(TestAccessibleForms)
#include "tst_AccessibleForms.moc"
