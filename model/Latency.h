#pragma once

#include "NetworkElement.h"

#include <cstdint>
#include <span>
#include <string>

inline constexpr const char* DivisionByZeroMessage = "Floating point division by zero";
inline constexpr const char* FloatOverflowMessage = "Floating point overflow";
// Only a bandwidth that is not a number reaches it; neither the dialog nor the settings let one in.
inline constexpr const char* InvalidFloatOperationMessage = "Invalid floating point operation";

// Seconds that one packet of size bytes spends in the element, as a 32-bit float: a node's
// processing time; a network's transmission time (0 where it cannot be computed), the Ethernet
// overhead and its propagation delay. Ethernet at 0 Mbps raises DivisionByZeroMessage; an
// Ethernet overhead or a result beyond the float range raises FloatOverflowMessage.
float ElementDelay(const TNetworkElement& element, std::int32_t size);

struct TLatencyTotals {
    float TotalAtoB = 0;
    float TotalRoundTrip = 0;
    float TotalBtoA = 0;
    friend bool operator==(const TLatencyTotals&, const TLatencyTotals&) = default;
};

// Computes every element's delays and shares and the three totals over the chain (Node A first,
// Node B last, the networks between them). Raises "Integer overflow", the division by zero or
// "Floating point overflow", and "Range check error" for a chain without both nodes; on an error
// no element changes and nothing is returned.
TLatencyTotals ComputeDelays(std::span<TNetworkElement* const> chain);

// The three cases of the statistics table, in the order of its radio items.
enum TPacketDirection { pdAtoB, pdBtoA, pdRoundTrip };

float ElementDelayFor(const TNetworkElement& element, TPacketDirection direction);
float ElementShareFor(const TNetworkElement& element, TPacketDirection direction);
float TotalFor(const TLatencyTotals& totals, TPacketDirection direction);

// Fixed notation with the given decimals after rounding to 7 significant digits: "0.0053316";
// a value with more than 7 digits before the point in scientific notation with 7 significant
// digits: "1.234568E+07". "." is the separator in every locale; a value that rounds to zero has
// no sign. A value that is not finite raises FloatOverflowMessage.
std::string FormatFixed(double value, int decimals);
// Delays and totals: 7 decimals.
std::string FormatDelay(float seconds);
// A share as a percentage with 1 decimal: "96.3%".
std::string FormatShare(float share);
