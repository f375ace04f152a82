#include "HelpWindow.h"
#include "Main.h"
#include "VarnexTest.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
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

// The block of the document that holds the anchor.
QTextBlock AnchorBlock(const QTextDocument& document, const QString& anchor) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().anchorNames().contains(anchor)) {
                return block;
            }
        }
    }
    return {};
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

    void keysCloseTheWindow_data() {
        QTest::addColumn<QKeySequence>("keys");
        QTest::newRow("Esc") << QKeySequence(Qt::Key_Escape);
        QTest::newRow("Ctrl+W") << QKeySequence(Qt::ControlModifier | Qt::Key_W);
    }
    void keysCloseTheWindow() {
        QFETCH(QKeySequence, keys);
        THelpWindow help;
        QVERIFY(VarnexTest::ShowActive(help));
        // From the page as from the index's filter.
        for (const char* name : {"HelpBrowser", "IndexFilterEdit"}) {
            QVERIFY(VarnexTest::ShowActive(help));
            if (QString::fromLatin1(name) == QLatin1String("IndexFilterEdit")) {
                auto* tabs = Control<QTabWidget>(help, "NavigationTabs");
                tabs->setCurrentIndex(1);
            }
            QWidget* target = Control<QWidget>(help, name);
            target->setFocus();
            QTest::keySequence(target, keys);
            QVERIFY2(!help.isVisible(), name);
        }
    }

    // Every index entry shows its heading whole, with the space above it, wherever the page stood
    // before.
    void indexEntriesShowTheirHeadingWhole() {
        THelpWindow help;
        help.resize(768, 480);
        QVERIFY(VarnexTest::ShowActive(help));
        auto* list = Control<QListWidget>(help, "IndexList");
        auto* browser = Control<QTextBrowser>(help, "HelpBrowser");
        Control<QTabWidget>(help, "NavigationTabs")->setCurrentIndex(1);
        for (int row = 0; row < list->count(); ++row) {
            QListWidgetItem* item = list->item(row);
            // The reader has scrolled the page meanwhile.
            browser->verticalScrollBar()->setValue(browser->verticalScrollBar()->maximum());
            list->scrollToItem(item);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualItemRect(item).center());
            QTest::keyClick(list, Qt::Key_Return);
            const QUrl topic = help.CurrentTopic();
            QCOMPARE(topic, item->data(Qt::UserRole).toUrl());
            if (!topic.hasFragment()) {
                continue;
            }
            const QTextBlock block = AnchorBlock(*browser->document(), topic.fragment());
            QVERIFY2(block.isValid(), qPrintable(topic.toString()));
            const QRectF heading =
                browser->document()->documentLayout()->blockBoundingRect(block).translated(
                    0, -browser->verticalScrollBar()->value());
            // The space above the heading shows too.
            const qreal above = block.blockFormat().topMargin();
            QVERIFY2(heading.top() >= above && heading.bottom() <= browser->viewport()->height(),
                     qPrintable(QStringLiteral("%1: heading at %2 to %3")
                                    .arg(item->text())
                                    .arg(heading.top())
                                    .arg(heading.bottom())));
        }
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
