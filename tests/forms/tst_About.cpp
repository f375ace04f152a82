#include "About.h"
#include "Main.h"
#include "SvgImage.h"
#include "VarnexTest.h"

#include <QAction>
#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

namespace {

QString MemoLine(const QPlainTextEdit* memo, int line) {
    return memo->document()->findBlockByNumber(line).text();
}

int VisibleAboutBoxes() {
    int shown = 0;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (qobject_cast<TAboutCalc*>(window) != nullptr && window->isVisible()) {
            ++shown;
        }
    }
    return shown;
}

} // namespace

class TestAbout : public QObject {
    Q_OBJECT

    std::unique_ptr<TAboutCalc> about;

    template <typename T = QWidget> T* Control(const char* name) {
        return VarnexTest::Control<T>(*about, QLatin1String(name));
    }

    void ShowActive() { QVERIFY(VarnexTest::ShowActive(*about)); }

private slots:
    void init() {
        VarnexTest::ResetRecorders();
        about = std::make_unique<TAboutCalc>();
    }

    void cleanup() {
        about.reset();
        QVERIFY(VarnexTest::Errors().isEmpty());
    }

    void clientAreaIsComputedFromTheOkButton() {
        QCOMPARE(about->size(), QSize(313, 282));
        QCOMPARE(about->minimumSize(), about->maximumSize());
        const QRect ok = Control("OKButton")->geometry();
        QCOMPARE(ok, QRect(120, 249, 75, 25));
        QCOMPARE(about->height(), ok.bottom() + 1 + 8);
    }

    void windowIsAStayOnTopDialogWithoutMinimiseOrMaximise() {
        const Qt::WindowFlags flags = about->windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(!about->isModal());
        QCOMPARE(about->windowTitle(), QStringLiteral("About the Varnex"));
    }

    void infoMemoLines_data() {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("text");
        QTest::newRow("title") << 0 << "Varnex";
        QTest::newRow("release") << 1 << "Release 2.11";
        QTest::newRow("gap") << 3 << "";
    }
    void infoMemoLines() {
        QFETCH(int, line);
        QFETCH(QString, text);
        QCOMPARE(MemoLine(Control<QPlainTextEdit>("InfoMemo"), line), text);
    }

    void contactLinesAreLabelTabValue() {
        const auto* memo = Control<QPlainTextEdit>("InfoMemo");
        QVERIFY(!MemoLine(memo, 2).isEmpty());
        for (int line = 4; line <= 7; ++line) {
            const QStringList parts = MemoLine(memo, line).split(QLatin1Char('\t'));
            QCOMPARE(parts.size(), 2);
            QVERIFY(!parts[0].isEmpty() && !parts[1].isEmpty());
        }
        QVERIFY(memo->toPlainText().contains(QLatin1String(".example")));
    }

    void licenceScrollsVertically() {
        ShowActive();
        auto* licence = Control<QPlainTextEdit>("VarnexMemo");
        QCOMPARE(licence->geometry(), QRect(8, 128, 297, 113));
        QVERIFY(licence->verticalScrollBar()->isVisible());
        QVERIFY(licence->verticalScrollBar()->maximum() > 0);
    }

    void textsShowTheArrowCursor() {
        for (const char* name : {"CreditsMemo", "InfoMemo", "VarnexMemo"}) {
            QCOMPARE(Control<QPlainTextEdit>(name)->viewport()->cursor().shape(), Qt::ArrowCursor);
        }
    }

    void pictureDoubleClickShowsTheCreditAndAClickTurnsBack() {
        ShowActive();
        auto* picture = Control<TSvgImage>("AboutImage");
        auto* credit = Control<QPlainTextEdit>("CreditsMemo");
        QCOMPARE(picture->Picture(), QStringLiteral(":/VARNEXABOUTBOX"));
        QVERIFY(picture->isVisible());
        QVERIFY(!credit->isVisible());

        QTest::mouseDClick(picture, Qt::LeftButton, {}, picture->rect().center());
        QVERIFY(credit->isVisible());
        QVERIFY(!picture->isVisible());
        QCOMPARE(credit->toPlainText().split(QLatin1Char('\n')).first(),
                 QStringLiteral("Programmed by"));

        // The free part of the panel does not react.
        QWidget* panel = Control("Panel1");
        QTest::mouseDClick(panel, Qt::LeftButton, {}, QPoint(4, 4));
        QVERIFY(credit->isVisible());

        QTest::mouseClick(credit->viewport(), Qt::LeftButton, {}, QPoint(20, 10));
        QVERIFY(!credit->isVisible());
        QVERIFY(picture->isVisible());
    }

    void closingOnlyHides_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter presses OK") << int(Qt::Key_Return);
        QTest::newRow("Esc") << int(Qt::Key_Escape);
    }
    void closingOnlyHides() {
        QFETCH(int, key);
        ShowActive();
        auto* picture = Control<TSvgImage>("AboutImage");
        QTest::mouseDClick(picture, Qt::LeftButton, {}, picture->rect().center());
        QTest::keyClick(about.get(), Qt::Key(key));
        QVERIFY(!about->isVisible());
        // Shown again in the state it was left in.
        ShowActive();
        QVERIFY(Control("CreditsMemo")->isVisible());
    }

    void showsCentredOnTheScreen() {
        ShowActive();
        const QPoint centre = about->screen()->availableGeometry().center();
        QVERIFY((about->frameGeometry().center() - centre).manhattanLength() <= 2);
    }

    void theMainWindowShowsOneBoxHoweverOftenAsked() {
        TMainForm form;
        QVERIFY(VarnexTest::ShowActive(form));
        // Built when first asked for, not at start.
        QCOMPARE(form.findChildren<TAboutCalc*>().size(), 0);
        QAction* aboutItem = form.findChild<QAction*>(QStringLiteral("AboutMenuItem"));
        for (int ask = 0; ask < 3; ++ask) {
            aboutItem->trigger();
            QVERIFY(form.AboutBox()->isVisible());
            QCOMPARE(VisibleAboutBoxes(), 1);
            QCOMPARE(form.findChildren<TAboutCalc*>().size(), 1);
        }
        // Not modal: the main window goes on taking commands.
        QTest::keyClick(&form, Qt::Key_L, Qt::ControlModifier);
        QVERIFY(form.findChild<QWidget*>(QStringLiteral("LatencyCalcPageControl"))->isVisible());
    }
};

VARNEX_TEST_MAIN(TestAbout)
#include "tst_About.moc"
