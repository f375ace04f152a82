#pragma once

#include "VarnexError.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

// The geometry of the network setup surface and the rules of the chain Node A, networks, Node B.
namespace NetworkChain {

inline constexpr std::size_t MaxElements = 16;
// Elements are square.
inline constexpr int ElementSize = 50;
inline constexpr std::array<int, 4> SlotLefts{8, 75, 143, 210};
inline constexpr std::array<int, 4> SlotTops{8, 72, 136, 200};

inline constexpr const char* ChainFullMessage = "The network chain is full";
inline constexpr const char* NotInChainMessage = "The element is not in the network chain";
inline constexpr const char* AlreadyInChainMessage = "The element is already in the network chain";

enum class TAxis { Horizontal, Vertical };
enum class TDirection { Left, Right };

// The left and top edge of an element on the surface.
struct TSlot {
    int Left = 0;
    int Top = 0;
    friend constexpr bool operator==(TSlot, TSlot) = default;
};

inline constexpr TSlot NodeASlot{8, 8};
inline constexpr TSlot NodeBSlot{210, 200};

// The slot edge a pixel coordinate falls into. The coordinate is read as unsigned, so a negative
// one counts as very large and lands in the last column or row.
int SnapToGrid(int v, TAxis axis);
TSlot SnapToGrid(int x, int y);

// True when one of the positions is exactly this slot.
bool IsSlotTaken(std::span<const TSlot> positions, TSlot slot);
// The first slot none of the positions takes, rows top to bottom and columns left to right.
// Raises an error when all 16 are taken (at most 15 elements always leave one free).
TSlot FreeSlot(std::span<const TSlot> positions);

// Entry k (from 0) of the Remove submenu: "1.  Ethernet (10 Mbps)".
std::string RemoveEntryCaption(std::size_t entry, const std::string& label);

// The order of the chain, where each element lies and which one is selected, with the rules of
// every edit. T stands for an element (the button that shows it); the chain does not own it.
// Between edits: Node A first, Node B last, 1 to 14 networks between, the selection in the chain.
template <typename T> class TNetworkChain {
public:
    TNetworkChain(T nodeA, T nodeB)
        : m_entries{{nodeA, NodeASlot}, {nodeB, NodeBSlot}}
        , m_selected(nodeB) {}

    std::size_t Count() const { return m_entries.size(); }
    std::size_t NetworkCount() const { return Count() - 2; }
    T At(std::size_t position) const { return Entry(position).Element; }
    std::vector<T> Elements() const {
        std::vector<T> elements;
        elements.reserve(Count());
        for (const TEntry& entry : m_entries) {
            elements.push_back(entry.Element);
        }
        return elements;
    }
    std::vector<TSlot> Positions() const {
        std::vector<TSlot> positions;
        positions.reserve(Count());
        for (const TEntry& entry : m_entries) {
            positions.push_back(entry.Position);
        }
        return positions;
    }
    TSlot Position(T element) const { return m_entries[IndexOf(element)].Position; }
    bool Contains(T element) const { return Find(element).has_value(); }
    // Raises an error for an element that is not in the chain.
    std::size_t IndexOf(T element) const {
        const auto position = Find(element);
        if (!position) {
            throw EVarnexError(NotInChainMessage);
        }
        return *position;
    }
    T NodeA() const { return m_entries.front().Element; }
    T NodeB() const { return m_entries.back().Element; }
    bool IsNode(T element) const { return element == NodeA() || element == NodeB(); }

    T Selected() const { return m_selected; }
    void Select(T element) {
        IndexOf(element);
        m_selected = element;
    }

    bool InsertEnabled() const { return Count() < MaxElements; }
    // The Remove submenu and the networks' own Remove entries.
    bool RemoveEntriesVisible() const { return NetworkCount() > 1; }
    // A network moves left unless it is the first, right unless it is the last; nodes never.
    bool MoveLeftEnabled() const {
        const std::size_t p = IndexOf(m_selected);
        return p >= 2 && p != Count() - 1;
    }
    bool MoveRightEnabled() const {
        const std::size_t p = IndexOf(m_selected);
        return p >= 1 && p + 2 < Count();
    }
    // Before the selected element; right after Node A when Node A is selected.
    std::size_t InsertPosition() const { return std::max<std::size_t>(IndexOf(m_selected), 1); }

    bool IsSlotTaken(TSlot slot) const {
        const std::vector<TSlot> positions = Positions();
        return NetworkChain::IsSlotTaken(positions, slot);
    }

    // Puts a new network on the first free slot, into the chain at InsertPosition, and selects
    // it. Returns its position in the chain.
    std::size_t Insert(T network) {
        if (!InsertEnabled()) {
            throw EVarnexError(ChainFullMessage);
        }
        if (Contains(network)) {
            throw EVarnexError(AlreadyInChainMessage);
        }
        const std::vector<TSlot> positions = Positions();
        const TSlot slot = FreeSlot(positions);
        const std::size_t position = InsertPosition();
        m_entries.insert(m_entries.begin() + static_cast<std::ptrdiff_t>(position),
                         TEntry{network, slot});
        m_selected = network;
        return position;
    }

    // Takes a network out of the chain and selects the element that followed it, whichever was
    // selected before. Returns the position it had, or nothing when the removal is refused: the
    // sole network and the nodes stay.
    std::optional<std::size_t> Remove(T network) {
        const std::size_t position = IndexOf(network);
        if (IsNode(network) || NetworkCount() <= 1) {
            return std::nullopt;
        }
        m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(position));
        m_selected = m_entries[position].Element;
        return position;
    }

    // Exchanges the selected network with its neighbour, in the chain and on the surface. Returns
    // the neighbour, or nothing when the selection is a node or the neighbour is one.
    std::optional<T> Move(TDirection direction) {
        if (!(direction == TDirection::Left ? MoveLeftEnabled() : MoveRightEnabled())) {
            return std::nullopt;
        }
        const std::size_t i = IndexOf(m_selected);
        const std::size_t j = direction == TDirection::Left ? i - 1 : i + 1;
        std::swap(m_entries[i].Position, m_entries[j].Position);
        std::swap(m_entries[i], m_entries[j]);
        return m_entries[i].Element;
    }

    // Moves a network to the slot under the point; the order stays. Nodes are never dragged.
    // True when the network changed its slot.
    bool DragTo(T network, int x, int y) {
        const std::size_t position = IndexOf(network);
        if (IsNode(network)) {
            return false;
        }
        const TSlot slot = SnapToGrid(x, y);
        if (m_entries[position].Position == slot) {
            return false;
        }
        m_entries[position].Position = slot;
        return true;
    }

    // Puts an element anywhere, as stored settings may say.
    void SetPosition(T element, TSlot slot) { m_entries[IndexOf(element)].Position = slot; }

    // Leaves Node A, the fresh network and Node B, the fresh one selected. The fresh network is
    // placed while the last old one still takes its slot. Returns the old networks in the order
    // they were taken out.
    std::vector<T> Reset(T fresh) {
        if (Contains(fresh)) {
            throw EVarnexError(AlreadyInChainMessage);
        }
        std::vector<T> removed;
        while (Count() > 3) {
            removed.push_back(At(1));
            Remove(At(1));
        }
        m_selected = NodeB();
        Insert(fresh);
        removed.push_back(At(1));
        Remove(At(1));
        return removed;
    }

private:
    struct TEntry {
        T Element;
        TSlot Position;
    };

    const TEntry& Entry(std::size_t position) const {
        if (position >= m_entries.size()) {
            throw EVarnexError(RangeCheckMessage);
        }
        return m_entries[position];
    }
    std::optional<std::size_t> Find(T element) const {
        const auto found =
            std::find_if(m_entries.begin(), m_entries.end(),
                         [&](const TEntry& entry) { return entry.Element == element; });
        if (found == m_entries.end()) {
            return std::nullopt;
        }
        return static_cast<std::size_t>(found - m_entries.begin());
    }

    std::vector<TEntry> m_entries;
    T m_selected;
};

} // namespace NetworkChain
