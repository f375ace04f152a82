// The subnet and the supernet driven by a stream of operations; after each one the class, bits
// and mask invariants hold and every figure equals one computed from the prefix length alone.
#include "FuzzInput.h"
#include "IPAddress.h"
#include "VarnexError.h"

#include <cstdio>

namespace {

std::uint32_t TopBits(unsigned count) {
    return count == 0 ? 0u : ~0u << (32 - count);
}

unsigned NetworkBitsOf(std::uint32_t address) {
    const unsigned first = address >> 24;
    return first < 128 ? 8 : first < 192 ? 16 : 24;
}

// The dotted forms read back by hand.
std::uint32_t ReadDotted(const std::string& text, int base) {
    std::uint32_t value = 0;
    std::uint32_t octet = 0;
    int octets = 0;
    for (char c : text + ".") {
        if (c == '.') {
            FUZZ_CHECK(octet <= 255);
            value = value << 8 | octet;
            octet = 0;
            ++octets;
        } else {
            const int digit = c >= '0' && c <= '9'   ? c - '0'
                              : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                     : 99;
            FUZZ_CHECK(digit < base);
            octet = octet * static_cast<std::uint32_t>(base) + static_cast<std::uint32_t>(digit);
        }
    }
    FUZZ_CHECK(octets == 4);
    return value;
}

void CheckNetwork(const TIPAddNetwork& network) {
    const std::uint32_t a = network.Address();
    const unsigned n = NetworkBitsOf(a);
    FUZZ_CHECK(network.IPClass() <= ctClassC);
    FUZZ_CHECK(network.IPClass() == (n == 8 ? ctClassA : n == 16 ? ctClassB : ctClassC));
    FUZZ_CHECK(network.NetworkBits() == n);
    FUZZ_CHECK(network.ClassMask().Address() == TopBits(n));
    FUZZ_CHECK(network.GetClassLetter() == "ABC"[network.IPClass()]);
    for (std::uint8_t i = 0; i < 4; ++i) {
        FUZZ_CHECK(network.GetByte(i) == ((a >> (24 - 8 * i)) & 0xFF));
    }
    FUZZ_CHECK(ReadDotted(network.AsDecimalString(), 10) == a);
    FUZZ_CHECK(network.AsHexString().size() == 11 && ReadDotted(network.AsHexString(), 16) == a);
}

void CheckSubnet(const TIPAddSubnet& subnet, bool mayBeOutsideRange) {
    CheckNetwork(subnet);
    const std::uint32_t a = subnet.Address();
    const unsigned n = subnet.NetworkBits();
    const unsigned s = subnet.SubnetBits();
    const bool r = subnet.RFC1878();
    FUZZ_CHECK(s >= 1 && s <= 30 - n);
    const unsigned prefix = n + s;
    const unsigned h = 32 - prefix;
    const std::uint32_t cm = TopBits(n);
    const std::uint32_t fm = TopBits(prefix);
    const std::uint32_t sm = fm & ~cm;
    FUZZ_CHECK(subnet.BitsMask().Address() == sm);
    FUZZ_CHECK(subnet.FullMask().Address() == fm);
    FUZZ_CHECK(subnet.HostBits() == h);
    const long long subnets = 1LL << s;
    FUZZ_CHECK(subnet.MaxSubnets() == (r ? subnets : subnets - 2));
    FUZZ_CHECK(subnet.MaxHosts() == (1LL << h) - 2);
    const std::uint32_t block = 1u << h;
    const std::uint32_t first = (a & cm) | (r ? 0 : block) | 1;
    const std::uint32_t last =
        (a & cm) | (static_cast<std::uint32_t>(r ? subnets - 1 : subnets - 2) << h) | (block - 2);
    FUZZ_CHECK(subnet.FirstAllocatable().Address() == first);
    FUZZ_CHECK(subnet.LastAllocatable().Address() == last);
    if (!r && s >= 2 && !mayBeOutsideRange) {
        FUZZ_CHECK(a >= first && a <= last);
    }
    FUZZ_CHECK(subnet.NetworkID().Address() == (a & fm));
    FUZZ_CHECK(subnet.SubnetID().Address() == (a & sm));
    FUZZ_CHECK(subnet.HostID().Address() == (a & ~fm));
    FUZZ_CHECK(subnet.SubnetFirstHost().Address() == (a & fm) + 1);
    FUZZ_CHECK(subnet.SubnetLastHost().Address() == (a | ~fm) - 1);

    std::string map = n == 8 ? "0" : n == 16 ? "10" : "110";
    map.resize(n, 'n');
    map.resize(prefix, 's');
    map.resize(32, 'h');
    map.insert(24, ".");
    map.insert(16, ".");
    map.insert(8, ".");
    FUZZ_CHECK(subnet.BitMap() == map);

    // The first rows and the last of the table.
    const std::int32_t rows = subnet.MaxSubnets() < 4 ? subnet.MaxSubnets() : 4;
    std::int32_t visited = 0;
    ForEachSubnetHostRange(
        subnet, rows, [&](std::int32_t row, std::uint32_t firstHost, std::uint32_t lastHost) {
            FUZZ_CHECK(row == visited);
            const std::uint32_t j = static_cast<std::uint32_t>(r ? row : row + 1);
            const std::uint32_t id = (a & cm) | (j << h);
            FUZZ_CHECK(firstHost == id + 1 && lastHost == id + block - 2);
            ++visited;
        });
    FUZZ_CHECK(visited == (rows > 0 ? rows : 0));
}

void CheckSupernet(const TIPAddSupernet& supernet) {
    CheckNetwork(supernet);
    const std::uint32_t a = supernet.Address();
    const unsigned n = supernet.NetworkBits();
    const unsigned p = supernet.SupernetBits();
    FUZZ_CHECK(p >= 1 && p <= 24 && p <= n);
    const std::uint32_t mask = TopBits(p);
    FUZZ_CHECK(supernet.BitsMask().Address() == mask);
    FUZZ_CHECK(supernet.MaxSupernets() == (1LL << (n - p)));
    FUZZ_CHECK(supernet.Route().Address() == (a & mask));
    FUZZ_CHECK(supernet.LastSupernetAddress().Address() == (a | ~mask));
}

// Octet indices above 3 raise the byte-index error and change nothing.
template <typename T> void SetByteChecked(T& address, std::uint8_t index, std::uint8_t value) {
    const std::uint32_t before = address.Address();
    try {
        address.SetByte(index, value);
        FUZZ_CHECK(index <= 3);
    } catch (const EVarnexError& error) {
        FUZZ_CHECK(index > 3);
        FUZZ_CHECK(std::string(error.what()) == "Invalid TIPAddress Byte Index");
        FUZZ_CHECK(address.Address() == before);
    }
}

std::uint8_t IndexFrom(std::uint8_t byte) {
    // Mostly valid indices, now and then one beyond.
    return byte < 240 ? byte % 4 : byte;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TFuzzInput input(data, size);
    TIPAddSubnet subnet;
    TIPAddSupernet supernet;
    // The constructed subnet is not yet clamped.
    bool mayBeOutsideRange = true;
    CheckSubnet(subnet, mayBeOutsideRange);
    CheckSupernet(supernet);
    for (int step = 0; step < 128 && !input.AtEnd(); ++step) {
        const std::uint8_t op = input.Byte();
        const std::uint8_t argument = input.Byte();
        if (op & 0x80) {
            switch (op % 4) {
            case 0:
                supernet.SetAddress(input.Value<std::uint32_t>());
                break;
            case 1:
                SetByteChecked(supernet, IndexFrom(argument), input.Byte());
                break;
            case 2:
                supernet.SetClassType(static_cast<TIPClassType>(argument % 8));
                break;
            default:
                supernet.SetSupernetBits(argument % 32);
                break;
            }
            CheckSupernet(supernet);
            continue;
        }
        const TIPClassType oldClass = subnet.IPClass();
        const std::uint32_t oldAddress = subnet.Address();
        const std::uint8_t oldBits = subnet.SubnetBits();
        switch (op % 6) {
        case 0:
            subnet.SetAddress(input.Value<std::uint32_t>());
            mayBeOutsideRange = false;
            break;
        case 1: {
            const std::uint8_t index = IndexFrom(argument);
            const std::uint8_t value = input.Byte();
            SetByteChecked(subnet, index, value);
            // Writing the octet it already has is no operation at all, clamp included.
            if (index <= 3 && ((oldAddress >> (24 - 8 * index)) & 0xFF) != value) {
                mayBeOutsideRange = false;
            }
            break;
        }
        case 2:
            subnet.SetClassType(static_cast<TIPClassType>(argument % 8));
            mayBeOutsideRange = mayBeOutsideRange || subnet.IPClass() != oldClass;
            break;
        case 3: {
            const std::uint8_t bits = argument % 32;
            subnet.SetSubnetBits(bits);
            const std::uint8_t wanted = bits == 0 ? 1 : bits > 22 ? 22 : bits;
            FUZZ_CHECK(subnet.SubnetBits() == wanted);
            if (wanted <= oldBits) {
                FUZZ_CHECK(subnet.IPClass() == oldClass);
            }
            mayBeOutsideRange = mayBeOutsideRange && wanted == oldBits;
            break;
        }
        case 4:
            subnet.SetRFC1878(argument & 1);
            FUZZ_CHECK(subnet.RFC1878() == (argument & 1));
            mayBeOutsideRange = false;
            break;
        default:
            subnet.ClampToRange();
            mayBeOutsideRange = false;
            break;
        }
        CheckSubnet(subnet, mayBeOutsideRange);
    }
    return 0;
}
