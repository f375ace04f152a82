#include "About.h"
#include "HelpWindow.h"
#include "Main.h"
#include "VarnexTest.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QDir>
#include <QHash>
#include <QImage>
#include <QPalette>
#include <QStyle>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <cmath>
#include <vector>

using VarnexTest::Control;

namespace {

QPalette DarkPalette() {
    QPalette palette;
    const QColor window(0x35, 0x35, 0x35);
    const QColor base(0x24, 0x24, 0x24);
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Window, window);
        palette.setColor(group, QPalette::Button, window);
        palette.setColor(group, QPalette::Base, base);
        palette.setColor(group, QPalette::AlternateBase, window);
        palette.setColor(group, QPalette::WindowText, QColor(0xee, 0xee, 0xee));
        palette.setColor(group, QPalette::Text, QColor(0xee, 0xee, 0xee));
        palette.setColor(group, QPalette::ButtonText, QColor(0xee, 0xee, 0xee));
        palette.setColor(group, QPalette::Light, QColor(0x50, 0x50, 0x50));
        palette.setColor(group, QPalette::Dark, QColor(0x20, 0x20, 0x20));
    }
    palette.setColor(QPalette::Disabled, QPalette::Window, window);
    palette.setColor(QPalette::Disabled, QPalette::Button, window);
    palette.setColor(QPalette::Disabled, QPalette::Base, window);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x80, 0x80, 0x80));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(0x80, 0x80, 0x80));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x80, 0x80, 0x80));
    return palette;
}

double Luminance(QRgb pixel) {
    const auto channel = [](int value) {
        const double c = value / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(pixel)) + 0.7152 * channel(qGreen(pixel)) +
           0.0722 * channel(qBlue(pixel));
}

double ContrastRatio(QRgb a, QRgb b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QImage Grab(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The colour most pixels have: the surface the text is drawn on.
QRgb Background(const QImage& image) {
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            ++counts[image.pixel(x, y)];
        }
    }
    QRgb most = 0;
    int mostCount = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > mostCount) {
            most = it.key();
            mostCount = it.value();
        }
    }
    return most;
}

// How far the drawing stands out from its surface: the contrast that a quarter of the drawn
// pixels reach (the cores of the glyphs, not their smoothed edges), so that a few bright dots (a
// bullet, a frame) do not pass for text.
double TextContrast(const QImage& image) {
    const QRgb background = Background(image);
    std::vector<double> drawn;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != background) {
                drawn.push_back(ContrastRatio(image.pixel(x, y), background));
            }
        }
    }
    if (drawn.empty()) {
        return 1.0;
    }
    std::sort(drawn.begin(), drawn.end());
    return drawn[drawn.size() * 3 / 4];
}

// How much a glyph stands out in all: the sum of its pixels' distance from the surface.
double GlyphWeight(const QImage& image) {
    const double background = Luminance(Background(image));
    double weight = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            weight += std::abs(Luminance(image.pixel(x, y)) - background);
        }
    }
    return weight;
}

enum class TWindow { Main, Help, About };

} // namespace

Q_DECLARE_METATYPE(TWindow)

// Every window stays readable under a dark desktop palette. With VARNEX_SHOTS set to a folder the
// windows are also saved there as pictures, to be looked at.
class TestDarkPalette : public QObject {
    Q_OBJECT

    std::unique_ptr<TMainForm> form;
    QString shots = qEnvironmentVariable("VARNEX_SHOTS");

    void Shoot(QWidget& window, const QString& name) {
        if (!shots.isEmpty()) {
            QDir().mkpath(shots);
            QVERIFY(window.grab().save(QDir(shots).filePath(name + QStringLiteral(".png"))));
        }
    }

    void ShowPage(const char* pageControl, const char* page) {
        QVERIFY(VarnexTest::ClickPage(*Control<QTabWidget>(*form, QLatin1String(pageControl)),
                                      *Control(*form, QLatin1String(page))));
    }

private slots:
    void initTestCase() { QApplication::setPalette(DarkPalette()); }

    void init() {
        form = std::make_unique<TMainForm>();
        QVERIFY(VarnexTest::ShowActive(*form));
    }
    void cleanup() { form.reset(); }

    void textsStandOut_data() {
        QTest::addColumn<TWindow>("window");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("control");
        QTest::newRow("bits label") << TWindow::Main << "GeneralInfoTab"
                                    << "BitsLabel";
        QTest::newRow("subnet octet") << TWindow::Main << "AddressInfoTab"
                                      << "MaskEdit1";
        QTest::newRow("subnet dot") << TWindow::Main << "AddressInfoTab"
                                    << "SubnetAddressBoxDot1";
        QTest::newRow("supernet octet") << TWindow::Main << "CIDRTab"
                                        << "MaskEdit8";
        QTest::newRow("supernet dot") << TWindow::Main << "CIDRTab"
                                      << "SupernetAddressBoxDot3";
        QTest::newRow("help page") << TWindow::Help << ""
                                   << "HelpBrowser";
        QTest::newRow("help contents") << TWindow::Help << ""
                                       << "ContentsTree";
        QTest::newRow("about title") << TWindow::About << ""
                                     << "InfoMemo";
        QTest::newRow("about text") << TWindow::About << ""
                                    << "VarnexMemo";
    }
    void textsStandOut() {
        QFETCH(TWindow, window);
        QFETCH(QString, page);
        QFETCH(QString, control);
        QWidget* shown = form.get();
        switch (window) {
        case TWindow::Main:
            if (page != QLatin1String("GeneralInfoTab")) {
                ShowPage("QuadrelPageControl", page.toLatin1().constData());
            }
            break;
        case TWindow::Help:
            QTest::keyClick(form.get(), Qt::Key_F1);
            shown = form->findChild<THelpWindow*>();
            break;
        case TWindow::About:
            shown = form->AboutBox();
            QVERIFY(shown != nullptr);
            shown->show();
            break;
        }
        QVERIFY(shown != nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(shown));
        // Of a text area, its page alone: the scroll bars and the frame are no text.
        QWidget* drawn = Control(*shown, control);
        if (auto* area = qobject_cast<QAbstractScrollArea*>(drawn)) {
            drawn = area->viewport();
        }
        const QImage image = Grab(*drawn);
        QVERIFY2(TextContrast(image) >= 4.5, qPrintable(QString::number(TextContrast(image))));
    }

    // An octet box is one white surface: its edits and dots are not holes of the window's colour.
    void octetBoxesAreWhole_data() {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("box");
        QTest::newRow("subnet") << "AddressInfoTab"
                                << "SubnetAddressBox";
        QTest::newRow("supernet") << "CIDRTab"
                                  << "SupernetAddressBox";
    }
    void octetBoxesAreWhole() {
        QFETCH(QString, page);
        QFETCH(QString, box);
        ShowPage("QuadrelPageControl", page.toLatin1().constData());
        const QImage image = Grab(*Control(*form, box));
        QCOMPARE(QColor(Background(image)), QColor(Qt::white));
        for (QWidget* child : Control(*form, box)->findChildren<QWidget*>()) {
            QCOMPARE(QColor(Background(Grab(*child))), QColor(Qt::white));
        }
    }

    void disabledGlyphIsTheDimmer_data() {
        QTest::addColumn<bool>("dark");
        QTest::newRow("dark palette") << true;
        QTest::newRow("light palette") << false;
    }
    void disabledGlyphIsTheDimmer() {
        QFETCH(bool, dark);
        QApplication::setPalette(dark ? DarkPalette() : QApplication::style()->standardPalette());
        QTest::keyClick(form.get(), Qt::Key_H, Qt::ControlModifier);
        auto* button = Control<QToolButton>(*form, "CopyLookupTableButton");
        QVERIFY(!button->isEnabled());
        const double disabled = GlyphWeight(Grab(*button));
        ShowPage("NumoraCalcPageControl", "LookupTableTabSheet");
        QVERIFY(button->isEnabled());
        const double enabled = GlyphWeight(Grab(*button));
        QApplication::setPalette(DarkPalette());
        QVERIFY2(disabled < enabled,
                 qPrintable(QStringLiteral("disabled %1, enabled %2").arg(disabled).arg(enabled)));
    }

    // Not a check: the pictures of every page, the help and the about box for the eye.
    void pictures() {
        if (shots.isEmpty()) {
            QSKIP("VARNEX_SHOTS names no folder");
        }
        const std::pair<const char*, const char*> subnetPages[] = {
            {"GeneralInfoTab", "subnet-general"},
            {"AddressInfoTab", "subnet-address"},
            {"SubnetHostTab", "subnet-table"},
            {"CIDRTab", "subnet-cidr"}};
        for (const auto& [page, name] : subnetPages) {
            ShowPage("QuadrelPageControl", page);
            Shoot(*form, QLatin1String(name));
        }
        QTest::keyClick(form.get(), Qt::Key_H, Qt::ControlModifier);
        Shoot(*form, QStringLiteral("numora-conversion"));
        ShowPage("NumoraCalcPageControl", "LookupTableTabSheet");
        Shoot(*form, QStringLiteral("numora-lookup"));
        QTest::keyClick(form.get(), Qt::Key_L, Qt::ControlModifier);
        Shoot(*form, QStringLiteral("latency"));
        QTest::keyClick(form.get(), Qt::Key_F1);
        auto* help = form->findChild<THelpWindow*>();
        QVERIFY(help != nullptr && QTest::qWaitForWindowExposed(help));
        Shoot(*help, QStringLiteral("help"));
        TAboutCalc* about = form->AboutBox();
        about->show();
        QVERIFY(QTest::qWaitForWindowExposed(about));
        Shoot(*about, QStringLiteral("about"));
    }
};

VARNEX_TEST_MAIN(TestDarkPalette)
#include "tst_DarkPalette.moc"
