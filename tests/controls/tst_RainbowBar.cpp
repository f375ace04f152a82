#include "Feedback.h"
#include "RainbowBar.h"
#include "VarnexError.h"
#include "VarnexTest.h"

#include <QPainter>
#include <QTest>
#include <limits>

namespace {

using Runs = QList<QPair<QRgb, int>>;

// The bar's inner rows from the top, as runs of equally coloured rows; every row must be one
// colour across the whole inner width.
Runs RowRuns(TRainbowBar& bar) {
    const QImage image = bar.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect inner = bar.GetInnerRect();
    Runs runs;
    for (int y = inner.top(); y <= inner.bottom(); ++y) {
        const QRgb colour = image.pixel(inner.left(), y) & RGB_MASK;
        for (int x = inner.left(); x <= inner.right(); ++x) {
            if ((image.pixel(x, y) & RGB_MASK) != colour) {
                qWarning("row %d is not one colour", y);
                return {};
            }
        }
        if (!runs.isEmpty() && runs.last().first == colour) {
            ++runs.last().second;
        } else {
            runs.append({colour, 1});
        }
    }
    return runs;
}

QRgb Rgb(const QColor& colour) {
    return colour.rgb() & RGB_MASK;
}

QRgb Default(int index) {
    return DefaultStripeColors[index] & RGB_MASK;
}

} // namespace

class TestRainbowBar : public QObject {
    Q_OBJECT

private slots:
    void init() { VarnexTest::ResetRecorders(); }

    void newBarDefaults() {
        TRainbowBar bar;
        QCOMPARE(bar.size(), QSize(81, 185));
        QCOMPARE(bar.BorderStyle(), TKorvexCustomPanel::bsSingle);
        QCOMPARE(bar.BevelOuter(), TKorvexCustomPanel::bvNone);
        QCOMPARE(bar.BevelInner(), TKorvexCustomPanel::bvNone);
        QCOMPARE(bar.Color(), bar.palette().color(QPalette::Base));
        QCOMPARE(bar.NumStripes(), std::uint8_t(5));
        // The single border is a sunken edge of two pixels outside the client area.
        QCOMPARE(bar.GetInnerRect(), QRect(2, 2, 77, 181));
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(Rgb(bar.Stripes(i).Color()), Default(i));
            QCOMPARE(bar.Stripes(i).Value(), 0.2f);
        }
        for (int i = 5; i < RainbowStripeCount; ++i) {
            QCOMPARE(bar.Stripes(i).Value(), 0.0f);
        }
    }

    void defaultStripeColors() {
        const QList<QColor> expected = {
            {255, 0, 0},     {255, 255, 0}, {0, 255, 0},   {0, 0, 255},
            {128, 0, 128},   {0, 0, 0},     {128, 0, 0},   {0, 128, 0},
            {128, 128, 0},   {0, 0, 128},   {0, 128, 128}, {128, 128, 128},
            {192, 192, 192}, {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
        for (int i = 0; i < RainbowStripeCount; ++i) {
            QCOMPARE(QColor(DefaultStripeColors[i]), expected[i]);
        }
    }

    void newBarDrawsFiveEqualStripes() {
        TRainbowBar bar;
        const QImage image = bar.grab().toImage();
        QVERIFY(QColor(image.pixel(0, 0)) != bar.Color());
        QVERIFY(QColor(image.pixel(1, 1)) != bar.Color());
        // 181 rows / 5 = 36.2: five stripes of 36 rows and one background row.
        const Runs expected = {{Default(0), 36}, {Default(1), 36}, {Default(2), 36},
                               {Default(3), 36}, {Default(4), 36}, {Rgb(bar.Color()), 1}};
        QCOMPARE(RowRuns(bar), expected);
    }

    void stripeHeights_data() {
        QTest::addColumn<int>("height");
        QTest::addColumn<QList<float>>("shares");
        QTest::addColumn<QList<int>>("colours");
        QTest::addColumn<QList<int>>("rows");
        // Colour -1 is the bar's background.
        QTest::newRow("233 rows: 116.5 rounds down to even")
            << 237 << QList<float>{0.5f, 0.25f, 0.25f} << QList<int>{0, 1, 2, -1}
            << QList<int>{116, 58, 58, 1};
        QTest::newRow("235 rows: 117.5 rounds up to even, overflow clipped")
            << 239 << QList<float>{0.5f, 0.5f} << QList<int>{0, 1} << QList<int>{118, 117};
        QTest::newRow("shares below one leave background")
            << 104 << QList<float>{0.1f, 0.2f} << QList<int>{0, 1, -1} << QList<int>{10, 20, 70};
        QTest::newRow("a zero share draws nothing")
            << 104 << QList<float>{0.5f, 0.0f, 0.5f} << QList<int>{0, 2} << QList<int>{50, 50};
        QTest::newRow("a negative share draws nothing")
            << 104 << QList<float>{-0.5f, 0.5f} << QList<int>{1, -1} << QList<int>{50, 50};
        QTest::newRow("an undefined share draws nothing")
            << 104 << QList<float>{std::numeric_limits<float>::quiet_NaN(), 0.5f}
            << QList<int>{1, -1} << QList<int>{50, 50};
        QTest::newRow("sixteen equal shares of 233 rows round up and are clipped")
            << 237 << QList<float>(16, 1.0f / 16)
            << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}
            << QList<int>{15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 8};
    }
    void stripeHeights() {
        QFETCH(int, height);
        QFETCH(QList<float>, shares);
        QFETCH(QList<int>, colours);
        QFETCH(QList<int>, rows);
        TRainbowBar bar;
        const QColor background(1, 2, 3);
        bar.SetColor(background);
        bar.resize(38, height);
        bar.SetNumStripes(std::uint8_t(shares.size()));
        for (int i = 0; i < shares.size(); ++i) {
            bar.Stripes(i).SetValue(shares[i]);
        }
        Runs expected;
        for (int i = 0; i < colours.size(); ++i) {
            expected.append({colours[i] < 0 ? Rgb(background) : Default(colours[i]), rows[i]});
        }
        QCOMPARE(RowRuns(bar), expected);
    }

    void stripesStayInsideTheBorder() {
        TRainbowBar bar;
        bar.resize(38, 237);
        bar.SetNumStripes(2);
        bar.Stripes(0).SetValue(0.75f);
        bar.Stripes(1).SetValue(0.75f);
        const QImage image = bar.grab().toImage();
        const QRgb yellow = Default(1);
        QCOMPARE(image.pixel(2, 234) & RGB_MASK, yellow);
        for (int y = 235; y < 237; ++y) {
            for (int x = 0; x < 38; ++x) {
                QVERIFY2((image.pixel(x, y) & RGB_MASK) != yellow, "stripe drawn over the border");
            }
        }
    }

    void resetStripesNotifiesOnce() {
        TRainbowBar bar;
        bar.Stripes(0).SetColor(Qt::cyan);
        bar.Stripes(1).SetValue(0.5f);
        int changes = 0;
        bar.SetOnChange([&](TRainbowBar&) { ++changes; });
        bar.ResetStripes();
        QCOMPARE(changes, 1);
        QCOMPARE(Rgb(bar.Stripes(0).Color()), Default(0));
        QCOMPARE(bar.Stripes(1).Value(), 0.2f);
        bar.ResetStripes();
        QCOMPARE(changes, 2);
    }

    void numStripesIsClamped_data() {
        QTest::addColumn<int>("requested");
        QTest::addColumn<int>("expected");
        QTest::newRow("0 becomes 1") << 0 << 1;
        QTest::newRow("1") << 1 << 1;
        QTest::newRow("3") << 3 << 3;
        QTest::newRow("16") << 16 << 16;
        QTest::newRow("17 becomes 16") << 17 << 16;
        QTest::newRow("255 becomes 16") << 255 << 16;
    }
    void numStripesIsClamped() {
        QFETCH(int, requested);
        QFETCH(int, expected);
        TRainbowBar bar;
        QList<TRainbowBar*> senders;
        bar.SetOnChange([&](TRainbowBar& sender) { senders.append(&sender); });
        bar.SetNumStripes(std::uint8_t(requested));
        QCOMPARE(int(bar.NumStripes()), expected);
        QVERIFY(!senders.isEmpty());
        QVERIFY(senders.count(&bar) == senders.size());
        for (int i = 0; i < expected; ++i) {
            QCOMPARE(Rgb(bar.Stripes(i).Color()), Default(i));
            QCOMPARE(bar.Stripes(i).Value(), 1.0f / float(expected));
        }
    }

    void sameNumStripesKeepsTheStripes_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("again");
        QTest::newRow("5 again") << 5 << 5;
        QTest::newRow("16, then 17") << 16 << 17;
        QTest::newRow("1, then 0") << 1 << 0;
    }
    void sameNumStripesKeepsTheStripes() {
        QFETCH(int, count);
        QFETCH(int, again);
        TRainbowBar bar;
        bar.SetNumStripes(std::uint8_t(count));
        bar.Stripes(0).SetColor(Qt::cyan);
        bar.Stripes(0).SetValue(0.7f);
        int changes = 0;
        bar.SetOnChange([&](TRainbowBar&) { ++changes; });
        bar.SetNumStripes(std::uint8_t(again));
        QCOMPARE(int(bar.NumStripes()), count);
        QCOMPARE(bar.Stripes(0).Color(), QColor(Qt::cyan));
        QCOMPARE(bar.Stripes(0).Value(), 0.7f);
        QCOMPARE(changes, 0);
    }

    void fiveToThreeResetsTheDrawnStripes() {
        TRainbowBar bar;
        bar.Stripes(0).SetColor(Qt::cyan);
        bar.Stripes(1).SetValue(0.9f);
        bar.Stripes(4).SetValue(0.6f);
        int changes = 0;
        bar.SetOnChange([&](TRainbowBar& sender) {
            QCOMPARE(&sender, &bar);
            ++changes;
        });
        bar.SetNumStripes(3);
        QVERIFY(changes > 0);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(Rgb(bar.Stripes(i).Color()), Default(i));
            QCOMPARE(bar.Stripes(i).Value(), 1.0f / 3.0f);
        }
        // Undrawn stripes keep what they had.
        QCOMPARE(bar.Stripes(3).Value(), 0.2f);
        QCOMPARE(bar.Stripes(4).Value(), 0.6f);
        QCOMPARE(Rgb(bar.Stripes(4).Color()), Default(4));
        // 181 rows / 3 = 60.33: three stripes of 60 rows, one background row.
        const Runs expected = {
            {Default(0), 60}, {Default(1), 60}, {Default(2), 60}, {Rgb(bar.Color()), 1}};
        QCOMPARE(RowRuns(bar), expected);
    }

    void stripeNotifiesOnlyOnChange_data() {
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<float>("value");
        QTest::addColumn<int>("changes");
        QTest::newRow("same colour and share") << QColor(255, 0, 0) << 0.2f << 0;
        QTest::newRow("same colour as a named colour") << QColor(Qt::red) << 0.2f << 0;
        QTest::newRow("new share") << QColor(255, 0, 0) << 0.3f << 1;
        QTest::newRow("new colour") << QColor(0, 0, 0) << 0.2f << 1;
        QTest::newRow("both new") << QColor(0, 0, 0) << 0.3f << 2;
    }
    void stripeNotifiesOnlyOnChange() {
        QFETCH(QColor, colour);
        QFETCH(float, value);
        QFETCH(int, changes);
        TRainbowBar bar;
        int stripeChanges = 0;
        int barChanges = 0;
        TRainbowStripe& stripe = bar.Stripes(0);
        const auto barHandler = stripe.OnChange();
        stripe.SetOnChange([&](TRainbowStripe& sender) {
            QCOMPARE(&sender, &stripe);
            ++stripeChanges;
            barHandler(sender);
        });
        bar.SetOnChange([&](TRainbowBar&) { ++barChanges; });
        stripe.SetColor(colour);
        stripe.SetValue(value);
        QCOMPARE(stripeChanges, changes);
        QCOMPARE(barChanges, changes);
    }

    void stripeChangeRepaintsTheBar() {
        TRainbowBar bar;
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        QTest::qWait(20);
        const VarnexTest::PaintCounter paints(bar);
        bar.Stripes(2).SetValue(0.2f);
        QTest::qWait(30);
        QCOMPARE(paints.count, 0);
        bar.Stripes(2).SetValue(0.4f);
        QTRY_VERIFY(paints.count > 0);
    }

    void stripesIndexIsChecked_data() {
        QTest::addColumn<int>("index");
        QTest::newRow("16") << 16;
        QTest::newRow("17") << 17;
        QTest::newRow("255") << 255;
        QTest::newRow("-1") << -1;
    }
    void stripesIndexIsChecked() {
        QFETCH(int, index);
        TRainbowBar bar;
        const QString expected = QStringLiteral("Array index out of bounds: %1").arg(index);
        try {
            bar.Stripes(index);
            QFAIL("no error raised");
        } catch (const EVarnexError& error) {
            QCOMPARE(QString::fromUtf8(error.what()), expected);
        }
        Feedback::RunGuarded([&] { bar.Stripes(index).SetValue(0.5f); });
        QCOMPARE(VarnexTest::Errors(), QStringList{expected + QLatin1Char('.')});
    }

    void undrawnStripesAreReachable() {
        TRainbowBar bar;
        bar.SetNumStripes(3);
        int changes = 0;
        bar.SetOnChange([&](TRainbowBar&) { ++changes; });
        bar.Stripes(15).SetValue(0.5f);
        bar.Stripes(15).SetColor(Qt::black);
        QCOMPARE(bar.Stripes(15).Value(), 0.5f);
        QCOMPARE(std::as_const(bar).Stripes(15).Color(), QColor(Qt::black));
        QCOMPARE(changes, 2);
        QCOMPARE(RowRuns(bar).size(), 4);
    }

    void captionIsDrawnOverTheStripes() {
        TRainbowBar bar;
        bar.SetCaption(QStringLiteral("X"));
        bar.SetVerticalAlignment(TKorvexCustomPanel::vaTop);
        const QImage image = bar.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QRect top(2, 2, 77, 20);
        int ink = 0;
        for (int y = top.top(); y <= top.bottom(); ++y) {
            for (int x = top.left(); x <= top.right(); ++x) {
                ink += (image.pixel(x, y) & RGB_MASK) != Default(0) ? 1 : 0;
            }
        }
        QVERIFY(ink > 0);
    }

    void barNeverCallsOnPaint() {
        TRainbowBar bar;
        int calls = 0;
        static_cast<TKorvexCustomPanel&>(bar).SetOnPaint(
            [&](TKorvexCustomPanel&, QPainter&) { ++calls; });
        bar.grab();
        QCOMPARE(calls, 0);
    }
};

VARNEX_TEST_MAIN(TestRainbowBar)
#include "tst_RainbowBar.moc"
