#include "AccessibleNames.h"
#include "VarnexTest.h"

#include <QAccessible>
#include <QLabel>
#include <QTest>

namespace {

QString AccessibleName(QWidget* widget) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible == nullptr ? QString() : accessible->text(QAccessible::Name);
}

} // namespace

class TestAccessibleNames : public QObject {
    Q_OBJECT

private slots:
    void captionText_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("read");
        QTest::newRow("accelerator") << "&Subnet Bits"
                                     << "Subnet Bits";
        QTest::newRow("accelerator inside") << "He&xadecimal"
                                            << "Hexadecimal";
        QTest::newRow("trailing blank") << "Max # of Subnets "
                                        << "Max # of Subnets";
        QTest::newRow("double blank") << "Hexadecimal  Route/Mask"
                                      << "Hexadecimal Route/Mask";
        QTest::newRow("literal ampersand") << "Fish && Chips"
                                           << "Fish & Chips";
        QTest::newRow("ampersand at the end") << "Tail&"
                                              << "Tail";
        QTest::newRow("plain") << "Subnet ID"
                               << "Subnet ID";
    }

    void captionText() {
        QFETCH(QString, caption);
        QFETCH(QString, read);
        QCOMPARE(AccessibleNames::CaptionText(caption), read);
    }

    // The name follows both texts as they change, also when a screen reader asked for the
    // display before it was given its caption.
    void displayNamedByCaption_data() {
        QTest::addColumn<bool>("askedBefore");
        QTest::newRow("asked first after naming") << false;
        QTest::newRow("asked before naming") << true;
    }

    void displayNamedByCaption() {
        QFETCH(bool, askedBefore);
        QWidget form;
        auto* caption = new QLabel(QStringLiteral("Decimal Class &B Mask"), &form);
        auto* display = new QLabel(QStringLiteral("255.255.0.0"), &form);
        if (askedBefore) {
            QCOMPARE(AccessibleName(display), QStringLiteral("255.255.0.0"));
        }
        AccessibleNames::NameDisplay(display, caption);
        QCOMPARE(AccessibleName(display), QStringLiteral("Decimal Class B Mask: 255.255.0.0"));
        display->setText(QStringLiteral("255.0.0.0"));
        caption->setText(QStringLiteral("Decimal Class A Mask"));
        QCOMPARE(AccessibleName(display), QStringLiteral("Decimal Class A Mask: 255.0.0.0"));
        QCOMPARE(QAccessible::queryAccessibleInterface(display)->role(), QAccessible::StaticText);
        // Other labels keep Qt's own reading: their text.
        QCOMPARE(AccessibleName(caption), QStringLiteral("Decimal Class A Mask"));
        delete caption;
        QCOMPARE(AccessibleName(display), QStringLiteral("255.0.0.0"));
    }
};

VARNEX_TEST_MAIN(TestAccessibleNames)
#include "tst_AccessibleNames.moc"
