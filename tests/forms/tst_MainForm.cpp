#include "LatencyCalcPanel.h"
#include "Main.h"
#include "NumoraCalcPanel.h"
#include "QuadrelPanel.h"
#include "SvgImage.h"
#include "VarnexError.h"
#include "VarnexTest.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSvgRenderer>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

namespace {

// A calculator of three pages that records the steps the main window runs on it.
class TRecordingCalculator : public ICalculator {
public:
    TRecordingCalculator() {
        for (const char* name : {"FirstPage", "SecondPage", "ThirdPage"}) {
            auto* page = new QWidget;
            page->setObjectName(QLatin1String(name));
            m_pages.addTab(page, QLatin1String(name));
        }
        m_pages.resize(300, 100);
    }

    QWidget* Panel() override { return &m_pages; }
    QTabWidget* PageControl() override { return &m_pages; }
    void SetShell(ICopyTargetHost*) override {}
    void PageChanging(QWidget* page) override { Record("changing", page); }
    void PageChange(QWidget* page) override { Record("change", page); }
    void PageExit(QWidget* page) override { Record("exit", page); }
    void PageEnter(QWidget* page) override { Record("enter", page); }

    QStringList steps;

private:
    void Record(const char* step, const QWidget* page) {
        steps.append(QLatin1String(step) + u' ' + page->objectName());
    }

    QTabWidget m_pages;
};

// Records what the window does when it closes.
class TRecordingMainForm : public TMainForm {
public:
    int saves = 0;
    bool visibleWhenSaved = false;

protected:
    void SaveSettings() override {
        ++saves;
        visibleWhenSaved = isVisible();
    }
};

QAction* Item(const QWidget& form, const char* name) {
    return form.findChild<QAction*>(QLatin1String(name));
}

using VarnexTest::Control;

using VarnexTest::ShownCalculators;

QString CheckedCalculatorItem(const QWidget& form) {
    QStringList checked;
    for (const char* name :
         {"NumoraCalculatorMenuItem", "QuadrelMenuItem", "LatencyCalculatorMenuItem"}) {
        if (Item(form, name)->isChecked()) {
            checked.append(QLatin1String(name));
        }
    }
    return checked.join(QLatin1Char('+'));
}

void ClickPage(const QWidget& form, const char* pageControlName, const char* pageName) {
    QVERIFY(VarnexTest::ClickPage(*Control<QTabWidget>(form, pageControlName),
                                  *Control(form, pageName)));
}

bool CopyEnabled(const QWidget& form) {
    return Item(form, "CopyMenuItem")->isEnabled();
}

QImage ImageOf(const QIcon& icon, qreal pixelRatio, QIcon::Mode mode) {
    return icon.pixmap(QSize(16, 16), pixelRatio, mode)
        .toImage()
        .convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage RenderedPicture(const char* resource, qreal pixelRatio) {
    QImage image(QSize(16, 16) * pixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    QSvgRenderer(QString::fromLatin1(resource)).render(&painter, QRectF(0, 0, 16, 16));
    return image;
}

} // namespace

class TestMainForm : public QObject {
    Q_OBJECT

    std::unique_ptr<TMainForm> form;
    QList<QUrl> openedUrls;

    void ShowActive(TMainForm& window) { QVERIFY(VarnexTest::ShowActive(window)); }

private slots:
    void init() {
        VarnexTest::ResetRecorders();
        // Each test starts as on a first run, whatever the window before it left in the store.
        VarnexTest::ClearSettings();
        openedUrls.clear();
        form = std::make_unique<TMainForm>();
        form->SetUrlOpener([this](const QUrl& url) {
            openedUrls.append(url);
            return true;
        });
        ShowActive(*form);
    }

    void cleanup() {
        form.reset();
        QVERIFY(VarnexTest::Errors().isEmpty());
    }

    void startShowsTheSubnetCalculator() {
        QCOMPARE(ShownCalculators(*form), QStringLiteral("QuadrelPanel"));
        QCOMPARE(CheckedCalculatorItem(*form), QStringLiteral("QuadrelMenuItem"));
        QCOMPARE(Control<TSvgImage>(*form, "CalcImage")->Picture(),
                 QStringLiteral(":/QUADRELLOGO"));
        QVERIFY(!CopyEnabled(*form));
        QCOMPARE(form->ActiveCopyButton(), nullptr);
        QCOMPARE(form->windowTitle(), QStringLiteral("Varnex"));
        QCOMPARE(form->centralWidget()->size(), QSize(292, 409));
    }

    void frameHasMinimiseButNoMaximise() {
        const Qt::WindowFlags flags = form->windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(form->maximumSize() != form->minimumSize());
    }

    void controlsSitWhereTheLayoutPutsThem_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("calculator logo") << "CalcLogoPanel" << QRect(8, 8, 185, 73);
        QTest::newRow("maker's logo") << "KorvexGroupLogoPanel" << QRect(198, 8, 86, 73);
        QTest::newRow("Numora") << "NumoraCalcPanel" << QRect(8, 88, 276, 313);
        QTest::newRow("subnet") << "QuadrelPanel" << QRect(8, 88, 276, 313);
        QTest::newRow("latency") << "LatencyCalcPageControl" << QRect(8, 88, 276, 313);
    }
    void controlsSitWhereTheLayoutPutsThem() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        VarnexTest::BuildCalculators(*form);
        QCOMPARE(Control(*form, name.toLatin1().constData())->geometry(), geometry);
        const QWidget* bevel = Control(*form, "MainMenuBevel");
        QCOMPARE(bevel->geometry(), QRect(0, 0, 292, 2));
    }

    void logoClicksCycleThroughTheCalculators() {
        const QSize windowSize = form->size();
        auto* logo = Control<TSvgImage>(*form, "CalcImage");
        const QList<std::tuple<QString, QString, QString>> cycle{
            {"LatencyCalcPageControl", "LatencyCalculatorMenuItem", ":/LATENCYCALCLOGO"},
            {"NumoraCalcPanel", "NumoraCalculatorMenuItem", ":/NUMORACALCLOGO"},
            {"QuadrelPanel", "QuadrelMenuItem", ":/QUADRELLOGO"},
        };
        for (const auto& [panel, item, picture] : cycle) {
            QTest::mouseClick(logo, Qt::LeftButton, {}, logo->rect().center());
            QCOMPARE(ShownCalculators(*form), panel);
            QCOMPARE(CheckedCalculatorItem(*form), item);
            QCOMPARE(logo->Picture(), picture);
            QCOMPARE(form->size(), windowSize);
            QCOMPARE(form->centralWidget()->size(), QSize(292, 409));
        }
    }

    // Shrinking the window cuts off no control of any calculator.
    void windowKeepsItsLayoutSize_data() {
        QTest::addColumn<QSize>("shrink");
        QTest::newRow("narrower") << QSize(90, 0);
        QTest::newRow("lower") << QSize(0, 200);
        QTest::newRow("both") << QSize(230, 360);
    }
    void windowKeepsItsLayoutSize() {
        QFETCH(QSize, shrink);
        const QSize laidOut = form->size();
        form->resize(laidOut - shrink);
        QCOMPARE(form->size(), laidOut);
        QCOMPARE(form->centralWidget()->size(), QSize(292, 409));
        for (const QWidget* panel : std::initializer_list<const QWidget*>{
                 form->NumoraCalculator(), form->SubnetCalculator(), form->LatencyCalculator()}) {
            QVERIFY2(form->centralWidget()->rect().contains(panel->geometry()),
                     qPrintable(panel->objectName()));
        }
    }

    void doubleClickOnTheLogoIsOneStep() {
        auto* logo = Control<TSvgImage>(*form, "CalcImage");
        const QPoint centre = logo->rect().center();
        // What a double-click delivers: press, release, double-click (for the second press),
        // release.
        QTest::mouseClick(logo, Qt::LeftButton, {}, centre);
        QMouseEvent secondPress(QEvent::MouseButtonDblClick, centre, logo->mapToGlobal(centre),
                                Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(logo, &secondPress);
        QTest::mouseRelease(logo, Qt::LeftButton, {}, centre);
        QCOMPARE(ShownCalculators(*form), QStringLiteral("LatencyCalcPageControl"));
    }

    void shortcutSelectsItsCalculator_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("panel");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("picture");
        QTest::newRow("Ctrl+H") << int(Qt::Key_H) << "NumoraCalcPanel"
                                << "NumoraCalculatorMenuItem"
                                << ":/NUMORACALCLOGO";
        QTest::newRow("Ctrl+I") << int(Qt::Key_I) << "QuadrelPanel"
                                << "QuadrelMenuItem"
                                << ":/QUADRELLOGO";
        QTest::newRow("Ctrl+L") << int(Qt::Key_L) << "LatencyCalcPageControl"
                                << "LatencyCalculatorMenuItem"
                                << ":/LATENCYCALCLOGO";
    }
    void shortcutSelectsItsCalculator() {
        QFETCH(int, key);
        QFETCH(QString, panel);
        QFETCH(QString, item);
        QFETCH(QString, picture);
        // From each of the other calculators, and again from itself.
        for (int from : {int(Qt::Key_H), int(Qt::Key_I), int(Qt::Key_L), key}) {
            QTest::keyClick(form.get(), Qt::Key(from), Qt::ControlModifier);
            QTest::keyClick(form.get(), Qt::Key(key), Qt::ControlModifier);
            QCOMPARE(ShownCalculators(*form), panel);
            QCOMPARE(CheckedCalculatorItem(*form), item);
            QCOMPARE(Control<TSvgImage>(*form, "CalcImage")->Picture(), picture);
        }
    }

    void copyPagesOfferTheirButton_data() {
        QTest::addColumn<int>("calculatorKey");
        QTest::addColumn<QString>("pageControl");
        QTest::addColumn<QString>("copyPage");
        QTest::addColumn<QString>("otherPage");
        QTest::addColumn<QString>("button");
        QTest::newRow("Lookup Table") << int(Qt::Key_H) << "NumoraCalcPageControl"
                                      << "LookupTableTabSheet"
                                      << "ConversionTabSheet"
                                      << "CopyLookupTableButton";
        QTest::newRow("Subnets/Hosts") << int(Qt::Key_I) << "QuadrelPageControl"
                                       << "SubnetHostTab"
                                       << "CIDRTab"
                                       << "CopySubnetHostButton";
        QTest::newRow("Subnets/Hosts, left for General Info")
            << int(Qt::Key_I) << "QuadrelPageControl"
            << "SubnetHostTab"
            << "GeneralInfoTab"
            << "CopySubnetHostButton";
    }
    void copyPagesOfferTheirButton() {
        QFETCH(int, calculatorKey);
        QFETCH(QString, pageControl);
        QFETCH(QString, copyPage);
        QFETCH(QString, otherPage);
        QFETCH(QString, button);
        QTest::keyClick(form.get(), Qt::Key(calculatorKey), Qt::ControlModifier);
        auto* copyButton = Control<QAbstractButton>(*form, button.toLatin1().constData());
        QSignalSpy clicks(copyButton, &QAbstractButton::clicked);
        QVERIFY(!copyButton->isEnabled());

        ClickPage(*form, pageControl.toLatin1().constData(), copyPage.toLatin1().constData());
        QVERIFY(CopyEnabled(*form));
        QVERIFY(copyButton->isEnabled());
        QCOMPARE(form->ActiveCopyButton(), copyButton);
        QTest::keyClick(form.get(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clicks.count(), 1);

        ClickPage(*form, pageControl.toLatin1().constData(), otherPage.toLatin1().constData());
        QVERIFY(!CopyEnabled(*form));
        QVERIFY(!copyButton->isEnabled());
        QTest::keyClick(form.get(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clicks.count(), 1);
    }

    void copyPerformsOnlyTheActiveButton() {
        VarnexTest::BuildCalculators(*form);
        const auto buttons =
            form->findChildren<QToolButton*>(QRegularExpression(QStringLiteral("^Copy.*Button$")));
        QCOMPARE(buttons.size(), 5);
        QList<std::shared_ptr<QSignalSpy>> spies;
        for (QToolButton* button : buttons) {
            spies.append(std::make_shared<QSignalSpy>(button, &QAbstractButton::clicked));
        }
        QTest::keyClick(form.get(), Qt::Key_L, Qt::ControlModifier);
        ClickPage(*form, "LatencyCalcPageControl", "LatencyGraphsTabSheet");
        Item(*form, "CopyMenuItem")->trigger();
        for (int i = 0; i < buttons.size(); ++i) {
            const bool isTarget =
                buttons[i]->objectName() == QLatin1String("CopyLatencyGraphsButton");
            QCOMPARE(spies[i]->count(), isTarget ? 1 : 0);
        }
    }

    void copyNeedsATarget() {
        VarnexTest::BuildCalculators(*form);
        form->SetCopyMenuItemEnabled(true);
        QVERIFY(!CopyEnabled(*form));
        auto* button = Control<QAbstractButton>(*form, "CopyNetworkSetupButton");
        form->SetActiveCopyButton(button);
        QVERIFY(CopyEnabled(*form));
        form->SetActiveCopyButton(nullptr);
        QVERIFY(!CopyEnabled(*form));
        QSignalSpy clicks(button, &QAbstractButton::clicked);
        Item(*form, "CopyMenuItem")->trigger();
        QTest::keyClick(form.get(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clicks.count(), 0);
    }

    void selectingAnotherCalculatorLeavesCopyDisabled_data() {
        QTest::addColumn<int>("otherKey");
        QTest::newRow("to the subnet calculator") << int(Qt::Key_I);
        QTest::newRow("by the logo to the subnet calculator") << 0;
    }
    void selectingAnotherCalculatorLeavesCopyDisabled() {
        QFETCH(int, otherKey);
        QTest::keyClick(form.get(), Qt::Key_H, Qt::ControlModifier);
        ClickPage(*form, "NumoraCalcPageControl", "LookupTableTabSheet");
        QVERIFY(CopyEnabled(*form));
        if (otherKey != 0) {
            QTest::keyClick(form.get(), Qt::Key(otherKey), Qt::ControlModifier);
        } else {
            auto* logo = Control<TSvgImage>(*form, "CalcImage");
            QTest::mouseClick(logo, Qt::LeftButton, {}, logo->rect().center());
        }
        QCOMPARE(ShownCalculators(*form), QStringLiteral("QuadrelPanel"));
        QVERIFY(!CopyEnabled(*form));
        QSignalSpy clicks(Control<QAbstractButton>(*form, "CopyLookupTableButton"),
                          &QAbstractButton::clicked);
        QTest::keyClick(form.get(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clicks.count(), 0);

        // Coming back treats the page still shown as just entered.
        QTest::keyClick(form.get(), Qt::Key_H, Qt::ControlModifier);
        QVERIFY(CopyEnabled(*form));
    }

    // A window shown again need not be the active one (X11 without a window manager, another
    // window in front), and the click into it moves the focus before it becomes active: the
    // display entered before the window closed is left all the same, and Edit > Copy copies
    // what the user clicked.
    void closedAndShownAgain_data() {
        QTest::addColumn<QString>("clicked");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("copied");
        QTest::newRow("a width button") << "NumberWidth8BitsButton"
                                        << ""
                                        << "before";
        QTest::newRow("another display") << "HexMemo"
                                         << "HexClipboardButton"
                                         << "00 2A";
        QTest::newRow("the same display") << "DecMemo"
                                          << "DecClipboardButton"
                                          << "42";
        QTest::newRow("the lookup table's tab") << "LookupTableTabSheet"
                                                << "CopyLookupTableButton"
                                                << "";
    }
    void closedAndShownAgain() {
        QFETCH(QString, clicked);
        QFETCH(QString, target);
        QFETCH(QString, copied);
        QTest::keyClick(form.get(), Qt::Key_H, Qt::ControlModifier);
        auto* decimal = Control<QLineEdit>(*form, "DecMemo");
        QTest::mouseClick(decimal, Qt::LeftButton);
        QTest::keyClicks(decimal, QStringLiteral("42"));
        QCOMPARE(form->ActiveCopyButton(), Control(*form, "DecClipboardButton"));
        QTest::keyClick(form.get(), Qt::Key_X, Qt::ControlModifier);
        QVERIFY(!form->isVisible());

        form->show();
        QWidget other;
        QVERIFY(VarnexTest::ShowActive(other));
        QVERIFY(!form->isActiveWindow());
        if (clicked.endsWith(u"TabSheet")) {
            ClickPage(*form, "NumoraCalcPageControl", qPrintable(clicked));
        } else {
            QTest::mouseClick(Control(*form, clicked), Qt::LeftButton);
        }
        ShowActive(*form);
        QCOMPARE(form->ActiveCopyButton() != nullptr && CopyEnabled(*form)
                     ? form->ActiveCopyButton()->objectName()
                     : QString(),
                 target);
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setText(QStringLiteral("before"));
        QTest::keyClick(form.get(), Qt::Key_C, Qt::ControlModifier);
        const QString text = clipboard->text();
        // A table copies as its own button does.
        if (copied.isEmpty()) {
            clipboard->clear();
            QTest::mouseClick(Control(*form, target), Qt::LeftButton);
            copied = clipboard->text();
            QVERIFY(!copied.isEmpty());
        }
        QCOMPARE(text, copied);
    }

    // Alt lends the keyboard to the menu bar; a click then moves the focus on from there, and
    // the display it was lent from has been left.
    void menuBarHandsTheFocusOn() {
        QTest::keyClick(form.get(), Qt::Key_H, Qt::ControlModifier);
        auto* decimal = Control<QLineEdit>(*form, "DecMemo");
        QTest::mouseClick(decimal, Qt::LeftButton);
        QVERIFY(CopyEnabled(*form));
        QTest::keyPress(decimal, Qt::Key_Alt);
        QTest::keyRelease(decimal, Qt::Key_Alt);
        QCOMPARE(QApplication::focusWidget(), form->menuBar());
        QTest::mouseClick(Control(*form, "NumberWidth32BitsButton"), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), Control(*form, "NumberWidth32BitsButton"));
        QVERIFY(!CopyEnabled(*form));
    }

    void pageChangeStepsRunInOrder_data() {
        QTest::addColumn<QString>("to");
        QTest::addColumn<bool>("byKeyboard");
        QTest::addColumn<QStringList>("steps");
        QTest::newRow("click") << "ThirdPage" << false
                               << QStringList{"changing FirstPage", "exit FirstPage",
                                              "change ThirdPage", "enter ThirdPage"};
        QTest::newRow("Ctrl+Tab") << "SecondPage" << true
                                  << QStringList{"changing FirstPage", "exit FirstPage",
                                                 "change SecondPage", "enter SecondPage"};
        QTest::newRow("page shown again") << "FirstPage" << false << QStringList{};
    }
    void pageChangeStepsRunInOrder() {
        QFETCH(QString, to);
        QFETCH(bool, byKeyboard);
        QFETCH(QStringList, steps);
        TRecordingCalculator calculator;
        form->ConnectPageControl(calculator);
        QVERIFY(VarnexTest::ShowActive(*calculator.Panel()));
        if (byKeyboard) {
            QTest::keyClick(calculator.PageControl(), Qt::Key_Tab, Qt::ControlModifier);
        } else {
            QVERIFY(VarnexTest::ClickPage(*calculator.PageControl(),
                                          *Control(*calculator.Panel(), to)));
        }
        QCOMPARE(calculator.PageControl()->currentWidget()->objectName(), to);
        QCOMPARE(calculator.steps, steps);
    }

    void selectingACalculatorEntersItsPageOnly() {
        ClickPage(*form, "QuadrelPageControl", "SubnetHostTab");
        QVERIFY(CopyEnabled(*form));
        QTest::keyClick(form.get(), Qt::Key_L, Qt::ControlModifier);
        // Entered: the page's copy button is Edit > Copy's target.
        QCOMPARE(form->ActiveCopyButton(), Control(*form, "CopyNetworkSetupButton"));
        QVERIFY(CopyEnabled(*form));
        // Not left: the subnet table's exit step would have disabled its copy button.
        QVERIFY(Control(*form, "CopySubnetHostButton")->isEnabled());
    }

    void leavingAPageBeforeEnteringTheNextKeepsCopyForIt() {
        QTest::keyClick(form.get(), Qt::Key_L, Qt::ControlModifier);
        QCOMPARE(form->ActiveCopyButton(), Control(*form, "CopyNetworkSetupButton"));
        for (const char* page :
             {"LatencyStatsTabSheet", "LatencyGraphsTabSheet", "NetworkSetupTabSheet"}) {
            ClickPage(*form, "LatencyCalcPageControl", page);
            QVERIFY2(CopyEnabled(*form), page);
        }
        ClickPage(*form, "LatencyCalcPageControl", "LatencyStatsTabSheet");
        auto* statsButton = Control<QAbstractButton>(*form, "CopyLatencyStatsButton");
        QCOMPARE(form->ActiveCopyButton(), statsButton);
        QSignalSpy clicks(statsButton, &QAbstractButton::clicked);
        QTest::keyClick(form.get(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clicks.count(), 1);
    }

    void exitSavesSettingsThenCloses_data() {
        QTest::addColumn<bool>("byShortcut");
        QTest::newRow("Ctrl+X") << true;
        QTest::newRow("window frame") << false;
    }
    void exitSavesSettingsThenCloses() {
        QFETCH(bool, byShortcut);
        TRecordingMainForm window;
        ShowActive(window);
        if (byShortcut) {
            QTest::keyClick(&window, Qt::Key_X, Qt::ControlModifier);
        } else {
            QVERIFY(window.close());
        }
        QCOMPARE(window.saves, 1);
        QVERIFY(window.visibleWhenSaved);
        QVERIFY(!window.isVisible());
    }

    void webCommandsOpenTheMakersSite() {
        auto* logo = Control<TSvgImage>(*form, "KorvexGroupImage");
        QTest::mouseClick(logo, Qt::LeftButton, {}, logo->rect().center());
        Item(*form, "WebMenuItem")->trigger();
        QCOMPARE(openedUrls,
                 (QList<QUrl>{TMainForm::KorvexGroupWebSite, TMainForm::KorvexGroupWebSite}));
        QVERIFY(TMainForm::KorvexGroupWebSite.host().endsWith(QLatin1String(".example")));
    }

    void failedWebCommandIsNotReported() {
        form->SetUrlOpener([](const QUrl&) { return false; });
        Item(*form, "WebMenuItem")->trigger();
        QVERIFY(VarnexTest::Errors().isEmpty());
    }

    void errorInAHandlerIsReported() {
        form->SetUrlOpener([](const QUrl&) -> bool { throw EVarnexError("Integer overflow"); });
        auto* logo = Control<TSvgImage>(*form, "KorvexGroupImage");
        QTest::mouseClick(logo, Qt::LeftButton, {}, logo->rect().center());
        QCOMPARE(VarnexTest::Errors(), QStringList{QStringLiteral("Integer overflow.")});
        QVERIFY(form->isVisible());
        VarnexTest::ResetRecorders();
    }

    void windowAndMenusUseTheApplicationFont() {
        QList<QWidget*> widgets{form->menuBar(), Control(*form, "MainMenu1")};
        for (QMenu* menu : form->findChildren<QMenu*>()) {
            widgets.append(menu);
        }
        for (QTabWidget* pageControl : form->findChildren<QTabWidget*>()) {
            widgets.append(pageControl->tabBar());
        }
        QVERIFY(widgets.size() >= 8);
        for (QWidget* widget : widgets) {
            const QFontInfo font(widget->font());
            QCOMPARE(font.family(), QStringLiteral("Liberation Sans"));
            QCOMPARE(font.pixelSize(), 11);
        }
    }

    void pageTabsFitWithoutScrolling() {
        for (QTabWidget* pageControl : form->findChildren<QTabWidget*>()) {
            QTabBar* tabs = pageControl->tabBar();
            const QRect lastTab = tabs->tabRect(tabs->count() - 1);
            QVERIFY2(lastTab.right() < pageControl->width(), qPrintable(pageControl->objectName()));
            for (int i = 0; i < tabs->count(); ++i) {
                const int textWidth = tabs->fontMetrics().horizontalAdvance(tabs->tabText(i));
                QVERIFY(tabs->tabRect(i).width() > textWidth);
            }
        }
    }

    void hintsAreAsListed_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("hint");
        QTest::newRow("logo") << "CalcImage"
                              << "Click to cycle calculators";
        QTest::newRow("maker's logo") << "KorvexGroupImage"
                                      << "Click to go to Korvex Group's website";
        QTest::newRow("lookup table") << "CopyLookupTableButton"
                                      << "Copy lookup table to clipboard";
        QTest::newRow("subnet table") << "CopySubnetHostButton"
                                      << "Copy subnet/host table to clipboard";
        QTest::newRow("network setup") << "CopyNetworkSetupButton"
                                       << "Copy network setup to clipboard";
        QTest::newRow("latency graphs") << "CopyLatencyGraphsButton"
                                        << "Copy latency graphs to clipboard";
    }
    void hintsAreAsListed() {
        QFETCH(QString, name);
        QFETCH(QString, hint);
        VarnexTest::BuildCalculators(*form);
        QCOMPARE(Control(*form, name.toLatin1().constData())->toolTip(), hint);
    }

    void copyButtonsShowTheGlyphSharpAndDisabledLook() {
        VarnexTest::BuildCalculators(*form);
        const auto buttons =
            form->findChildren<QToolButton*>(QRegularExpression(QStringLiteral("^Copy.*Button$")));
        QCOMPARE(buttons.size(), 5);
        for (QToolButton* button : buttons) {
            QCOMPARE(button->size(), QSize(25, 25));
            const QIcon icon = button->icon();
            // At twice the pixel ratio the glyph is drawn from its vectors, not scaled up.
            QCOMPARE(ImageOf(icon, 2.0, QIcon::Normal), RenderedPicture(":/COPYGLYPH.svg", 2.0));
            QCOMPARE(ImageOf(icon, 2.0, QIcon::Disabled),
                     RenderedPicture(":/COPYGLYPHDISABLED.svg", 2.0));
            QCOMPARE(ImageOf(icon, 1.0, QIcon::Normal), RenderedPicture(":/COPYGLYPH.svg", 1.0));
            QCOMPARE(ImageOf(icon, 1.5, QIcon::Disabled),
                     RenderedPicture(":/COPYGLYPHDISABLED.svg", 1.5));
        }
    }

    void menusAreAsListed_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shortcut");
        QTest::newRow("Exit") << "ExitMenuItem"
                              << "E&xit"
                              << "Ctrl+X";
        QTest::newRow("Copy") << "CopyMenuItem"
                              << "&Copy"
                              << "Ctrl+C";
        QTest::newRow("Numora") << "NumoraCalculatorMenuItem"
                                << "&Numora Calculator"
                                << "Ctrl+H";
        QTest::newRow("Quadrel") << "QuadrelMenuItem"
                                 << "&Quadrel"
                                 << "Ctrl+I";
        QTest::newRow("Latency") << "LatencyCalculatorMenuItem"
                                 << "&Latency Calculator"
                                 << "Ctrl+L";
        QTest::newRow("Help Topics") << "HelpTopicsMenuItem"
                                     << "&Help Topics"
                                     << "F1";
        QTest::newRow("Web") << "WebMenuItem"
                             << "Visit Korvex Group's &Web Site"
                             << "";
        QTest::newRow("About") << "AboutMenuItem"
                               << "&About..."
                               << "";
    }
    void menusAreAsListed() {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QString, shortcut);
        QAction* item = Item(*form, name.toLatin1().constData());
        QVERIFY(item != nullptr);
        QCOMPARE(item->text(), text);
        QCOMPARE(item->shortcut().toString(), shortcut);
    }
};

VARNEX_TEST_MAIN(TestMainForm)
#include "tst_MainForm.moc"
