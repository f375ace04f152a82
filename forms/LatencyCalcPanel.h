#pragma once

#include "CalculatorShell.h"
#include "Latency.h"

#include <QList>
#include <QPointer>
#include <QTabWidget>
#include <memory>
#include <vector>

class TNetworkButton;
class TNetworkButtonForm;
class TNetworkSetupEditor;

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

    // Node A, the networks in chain order, Node B.
    QList<TNetworkButton*> NetworkList() const;
    TNetworkButton& SelectedNetwork() const;
    void SelectNetwork(TNetworkButton& element);
    // Inserts a fresh network before the selected element and selects it.
    TNetworkButton& NewNetworkButtonClick();
    TNetworkSetupEditor& NetworkSetupEditor() const { return *m_editor; }
    // The properties dialog, owned by the main window. It is made when first needed: when the
    // stored chain is synchronised with it, or for the first Properties command.
    TNetworkButtonForm& NetworkButtonForm();
    // The stored chain keeps no topology index: the first `restoredNetworks` networks find
    // theirs in the dialog's topology list again, names typed in an earlier run joining it.
    void SyncDialogWithNetworks(int restoredNetworks);
    void NetworkButtonFormApply(TNetworkButtonForm& sender);
    // Set by every change that makes the computed delays stale.
    bool LatencyDirty() const { return m_latencyDirty; }
    void SetLatencyDirty(bool dirty) { m_latencyDirty = dirty; }
    // Brings every element's delays and shares and the totals up to date when LatencyDirty is
    // set. An error leaves the previous results and LatencyDirty set, so the next visit retries.
    void ComputeLatency();
    const TLatencyTotals& Totals() const { return m_totals; }

    void NetworkSetupTabSheetEnter();
    void NetworkSetupTabSheetExit();
    void LatencyStatsTabSheetEnter();
    // The exit action of the statistics page and of the graphs page.
    void LatencyStatsTabSheetExit();
    void LatencyGraphsTabSheetEnter();

    QWidget* Panel() override { return this; }
    QTabWidget* PageControl() override { return this; }
    void SetShell(ICopyTargetHost* shell) override { m_shell = shell; }
    // Where the saved chain comes from; without one the calculator starts with its first-run
    // chain.
    void SetSettingsHost(ISettingsHost* host) { m_settingsHost = host; }
    void PageChanging(QWidget* page) override;
    void PageChange(QWidget* page) override;
    void PageExit(QWidget* page) override;
    void PageEnter(QWidget* page) override;

private:
    void ApplyFirstRunChain();
    // The values of the elements in chain order.
    std::vector<TNetworkElement*> ChainElements() const;

    std::unique_ptr<Ui::TLatencyCalcPanel> ui;
    ICopyTargetHost* m_shell = nullptr;
    ISettingsHost* m_settingsHost = nullptr;
    // Goes before the page's controls, which outlive it by the base class's destructor.
    std::unique_ptr<TNetworkSetupEditor> m_editor;
    bool m_latencyDirty = false;
    TLatencyTotals m_totals;
    QPointer<TNetworkButtonForm> m_networkButtonForm;
};
