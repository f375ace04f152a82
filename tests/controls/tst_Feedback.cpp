#include "Feedback.h"
#include "VarnexError.h"
#include "VarnexTest.h"

#include <QPushButton>
#include <QTest>

class TestFeedback : public QObject {
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
        QTest::newRow("NUL") << QStringLiteral("'1%1x' is not a valid integer value").arg(QChar(0))
                             << QStringLiteral("'1\u2400x' is not a valid integer value.");
        QTest::newRow("NUL last") << QStringLiteral("Done%1").arg(QChar(0))
                                  << QStringLiteral("Done\u2400.");
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

    // Logged once for each place, as a warning and never as an error box; a second warning
    // would fail the test.
    void paintFaultIsLoggedOncePerPlace() {
        QTest::ignoreMessage(QtWarningMsg, "Painting the first place failed: Range check error");
        QTest::ignoreMessage(QtWarningMsg,
                             "Painting the second place failed: '1\u2400x' is not a valid integer "
                             "value");
        QTest::ignoreMessage(QtWarningMsg, "Painting the third place failed: Unknown error");
        int painted = 0;
        for (int repaint = 0; repaint < 3; ++repaint) {
            Feedback::RunPaintGuarded("the first place",
                                      [] { throw EVarnexError("Range check error"); });
            Feedback::RunPaintGuarded("the second place", [] {
                throw EVarnexError(std::string("'1\0x' is not a valid integer value", 34));
            });
            Feedback::RunPaintGuarded("the third place", [] { throw 1; });
            Feedback::RunPaintGuarded("a sound place", [&painted] { ++painted; });
        }
        QCOMPARE(painted, 3);
        QVERIFY(VarnexTest::Errors().isEmpty());
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
};

VARNEX_TEST_MAIN(TestFeedback)
#include "tst_Feedback.moc"
