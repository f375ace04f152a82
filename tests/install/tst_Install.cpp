#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString AppId = QStringLiteral("example.korvexgroup.Varnex");
const QString Version = QStringLiteral("2.11");

struct TRun {
    int status = -1;
    QString out;
    QString err;
};

// Runs a program to its end; a program that cannot start or crashes reads as status -1.
TRun RunProgram(const QString& program, const QStringList& arguments,
                const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    TRun run;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit) {
        run.err = process.errorString() + QString::fromLocal8Bit(process.readAllStandardError());
        return run;
    }
    run.status = process.exitCode();
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

QString ReadText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

// The build's install rules run into a temporary prefix; the tree, the desktop entry, the
// metainfo, the icons and the installed program are checked there. The Debian package is built
// into a temporary folder, read with dpkg-deb and its program started from an unpacked copy.
class TestInstall : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_prefix;
    QTemporaryDir m_packageDir;

    QString Installed(const QString& relative) const { return m_prefix.filePath(relative); }

private slots:
    void initTestCase() {
        QVERIFY(m_prefix.isValid());
        const TRun install =
            RunProgram(QStringLiteral(CMAKE_COMMAND),
                       {QStringLiteral("--install"), QStringLiteral(VARNEX_BUILD_DIR),
                        QStringLiteral("--prefix"), m_prefix.path()});
        QVERIFY2(install.status == 0, qPrintable(install.err));
    }

    void installedFiles_data() {
        QTest::addColumn<QString>("path");
        QTest::newRow("program") << QStringLiteral("bin/varnex");
        QTest::newRow("desktop entry") << "share/applications/" + AppId + ".desktop";
        QTest::newRow("metainfo") << "share/metainfo/" + AppId + ".metainfo.xml";
        QTest::newRow("scalable icon") << "share/icons/hicolor/scalable/apps/" + AppId + ".svg";
        for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
            const QString folder = QStringLiteral("%1x%1").arg(size);
            QTest::newRow(qPrintable("icon " + folder))
                << "share/icons/hicolor/" + folder + "/apps/" + AppId + ".png";
        }
    }

    void installedFiles() {
        QFETCH(QString, path);
        QVERIFY2(QFileInfo(Installed(path)).isFile(), qPrintable(path));
    }

    // Nothing else is installed: the icon renderer is a build tool, the libraries are static.
    void nothingElseInstalled() {
        QStringList found;
        QDir root(m_prefix.path());
        const QStringList files = root.entryList(QDir::Files | QDir::NoDotAndDotDot);
        QVERIFY(files.isEmpty());
        QDirIterator it(m_prefix.path(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            found.append(root.relativeFilePath(it.next()));
        }
        QCOMPARE(found.size(), 4 + 7);
        QVERIFY(!found.contains(QStringLiteral("bin/render_picture")));
    }

    void validators_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("desktop-file-validate")
            << QStringLiteral("desktop-file-validate")
            << QStringList{Installed("share/applications/" + AppId + ".desktop")};
        QTest::newRow("appstreamcli")
            << QStringLiteral("appstreamcli")
            << QStringList{QStringLiteral("validate"), QStringLiteral("--no-net"),
                           Installed("share/metainfo/" + AppId + ".metainfo.xml")};
    }

    void validators() {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        const TRun run = RunProgram(program, arguments);
        QVERIFY2(run.status == 0, qPrintable(program + ": " + run.out + run.err));
    }

    // The menu entry, its icon and the metainfo's launchable name one another.
    void namesAgree_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("line");
        const QString entry = "share/applications/" + AppId + ".desktop";
        const QString metainfo = "share/metainfo/" + AppId + ".metainfo.xml";
        QTest::newRow("entry icon") << entry << "Icon=" + AppId;
        QTest::newRow("entry program") << entry << QStringLiteral("Exec=varnex");
        QTest::newRow("entry name") << entry << QStringLiteral("Name=Varnex");
        QTest::newRow("metainfo id") << metainfo << "<id>" + AppId + "</id>";
        QTest::newRow("metainfo launchable")
            << metainfo << "<launchable type=\"desktop-id\">" + AppId + ".desktop</launchable>";
        QTest::newRow("metainfo release") << metainfo << "<release version=\"" + Version + "\"";
        QTest::newRow("metainfo rating") << metainfo << QStringLiteral("<content_rating");
    }

    void namesAgree() {
        QFETCH(QString, file);
        QFETCH(QString, line);
        const QStringList lines = ReadText(Installed(file)).split(QLatin1Char('\n'));
        const bool found = std::any_of(lines.begin(), lines.end(), [&](const QString& text) {
            return text.trimmed().startsWith(line);
        });
        QVERIFY2(found, qPrintable(line));
    }

    void iconSizes_data() {
        QTest::addColumn<int>("size");
        for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
            QTest::newRow(qPrintable(QString::number(size))) << size;
        }
    }

    // Each icon has its size and shows the picture: its centre is opaque, its corner clear.
    void iconSizes() {
        QFETCH(int, size);
        const QString path =
            Installed(QStringLiteral("share/icons/hicolor/%1x%1/apps/").arg(size) + AppId + ".png");
        QImageReader reader(path);
        QCOMPARE(reader.format(), QByteArray("png"));
        const QImage image = reader.read();
        QCOMPARE(image.size(), QSize(size, size));
        QCOMPARE(qAlpha(image.pixel(size / 2, size / 2)), 255);
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    }

    void commandLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        const QString version = "^Varnex " + Version + "\n$";
        const QString usage = QStringLiteral("^Usage: varnex \\[options\\]\n(.|\n)*--version");
        QTest::newRow("--version") << QStringList{"--version"} << 0 << version << "^$";
        QTest::newRow("-v") << QStringList{"-v"} << 0 << version << "^$";
        QTest::newRow("--help") << QStringList{"--help"} << 0 << usage << "^$";
        QTest::newRow("-h") << QStringList{"-h"} << 0 << usage << "^$";
        QTest::newRow("toolkit option")
            << QStringList{"-platform", "xcb", "-reverse", "--version"} << 0 << version << "^$";
        QTest::newRow("file") << QStringList{"notes.txt"} << 2 << "^$"
                              << "^varnex: unexpected argument 'notes.txt'";
        QTest::newRow("unknown option") << QStringList{"--frobnicate"} << 2 << "^$"
                                        << "^varnex: Unknown option 'frobnicate'";
        QTest::newRow("version and more") << QStringList{"--version", "extra"} << 2 << "^$"
                                          << "unexpected argument 'extra'";
        QTest::newRow("option value missing") << QStringList{"-style"} << 2 << "^$"
                                              << "Missing value after '-style'";
    }

    // No window system is there: a program that made its window system connection would fail.
    void commandLine() {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("none-such"));
        const TRun run =
            RunProgram(Installed(QStringLiteral("bin/varnex")), arguments, environment);
        QCOMPARE(run.status, status);
        QVERIFY2(QRegularExpression(out).match(run.out).hasMatch(), qPrintable(run.out));
        QVERIFY2(QRegularExpression(err).match(run.err).hasMatch(), qPrintable(run.err));
    }

    void package() {
        QVERIFY(m_packageDir.isValid());
        const TRun build =
            RunProgram(QStringLiteral(CPACK_COMMAND),
                       {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("--config"),
                        QStringLiteral(VARNEX_BUILD_DIR "/CPackConfig.cmake"), QStringLiteral("-B"),
                        m_packageDir.path()});
        QVERIFY2(build.status == 0, qPrintable(build.out + build.err));
        const QStringList debs =
            QDir(m_packageDir.path()).entryList({"varnex_" + Version + "_*.deb"});
        QCOMPARE(debs.size(), 1);
        const QString deb = m_packageDir.filePath(debs.first());

        const TRun info = RunProgram(QStringLiteral("dpkg-deb"),
                                     {QStringLiteral("--field"), deb, QStringLiteral("Package"),
                                      QStringLiteral("Version"), QStringLiteral("Depends"),
                                      QStringLiteral("Maintainer"), QStringLiteral("Description")});
        QCOMPARE(info.status, 0);
        QVERIFY(info.out.contains(QStringLiteral("Package: varnex\n")));
        QVERIFY(info.out.contains("Version: " + Version + "\n"));
        QVERIFY(QRegularExpression(QStringLiteral("Maintainer: \\S.*<\\S+@\\S+>"))
                    .match(info.out)
                    .hasMatch());
        QVERIFY(QRegularExpression(QStringLiteral("Description: \\S.*\n \\S"))
                    .match(info.out)
                    .hasMatch());
        const QRegularExpressionMatch depends =
            QRegularExpression(QStringLiteral("Depends: (.*)\n")).match(info.out);
        QVERIFY(depends.hasMatch());
        for (const char* library :
             {"fonts-liberation2", "libqt6core6", "libqt6gui6", "libqt6widgets6", "libqt6svg6"}) {
            QVERIFY2(
                QRegularExpression(QStringLiteral("(^|, )%1( |,|$)").arg(QLatin1String(library)))
                    .match(depends.captured(1))
                    .hasMatch(),
                qPrintable(QLatin1String(library) + " missing in " + depends.captured(1)));
        }

        const QString unpacked = m_packageDir.filePath(QStringLiteral("root"));
        QCOMPARE(
            RunProgram(QStringLiteral("dpkg-deb"), {QStringLiteral("-x"), deb, unpacked}).status,
            0);
        QVERIFY(QFileInfo(unpacked + "/usr/share/applications/" + AppId + ".desktop").isFile());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        const TRun version = RunProgram(unpacked + QStringLiteral("/usr/bin/varnex"),
                                        {QStringLiteral("--version")}, environment);
        QCOMPARE(version.status, 0);
        QCOMPARE(version.out, "Varnex " + Version + "\n");
    }
};

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_Install.moc"
