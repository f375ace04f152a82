#pragma once

#include "Latency.h"

#include <QWidget>
#include <functional>
#include <memory>
#include <span>

class QToolButton;
class TSuperStringGrid;

namespace Ui {
class TLatencyStatsPage;
}

// The "Latency Statistics" page: the packet direction, the copy button and the table of every
// element's delay and share in that direction. The owner computes the delays and asks for the
// table; a click on a direction goes to the owner, which refills.
class TLatencyStatsPage : public QWidget {
    Q_OBJECT

public:
    using ClickHandler = std::function<void()>;

    explicit TLatencyStatsPage(QWidget* parent = nullptr);
    ~TLatencyStatsPage() override;

    // The checked item of the radio group: 0 A to B, 1 B to A, 2 round trip.
    TPacketDirection PacketDirection() const;

    // One row per element in chain order after the header row, then the totals; every column
    // fitted to its texts.
    void FillTable(std::span<const TNetworkElement* const> chain, const TLatencyTotals& totals);

    void CopyLatencyStatsButtonClick();

    const ClickHandler& OnPacketDirRadioGroupClick() const { return m_onPacketDirRadioGroupClick; }
    void SetOnPacketDirRadioGroupClick(ClickHandler handler) {
        m_onPacketDirRadioGroupClick = std::move(handler);
    }

    QToolButton* CopyLatencyStatsButton() const;
    TSuperStringGrid* LatencyStatsStringGrid() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void PacketDirRadioGroupClick();

    std::unique_ptr<Ui::TLatencyStatsPage> ui;
    ClickHandler m_onPacketDirRadioGroupClick;
};
