#include "Feedback.h"
#include "VarnexError.h"
#include "VarnexTest.h"

#include <QPushButton>
#include <QTest>
#include <QTimer>

class TestErrorReporting : public QObject {
    Q_OBJECT

private slots:
    void init() { VarnexTest::ResetRecorders(); }

    void errorText_data() {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        QTest::newRow("no full stop") << "Range check error"
                                      << "Range check error.";
        QTest::newRow("full stop kept") << "Done."
                                        << "Done.";
        QTest::newRow("quoted value") << "'1 2' is not a valid integer value"
                                      << "'1 2' is not a valid integer value.";
    }
    void errorText() {
        QFETCH(QString, message);
        QFETCH(QString, shown);
        QCOMPARE(Feedback::ErrorText(message), shown);
    }

    void guardedHandlerReportsAndTheLoopGoesOn() {
        QPushButton button(QStringLiteral("Throw"));
        int clicksAfterError = 0;
        QObject::connect(&button, &QPushButton::clicked,
                         Feedback::Guard([] { throw EVarnexError("Integer overflow"); }));
        QObject::connect(&button, &QPushButton::clicked, [&] { ++clicksAfterError; });
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));

        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(VarnexTest::Errors(), QStringList{QStringLiteral("Integer overflow.")});
        QCOMPARE(clicksAfterError, 1);

        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(VarnexTest::Errors().size(), 2);
        QCOMPARE(clicksAfterError, 2);
    }

    void guardPassesSignalArguments() {
        QPushButton button;
        button.setCheckable(true);
        bool received = false;
        QObject::connect(&button, &QPushButton::toggled,
                         Feedback::Guard([&](bool checked) { received = checked; }));
        button.setChecked(true);
        QVERIFY(received);
    }

    void escapedErrorIsCaughtByTheApplication() {
        bool laterEventRan = false;
        QTimer::singleShot(0, [] { throw EVarnexError("Range check error"); });
        QTimer::singleShot(1, [&] { laterEventRan = true; });
        QTRY_VERIFY(laterEventRan);
        QCOMPARE(VarnexTest::Errors(), QStringList{QStringLiteral("Range check error.")});
    }

    void checkedArithmetic_data() {
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<bool>("add");
        QTest::addColumn<bool>("overflows");
        QTest::newRow("max + 1") << INT_MAX << 1 << true << true;
        QTest::newRow("max + 0") << INT_MAX << 0 << true << false;
        QTest::newRow("min - 1") << INT_MIN << 1 << false << true;
        QTest::newRow("min + 1 - 1") << INT_MIN + 1 << 1 << false << false;
        QTest::newRow("-1 + min") << -1 << INT_MIN << true << true;
    }
    void checkedArithmetic() {
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(bool, add);
        QFETCH(bool, overflows);
        try {
            const std::int32_t result = add ? CheckedAdd(a, b) : CheckedSub(a, b);
            QVERIFY(!overflows);
            QCOMPARE(result, add ? a + b : a - b);
        } catch (const EVarnexError& error) {
            QVERIFY(overflows);
            QCOMPARE(QString::fromLatin1(error.what()), QStringLiteral("Integer overflow"));
        }
    }

    void rangeCheckedNarrowing() {
        QCOMPARE(RangeChecked<std::uint8_t>(255), std::uint8_t(255));
        QVERIFY_THROWS_EXCEPTION(EVarnexError, RangeChecked<std::uint8_t>(256));
        QVERIFY_THROWS_EXCEPTION(EVarnexError, RangeChecked<std::uint8_t>(-1));
    }
};

VARNEX_TEST_MAIN(TestErrorReporting)
#include "tst_ErrorReporting.moc"
