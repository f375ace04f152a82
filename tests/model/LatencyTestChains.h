#pragma once

#include "Latency.h"

#include <span>
#include <string>
#include <vector>

// Chains of element values for the latency tests and benchmarks, written out apart from the code
// under test, with the pointer spans the computation and the pages take.
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

    std::vector<TNetworkElement>& Elements() { return m_elements; }
    const std::vector<TNetworkElement>& Elements() const { return m_elements; }
    std::span<TNetworkElement* const> Pointers() const { return m_pointers; }
    std::span<const TNetworkElement* const> Span() const { return m_constPointers; }
    TLatencyTotals Compute() { return ComputeDelays(m_pointers); }

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
    // 64 and 1024 bytes, no processing time, Ethernet 10 Mbps.
    static std::vector<TNetworkElement> FirstExample() {
        return {Node(nbDesktopCPU, "Node A", 64, 0), Network(nbEthernet, "Ethernet", 10, 0),
                Node(nbTowerCPU, "Node B", 1024, 0)};
    }
    // The first start: Node A, a fresh network, Node B, every delay 0.
    static std::vector<TNetworkElement> Default() {
        return {Node(nbDesktopCPU, "Node A", 64, 0), TNetworkElement(),
                Node(nbTowerCPU, "Node B", 1024, 0)};
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

// The example chain's table in each direction as the clipboard gets it: the header, a row per
// element and the totals, cells joined by tabs, every line ended by CR LF.
inline constexpr const char* ExampleTableAtoB = "Network Element\tDelay (sec)\tPercent\r\n"
                                                "Node A (64 bytes)\t0.0050000\t1.8%\r\n"
                                                "Ethernet (10 Mbps)\t0.0000672\t0.0%\r\n"
                                                "T1 (1.544 Mbps)\t0.0053316\t1.9%\r\n"
                                                "Satellite (0.512 Mbps)\t0.2710000\t96.3%\r\n"
                                                "Node B (1024 bytes)\t0.0000000\t0.0%\r\n"
                                                "Totals:\t0.2813988\t100.0%\r\n";
inline constexpr const char* ExampleTableBtoA = "Network Element\tDelay (sec)\tPercent\r\n"
                                                "Node A (64 bytes)\t0.0000000\t0.0%\r\n"
                                                "Ethernet (10 Mbps)\t0.0008352\t0.3%\r\n"
                                                "T1 (1.544 Mbps)\t0.0103057\t3.2%\r\n"
                                                "Satellite (0.512 Mbps)\t0.2860000\t90.2%\r\n"
                                                "Node B (1024 bytes)\t0.0200000\t6.3%\r\n"
                                                "Totals:\t0.3171409\t100.0%\r\n";
inline constexpr const char* ExampleTableRoundTrip = "Network Element\tDelay (sec)\tPercent\r\n"
                                                     "Node A (64 bytes)\t0.0050000\t0.8%\r\n"
                                                     "Ethernet (10 Mbps)\t0.0009024\t0.2%\r\n"
                                                     "T1 (1.544 Mbps)\t0.0106373\t1.8%\r\n"
                                                     "Satellite (0.512 Mbps)\t0.5570000\t93.8%\r\n"
                                                     "Node B (1024 bytes)\t0.0200000\t3.4%\r\n"
                                                     "Totals:\t0.5935397\t100.0%\r\n";
