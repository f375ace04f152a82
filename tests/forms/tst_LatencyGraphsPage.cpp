#include "../model/LatencyTestChains.h"
#include "KorvexPanels.h"
#include "LatencyGraphsPage.h"
#include "RainbowBar.h"
#include "VarnexError.h"
#include "VarnexTest.h"

#include <QClipboard>
#include <QFrame>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <QToolButton>

namespace {

using VarnexTest::Control;

const QStringList ColourNames = {"Red",    "Yellow",  "Lime",  "Blue", "Purple", "Black",
                                 "Maroon", "Green",   "Olive", "Navy", "Teal",   "Gray",
                                 "Silver", "Fuchsia", "Aqua",  "White"};

const QList<QRgb> Colours = {
    qRgb(255, 0, 0),     qRgb(255, 255, 0), qRgb(0, 255, 0),   qRgb(0, 0, 255),
    qRgb(128, 0, 128),   qRgb(0, 0, 0),     qRgb(128, 0, 0),   qRgb(0, 128, 0),
    qRgb(128, 128, 0),   qRgb(0, 0, 128),   qRgb(0, 128, 128), qRgb(128, 128, 128),
    qRgb(192, 192, 192), qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};

const QList<int> LegendTops = {4,   22,  40,  58,  75,  93,  111, 129,
                               147, 165, 183, 201, 218, 236, 254, 272};

// A bar as a grabbed image shows it: the colour of every pixel row of its inner rectangle,
// read down its middle column, as runs of (colour, rows).
struct TBarRuns {
    QList<QPair<QRgb, int>> runs;
    int height = 0;

    int Rows(QRgb colour) const {
        int rows = 0;
        for (const auto& [c, n] : runs) {
            rows += c == colour ? n : 0;
        }
        return rows;
    }
    double Share(QRgb colour) const { return double(Rows(colour)) / height; }
};

TBarRuns MeasureBar(const QImage& image, const QWidget& page, const TRainbowBar& bar) {
    const QRect inner = bar.GetInnerRect().translated(bar.mapTo(&page, QPoint(0, 0)));
    TBarRuns result;
    result.height = inner.height();
    const int x = inner.center().x();
    for (int y = inner.top(); y <= inner.bottom(); ++y) {
        const QRgb pixel = image.pixel(x, y);
        const QRgb colour = qRgb(qRed(pixel), qGreen(pixel), qBlue(pixel));
        if (!result.runs.isEmpty() && result.runs.last().first == colour) {
            ++result.runs.last().second;
        } else {
            result.runs.append({colour, 1});
        }
    }
    return result;
}

} // namespace

class TestLatencyGraphsPage : public QObject {
    Q_OBJECT

    std::unique_ptr<TLatencyGraphsPage> page;
    std::unique_ptr<TTestChain> chain;

    TRainbowBar& Bar(const char* name) const {
        return *Control<TRainbowBar>(*page, QLatin1String(name));
    }
    QToolButton& CopyButton() const {
        return *Control<QToolButton>(*page, "CopyLatencyGraphsButton");
    }

    void ShowChain(std::vector<TNetworkElement> values) {
        chain = std::make_unique<TTestChain>(std::move(values));
        chain->Compute();
        page->ShowGraphs(chain->Span());
    }

    QImage Grab() const { return page->grab().toImage(); }
    QRgb Background() const { return page->palette().color(QPalette::Base).rgb(); }

private slots:
    void init() {
        VarnexTest::ResetRecorders();
        page = std::make_unique<TLatencyGraphsPage>();
        QVERIFY(VarnexTest::ShowActive(*page));
    }

    void cleanup() {
        page.reset();
        QVERIFY2(VarnexTest::Errors().isEmpty(), qPrintable(VarnexTest::Errors().join(' ')));
    }

    void layout_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("text");
        QTest::newRow("canvas") << "LatencyGraphsCanvasPanel" << QRect(0, 0, 268, 285) << "";
        for (int i = 0; i < ColourNames.size(); ++i) {
            QTest::addRow("%sPanel", qPrintable(ColourNames[i]))
                << ColourNames[i] + "Panel" << QRect(0, LegendTops[i], 13, 13) << "";
            QTest::addRow("%sLabel", qPrintable(ColourNames[i]))
                << ColourNames[i] + "Label" << QRect(16, LegendTops[i], 105, 13) << "";
        }
        QTest::newRow("bevel") << "Bevel1" << QRect(123, 0, 2, 285) << "";
        QTest::newRow("Label42") << "Label42" << QRect(131, 32, 38, 13) << "A   --> B";
        QTest::newRow("Label43") << "Label43" << QRect(179, 32, 38, 13) << "A <--   B";
        QTest::newRow("Label44") << "Label44" << QRect(227, 32, 38, 13) << "A <--> B";
        QTest::newRow("bar A") << "RainbowBarA" << QRect(131, 48, 38, 237) << "";
        QTest::newRow("bar B") << "RainbowBarB" << QRect(179, 48, 38, 237) << "";
        QTest::newRow("bar AB") << "RainbowBarAB" << QRect(227, 48, 38, 237) << "";
        QTest::newRow("copy") << "CopyLatencyGraphsButton" << QRect(240, 0, 25, 25)
                              << "Copy latency graphs to clipboard";
    }
    void layout() {
        QFETCH(QString, control);
        QFETCH(QRect, geometry);
        QFETCH(QString, text);
        QCOMPARE(page->objectName(), QStringLiteral("LatencyGraphsTabSheet"));
        QWidget* widget = Control(*page, control);
        if (auto* label = qobject_cast<QLabel*>(widget); label && !text.isEmpty()) {
            // A heading is as wide as its text.
            QCOMPARE(label->pos(), geometry.topLeft());
            QVERIFY(label->width() >= label->fontMetrics().horizontalAdvance(text));
        } else {
            QCOMPARE(widget->geometry(), geometry);
        }
        QCOMPARE(widget->parentWidget()->objectName(),
                 control == QLatin1String("LatencyGraphsCanvasPanel")
                     ? QStringLiteral("LatencyGraphsTabSheet")
                     : QStringLiteral("LatencyGraphsCanvasPanel"));
        if (auto* label = qobject_cast<QLabel*>(widget); label && !text.isEmpty()) {
            QCOMPARE(label->text(), text);
        }
        if (auto* button = qobject_cast<QToolButton*>(widget)) {
            QCOMPARE(button->toolTip(), text);
            QVERIFY(!button->icon().isNull());
        }
    }

    void legendListFollowsTheColours() {
        const QImage image = Grab();
        for (int i = 0; i < LegendPairCount; ++i) {
            const TLegendPair& pair = page->LegendList()[i];
            QCOMPARE(pair.Label->objectName(), ColourNames[i] + "Label");
            QCOMPARE(pair.Swatch->objectName(), ColourNames[i] + "Panel");
            QCOMPARE(pair.Swatch->BevelOuter(), TKorvexCustomPanel::bvLowered);
            QCOMPARE(image.pixel(pair.Swatch->geometry().center()), Colours[i]);
        }
        QCOMPARE(page->LatencyGraphsCanvasPanel()->BevelOuter(), TKorvexCustomPanel::bvNone);
    }

    // The first start: three legend rows, every delay 0, so the bars show only background.
    void defaultChain() {
        ShowChain(TTestChain::Default());
        const QStringList labels = {"Node A (64 bytes)", "<Unknown Topology>",
                                    "Node B (1024 bytes)"};
        for (int i = 0; i < LegendPairCount; ++i) {
            const TLegendPair& pair = page->LegendList()[i];
            QCOMPARE(pair.Label->isVisible(), i < 3);
            QCOMPARE(pair.Swatch->isVisible(), i < 3);
            if (i < 3) {
                QCOMPARE(pair.Label->text(), labels[i]);
                QCOMPARE(pair.Label->width(), 105);
            }
        }
        const QImage image = Grab();
        for (const char* name : {"RainbowBarA", "RainbowBarB", "RainbowBarAB"}) {
            QCOMPARE(Bar(name).NumStripes(), 3);
            const TBarRuns bar = MeasureBar(image, *page, Bar(name));
            QCOMPARE(bar.runs.size(), 1);
            QCOMPARE(bar.runs.front().first, Background());
        }
    }

    // A share of the inner height within one pixel row of the computed one.
    void exampleChainStripes_data() {
        QTest::addColumn<QString>("bar");
        QTest::addColumn<QList<int>>("colours");
        QTest::addColumn<QList<double>>("shares");
        // Yellow (the Ethernet, 0.02 %) is too thin to draw in A to B; Node B takes no room.
        QTest::newRow("A to B") << "RainbowBarA" << QList<int>{0, 2, 3}
                                << QList<double>{0.018, 0.019, 0.963};
        QTest::newRow("B to A") << "RainbowBarB" << QList<int>{1, 2, 3, 4}
                                << QList<double>{0.003, 0.032, 0.902, 0.063};
        // The Ethernet's 0.15 % of the round trip rounds to no row either.
        QTest::newRow("round trip") << "RainbowBarAB" << QList<int>{0, 2, 3, 4}
                                    << QList<double>{0.008, 0.018, 0.938, 0.034};
    }
    void exampleChainStripes() {
        QFETCH(QString, bar);
        QFETCH(QList<int>, colours);
        QFETCH(QList<double>, shares);
        ShowChain(TTestChain::Example());
        const TBarRuns runs = MeasureBar(Grab(), *page, Bar(qPrintable(bar)));
        QList<QRgb> drawn;
        for (const auto& [colour, rows] : runs.runs) {
            drawn.append(colour);
        }
        QList<QRgb> expected;
        for (int i : colours) {
            expected.append(Colours[i]);
        }
        // In chain order from the top, with at most a row of background below the last.
        if (drawn.size() == expected.size() + 1) {
            QCOMPARE(drawn.last(), Background());
            QCOMPARE(runs.runs.last().second, 1);
            drawn.removeLast();
        }
        QCOMPARE(drawn, expected);
        for (int i = 0; i < colours.size(); ++i) {
            const double share = runs.Share(Colours[colours[i]]);
            QVERIFY2(std::abs(share - shares[i]) < 1.0 / runs.height,
                     qPrintable(QStringLiteral("%1: %2").arg(ColourNames[colours[i]]).arg(share)));
        }
    }

    // Sixteen elements: every colour in legend order, white for Node B at the bottom. A dark
    // background keeps the white stripe apart from it.
    void sixteenElements() {
        QPalette dark = page->palette();
        dark.setColor(QPalette::Base, QColor(40, 40, 48));
        page->setPalette(dark);
        ShowChain(TTestChain::Sixteen());
        for (int i = 0; i < LegendPairCount; ++i) {
            QVERIFY(page->LegendList()[i].Label->isVisible());
        }
        QCOMPARE(page->LegendList()[15].Label->text(), QStringLiteral("Node B (1024 bytes)"));
        const QImage image = Grab();
        const TBarRuns roundTrip = MeasureBar(image, *page, Bar("RainbowBarAB"));
        QList<QRgb> drawn;
        for (const auto& [colour, rows] : roundTrip.runs) {
            drawn.append(colour);
        }
        QCOMPARE(drawn, Colours);
        QCOMPARE(image.pixel(page->LegendList()[15].Swatch->geometry().center()),
                 qRgb(255, 255, 255));
        // B to A: no red; white at the very bottom of the inner rectangle.
        const TBarRuns backward = MeasureBar(image, *page, Bar("RainbowBarB"));
        QCOMPARE(backward.Rows(Colours[0]), 0);
        QCOMPARE(backward.runs.last().first, Colours[15]);
    }

    // Fifteen shares of 1/15 round to 16 rows each, 240 in all: the last stripe is cut at the
    // inner rectangle and the bar's frame stays.
    void stripesStayInsideTheBar() {
        ShowChain(TTestChain::Sixteen());
        const QImage image = Grab();
        const TRainbowBar& bar = Bar("RainbowBarA");
        const TBarRuns runs = MeasureBar(image, *page, bar);
        QCOMPARE(runs.runs.last().first, Colours[14]);
        QVERIFY(runs.runs.last().second < 16);
        const QRect inner = bar.GetInnerRect().translated(bar.pos());
        for (int y = inner.bottom() + 1; y < bar.geometry().bottom(); ++y) {
            QVERIFY(image.pixel(inner.center().x(), y) != Colours[14]);
        }
    }

    void tooManyElementsChangeNothing() {
        ShowChain(TTestChain::Example());
        std::vector<TNetworkElement> values = TTestChain::Sixteen();
        values.insert(values.begin() + 1, TTestChain::Network(nbX25, "X.25", 0.064, 10));
        TTestChain seventeen(std::move(values));
        QVERIFY_THROWS_EXCEPTION(EVarnexError, page->ShowGraphs(seventeen.Span()));
        QCOMPARE(Bar("RainbowBarA").NumStripes(), 5);
        QVERIFY(!page->LegendList()[5].Label->isVisible());
    }

    // A real click: the panel as one 268 x 285 picture without the button, which shows again.
    void copiedPicture() {
        ShowChain(TTestChain::Example());
        const QRect buttonArea = CopyButton().geometry();
        const QImage shown = Grab();
        const QRgb panelColour = page->LatencyGraphsCanvasPanel()->Color().rgb();
        const auto uniform = [&](const QImage& image) {
            for (int y = buttonArea.top(); y <= buttonArea.bottom(); ++y) {
                for (int x = buttonArea.left(); x <= buttonArea.right(); ++x) {
                    if (image.pixel(x, y) != panelColour) {
                        return false;
                    }
                }
            }
            return true;
        };
        QVERIFY(!uniform(shown));
        QGuiApplication::clipboard()->clear();
        QTest::mouseClick(&CopyButton(), Qt::LeftButton);
        const QImage copied = QGuiApplication::clipboard()->image();
        QCOMPARE(copied.size(), QSize(268, 285));
        QVERIFY(uniform(copied));
        QVERIFY(CopyButton().isVisible());
        for (const char* name : {"RainbowBarA", "RainbowBarB", "RainbowBarAB"}) {
            const QRect area = Bar(name).geometry();
            QCOMPARE(copied.copy(area).convertToFormat(QImage::Format_RGB32),
                     shown.copy(area).convertToFormat(QImage::Format_RGB32));
        }
        const QRect legend(0, 0, 121, 285);
        QCOMPARE(copied.copy(legend).convertToFormat(QImage::Format_RGB32),
                 shown.copy(legend).convertToFormat(QImage::Format_RGB32));
    }
};

VARNEX_TEST_MAIN(TestLatencyGraphsPage)
#include "tst_LatencyGraphsPage.moc"
