#include "HelpWindow.h"

#include "Accelerators.h"
#include "Feedback.h"
#include "ui_HelpWindow.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QFile>
#include <QScrollBar>
#include <QTextBlock>
#include <QXmlStreamReader>

namespace {

const QString ContentsFile = QStringLiteral(":/help/contents.xml");
constexpr int TopicRole = Qt::UserRole;

QUrl TopicUrl(const QString& reference) {
    return THelpWindow::HomePage.resolved(QUrl(reference));
}

QUrl PageOf(const QUrl& topic) {
    return topic.adjusted(QUrl::RemoveFragment);
}

} // namespace

const QUrl THelpWindow::HomePage(QStringLiteral("qrc:/help/index.html"));

THelpWindow::THelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window)
    , ui(std::make_unique<Ui::THelpWindow>()) {
    ui->setupUi(this);
    ui->HelpSplitter->setStretchFactor(1, 1);
    ui->HelpSplitter->setSizes({240, 528});
    LoadContentsAndIndex();
    // The pages are written for a white page, whatever the desktop's colours.
    UseWhiteSurface(*ui->HelpBrowser);
    // Its own keyboard page says that Esc closes a dialog; Ctrl+W closes a document window.
    QList<QKeySequence> closeKeys = QKeySequence::keyBindings(QKeySequence::Close);
    for (const QKeySequence& keys :
         {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::ControlModifier | Qt::Key_W)}) {
        if (!closeKeys.contains(keys)) {
            closeKeys.append(keys);
        }
    }
    auto* closeAction = new QAction(this);
    closeAction->setShortcuts(closeKeys);
    addAction(closeAction);
    connect(closeAction, &QAction::triggered, this, &QWidget::close);

    connect(ui->ContentsTree, &QTreeWidget::itemClicked, this,
            Feedback::Guard([this](QTreeWidgetItem* item, int) { ContentsItemChosen(item); }));
    connect(ui->ContentsTree, &QTreeWidget::itemActivated, this,
            Feedback::Guard([this](QTreeWidgetItem* item, int) { ContentsItemChosen(item); }));
    connect(ui->NavigationTabs, &QTabWidget::currentChanged, this, [this] {
        if (ui->NavigationTabs->currentWidget() == ui->IndexPage) {
            ui->IndexFilterEdit->setFocus();
        }
    });
    connect(ui->IndexList, &QListWidget::itemActivated, this,
            Feedback::Guard([this](QListWidgetItem* item) { IndexItemChosen(item); }));
    connect(ui->IndexFilterEdit, &QLineEdit::textChanged, this,
            Feedback::Guard([this](const QString& text) { IndexFilterChanged(text); }));
    connect(ui->IndexFilterEdit, &QLineEdit::returnPressed, this,
            Feedback::Guard([this] { IndexFilterAccepted(); }));
    connect(ui->HelpBrowser, &QTextBrowser::sourceChanged, this,
            Feedback::Guard([this](const QUrl& topic) { TopicShown(topic); }));
    connect(ui->HelpBrowser, &QTextBrowser::backwardAvailable, ui->BackButton,
            &QPushButton::setEnabled);
    connect(ui->HelpBrowser, &QTextBrowser::forwardAvailable, ui->ForwardButton,
            &QPushButton::setEnabled);
    connect(ui->BackButton, &QPushButton::clicked, ui->HelpBrowser, &QTextBrowser::backward);
    connect(ui->ForwardButton, &QPushButton::clicked, ui->HelpBrowser, &QTextBrowser::forward);
    connect(ui->HomeButton, &QPushButton::clicked, ui->HelpBrowser, &QTextBrowser::home);

    ui->HelpBrowser->setSource(HomePage);
}

THelpWindow::~THelpWindow() = default;

void THelpWindow::ShowContents() {
    ui->NavigationTabs->setCurrentWidget(ui->ContentsPage);
    show();
    raise();
    activateWindow();
}

void THelpWindow::ShowTopic(const QUrl& topic) {
    ui->HelpBrowser->setSource(topic);
}

QUrl THelpWindow::CurrentTopic() const {
    return ui->HelpBrowser->source();
}

// The contents file holds the tree of topics and the index keywords:
// <help><contents><topic title="..." ref="page.html#anchor">...</topic></contents>
// <index><keyword name="..." ref="..."/></index></help>
void THelpWindow::LoadContentsAndIndex() {
    QFile file(ContentsFile);
    if (!file.open(QIODevice::ReadOnly)) {
        return;
    }
    QXmlStreamReader reader(&file);
    QTreeWidgetItem* parentTopic = nullptr;
    while (reader.readNext() != QXmlStreamReader::EndDocument && !reader.hasError()) {
        if (reader.isStartElement() && reader.name() == QLatin1String("topic")) {
            const QStringList text{reader.attributes().value(QLatin1String("title")).toString()};
            auto* item = parentTopic != nullptr ? new QTreeWidgetItem(parentTopic, text)
                                                : new QTreeWidgetItem(ui->ContentsTree, text);
            item->setData(0, TopicRole,
                          TopicUrl(reader.attributes().value(QLatin1String("ref")).toString()));
            parentTopic = item;
        } else if (reader.isEndElement() && reader.name() == QLatin1String("topic")) {
            parentTopic = parentTopic != nullptr ? parentTopic->parent() : nullptr;
        } else if (reader.isStartElement() && reader.name() == QLatin1String("keyword")) {
            auto* item = new QListWidgetItem(
                reader.attributes().value(QLatin1String("name")).toString(), ui->IndexList);
            item->setData(TopicRole,
                          TopicUrl(reader.attributes().value(QLatin1String("ref")).toString()));
        }
    }
    ui->ContentsTree->expandAll();
    ui->IndexList->sortItems();
}

void THelpWindow::ContentsItemChosen(QTreeWidgetItem* item) {
    if (item != nullptr) {
        ShowTopic(item->data(0, TopicRole).toUrl());
    }
}

void THelpWindow::IndexItemChosen(QListWidgetItem* item) {
    if (item != nullptr) {
        ShowTopic(item->data(TopicRole).toUrl());
    }
}

// As in a printed index, typing moves to the first keyword that begins with the text typed.
void THelpWindow::IndexFilterChanged(const QString& text) {
    for (int row = 0; row < ui->IndexList->count(); ++row) {
        QListWidgetItem* item = ui->IndexList->item(row);
        if (item->text().startsWith(text, Qt::CaseInsensitive)) {
            ui->IndexList->setCurrentItem(item);
            ui->IndexList->scrollToItem(item, QAbstractItemView::PositionAtTop);
            return;
        }
    }
}

void THelpWindow::IndexFilterAccepted() {
    IndexItemChosen(ui->IndexList->currentItem());
}

void THelpWindow::ShowHeadingWhole(const QUrl& topic) {
    if (!topic.hasFragment()) {
        return;
    }
    QTextDocument* document = ui->HelpBrowser->document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().anchorNames().contains(topic.fragment())) {
                // The browser puts the anchor's line at the very top; the heading's space above
                // it shows too, so that it reads as a heading rather than a cut-off line.
                const QRectF heading = document->documentLayout()->blockBoundingRect(block);
                ui->HelpBrowser->verticalScrollBar()->setValue(
                    qRound(heading.top() - block.blockFormat().topMargin()));
                return;
            }
        }
    }
}

void THelpWindow::TopicShown(const QUrl& topic) {
    ShowHeadingWhole(topic);
    QTreeWidgetItem* samePage = nullptr;
    for (QTreeWidgetItemIterator it(ui->ContentsTree); *it != nullptr; ++it) {
        const QUrl itemTopic = (*it)->data(0, TopicRole).toUrl();
        if (itemTopic == topic) {
            ui->ContentsTree->setCurrentItem(*it);
            return;
        }
        if (samePage == nullptr && PageOf(itemTopic) == PageOf(topic)) {
            samePage = *it;
        }
    }
    ui->ContentsTree->setCurrentItem(samePage);
}
