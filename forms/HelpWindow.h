#pragma once

#include <QUrl>
#include <QWidget>
#include <memory>

class QListWidgetItem;
class QTreeWidgetItem;

namespace Ui {
class THelpWindow;
}

// The program's own help: HTML pages built into the program, shown beside a contents tree and a
// keyword index, both read from the help's contents file. It needs no network and no help viewer.
class THelpWindow : public QWidget {
    Q_OBJECT
public:
    static const QUrl HomePage;

    explicit THelpWindow(QWidget* parent = nullptr);
    ~THelpWindow() override;

    // Shows the window on its contents tree, as Help > Help Topics asks.
    void ShowContents();
    void ShowTopic(const QUrl& topic);
    QUrl CurrentTopic() const;

private:
    void LoadContentsAndIndex();
    void ContentsItemChosen(QTreeWidgetItem* item);
    void IndexItemChosen(QListWidgetItem* item);
    void IndexFilterChanged(const QString& text);
    void IndexFilterAccepted();
    void TopicShown(const QUrl& topic);
    void ShowHeadingWhole(const QUrl& topic);

    std::unique_ptr<Ui::THelpWindow> ui;
};
