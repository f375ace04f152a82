#include "KorvexPanels.h"
#include "VarnexError.h"
#include "VarnexTest.h"

#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QMimeData>
#include <QPainter>
#include <QScreen>
#include <QTest>
#include <QWindow>

namespace {

const QColor Face(200, 180, 160);
const QColor Highlight(250, 250, 240);
const QColor Shadow(60, 70, 80);
const QColor Text(10, 20, 30);

// Distinct colours in every colour group, so that each pixel tells which step painted it.
QPalette TestPalette() {
    QPalette palette;
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Button, Face);
        palette.setColor(group, QPalette::Light, Highlight);
        palette.setColor(group, QPalette::Dark, Shadow);
        palette.setColor(group, QPalette::ButtonText, Text);
    }
    return palette;
}

// Without antialiasing every ink pixel has exactly the pen's colour.
QFont TestFont() {
    QFont font = QApplication::font();
    font.setPixelSize(20);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

void Prepare(TKorvexCustomPanel& panel, QSize size) {
    panel.setPalette(TestPalette());
    panel.setFont(TestFont());
    panel.resize(size);
}

QImage Grab(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QColor Pixel(const QImage& image, int x, int y) {
    return image.pixelColor(x, y);
}

// The bounding box of the pixels inside the area that differ from the background.
QRect InkBounds(const QImage& image, const QRect& area, const QColor& background) {
    QRect ink;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixelColor(x, y) != background) {
                ink |= QRect(x, y, 1, 1);
            }
        }
    }
    return ink;
}

QList<QPoint> PixelsOf(const QImage& image, const QRect& area, const QColor& colour) {
    QList<QPoint> points;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixelColor(x, y) == colour) {
                points.append(QPoint(x, y));
            }
        }
    }
    return points;
}

// Where the text's ink falls when drawn alone into a box of the given size with the flags.
QRect ReferenceInk(const QString& text, QSize box, int flags) {
    QImage image(box, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(TestFont());
    painter.setPen(Qt::black);
    painter.drawText(QRect(QPoint(), box), flags | Qt::TextSingleLine | Qt::TextExpandTabs, text);
    painter.end();
    return InkBounds(image, image.rect(), Qt::white);
}

using VarnexTest::PaintCounter;

void ShowAndSettle(QWidget& widget) {
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    QTest::qWait(20);
}

} // namespace

class TestKorvexPanels : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(!QFontInfo(TestFont()).family().isEmpty()); }

    void init() { VarnexTest::ResetRecorders(); }

    void canvasPanelDefaults() {
        TCanvasPanel panel;
        QCOMPARE(panel.Caption(), QString());
        QCOMPARE(panel.Alignment(), Qt::Alignment(Qt::AlignHCenter));
        QCOMPARE(panel.BevelInner(), TKorvexCustomPanel::bvNone);
        QCOMPARE(panel.BevelOuter(), TKorvexCustomPanel::bvLowered);
        QCOMPARE(panel.BevelWidth(), 1);
        QCOMPARE(panel.BorderWidth(), 0);
        QCOMPARE(panel.BorderStyle(), TKorvexCustomPanel::bsNone);
        QCOMPARE(panel.Color(), panel.palette().color(QPalette::Button));
        QVERIFY(panel.FullRepaint());
        QCOMPARE(panel.CaptionPadding(), std::uint16_t(2));
        QVERIFY(panel.GenerateOnPaint());
        QCOMPARE(panel.VerticalAlignment(), TKorvexCustomPanel::vaMiddle);
        QCOMPARE(panel.VerticalCaptionPadding(), std::uint16_t(2));
        QCOMPARE(panel.focusPolicy(), Qt::NoFocus);
    }

    void getInnerRect_data() {
        QTest::addColumn<int>("outer");
        QTest::addColumn<int>("inner");
        QTest::addColumn<int>("bevelWidth");
        QTest::addColumn<int>("borderWidth");
        QTest::addColumn<int>("borderStyle");
        QTest::addColumn<QRect>("expected");
        using P = TKorvexCustomPanel;
        QTest::newRow("default: lowered outer") << int(P::bvLowered) << int(P::bvNone) << 1 << 0
                                                << int(P::bsNone) << QRect(1, 1, 98, 58);
        QTest::newRow("no bevels")
            << int(P::bvNone) << int(P::bvNone) << 4 << 0 << int(P::bsNone) << QRect(0, 0, 100, 60);
        QTest::newRow("border only")
            << int(P::bvNone) << int(P::bvNone) << 4 << 3 << int(P::bsNone) << QRect(3, 3, 94, 54);
        QTest::newRow("inner only, width 3") << int(P::bvNone) << int(P::bvRaised) << 3 << 0
                                             << int(P::bsNone) << QRect(3, 3, 94, 54);
        QTest::newRow("both bevels, width 2, border 3")
            << int(P::bvRaised) << int(P::bvLowered) << 2 << 3 << int(P::bsNone)
            << QRect(7, 7, 86, 46);
        QTest::newRow("single border style only") << int(P::bvNone) << int(P::bvNone) << 1 << 0
                                                  << int(P::bsSingle) << QRect(2, 2, 96, 56);
        QTest::newRow("single border, outer bevel, border 1")
            << int(P::bvLowered) << int(P::bvNone) << 1 << 1 << int(P::bsSingle)
            << QRect(4, 4, 92, 52);
    }
    void getInnerRect() {
        QFETCH(int, outer);
        QFETCH(int, inner);
        QFETCH(int, bevelWidth);
        QFETCH(int, borderWidth);
        QFETCH(int, borderStyle);
        QFETCH(QRect, expected);
        TCanvasPanel panel;
        panel.resize(100, 60);
        panel.SetBevelOuter(TKorvexCustomPanel::TPanelBevel(outer));
        panel.SetBevelInner(TKorvexCustomPanel::TPanelBevel(inner));
        panel.SetBevelWidth(bevelWidth);
        panel.SetBorderWidth(borderWidth);
        panel.SetBorderStyle(TKorvexCustomPanel::TBorderStyle(borderStyle));
        QCOMPARE(panel.GetInnerRect(), expected);
    }

    void emptyCaptionPaintsOnlyBevelAndFill() {
        TCanvasPanel panel;
        Prepare(panel, QSize(40, 30));
        const QImage image = Grab(panel);
        QCOMPARE(image.size(), QSize(40, 30));
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 40; ++x) {
                // Lowered: shadow on top and left, highlight on bottom and right (with the
                // top-right and bottom-left corners).
                const QColor expected = (x == 39 || y == 29) ? Highlight
                                        : (x == 0 || y == 0) ? Shadow
                                                             : Face;
                QCOMPARE(Pixel(image, x, y), expected);
            }
        }
    }

    void bevelsBorderAndFill_data() {
        QTest::addColumn<int>("outer");
        QTest::addColumn<int>("inner");
        QTest::addColumn<int>("bevelWidth");
        QTest::addColumn<int>("borderWidth");
        using P = TKorvexCustomPanel;
        QTest::newRow("outer lowered") << int(P::bvLowered) << int(P::bvNone) << 1 << 0;
        QTest::newRow("outer raised, width 3") << int(P::bvRaised) << int(P::bvNone) << 3 << 0;
        QTest::newRow("inner lowered, border 2") << int(P::bvNone) << int(P::bvLowered) << 1 << 2;
        QTest::newRow("raised in lowered, width 2, border 4")
            << int(P::bvLowered) << int(P::bvRaised) << 2 << 4;
    }
    void bevelsBorderAndFill() {
        QFETCH(int, outer);
        QFETCH(int, inner);
        QFETCH(int, bevelWidth);
        QFETCH(int, borderWidth);
        TCanvasPanel panel;
        Prepare(panel, QSize(50, 40));
        panel.SetBevelOuter(TKorvexCustomPanel::TPanelBevel(outer));
        panel.SetBevelInner(TKorvexCustomPanel::TPanelBevel(inner));
        panel.SetBevelWidth(bevelWidth);
        panel.SetBorderWidth(borderWidth);
        const QImage image = Grab(panel);

        // Checks the rings of a bevel that starts at the given inset from the panel's edge.
        const auto checkBevel = [&](int inset, int bevel) {
            const QColor topLeft = bevel == TKorvexCustomPanel::bvLowered ? Shadow : Highlight;
            const QColor bottomRight = bevel == TKorvexCustomPanel::bvLowered ? Highlight : Shadow;
            for (int k = inset; k < inset + bevelWidth; ++k) {
                const int right = 49 - k;
                const int bottom = 39 - k;
                QCOMPARE(Pixel(image, k, k), topLeft);
                QCOMPARE(Pixel(image, 25, k), topLeft);
                QCOMPARE(Pixel(image, k, 20), topLeft);
                QCOMPARE(Pixel(image, right, k), bottomRight);
                QCOMPARE(Pixel(image, k, bottom), bottomRight);
                QCOMPARE(Pixel(image, right, bottom), bottomRight);
                QCOMPARE(Pixel(image, 25, bottom), bottomRight);
                QCOMPARE(Pixel(image, right, 20), bottomRight);
            }
        };
        int inset = 0;
        if (outer != TKorvexCustomPanel::bvNone) {
            checkBevel(inset, outer);
            inset += bevelWidth;
        }
        for (int k = inset; k < inset + borderWidth; ++k) {
            QCOMPARE(Pixel(image, k, k), Face);
            QCOMPARE(Pixel(image, 49 - k, 39 - k), Face);
        }
        inset += borderWidth;
        if (inner != TKorvexCustomPanel::bvNone) {
            checkBevel(inset, inner);
            inset += bevelWidth;
        }
        const QRect fill = panel.GetInnerRect();
        QCOMPARE(fill, QRect(inset, inset, 50 - 2 * inset, 40 - 2 * inset));
        QCOMPARE(PixelsOf(image, fill, Face).size(), fill.width() * fill.height());
    }

    void explicitColourFillsBorderAndInside() {
        TCanvasPanel panel;
        Prepare(panel, QSize(30, 30));
        panel.SetBorderWidth(3);
        panel.SetColor(QColor(0, 128, 255));
        QImage image = Grab(panel);
        QCOMPARE(Pixel(image, 1, 1), QColor(0, 128, 255));
        QCOMPARE(Pixel(image, 15, 15), QColor(0, 128, 255));

        panel.SetColor(QColor());
        image = Grab(panel);
        QCOMPARE(panel.Color(), Face);
        QCOMPARE(Pixel(image, 15, 15), Face);
    }

    void onPaintDrawsOverBackgroundAndCaption() {
        TCanvasPanel panel;
        Prepare(panel, QSize(60, 40));
        panel.SetCaption(QStringLiteral("W"));
        int calls = 0;
        panel.SetOnPaint([&](TKorvexCustomPanel& sender, QPainter& painter) {
            ++calls;
            QCOMPARE(&sender, &panel);
            painter.fillRect(QRect(0, 0, 60, 40), Qt::black);
        });
        const QImage image = Grab(panel);
        QVERIFY(calls > 0);
        QCOMPARE(PixelsOf(image, image.rect(), Qt::black).size(), 60 * 40);
    }

    void generateOnPaintFalseNeverCallsOnPaint() {
        TCanvasPanel panel;
        Prepare(panel, QSize(60, 40));
        int calls = 0;
        panel.SetOnPaint([&](TKorvexCustomPanel&, QPainter& painter) {
            ++calls;
            painter.fillRect(QRect(10, 10, 10, 10), Qt::black);
        });
        panel.SetGenerateOnPaint(false);
        PaintCounter paints(panel);
        ShowAndSettle(panel);
        panel.update();
        QTRY_VERIFY(paints.count > 0);
        panel.repaint();
        panel.resize(80, 50);
        panel.hide();
        ShowAndSettle(panel);
        const QImage image = Grab(panel);
        QVERIFY(paints.count > 1);
        QCOMPARE(calls, 0);
        QVERIFY(PixelsOf(image, image.rect(), Qt::black).isEmpty());

        panel.SetGenerateOnPaint(true);
        Grab(panel);
        QVERIFY(calls > 0);
    }

    // An error box from a paint event would block the repaint and come back with the next one.
    void throwingOnPaintOpensNoBoxAndWarnsOnce() {
        static int warnings = 0;
        warnings = 0;
        const QtMessageHandler previous = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext&, const QString& text) {
                if (type == QtWarningMsg && text.contains(QLatin1String("Range check error"))) {
                    ++warnings;
                }
            });
        TCanvasPanel panel;
        Prepare(panel, QSize(60, 40));
        int calls = 0;
        panel.SetOnPaint([&](TKorvexCustomPanel&, QPainter& painter) {
            ++calls;
            painter.fillRect(QRect(40, 5, 10, 10), Qt::black);
            throw EVarnexError("Range check error");
        });
        ShowAndSettle(panel);
        for (int i = 0; i < 3; ++i) {
            panel.repaint();
        }
        qInstallMessageHandler(previous);
        QVERIFY(calls >= 3);
        QCOMPARE(warnings, 1);
        QCOMPARE(VarnexTest::Errors(), QStringList());
        // What was drawn before the error stays drawn: the paint event ran to its end.
        QCOMPARE(Pixel(Grab(panel), 45, 10), QColor(Qt::black));
    }

    void eraseWipesOwnerDrawingWithoutOnPaint() {
        TCanvasPanel panel;
        Prepare(panel, QSize(60, 40));
        panel.SetCaption(QStringLiteral("W"));
        int calls = 0;
        panel.SetOnPaint([&](TKorvexCustomPanel&, QPainter& painter) {
            ++calls;
            painter.fillRect(QRect(40, 5, 10, 10), Qt::black);
        });
        ShowAndSettle(panel);
        // What the window shows, not a fresh rendering of the panel.
        const auto shown = [&] {
            return panel.screen()
                ->grabWindow(panel.winId())
                .toImage()
                .convertToFormat(QImage::Format_RGB32);
        };
        const QImage before = shown();
        QCOMPARE(Pixel(before, 45, 10), QColor(Qt::black));
        const QRect captionInk = InkBounds(before, QRect(1, 1, 35, 38), Face);
        QVERIFY(captionInk.isValid());
        const int callsBefore = calls;

        panel.Erase();
        const QImage after = shown();
        QCOMPARE(calls, callsBefore);
        QCOMPARE(Pixel(after, 45, 10), Face);
        QCOMPARE(InkBounds(after, QRect(1, 1, 35, 38), Face), captionInk);
        QCOMPARE(Pixel(after, 0, 0), Shadow);
    }

    void captionPlacement_data() {
        QTest::addColumn<int>("alignment");
        QTest::addColumn<int>("verticalAlignment");
        QTest::addColumn<int>("padding");
        QTest::addColumn<int>("verticalPadding");
        QTest::addColumn<int>("bevelWidth");
        QTest::addColumn<int>("borderWidth");
        using P = TKorvexCustomPanel;
        const int left = Qt::AlignLeft;
        const int right = Qt::AlignRight;
        const int centre = Qt::AlignHCenter;
        QTest::newRow("top, default paddings") << centre << int(P::vaTop) << 2 << 2 << 1 << 0;
        QTest::newRow("bottom, default paddings") << centre << int(P::vaBottom) << 2 << 2 << 1 << 0;
        QTest::newRow("middle") << centre << int(P::vaMiddle) << 2 << 2 << 1 << 0;
        QTest::newRow("left") << left << int(P::vaMiddle) << 2 << 2 << 1 << 0;
        QTest::newRow("right") << right << int(P::vaMiddle) << 2 << 2 << 1 << 0;
        QTest::newRow("top left, paddings 7 and 5, thick bevel and border")
            << left << int(P::vaTop) << 7 << 5 << 3 << 2;
        QTest::newRow("bottom right, no padding") << right << int(P::vaBottom) << 0 << 0 << 2 << 1;
    }
    void captionPlacement() {
        QFETCH(int, alignment);
        QFETCH(int, verticalAlignment);
        QFETCH(int, padding);
        QFETCH(int, verticalPadding);
        QFETCH(int, bevelWidth);
        QFETCH(int, borderWidth);
        const QString caption = QStringLiteral("Hgj|W");
        TCanvasPanel panel;
        Prepare(panel, QSize(140, 70));
        panel.SetCaption(caption);
        panel.SetAlignment(Qt::Alignment(alignment));
        panel.SetVerticalAlignment(TKorvexCustomPanel::TVerticalAlignment(verticalAlignment));
        panel.SetCaptionPadding(std::uint16_t(padding));
        panel.SetVerticalCaptionPadding(std::uint16_t(verticalPadding));
        panel.SetBevelWidth(bevelWidth);
        panel.SetBorderWidth(borderWidth);

        const int inset = bevelWidth + borderWidth;
        const QRect inner(inset, inset, 140 - 2 * inset, 70 - 2 * inset);
        const QRect textBox = inner.adjusted(padding, verticalPadding, -padding, -verticalPadding);
        const int vertical = verticalAlignment == TKorvexCustomPanel::vaTop      ? Qt::AlignTop
                             : verticalAlignment == TKorvexCustomPanel::vaBottom ? Qt::AlignBottom
                                                                                 : Qt::AlignVCenter;
        const QRect expected = ReferenceInk(caption, textBox.size(), alignment | vertical)
                                   .translated(textBox.topLeft());

        const QImage image = Grab(panel);
        QCOMPARE(InkBounds(image, inner, Face), expected);
        QCOMPARE(PixelsOf(image, expected, Text).size() > 0, true);
        if (verticalAlignment == TKorvexCustomPanel::vaTop) {
            // The line box starts at the padding; the ink may start a little lower.
            QVERIFY(expected.top() >= inner.top() + verticalPadding);
            QVERIFY(expected.top() <=
                    inner.top() + verticalPadding + QFontMetrics(TestFont()).ascent());
        }
        if (verticalAlignment == TKorvexCustomPanel::vaBottom) {
            QVERIFY(expected.bottom() <= inner.bottom() - verticalPadding);
            QVERIFY(expected.bottom() >=
                    inner.bottom() - verticalPadding - QFontMetrics(TestFont()).descent());
        }
    }

    void captionShowsTextAsIs_data() {
        QTest::addColumn<QString>("caption");
        QTest::newRow("ampersand") << QStringLiteral("A&B");
        QTest::newRow("tab") << QStringLiteral("A\tB");
        QTest::newRow("line break becomes one line") << QStringLiteral("A\nB");
    }
    void captionShowsTextAsIs() {
        QFETCH(QString, caption);
        TCanvasPanel panel;
        Prepare(panel, QSize(200, 60));
        panel.SetCaption(caption);
        panel.SetAlignment(Qt::AlignLeft);
        const QRect inner = panel.GetInnerRect();
        const QRect textBox = inner.adjusted(2, 2, -2, -2);
        const QRect expected =
            ReferenceInk(caption, textBox.size(), Qt::AlignLeft | Qt::AlignVCenter)
                .translated(textBox.topLeft());
        const QImage image = Grab(panel);
        QCOMPARE(InkBounds(image, inner, Face), expected);
        // A single line: no taller than one line of the font.
        QVERIFY(expected.height() <= QFontMetrics(TestFont()).height());
    }

    void disabledCaptionIsEngraved() {
        TCanvasPanel panel;
        Prepare(panel, QSize(120, 50));
        panel.SetCaption(QStringLiteral("Engrave"));
        const QRect inner = panel.GetInnerRect();
        const QList<QPoint> enabledInk = PixelsOf(Grab(panel), inner, Text);
        QVERIFY(!enabledInk.isEmpty());

        panel.setEnabled(false);
        const QImage image = Grab(panel);
        const QList<QPoint> shadowInk = PixelsOf(image, inner, Shadow);
        const QList<QPoint> highlightInk = PixelsOf(image, inner, Highlight);
        // The shadow copy sits where the enabled caption was, on top of the highlight copy.
        QCOMPARE(shadowInk, enabledInk);
        QVERIFY(!highlightInk.isEmpty());
        QVERIFY(PixelsOf(image, inner, Text).isEmpty());
        for (const QPoint& p : highlightInk) {
            QVERIFY2(shadowInk.contains(p - QPoint(1, 1)), "highlight not below-right of shadow");
        }
        for (const QPoint& p : shadowInk) {
            const QPoint below = p + QPoint(1, 1);
            if (!shadowInk.contains(below)) {
                QCOMPARE(Pixel(image, below.x(), below.y()), Highlight);
            }
        }
        const int others = inner.width() * inner.height() - shadowInk.size() - highlightInk.size() -
                           PixelsOf(image, inner, Face).size();
        QCOMPARE(others, 0);

        panel.setEnabled(true);
        QCOMPARE(PixelsOf(Grab(panel), inner, Text), enabledInk);
    }

    void settersRepaintOnlyOnChange_data() {
        QTest::addColumn<QByteArray>("property");
        QTest::addColumn<QVariant>("value");
        using P = TKorvexCustomPanel;
        QTest::newRow("Caption") << QByteArray("Caption") << QVariant(QStringLiteral("Other"));
        QTest::newRow("Alignment")
            << QByteArray("Alignment") << QVariant::fromValue(Qt::Alignment(Qt::AlignLeft));
        QTest::newRow("BevelInner") << QByteArray("BevelInner") << QVariant::fromValue(P::bvRaised);
        QTest::newRow("BevelOuter") << QByteArray("BevelOuter") << QVariant::fromValue(P::bvNone);
        QTest::newRow("BevelWidth") << QByteArray("BevelWidth") << QVariant(3);
        QTest::newRow("BorderWidth") << QByteArray("BorderWidth") << QVariant(2);
        QTest::newRow("BorderStyle")
            << QByteArray("BorderStyle") << QVariant::fromValue(P::bsSingle);
        QTest::newRow("Color") << QByteArray("Color") << QVariant(QColor(Qt::cyan));
        QTest::newRow("CaptionPadding")
            << QByteArray("CaptionPadding") << QVariant::fromValue(quint16(9));
        QTest::newRow("VerticalAlignment")
            << QByteArray("VerticalAlignment") << QVariant::fromValue(P::vaTop);
        QTest::newRow("VerticalCaptionPadding")
            << QByteArray("VerticalCaptionPadding") << QVariant::fromValue(quint16(6));
    }
    void settersRepaintOnlyOnChange() {
        QFETCH(QByteArray, property);
        QFETCH(QVariant, value);
        TCanvasPanel panel;
        Prepare(panel, QSize(100, 50));
        panel.SetCaption(QStringLiteral("Caption"));
        ShowAndSettle(panel);
        PaintCounter paints(panel);

        QVERIFY(panel.setProperty(property.constData(), panel.property(property.constData())));
        QTest::qWait(30);
        QCOMPARE(paints.count, 0);

        QVERIFY(panel.property(property.constData()) != value);
        QVERIFY(panel.setProperty(property.constData(), value));
        QCOMPARE(panel.property(property.constData()), value);
        QTRY_VERIFY(paints.count > 0);
    }

    void copyRectToClipboard_data() {
        QTest::addColumn<QRect>("rect");
        QTest::newRow("whole graphs panel, 268 x 285") << QRect(0, 0, 268, 285);
        QTest::newRow("inner rectangle") << QRect(1, 1, 266, 283);
        QTest::newRow("part with the child") << QRect(30, 40, 50, 60);
    }
    void copyRectToClipboard() {
        QFETCH(QRect, rect);
        TCanvasPanel panel;
        Prepare(panel, QSize(268, 285));
        panel.SetCaption(QStringLiteral("Graphs"));
        panel.SetOnPaint([](TKorvexCustomPanel&, QPainter& painter) {
            painter.fillRect(QRect(100, 150, 60, 30), QColor(255, 0, 0));
            painter.fillRect(QRect(5, 5, 3, 270), QColor(0, 0, 255));
        });
        QWidget child(&panel);
        child.setGeometry(40, 50, 20, 20);
        child.setAutoFillBackground(true);
        QPalette childPalette = child.palette();
        childPalette.setColor(QPalette::Window, QColor(0, 200, 0));
        child.setPalette(childPalette);
        ShowAndSettle(panel);
        QApplication::clipboard()->setText(QStringLiteral("previous"));

        panel.CopyRectToClipboard(rect);

        const QImage copied =
            QApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(copied.size(), rect.size());
        QCOMPARE(copied, Grab(panel).copy(rect));
        QVERIFY(!QApplication::clipboard()->mimeData()->hasText());
    }

    void copyRectBeyondThePanelKeepsTheRectangleSize() {
        TCanvasPanel panel;
        Prepare(panel, QSize(40, 30));
        panel.SetOnPaint([](TKorvexCustomPanel&, QPainter& painter) {
            painter.fillRect(QRect(0, 0, 40, 30), QColor(255, 0, 0));
        });
        const QRect rect(-10, 20, 30, 30);
        panel.CopyRectToClipboard(rect);
        const QImage copied =
            QApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(copied.size(), QSize(30, 30));
        // Panel pixels (0..19, 20..29) land at (10.., 0..); the rest shows the panel's colour.
        QCOMPARE(Pixel(copied, 10, 0), QColor(255, 0, 0));
        QCOMPARE(Pixel(copied, 29, 9), QColor(255, 0, 0));
        QCOMPARE(Pixel(copied, 9, 0), Face);
        QCOMPARE(Pixel(copied, 10, 10), Face);
    }
};

VARNEX_TEST_MAIN(TestKorvexPanels)
#include "tst_KorvexPanels.moc"
