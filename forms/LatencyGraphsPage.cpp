#include "LatencyGraphsPage.h"

#include "CopyGlyph.h"
#include "Feedback.h"
#include "KorvexPanels.h"
#include "RainbowBar.h"
#include "VarnexError.h"
#include "ui_LatencyGraphsPage.h"

namespace {

using TUi = Ui::TLatencyGraphsPage;

struct TLegendMembers {
    QLabel* TUi::*label;
    TKorvexCustomPanel* TUi::*swatch;
};

// The legend rows from top to bottom, in the order of the stripe colours.
constexpr std::array<TLegendMembers, LegendPairCount> LegendMembers = {{
    {&TUi::RedLabel, &TUi::RedPanel},
    {&TUi::YellowLabel, &TUi::YellowPanel},
    {&TUi::LimeLabel, &TUi::LimePanel},
    {&TUi::BlueLabel, &TUi::BluePanel},
    {&TUi::PurpleLabel, &TUi::PurplePanel},
    {&TUi::BlackLabel, &TUi::BlackPanel},
    {&TUi::MaroonLabel, &TUi::MaroonPanel},
    {&TUi::GreenLabel, &TUi::GreenPanel},
    {&TUi::OliveLabel, &TUi::OlivePanel},
    {&TUi::NavyLabel, &TUi::NavyPanel},
    {&TUi::TealLabel, &TUi::TealPanel},
    {&TUi::GrayLabel, &TUi::GrayPanel},
    {&TUi::SilverLabel, &TUi::SilverPanel},
    {&TUi::FuchsiaLabel, &TUi::FuchsiaPanel},
    {&TUi::AquaLabel, &TUi::AquaPanel},
    {&TUi::WhiteLabel, &TUi::WhitePanel},
}};

constexpr int LegendLabelWidth = 105;

} // namespace

TLatencyGraphsPage::TLatencyGraphsPage(QWidget* parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::TLatencyGraphsPage>()) {
    ui->setupUi(this);
    UseCopyGlyph(ui->CopyLatencyGraphsButton);
    ui->LatencyGraphsCanvasPanel->SetBevelOuter(TKorvexCustomPanel::bvNone);
    // The headings take the width of their texts, which may reach past their bar.
    for (QLabel* heading : {ui->Label42, ui->Label43, ui->Label44}) {
        heading->adjustSize();
    }
    for (int i = 0; i < LegendPairCount; ++i) {
        m_legendList[i] = {(*ui).*LegendMembers[i].label, (*ui).*LegendMembers[i].swatch};
        // The swatches repeat the stripes' colours, which no theme changes.
        m_legendList[i].Swatch->SetColor(QColor::fromRgb(DefaultStripeColors[i]));
    }
    connect(ui->CopyLatencyGraphsButton, &QToolButton::clicked, this,
            Feedback::Guard([this] { CopyLatencyGraphsButtonClick(); }));
}

TLatencyGraphsPage::~TLatencyGraphsPage() = default;

void TLatencyGraphsPage::ShowGraphs(std::span<const TNetworkElement* const> chain) {
    if (chain.size() > m_legendList.size()) {
        throw EVarnexError(RangeCheckMessage);
    }
    const int count = static_cast<int>(chain.size());
    for (int i = 0; i < LegendPairCount; ++i) {
        const TLegendPair& pair = m_legendList[i];
        const bool used = i < count;
        if (used) {
            pair.Label->setText(QString::fromStdString(chain[i]->Label));
            pair.Label->resize(LegendLabelWidth, pair.Label->height());
        }
        pair.Label->setVisible(used);
        pair.Swatch->setVisible(used);
    }
    const auto numStripes = static_cast<std::uint8_t>(count);
    for (TRainbowBar* bar : {ui->RainbowBarA, ui->RainbowBarB, ui->RainbowBarAB}) {
        bar->SetNumStripes(numStripes);
    }
    for (int i = 0; i < count; ++i) {
        ui->RainbowBarA->Stripes(i).SetValue(chain[i]->ShareAtoB);
        ui->RainbowBarB->Stripes(i).SetValue(chain[i]->ShareBtoA);
        ui->RainbowBarAB->Stripes(i).SetValue(chain[i]->ShareRoundTrip);
    }
}

void TLatencyGraphsPage::CopyLatencyGraphsButtonClick() {
    TCanvasPanel* panel = ui->LatencyGraphsCanvasPanel;
    ui->CopyLatencyGraphsButton->hide();
    panel->repaint();
    panel->CopyRectToClipboard(panel->rect());
    ui->CopyLatencyGraphsButton->show();
}

QToolButton* TLatencyGraphsPage::CopyLatencyGraphsButton() const {
    return ui->CopyLatencyGraphsButton;
}

TCanvasPanel* TLatencyGraphsPage::LatencyGraphsCanvasPanel() const {
    return ui->LatencyGraphsCanvasPanel;
}
