#pragma once

#include "NetworkElement.h"

#include <cstdint>
#include <span>
#include <string>

inline constexpr const char* DivisionByZeroMessage = "Floating point division by zero";
inline constexpr const char* FloatOverflowMessage = "Floating point overflow";

// Seconds that one packet of size bytes spends in the element, as a 32-bit float: a node's
// processing time; a network's transmission time (0 where it cannot be computed), the Ethernet
// overhead and its propagation delay. Ethernet at 0 Mbps raises DivisionByZeroMessage.
float ElementDelay(const TNetworkElement& element, std::int32_t size);

struct TLatencyTotals {
    float TotalAtoB = 0;
    float TotalRoundTrip = 0;
    float TotalBtoA = 0;
};

// Computes every element's delays and shares and the three totals over the chain (Node A first,
// Node B last, at least one network between them). Raises "Integer overflow", the division by
// zero or "Floating point overflow"; on an error no element and no total changes.
TLatencyTotals ComputeDelays(std::span<TNetworkElement* const> chain);

// The three cases of the statistics table, in the order of its radio items.
enum TPacketDirection { pdAtoB, pdBtoA, pdRoundTrip };

float ElementDelayFor(const TNetworkElement& element, TPacketDirection direction);
float ElementShareFor(const TNetworkElement& element, TPacketDirection direction);
float TotalFor(const TLatencyTotals& totals, TPacketDirection direction);

// Fixed notation with the given decimals after rounding to 7 significant digits: "0.0053316";
// a value with more than 7 digits before the point in scientific notation.
std::string FormatFixed(double value, int decimals);
// Delays and totals: 7 decimals.
std::string FormatDelay(float seconds);
// A share as a percentage with 1 decimal: "96.3%".
std::string FormatShare(float share);
