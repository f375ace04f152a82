#pragma once

#include "CalculatorShell.h"

#include <QWidget>
#include <memory>

namespace Ui {
class TNumoraCalcPanel;
}

// The number conversion calculator: the conversion page and the lookup table of 0 to 255.
class TNumoraCalcPanel : public QWidget, public ICalculator {
    Q_OBJECT
public:
    explicit TNumoraCalcPanel(QWidget* parent = nullptr);
    ~TNumoraCalcPanel() override;

    // Called once by the main window while it is created.
    void InitNumoraCalculator();

    QWidget* Panel() override { return this; }
    QTabWidget* PageControl() override;
    void SetShell(ICopyTargetHost* shell) override { m_shell = shell; }
    void PageChanging(QWidget* page) override;
    void PageChange(QWidget* page) override;

private:
    std::unique_ptr<Ui::TNumoraCalcPanel> ui;
    ICopyTargetHost* m_shell = nullptr;
};
