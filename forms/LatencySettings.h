#pragma once

class TLatencyCalcPanel;
class TSettingsStore;

// The latency chain in the settings store: Node A and Node B as node records, the networks in
// chain order as network records with their names.
namespace LatencySettings {

// Node A's and Node B's packet sizes when nothing is stored.
inline constexpr int FirstRunPacketSizeA = 64;
inline constexpr int FirstRunPacketSizeB = 1024;

// The number of stored networks the chain takes, 0 to 14, whatever the store holds.
int StoredNetworkCount(const TSettingsStore& store);

// Restores the nodes' values and appends the stored networks before Node B. A value that is
// missing or damaged leaves the element as it would be without it; a chain left without a
// network gets a fresh one, as on a first run.
void LoadChain(const TSettingsStore& store, TLatencyCalcPanel& panel);

void SaveChain(TSettingsStore& store, const TLatencyCalcPanel& panel);

} // namespace LatencySettings
