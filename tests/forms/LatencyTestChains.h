#pragma once

#include "Latency.h"

#include <vector>

// Chains of element values for the latency pages, with the pointer spans the pages and the
// computation take. Values are written out here, apart from the code under test.
class TTestChain {
public:
    explicit TTestChain(std::vector<TNetworkElement> values)
        : m_elements(std::move(values)) {
        for (TNetworkElement& element : m_elements) {
            m_pointers.push_back(&element);
            m_constPointers.push_back(&element);
        }
    }
    TTestChain(const TTestChain&) = delete;
    TTestChain& operator=(const TTestChain&) = delete;

    TLatencyTotals Compute() { return ComputeDelays(m_pointers); }
    std::span<const TNetworkElement* const> Span() const { return m_constPointers; }
    TNetworkElement& operator[](std::size_t i) { return m_elements[i]; }
    std::size_t size() const { return m_elements.size(); }

    static TNetworkElement Node(TNetworkButtonKind kind, std::string name, std::int32_t packetSize,
                                std::int32_t processTime) {
        TNetworkElement node;
        node.NetworkButtonKind = kind;
        node.NetworkName = std::move(name);
        node.PacketSize = packetSize;
        node.ProcessTime = processTime;
        node.Label = ElementLabel(node);
        return node;
    }
    static TNetworkElement Network(TNetworkButtonKind kind, std::string name, double bandwidth,
                                   std::int32_t propDelay) {
        TNetworkElement network;
        network.NetworkButtonKind = kind;
        network.NetworkName = std::move(name);
        network.Bandwidth = bandwidth;
        network.PropDelay = propDelay;
        network.Label = ElementLabel(network);
        return network;
    }

    // Node A 64 bytes 5 ms; Ethernet 10 Mbps; T1 1.544 Mbps 5 ms; Satellite 0.512 Mbps 270 ms;
    // Node B 1024 bytes 20 ms.
    static std::vector<TNetworkElement> Example() {
        return {Node(nbDesktopCPU, "Node A", 64, 5), Network(nbEthernet, "Ethernet", 10, 0),
                Network(nbTCarrier, "T1", 1.544, 5), Network(nbSatellite, "Satellite", 0.512, 270),
                Node(nbTowerCPU, "Node B", 1024, 20)};
    }
    // The first start: Node A, a fresh network, Node B, every delay 0.
    static std::vector<TNetworkElement> Default() {
        TNetworkElement fresh;
        return {Node(nbDesktopCPU, "Node A", 64, 0), fresh, Node(nbTowerCPU, "Node B", 1024, 0)};
    }
    // Node A, 14 networks of 10 ms each, Node B: in the round trip every element has 1/16.
    static std::vector<TNetworkElement> Sixteen() {
        std::vector<TNetworkElement> values{Node(nbDesktopCPU, "Node A", 64, 10)};
        for (int i = 1; i <= 14; ++i) {
            values.push_back(Network(nbOther, "Net" + std::to_string(i), 0, 10));
        }
        values.push_back(Node(nbTowerCPU, "Node B", 1024, 10));
        return values;
    }

private:
    std::vector<TNetworkElement> m_elements;
    std::vector<TNetworkElement*> m_pointers;
    std::vector<const TNetworkElement*> m_constPointers;
};
