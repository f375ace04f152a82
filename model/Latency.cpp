#include "Latency.h"

#include "VarnexError.h"

#include <array>
#include <charconv>
#include <cmath>
#include <vector>

namespace {

constexpr double BytesPerSecondPerMbps = 125000.0;
constexpr double BitsPerSecondPerMbps = 1000000.0;
constexpr double EthernetOverheadBits = 160.0;
constexpr double SecondsPerMillisecond = 0.001;

// Doubles from here on round to infinity as a 32-bit float: halfway between the largest float
// and 2^128, where ties go to the even neighbour, which is infinity.
constexpr double FloatOverflowThreshold = 0x1.ffffffp+127;

bool FitsFloat(double value) {
    return std::isfinite(value) && std::fabs(value) < FloatOverflowThreshold;
}

// A result rounded to a 32-bit float as it is stored. Checked before the conversion, which is
// undefined behaviour for a value beyond the float range.
float Stored(double value) {
    if (std::isnan(value)) {
        throw EVarnexError(InvalidFloatOperationMessage);
    }
    if (!FitsFloat(value)) {
        throw EVarnexError(FloatOverflowMessage);
    }
    return static_cast<float>(value);
}

// A transmission time that cannot be computed counts as none at all.
float TransmissionTime(double bandwidth, std::int32_t size) {
    const double quotient = size / (bandwidth * BytesPerSecondPerMbps);
    return FitsFloat(quotient) ? static_cast<float>(quotient) : 0.0f;
}

float EthernetOverhead(double bandwidth, float transmission) {
    const double bitRate = bandwidth * BitsPerSecondPerMbps;
    if (std::isnan(bitRate)) {
        throw EVarnexError(InvalidFloatOperationMessage);
    }
    if (bitRate == 0) {
        throw EVarnexError(DivisionByZeroMessage);
    }
    return Stored(EthernetOverheadBits / bitRate + transmission);
}

float Added(float total, float delay) {
    return Stored(static_cast<double>(total) + delay);
}

struct TElementResults {
    float DelayAtoB = 0;
    float DelayRoundTrip = 0;
    float DelayBtoA = 0;
    float ShareAtoB = 0;
    float ShareRoundTrip = 0;
    float ShareBtoA = 0;
};

// An element's three shares, all 0 when any of the divisions fails.
void ComputeShares(TElementResults& results, const TLatencyTotals& totals) {
    const std::array<double, 3> quotients = {
        static_cast<double>(results.DelayAtoB) / totals.TotalAtoB,
        static_cast<double>(results.DelayRoundTrip) / totals.TotalRoundTrip,
        static_cast<double>(results.DelayBtoA) / totals.TotalBtoA};
    for (double quotient : quotients) {
        if (!FitsFloat(quotient)) {
            results.ShareAtoB = results.ShareRoundTrip = results.ShareBtoA = 0;
            return;
        }
    }
    results.ShareAtoB = static_cast<float>(quotients[0]);
    results.ShareRoundTrip = static_cast<float>(quotients[1]);
    results.ShareBtoA = static_cast<float>(quotients[2]);
}

void Store(TNetworkElement& element, const TElementResults& results) {
    element.DelayAtoB = results.DelayAtoB;
    element.DelayRoundTrip = results.DelayRoundTrip;
    element.DelayBtoA = results.DelayBtoA;
    element.ShareAtoB = results.ShareAtoB;
    element.ShareRoundTrip = results.ShareRoundTrip;
    element.ShareBtoA = results.ShareBtoA;
}

// The value rounded to 7 significant digits: the digits, the exponent of the first one and the
// sign.
struct TSignificantDigits {
    std::array<char, 7> digits{};
    int exponent = 0;
    bool negative = false;
};

TSignificantDigits SevenSignificantDigits(double value) {
    // "-1.234568e+07": to_chars ignores the C locale, which Qt sets from the environment.
    std::array<char, 32> buffer{};
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                   std::chars_format::scientific, 6)
                         .ptr;
    TSignificantDigits result;
    const char* p = buffer.data();
    if (*p == '-') {
        result.negative = true;
        ++p;
    }
    result.digits[0] = *p;
    p += 2;
    for (std::size_t i = 1; i < result.digits.size(); ++i) {
        result.digits[i] = *p++;
    }
    ++p; // 'e'
    const bool negativeExponent = *p == '-';
    std::from_chars(p + 1, end, result.exponent);
    if (negativeExponent) {
        result.exponent = -result.exponent;
    }
    return result;
}

std::string ScientificText(const TSignificantDigits& number) {
    std::string text = number.negative ? "-" : "";
    text += number.digits[0];
    text += '.';
    text.append(number.digits.begin() + 1, number.digits.end());
    text += number.exponent < 0 ? "E-" : "E+";
    const int magnitude = std::abs(number.exponent);
    if (magnitude < 10) {
        text += '0';
    }
    text += std::to_string(magnitude);
    return text;
}

// Adds one to a string of decimal digits.
void Increment(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

} // namespace

float ElementDelay(const TNetworkElement& element, std::int32_t size) {
    if (IsNode(element.NetworkButtonKind)) {
        return Stored(element.ProcessTime * SecondsPerMillisecond);
    }
    float transmission = TransmissionTime(element.Bandwidth, size);
    if (element.NetworkButtonKind == nbEthernet) {
        transmission = EthernetOverhead(element.Bandwidth, transmission);
    }
    return Stored(element.PropDelay * SecondsPerMillisecond + transmission);
}

TLatencyTotals ComputeDelays(std::span<TNetworkElement* const> chain) {
    if (chain.size() < 2) {
        throw EVarnexError(RangeCheckMessage);
    }
    const TNetworkElement& nodeA = *chain.front();
    const TNetworkElement& nodeB = *chain.back();
    const std::int32_t a = nodeA.PacketSize;
    const std::int32_t b = nodeB.PacketSize;
    const std::int32_t c = CheckedAdd(a, b);

    // Everything goes to a scratch copy first, so that an error leaves the elements as they were.
    TLatencyTotals totals;
    std::vector<TElementResults> results(chain.size());
    for (std::size_t i = 1; i + 1 < chain.size(); ++i) {
        const TNetworkElement& network = *chain[i];
        TElementResults& r = results[i];
        r.DelayAtoB = ElementDelay(network, a);
        totals.TotalAtoB = Added(totals.TotalAtoB, r.DelayAtoB);
        const bool twoTransfers =
            network.NetworkButtonKind == nbEthernet || network.NetworkButtonKind == nbSatellite;
        r.DelayRoundTrip =
            twoTransfers
                ? Stored(static_cast<double>(ElementDelay(network, a)) + ElementDelay(network, b))
                : ElementDelay(network, c);
        totals.TotalRoundTrip = Added(totals.TotalRoundTrip, r.DelayRoundTrip);
        r.DelayBtoA = ElementDelay(network, b);
        totals.TotalBtoA = Added(totals.TotalBtoA, r.DelayBtoA);
    }

    TElementResults& first = results.front();
    first.DelayAtoB = ElementDelay(nodeA, a);
    totals.TotalAtoB = Added(totals.TotalAtoB, first.DelayAtoB);
    first.DelayRoundTrip = ElementDelay(nodeA, a);
    totals.TotalRoundTrip = Added(totals.TotalRoundTrip, first.DelayRoundTrip);

    TElementResults& last = results.back();
    last.DelayRoundTrip = ElementDelay(nodeB, b);
    totals.TotalRoundTrip = Added(totals.TotalRoundTrip, last.DelayRoundTrip);
    last.DelayBtoA = ElementDelay(nodeB, b);
    totals.TotalBtoA = Added(totals.TotalBtoA, last.DelayBtoA);

    for (TElementResults& r : results) {
        ComputeShares(r, totals);
    }
    for (std::size_t i = 0; i < chain.size(); ++i) {
        Store(*chain[i], results[i]);
    }
    return totals;
}

float ElementDelayFor(const TNetworkElement& element, TPacketDirection direction) {
    switch (direction) {
    case pdAtoB:
        return element.DelayAtoB;
    case pdBtoA:
        return element.DelayBtoA;
    case pdRoundTrip:
        return element.DelayRoundTrip;
    }
    throw EVarnexError(RangeCheckMessage);
}

float ElementShareFor(const TNetworkElement& element, TPacketDirection direction) {
    switch (direction) {
    case pdAtoB:
        return element.ShareAtoB;
    case pdBtoA:
        return element.ShareBtoA;
    case pdRoundTrip:
        return element.ShareRoundTrip;
    }
    throw EVarnexError(RangeCheckMessage);
}

float TotalFor(const TLatencyTotals& totals, TPacketDirection direction) {
    switch (direction) {
    case pdAtoB:
        return totals.TotalAtoB;
    case pdBtoA:
        return totals.TotalBtoA;
    case pdRoundTrip:
        return totals.TotalRoundTrip;
    }
    throw EVarnexError(RangeCheckMessage);
}

std::string FormatFixed(double value, int decimals) {
    if (!std::isfinite(value)) {
        throw EVarnexError(FloatOverflowMessage);
    }
    if (decimals < 0 || decimals > 18) {
        throw EVarnexError(RangeCheckMessage);
    }
    const TSignificantDigits number = SevenSignificantDigits(value);
    const int integerDigits = number.exponent + 1;
    if (integerDigits > static_cast<int>(number.digits.size())) {
        return ScientificText(number);
    }
    // The digits of round(|value| * 10^decimals), taken from the seven and rounded half up.
    const int kept = integerDigits + decimals;
    const int available = static_cast<int>(number.digits.size());
    std::string digits;
    if (kept >= available) {
        digits.assign(number.digits.begin(), number.digits.end());
        digits.append(kept - available, '0');
    } else if (kept >= 0) {
        digits.assign(number.digits.begin(), number.digits.begin() + kept);
        if (number.digits[kept] >= '5') {
            Increment(digits);
        }
    }
    if (digits.size() < static_cast<std::size_t>(decimals) + 1) {
        digits.insert(0, decimals + 1 - digits.size(), '0');
    }
    const bool zero = digits.find_first_not_of('0') == std::string::npos;
    std::string text = number.negative && !zero ? "-" : "";
    text.append(digits, 0, digits.size() - decimals);
    if (decimals > 0) {
        text += '.';
        text.append(digits, digits.size() - decimals);
    }
    return text;
}

std::string FormatDelay(float seconds) {
    return FormatFixed(seconds, 7);
}

std::string FormatShare(float share) {
    return FormatFixed(static_cast<double>(share) * 100, 1) + "%";
}
