#include "LatencyCalcPanel.h"

#include "CompactTabs.h"
#include "CopyGlyph.h"
#include "ui_LatencyCalcPanel.h"

TLatencyCalcPanel::TLatencyCalcPanel(QWidget* parent)
    : QTabWidget(parent)
    , ui(std::make_unique<Ui::TLatencyCalcPanel>()) {
    ui->setupUi(this);
    for (QToolButton* button :
         {ui->CopyNetworkSetupButton, ui->CopyLatencyStatsButton, ui->CopyLatencyGraphsButton}) {
        UseCopyGlyph(button);
    }
    UseCompactTabs(this);
}

TLatencyCalcPanel::~TLatencyCalcPanel() = default;

void TLatencyCalcPanel::InitLatencyCalculator() {
    setCurrentWidget(ui->NetworkSetupTabSheet);
}

void TLatencyCalcPanel::NetworkSetupTabSheetEnter() {
    RouteCopyTo(m_shell, ui->CopyNetworkSetupButton);
}

void TLatencyCalcPanel::NetworkSetupTabSheetExit() {
    WithdrawCopy(m_shell);
}

void TLatencyCalcPanel::LatencyStatsTabSheetEnter() {
    RouteCopyTo(m_shell, ui->CopyLatencyStatsButton);
}

void TLatencyCalcPanel::LatencyStatsTabSheetExit() {
    WithdrawCopy(m_shell);
}

void TLatencyCalcPanel::LatencyGraphsTabSheetEnter() {
    RouteCopyTo(m_shell, ui->CopyLatencyGraphsButton);
}

// The shared page-change handlers have no branches for these pages: all is done by the pages'
// own enter and exit actions.
void TLatencyCalcPanel::PageChanging(QWidget*) {}

void TLatencyCalcPanel::PageChange(QWidget*) {}

void TLatencyCalcPanel::PageExit(QWidget* page) {
    if (page == ui->NetworkSetupTabSheet) {
        NetworkSetupTabSheetExit();
    } else if (page == ui->LatencyStatsTabSheet || page == ui->LatencyGraphsTabSheet) {
        LatencyStatsTabSheetExit();
    }
}

void TLatencyCalcPanel::PageEnter(QWidget* page) {
    if (page == ui->NetworkSetupTabSheet) {
        NetworkSetupTabSheetEnter();
    } else if (page == ui->LatencyStatsTabSheet) {
        LatencyStatsTabSheetEnter();
    } else if (page == ui->LatencyGraphsTabSheet) {
        LatencyGraphsTabSheetEnter();
    }
}
