#include "HelpWindow.h"
#include "Main.h"
#include "VarnexTest.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QXmlStreamReader>

namespace {

QString ResourceText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Every reference made by the contents file and by the links of the pages, with where it is made.
QList<std::pair<QString, QUrl>> HelpReferences() {
    QList<std::pair<QString, QUrl>> references;
    QXmlStreamReader reader(ResourceText(QStringLiteral(":/help/contents.xml")));
    QStringList pages;
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement &&
            reader.attributes().hasAttribute(QLatin1String("ref"))) {
            const QString ref = reader.attributes().value(QLatin1String("ref")).toString();
            references.append(
                {QStringLiteral("contents: ") + ref, THelpWindow::HomePage.resolved(QUrl(ref))});
            pages.append(ref.section(QLatin1Char('#'), 0, 0));
        }
    }
    pages.removeDuplicates();
    const QRegularExpression link(QStringLiteral("href=\"([^\"]+\\.html[^\"]*|#[^\"]+)\""));
    for (const QString& page : pages) {
        const QUrl pageUrl = THelpWindow::HomePage.resolved(QUrl(page));
        const QString html = ResourceText(QLatin1String(":/help/") + page);
        for (auto match = link.globalMatch(html); match.hasNext();) {
            const QString target = match.next().captured(1);
            references.append(
                {page + QStringLiteral(" links ") + target, pageUrl.resolved(QUrl(target))});
        }
    }
    return references;
}

} // namespace

class TestHelpWindow : public QObject {
    Q_OBJECT

    template <typename T> static T* Control(const QWidget& window, const char* name) {
        return window.findChild<T*>(QLatin1String(name));
    }

private slots:
    void init() { VarnexTest::ResetRecorders(); }
    void cleanup() { QVERIFY(VarnexTest::Errors().isEmpty()); }

    void f1OpensOneWindowWithContentsAndIndex() {
        TMainForm form;
        QVERIFY(VarnexTest::ShowActive(form));
        QTest::keyClick(&form, Qt::Key_F1);
        QTest::keyClick(&form, Qt::Key_F1);
        const auto windows = form.findChildren<THelpWindow*>();
        QCOMPARE(windows.size(), 1);
        THelpWindow& help = *windows.first();
        QVERIFY(help.isVisible());
        QCOMPARE(Control<QTabWidget>(help, "NavigationTabs")->currentWidget(),
                 Control<QWidget>(help, "ContentsPage"));
        QCOMPARE(Control<QTreeWidget>(help, "ContentsTree")->topLevelItemCount(), 5);
        QVERIFY(Control<QListWidget>(help, "IndexList")->count() >= 40);
        QCOMPARE(help.CurrentTopic(), THelpWindow::HomePage);
        QCOMPARE(Control<QTextBrowser>(help, "HelpBrowser")->documentTitle(),
                 QStringLiteral("Welcome to Varnex"));
    }

    void everyReferenceLeadsToAPageAndAnchor_data() {
        QTest::addColumn<QUrl>("target");
        const auto references = HelpReferences();
        QVERIFY(references.size() > 60);
        for (const auto& [where, target] : references) {
            QTest::newRow(where.toUtf8().constData()) << target;
        }
    }
    void everyReferenceLeadsToAPageAndAnchor() {
        QFETCH(QUrl, target);
        const QString html = ResourceText(QLatin1Char(':') + target.path());
        QVERIFY2(!html.isEmpty(), qPrintable(target.toString()));
        if (target.hasFragment()) {
            QVERIFY2(html.contains(QStringLiteral("<a name=\"%1\">").arg(target.fragment())),
                     qPrintable(target.toString()));
        }
    }

    void typingInTheIndexFindsAKeywordAndEnterShowsIt() {
        THelpWindow help;
        QVERIFY(VarnexTest::ShowActive(help));
        auto* tabs = Control<QTabWidget>(help, "NavigationTabs");
        QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(1).center());
        auto* filter = Control<QLineEdit>(help, "IndexFilterEdit");
        QVERIFY(filter->hasFocus());
        QTest::keyClicks(filter, QStringLiteral("rfc"));
        QCOMPARE(Control<QListWidget>(help, "IndexList")->currentItem()->text(),
                 QStringLiteral("RFC 1878"));
        QTest::keyClick(filter, Qt::Key_Return);
        QCOMPARE(help.CurrentTopic(), QUrl(QStringLiteral("qrc:/help/subnet.html#rfc1878")));
        // The contents follow the topic shown.
        QCOMPARE(Control<QTreeWidget>(help, "ContentsTree")->currentItem()->text(0),
                 QStringLiteral("The RFC 1878 rule"));
    }

    void contentsClickShowsTheTopicAndBackReturns() {
        THelpWindow help;
        help.show();
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        auto* tree = Control<QTreeWidget>(help, "ContentsTree");
        QTreeWidgetItem* latency = tree->topLevelItem(3);
        QCOMPARE(latency->text(0), QStringLiteral("Latency Calculator"));
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                          tree->visualItemRect(latency).center());
        QCOMPARE(help.CurrentTopic(), QUrl(QStringLiteral("qrc:/help/latency.html")));
        QTest::mouseClick(Control<QWidget>(help, "BackButton"), Qt::LeftButton);
        QCOMPARE(help.CurrentTopic(), THelpWindow::HomePage);
    }
};

VARNEX_TEST_MAIN(TestHelpWindow)
#include "tst_HelpWindow.moc"
