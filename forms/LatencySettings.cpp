#include "LatencySettings.h"

#include "LatencyCalcPanel.h"
#include "LatencyRecords.h"
#include "NetworkButton.h"
#include "NetworkChain.h"
#include "NetworkSetupEditor.h"
#include "SettingsStore.h"

#include <QByteArray>
#include <algorithm>
#include <span>

namespace LatencySettings {

namespace {

const QString NodeAValue = QStringLiteral("NodeA");
const QString NodeBValue = QStringLiteral("NodeB");
const QString NumNetworksValue = QStringLiteral("NumNetworks");

QString NetworkValue(int index) {
    return QStringLiteral("Network%1").arg(index);
}

QString NetworkNameValue(int index) {
    return QStringLiteral("Network%1Name").arg(index);
}

std::span<const std::uint8_t> Bytes(const QByteArray& value) {
    return {reinterpret_cast<const std::uint8_t*>(value.constData()),
            static_cast<std::size_t>(value.size())};
}

template <std::size_t N> QByteArray ToByteArray(const std::array<std::uint8_t, N>& bytes) {
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(N));
}

void LoadNode(const TSettingsStore& store, const QString& name, TNetworkButton& node) {
    TNetworkElement& element = node.Element();
    const TNodeRecord current{element.PacketSize, element.ProcessTime};
    const std::optional<QByteArray> stored = store.ReadBinary(name);
    const TNodeRecord record =
        SanitisedNodeRecord(stored ? DecodeNodeRecord(Bytes(*stored), current) : current);
    element.PacketSize = record.PacketSize;
    element.ProcessTime = record.ProcessTime;
}

// A position off the surface would leave the element out of reach: it is brought back inside,
// anything on the surface is kept as stored, off the grid included.
QPoint ReachablePosition(const TNetworkButton& network, std::int32_t left, std::int32_t top) {
    const QWidget* surface = network.parentWidget();
    const int right = std::max(0, surface->width() - network.width());
    const int bottom = std::max(0, surface->height() - network.height());
    return {std::clamp<std::int32_t>(left, 0, right), std::clamp<std::int32_t>(top, 0, bottom)};
}

TNetworkRecord RecordOf(const TNetworkButton& network) {
    TNetworkRecord record;
    record.Bandwidth = network.Element().Bandwidth;
    record.Left = network.x();
    record.Kind = network.NetworkButtonKind();
    record.PropDelay = network.Element().PropDelay;
    record.Top = network.y();
    return record;
}

void LoadNetwork(const TSettingsStore& store, int index, TLatencyCalcPanel& panel) {
    panel.SelectNetwork(*panel.NetworkList().back());
    TNetworkButton& network = panel.NewNetworkButtonClick();
    // What the record does not hold stays as the fresh network has it.
    const TNetworkRecord fallback = RecordOf(network);
    const std::optional<QByteArray> stored = store.ReadBinary(NetworkValue(index));
    const TNetworkRecord record =
        SanitisedNetworkRecord(stored ? DecodeNetworkRecord(Bytes(*stored), fallback) : fallback);
    const QString name = store.ReadString(NetworkNameValue(index)).value_or(QString());

    network.Element().Bandwidth = record.Bandwidth;
    network.SetNetworkButtonKind(NetworkKindFromOrdinal(record.Kind));
    network.SetNetworkName(name);
    network.SetLabel(QString::fromStdString(NetworkLabel(name.toStdString(), record.Bandwidth)));
    network.Element().PropDelay = record.PropDelay;
    panel.NetworkSetupEditor().SetNetworkPosition(
        network, ReachablePosition(network, record.Left, record.Top));
}

} // namespace

int StoredNetworkCount(const TSettingsStore& store) {
    constexpr auto MaxNetworks = static_cast<qint64>(NetworkChain::MaxElements - 2);
    return static_cast<int>(
        std::clamp<qint64>(store.ReadInteger(NumNetworksValue).value_or(0), 0, MaxNetworks));
}

void LoadChain(const TSettingsStore& store, TLatencyCalcPanel& panel) {
    const QList<TNetworkButton*> nodes = panel.NetworkList();
    // A node whose record is missing keeps what a first run gives it.
    nodes.front()->Element().PacketSize = FirstRunPacketSizeA;
    nodes.back()->Element().PacketSize = FirstRunPacketSizeB;
    LoadNode(store, NodeAValue, *nodes.front());
    LoadNode(store, NodeBValue, *nodes.back());
    const int count = StoredNetworkCount(store);
    for (int index = 1; index <= count; ++index) {
        LoadNetwork(store, index, panel);
    }
    if (count == 0) {
        panel.SelectNetwork(*nodes.back());
        panel.NewNetworkButtonClick();
    }
    // A restored kind shows the Remove entry even on a sole network.
    panel.NetworkSetupEditor().ApplyChainRules();
}

void SaveChain(TSettingsStore& store, const TLatencyCalcPanel& panel) {
    const QList<TNetworkButton*> chain = panel.NetworkList();
    const auto saveNode = [&store](const QString& name, const TNetworkButton& node) {
        store.WriteBinary(name, ToByteArray(EncodeNodeRecord(
                                    {node.Element().PacketSize, node.Element().ProcessTime})));
    };
    saveNode(NodeAValue, *chain.front());
    saveNode(NodeBValue, *chain.back());
    const int count = static_cast<int>(chain.size()) - 2;
    store.WriteInteger(NumNetworksValue, count);
    for (int index = 1; index <= count; ++index) {
        const TNetworkButton& network = *chain[index];
        store.WriteBinary(NetworkValue(index), ToByteArray(EncodeNetworkRecord(RecordOf(network))));
        store.WriteString(NetworkNameValue(index), network.NetworkName());
    }
}

} // namespace LatencySettings
