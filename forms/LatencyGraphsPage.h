#pragma once

#include "NetworkElement.h"

#include <QWidget>
#include <array>
#include <memory>
#include <span>

class QLabel;
class QToolButton;
class TCanvasPanel;
class TKorvexCustomPanel;
class TRainbowBar;

namespace Ui {
class TLatencyGraphsPage;
}

inline constexpr int LegendPairCount = 16;

// One legend row: the label naming an element and the swatch of its stripe colour.
struct TLegendPair {
    QLabel* Label = nullptr;
    TKorvexCustomPanel* Swatch = nullptr;
};

// The "Latency Graphs" page: one stacked bar per packet direction, a stripe per element of the
// chain as tall as its share, and the legend naming the element behind every colour.
class TLatencyGraphsPage : public QWidget {
    Q_OBJECT

public:
    explicit TLatencyGraphsPage(QWidget* parent = nullptr);
    ~TLatencyGraphsPage() override;

    // Pair i stands for the element at chain position i, in the colours of the stripes.
    const std::array<TLegendPair, LegendPairCount>& LegendList() const { return m_legendList; }

    // Legend rows and stripes for the elements' computed shares. More elements than legend
    // rows raise "Range check error" before anything changes.
    void ShowGraphs(std::span<const TNetworkElement* const> chain);

    // The whole panel as one picture, without the copy button in it.
    void CopyLatencyGraphsButtonClick();

    QToolButton* CopyLatencyGraphsButton() const;
    TCanvasPanel* LatencyGraphsCanvasPanel() const;

private:
    std::unique_ptr<Ui::TLatencyGraphsPage> ui;
    std::array<TLegendPair, LegendPairCount> m_legendList;
};
