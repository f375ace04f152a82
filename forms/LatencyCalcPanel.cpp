#include "LatencyCalcPanel.h"

#include "CompactTabs.h"
#include "CopyGlyph.h"
#include "LatencySettings.h"
#include "NetworkButton.h"
#include "NetworkSetupEditor.h"
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
}

TLatencyCalcPanel::~TLatencyCalcPanel() = default;

void TLatencyCalcPanel::InitLatencyCalculator() {
    setCurrentWidget(ui->NetworkSetupTabSheet);
    // The chain holds Node A and Node B since the editor was made, Node B selected.
    if (m_settingsHost == nullptr || !m_settingsHost->LoadSettings()) {
        ApplyFirstRunChain();
    }
    m_latencyDirty = true;
    for (TNetworkButton* node : {ui->DesktopNetworkButton, ui->TowerNetworkButton}) {
        const TNetworkElement& element = node->Element();
        node->SetLabel(QString::fromStdString(NodeLabel(element.NetworkName, element.PacketSize)));
    }
}

// The chain of a first run, when nothing is stored.
void TLatencyCalcPanel::ApplyFirstRunChain() {
    ui->DesktopNetworkButton->Element().PacketSize = LatencySettings::FirstRunPacketSizeA;
    ui->TowerNetworkButton->Element().PacketSize = LatencySettings::FirstRunPacketSizeB;
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
