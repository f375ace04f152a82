#include "NetworkChain.h"

#include <cstdint>

namespace NetworkChain {

int SnapToGrid(int v, TAxis axis) {
    const auto u = static_cast<std::uint32_t>(v);
    if (axis == TAxis::Horizontal) {
        return u < 67 ? 8 : u < 134 ? 75 : u < 201 ? 143 : 210;
    }
    return u < 65 ? 8 : u < 130 ? 72 : u < 195 ? 136 : 200;
}

TSlot SnapToGrid(int x, int y) {
    return {SnapToGrid(x, TAxis::Horizontal), SnapToGrid(y, TAxis::Vertical)};
}

bool IsSlotTaken(std::span<const TSlot> positions, TSlot slot) {
    return std::find(positions.begin(), positions.end(), slot) != positions.end();
}

TSlot FreeSlot(std::span<const TSlot> positions) {
    for (const int top : SlotTops) {
        for (const int left : SlotLefts) {
            if (!IsSlotTaken(positions, {left, top})) {
                return {left, top};
            }
        }
    }
    throw EVarnexError(ChainFullMessage);
}

std::string RemoveEntryCaption(std::size_t entry, const std::string& label) {
    return std::to_string(entry + 1) + ".  " + label;
}

} // namespace NetworkChain
