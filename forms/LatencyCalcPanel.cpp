#include "LatencyCalcPanel.h"

#include "Accelerators.h"
#include "AccessibleNames.h"
#include "CompactTabs.h"
#include "CopyGlyph.h"
#include "KorvexPanels.h"
#include "LatencyGraphsPage.h"
#include "LatencySettings.h"
#include "LatencyStatsPage.h"
#include "NetworkButton.h"
#include "NetworkButtonForm.h"
#include "NetworkSetupEditor.h"
#include "SuperStringGrid.h"
#include "VarnexError.h"
#include "ui_LatencyCalcPanel.h"

#include <QComboBox>

TLatencyCalcPanel::TLatencyCalcPanel(QWidget* parent)
    : QTabWidget(parent)
    , ui(std::make_unique<Ui::TLatencyCalcPanel>()) {
    ui->setupUi(this);
    UseCopyGlyph(ui->CopyNetworkSetupButton);
    UseCompactTabs(this);
    FocusTabsOnClick(*this);
    // The setup surface, the statistics table and the graphs are read by their pages' captions.
    AccessibleNames::NameAfterPage(ui->NetworkSetupPanel, this, ui->NetworkSetupTabSheet);
    AccessibleNames::NameAfterPage(ui->LatencyStatsTabSheet->LatencyStatsStringGrid(), this,
                                   ui->LatencyStatsTabSheet);
    AccessibleNames::NameAfterPage(ui->LatencyGraphsTabSheet->LatencyGraphsCanvasPanel(), this,
                                   ui->LatencyGraphsTabSheet);

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
    m_editor->SetOnProperties(
        [this](TNetworkButton& element) { NetworkButtonForm().ShowElement(&element); });
    // While the dialog shows, it follows the selection.
    m_editor->SetOnSelect([this](TNetworkButton& element) {
        if (m_networkButtonForm != nullptr && m_networkButtonForm->isVisible()) {
            m_networkButtonForm->ShowElement(&element);
        }
    });
    ui->LatencyStatsTabSheet->SetOnPacketDirRadioGroupClick(
        [this] { LatencyStatsTabSheetEnter(); });
}

TLatencyCalcPanel::~TLatencyCalcPanel() {
    // The dialog belongs to the main window and outlives this panel.
    if (m_networkButtonForm != nullptr) {
        m_networkButtonForm->SetOnApply({});
    }
}

void TLatencyCalcPanel::InitLatencyCalculator() {
    setCurrentWidget(ui->NetworkSetupTabSheet);
    // The chain holds Node A and Node B since the editor was made, Node B selected.
    const bool restored = m_settingsHost != nullptr && m_settingsHost->LoadSettings();
    if (!restored) {
        ApplyFirstRunChain();
    }
    m_latencyDirty = true;
    for (TNetworkButton* node : {ui->DesktopNetworkButton, ui->TowerNetworkButton}) {
        const TNetworkElement& element = node->Element();
        node->SetLabel(QString::fromStdString(NodeLabel(element.NetworkName, element.PacketSize)));
    }
    // The store keeps no topology choice: it is found again from the names.
    SyncDialogWithNetworks(restored ? m_settingsHost->StoredNetworkCount() : 0);
}

// The chain of a first run, when nothing is stored.
void TLatencyCalcPanel::ApplyFirstRunChain() {
    ui->DesktopNetworkButton->Element().PacketSize = LatencySettings::FirstRunPacketSizeA;
    ui->TowerNetworkButton->Element().PacketSize = LatencySettings::FirstRunPacketSizeB;
    m_editor->NewNetworkButtonClick();
}

TNetworkButtonForm& TLatencyCalcPanel::NetworkButtonForm() {
    if (m_networkButtonForm == nullptr) {
        m_networkButtonForm = new TNetworkButtonForm(window());
        m_networkButtonForm->SetOnApply(
            [this](TNetworkButtonForm& sender) { NetworkButtonFormApply(sender); });
    }
    return *m_networkButtonForm;
}

// Without a stored chain the dialog has nothing to learn, and start-up leaves it for later.
void TLatencyCalcPanel::SyncDialogWithNetworks(int restoredNetworks) {
    const QList<TNetworkButton*> chain = NetworkList();
    for (int k = 1; k <= restoredNetworks && k < chain.size() - 1; ++k) {
        TNetworkButtonForm& dialog = NetworkButtonForm();
        auto* topologies = dialog.findChild<QComboBox*>(QStringLiteral("TopologyComboBox"));
        TNetworkElement& element = chain[k]->Element();
        dialog.ConfigureForKind(element.NetworkButtonKind);
        const QString name = chain[k]->NetworkName();
        // A fixed-string match ignores letter case.
        int index = topologies->findText(name, Qt::MatchFixedString);
        // A name missing from the store offers nothing to pick.
        if (index < 0 && !name.isEmpty() && name != QLatin1String(UnknownTopologyName)) {
            topologies->addItem(name);
            index = topologies->count() - 1;
        }
        element.TopologyIndex = RangeChecked<std::int16_t>(index);
    }
}

void TLatencyCalcPanel::NetworkButtonFormApply(TNetworkButtonForm& /*sender*/) {
    m_latencyDirty = true;
    // A kind applied to a sole network shows its Remove entry again.
    m_editor->ApplyChainRules();
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
