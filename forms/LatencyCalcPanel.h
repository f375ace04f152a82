#pragma once

#include "CalculatorShell.h"

#include <QTabWidget>
#include <memory>

namespace Ui {
class TLatencyCalcPanel;
}

// The latency calculator. Its panel is its page control: Network Setup, Latency Statistics and
// Latency Graphs. Each page has enter and exit actions, which the main window runs on page changes.
class TLatencyCalcPanel : public QTabWidget, public ICalculator {
    Q_OBJECT
public:
    explicit TLatencyCalcPanel(QWidget* parent = nullptr);
    ~TLatencyCalcPanel() override;

    // Called once by the main window while it is created.
    void InitLatencyCalculator();

    void NetworkSetupTabSheetEnter();
    void NetworkSetupTabSheetExit();
    void LatencyStatsTabSheetEnter();
    // The exit action of the statistics page and of the graphs page.
    void LatencyStatsTabSheetExit();
    void LatencyGraphsTabSheetEnter();

    QWidget* Panel() override { return this; }
    QTabWidget* PageControl() override { return this; }
    void SetShell(ICopyTargetHost* shell) override { m_shell = shell; }
    void PageChanging(QWidget* page) override;
    void PageChange(QWidget* page) override;
    void PageExit(QWidget* page) override;
    void PageEnter(QWidget* page) override;

private:
    std::unique_ptr<Ui::TLatencyCalcPanel> ui;
    ICopyTargetHost* m_shell = nullptr;
};
