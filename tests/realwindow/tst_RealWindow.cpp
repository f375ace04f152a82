// The built program in a real X11 session: an X server of its own (Xvfb, no window manager),
// keys and clicks through xdotool, the clipboard read back by xclip from the X server.
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int ToolTimeout = 30000;

struct TRun {
    bool finished = false;
    int status = -1;
    QString out;
    QString err;
};

// Runs a tool to its end, or kills it once the timeout is over.
TRun RunTool(const QString& tool, const QStringList& arguments,
             const QProcessEnvironment& environment, int timeout = ToolTimeout) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(tool, arguments);
    TRun run;
    run.finished = process.waitForFinished(timeout) && process.exitStatus() == QProcess::NormalExit;
    if (!run.finished) {
        process.kill();
        process.waitForFinished();
    }
    run.status = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = process.errorString() + u' ' + QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace

class TestRealWindow : public QObject {
    Q_OBJECT

    QProcess m_server;
    QProcessEnvironment m_environment;

    TRun Tool(const QString& tool, const QStringList& arguments, int timeout = ToolTimeout) {
        return RunTool(tool, arguments, m_environment, timeout);
    }

    // What the X clipboard holds once it holds the expected text, or when the wait is over.
    QString ClipboardWhenItHolds(const QString& expected) {
        const QDeadlineTimer deadline(ToolTimeout);
        QString text;
        do {
            const TRun read = Tool(
                QStringLiteral("xclip"),
                {QStringLiteral("-o"), QStringLiteral("-selection"), QStringLiteral("clipboard")},
                5000);
            text = read.finished && read.status == 0 ? read.out : QString();
            if (text == expected) {
                break;
            }
            QTest::qWait(50);
        } while (!deadline.hasExpired());
        return text;
    }

    bool WindowHasTheKeyboard(const QString& window) {
        const QDeadlineTimer deadline(ToolTimeout);
        do {
            if (Tool(QStringLiteral("xdotool"), {QStringLiteral("getwindowfocus")}).out.trimmed() ==
                window) {
                return true;
            }
            QTest::qWait(50);
        } while (!deadline.hasExpired());
        return false;
    }

private slots:
    void initTestCase() {
        for (const char* tool : {"Xvfb", "xdotool", "xclip"}) {
            QVERIFY2(!QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty(),
                     qPrintable(QLatin1String(tool) + " is missing: scripts/setup.sh installs it"));
        }
        QVERIFY(QFile::exists(QStringLiteral(VARNEX_PROGRAM)));
        // The server writes its display number once it accepts connections.
        m_server.start(QStringLiteral("Xvfb"),
                       {QStringLiteral("-displayfd"), QStringLiteral("1"),
                        QStringLiteral("-screen"), QStringLiteral("0"),
                        QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"),
                        QStringLiteral("tcp")});
        QVERIFY2(m_server.waitForStarted(), qPrintable(m_server.errorString()));
        const QDeadlineTimer deadline(ToolTimeout);
        while (!m_server.canReadLine() && !deadline.hasExpired() &&
               m_server.state() == QProcess::Running) {
            m_server.waitForReadyRead(1000);
        }
        const QByteArray display = m_server.readLine().trimmed();
        QVERIFY2(!display.isEmpty(), m_server.readAllStandardError().constData());

        m_environment = QProcessEnvironment::systemEnvironment();
        m_environment.insert(QStringLiteral("DISPLAY"), u':' + QString::fromLatin1(display));
        m_environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        m_environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    }

    void cleanupTestCase() {
        m_server.terminate();
        if (!m_server.waitForFinished(ToolTimeout)) {
            m_server.kill();
            m_server.waitForFinished();
        }
    }

    // Each row starts the program on a first run, types the keys (one xdotool command each),
    // copies with Ctrl+C and ends it with Ctrl+X.
    void copyAndExit_data() {
        QTest::addColumn<QList<QStringList>>("commands");
        QTest::addColumn<QString>("copied");
        QTest::addColumn<QString>("calculator");
        const auto key = [](const char* keys) {
            return QStringList{QStringLiteral("key")} + QString::fromLatin1(keys).split(u' ');
        };
        // Class C, two subnet bits (RFC 1878 is on at first); the tab bar, two pages on; the
        // first two rows of the table.
        QTest::newRow("subnet table")
            << QList<QStringList>{key("alt+c alt+s 2 Return Tab Tab Right Right Tab shift+Right "
                                      "shift+Down ctrl+c")}
            << QStringLiteral("Subnet\tHost Range\r\n0\t192.0.0.1  -  192.0.0.62\r\n"
                              "1\t192.0.0.65  -  192.0.0.126\r\n")
            << QStringLiteral("1");
        QTest::newRow("number display")
            << QList<QStringList>{key("ctrl+h"),
                                  {QStringLiteral("type"), QStringLiteral("1234")},
                                  key("ctrl+c")}
            << QStringLiteral("1,234") << QStringLiteral("0");
    }

    void copyAndExit() {
        QFETCH(QList<QStringList>, commands);
        QFETCH(QString, copied);
        QFETCH(QString, calculator);
        QTemporaryDir home;
        QVERIFY(home.isValid());
        QVERIFY(QDir(home.path())
                    .mkdir(QStringLiteral("runtime"),
                           QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QProcessEnvironment environment = m_environment;
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"),
                           home.filePath(QStringLiteral("runtime")));
        // Killed by its destructor when a check below fails.
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(VARNEX_PROGRAM), {});
        QVERIFY2(program.waitForStarted(), qPrintable(program.errorString()));

        const TRun search =
            Tool(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--sync"),
                                             QStringLiteral("--onlyvisible"),
                                             QStringLiteral("--name"), QStringLiteral("^Varnex$")});
        QVERIFY2(search.finished && search.status == 0, qPrintable(search.err));
        const QString window = search.out.split(u'\n').first();
        // No window manager gives the window the keyboard: a click on the menu bar's empty end.
        QCOMPARE(Tool(QStringLiteral("xdotool"),
                      {QStringLiteral("mousemove"), QStringLiteral("--window"), window,
                       QStringLiteral("280"), QStringLiteral("8"), QStringLiteral("click"),
                       QStringLiteral("1")})
                     .status,
                 0);
        QVERIFY(WindowHasTheKeyboard(window));

        for (const QStringList& command : commands) {
            const TRun run = Tool(QStringLiteral("xdotool"), command);
            QVERIFY2(run.finished && run.status == 0, qPrintable(command.join(u' ') + run.err));
        }
        QCOMPARE(ClipboardWhenItHolds(copied), copied);

        QCOMPARE(Tool(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("ctrl+x")})
                     .status,
                 0);
        QVERIFY2(program.waitForFinished(ToolTimeout),
                 qPrintable(QString::fromUtf8(program.readAllStandardError())));
        const QString errors = QString::fromUtf8(program.readAllStandardError());
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QVERIFY2(program.exitCode() == 0, qPrintable(errors));
        QVERIFY2(errors.isEmpty(), qPrintable(errors));

        const QString store = home.filePath(QStringLiteral("Korvex Group/Varnex.conf"));
        QVERIFY(QFile::exists(store));
        QSettings written(store, QSettings::IniFormat);
        QCOMPARE(written.value(QStringLiteral("2.11/Calculator")).toString(), calculator);
    }
};

QTEST_GUILESS_MAIN(TestRealWindow)
#include "tst_RealWindow.moc"
