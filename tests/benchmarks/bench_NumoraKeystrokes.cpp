// Time per keystroke in the Numora displays: a real key press and release to the focused display,
// through its filter, the number and the rewriting of all three displays; the "painted" rows also
// let the event loop repaint after each key. Each iteration types 1000 keys, so the milliseconds
// per iteration read as microseconds per keystroke.
#include "Main.h"
#include "VarnexTest.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

namespace {

constexpr int KeystrokesPerIteration = 1000;

// Every key of a cycle changes the value, so that every keystroke rewrites the displays.
Qt::Key KeyOf(QChar character) {
    return character == u'\b' ? Qt::Key_Backspace : Qt::Key(character.toUpper().unicode());
}

} // namespace

class BenchNumoraKeystrokes : public QObject {
    Q_OBJECT

    std::unique_ptr<TMainForm> form;

private slots:
    void initTestCase() {
        form = std::make_unique<TMainForm>();
        QVERIFY(VarnexTest::ShowActive(*form));
        QTest::keyClick(form.get(), Qt::Key_H, Qt::ControlModifier);
    }

    void cleanupTestCase() { form.reset(); }

    void keystroke_data() {
        QTest::addColumn<QString>("memo");
        QTest::addColumn<QString>("cycle");
        QTest::addColumn<bool>("paint");
        for (const bool paint : {false, true}) {
            const char* suffix = paint ? ", painted" : "";
            QTest::newRow(qPrintable(QStringLiteral("decimal%1").arg(suffix))) << "DecMemo"
                                                                               << "12\b\b" << paint;
            QTest::newRow(qPrintable(QStringLiteral("hexadecimal%1").arg(suffix)))
                << "HexMemo"
                << "ab\b\b" << paint;
            QTest::newRow(qPrintable(QStringLiteral("binary%1").arg(suffix))) << "BinMemo"
                                                                              << "10\b\b" << paint;
        }
    }
    void keystroke() {
        QFETCH(QString, memo);
        QFETCH(QString, cycle);
        QFETCH(bool, paint);
        auto* display = form->findChild<QLineEdit*>(memo);
        QTest::mouseClick(display, Qt::LeftButton, {}, QPoint(4, display->height() / 2));
        QCOMPARE(QApplication::focusWidget(), display);

        QList<Qt::Key> keys;
        QStringList texts;
        for (int i = 0; i < KeystrokesPerIteration; ++i) {
            const QChar character = cycle.at(i % cycle.size());
            keys.append(KeyOf(character));
            texts.append(QString(character));
        }
        VarnexTest::ResetRecorders();
        QBENCHMARK {
            for (int i = 0; i < KeystrokesPerIteration; ++i) {
                QTest::sendKeyEvent(QTest::Click, display, keys.at(i), texts.at(i), Qt::NoModifier);
                if (paint) {
                    QCoreApplication::processEvents();
                }
            }
        }
        // Every key was taken: none was refused or met a full display.
        QCOMPARE(VarnexTest::Beeps(), 0);
    }
};

VARNEX_TEST_MAIN(BenchNumoraKeystrokes)
#include "bench_NumoraKeystrokes.moc"
