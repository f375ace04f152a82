#pragma once

#include "NetworkElement.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// The tables behind the properties dialog: what each kind offers and what each topology picks.

// The 14 topology items, in list order: "56-Switched" ... "X.25".
std::span<const char* const> TopologyItems();
// The 17 bandwidths (Mbps) the dialog's list holds before it is first laid out for a kind.
std::span<const char* const> DesignBandwidthItems();
// The bandwidths (Mbps) offered for a kind; empty for nodes, nbISDN and nbUnknownNetwork.
std::span<const char* const> BandwidthItems(TNetworkButtonKind kind);

// The propagation delay (ms) that laying the dialog out for a kind sets, or none when the kind
// leaves the current value unchanged.
std::optional<std::int32_t> DefaultPropDelay(TNetworkButtonKind kind);
// LANs whose propagation delay is negligible: the delay is 0 and cannot be edited.
bool IsPropDelayDisabled(TNetworkButtonKind kind);

// What picking a topology item means. `Bandwidth` is the item to select after the list was
// rebuilt for `Kind`; none for typed names, whose bandwidth text becomes "0".
struct TTopologyChoice {
    TNetworkButtonKind Kind = nbOther;
    const char* Bandwidth = nullptr;
};
// Any index outside the 14 items (-1 while typing, or a typed name's own item) is a typed name.
TTopologyChoice TopologyChoice(int index);

// Letter case is ignored for ASCII letters; other characters must match exactly.
bool EqualIgnoringCase(std::string_view a, std::string_view b);
// The first position of text in items ignoring case, or -1.
int FindIgnoringCase(std::span<const std::string> items, std::string_view text);
