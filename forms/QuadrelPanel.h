#pragma once

#include "CalculatorShell.h"

#include <QWidget>
#include <memory>

namespace Ui {
class TQuadrelPanel;
}

// The subnet calculator: General Info, Address Info, the Subnets/Hosts table and the CIDR page.
class TQuadrelPanel : public QWidget, public ICalculator {
    Q_OBJECT
public:
    explicit TQuadrelPanel(QWidget* parent = nullptr);
    ~TQuadrelPanel() override;

    // Called once by the main window while it is created.
    void InitSubnetPanel();
    // Rewrites the visible page from the models; the main window runs it after every page change.
    void UpdateSubnetDisplay();

    QWidget* Panel() override { return this; }
    QTabWidget* PageControl() override;
    void SetShell(ICopyTargetHost* shell) override { m_shell = shell; }
    void PageChanging(QWidget* page) override;
    void PageChange(QWidget* page) override;

private:
    std::unique_ptr<Ui::TQuadrelPanel> ui;
    ICopyTargetHost* m_shell = nullptr;
};
