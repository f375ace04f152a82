#include "LatencyCalcPanel.h"

#include "CompactTabs.h"
#include "CopyGlyph.h"
#include "LatencyGraphsPage.h"
#include "LatencyStatsPage.h"
#include "NetworkButton.h"
#include "NetworkSetupEditor.h"
#include "ui_LatencyCalcPanel.h"

TLatencyCalcPanel::TLatencyCalcPanel(QWidget* parent)
    : QTabWidget(parent)
    , ui(std::make_unique<Ui::TLatencyCalcPanel>()) {
    ui->setupUi(this);
    UseCopyGlyph(ui->CopyNetworkSetupButton);
    UseCompactTabs(this);

    TNetworkSetupEditor::TControls controls;
    controls.NetworkSetupPanel = ui->NetworkSetupPanel;
    controls.DesktopNetworkButton = ui->DesktopNetworkButton;
    controls.TowerNetworkButton = ui->TowerNetworkButton;
    controls.MoveNetworkLeftButton = ui->MoveNetworkLeftButton;
    controls.NewNetworkButton = ui->NewNetworkButton;
    controls.CopyNetworkSetupButton = ui->CopyNetworkSetupButton;
    controls.ResetNetworkButton = ui->ResetNetworkButton;
    controls.MoveNetworkRightButton = ui->MoveNetworkRightButton;
    m_editor = std::make_unique<TNetworkSetupEditor>(controls);
    m_editor->SetOnChange([this] { m_latencyDirty = true; });
    ui->LatencyStatsTabSheet->SetOnPacketDirRadioGroupClick(
        [this] { LatencyStatsTabSheetEnter(); });
}

TLatencyCalcPanel::~TLatencyCalcPanel() = default;

void TLatencyCalcPanel::InitLatencyCalculator() {
    setCurrentWidget(ui->NetworkSetupTabSheet);
    // The chain holds Node A and Node B since the editor was made, Node B selected.
    ApplyFirstRunChain();
    m_latencyDirty = true;
    for (TNetworkButton* node : {ui->DesktopNetworkButton, ui->TowerNetworkButton}) {
        const TNetworkElement& element = node->Element();
        node->SetLabel(QString::fromStdString(NodeLabel(element.NetworkName, element.PacketSize)));
    }
}

// The chain of a first run. Restoring the saved chain takes this place, falling back on it when
// nothing is stored.
void TLatencyCalcPanel::ApplyFirstRunChain() {
    ui->DesktopNetworkButton->Element().PacketSize = 64;
    ui->TowerNetworkButton->Element().PacketSize = 1024;
    m_editor->NewNetworkButtonClick();
}

QList<TNetworkButton*> TLatencyCalcPanel::NetworkList() const {
    return m_editor->NetworkList();
}

TNetworkButton& TLatencyCalcPanel::SelectedNetwork() const {
    return m_editor->SelectedNetwork();
}

void TLatencyCalcPanel::SelectNetwork(TNetworkButton& element) {
    m_editor->SelectNetwork(element);
}

TNetworkButton& TLatencyCalcPanel::NewNetworkButtonClick() {
    return m_editor->NewNetworkButtonClick();
}

void TLatencyCalcPanel::NetworkSetupTabSheetEnter() {
    RouteCopyTo(m_shell, ui->CopyNetworkSetupButton);
}

void TLatencyCalcPanel::NetworkSetupTabSheetExit() {
    WithdrawCopy(m_shell);
}

std::vector<TNetworkElement*> TLatencyCalcPanel::ChainElements() const {
    std::vector<TNetworkElement*> chain;
    for (TNetworkButton* element : NetworkList()) {
        chain.push_back(&element->Element());
    }
    return chain;
}

void TLatencyCalcPanel::ComputeLatency() {
    if (!m_latencyDirty) {
        return;
    }
    m_totals = ComputeDelays(ChainElements());
    m_latencyDirty = false;
}

// The copy target is this page's before anything can fail: Edit > Copy then copies the table
// shown, never the page left.
void TLatencyCalcPanel::LatencyStatsTabSheetEnter() {
    TLatencyStatsPage* page = ui->LatencyStatsTabSheet;
    RouteCopyTo(m_shell, page->CopyLatencyStatsButton());
    ComputeLatency();
    const std::vector<TNetworkElement*> chain = ChainElements();
    page->FillTable(chain, m_totals);
}

void TLatencyCalcPanel::LatencyStatsTabSheetExit() {
    WithdrawCopy(m_shell);
}

void TLatencyCalcPanel::LatencyGraphsTabSheetEnter() {
    TLatencyGraphsPage* page = ui->LatencyGraphsTabSheet;
    RouteCopyTo(m_shell, page->CopyLatencyGraphsButton());
    ComputeLatency();
    const std::vector<TNetworkElement*> chain = ChainElements();
    page->ShowGraphs(chain);
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
