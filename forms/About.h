#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TAboutCalc;
}

// The about box: the product's picture, name and release, the maker's contacts and the licence
// notice. It is made once, shown without being modal and only hidden when closed. A double-click
// on the picture turns it over to the author credit; a click on the credit turns it back.
class TAboutCalc : public QDialog {
    Q_OBJECT
public:
    explicit TAboutCalc(QWidget* parent = nullptr);
    ~TAboutCalc() override;

    void AboutImageDblClick();
    void CreditsMemoClick();
    void OKButtonClick();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void CentreOnScreen();

    std::unique_ptr<Ui::TAboutCalc> ui;
};
