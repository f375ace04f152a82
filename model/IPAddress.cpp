#include "IPAddress.h"

#include "VarnexError.h"

#include <algorithm>

namespace {

constexpr const char* ByteIndexMessage = "Invalid TIPAddress Byte Index";
constexpr const char* ClassTypeMessage = "Invalid TIPAddClass Class Type";
constexpr const char* MaskMessage = "Invalid TIPAddMask StartBit or NumBits Value";

constexpr std::uint32_t LowOctetsMask = 0x00FFFFFFu;
constexpr std::uint8_t HighestUnicastFirstOctet = IPClassTable[ctClassD].LowestFirstOctet - 1;
constexpr std::uint8_t LoopbackFirstOctet = 127;

// Every caller keeps bits below 32, where the shift is defined.
std::uint32_t PowerOfTwo(unsigned bits) {
    return std::uint32_t{1} << bits;
}

std::uint8_t FirstOctetOf(std::uint32_t value) {
    return static_cast<std::uint8_t>(value >> 24);
}

unsigned OctetShift(std::uint8_t index) {
    if (index > 3) {
        throw EVarnexError(ByteIndexMessage);
    }
    return 24u - 8u * index;
}

// Subnets keep at least 2 host bits.
std::uint8_t SubnetBitsLimitOf(std::uint8_t networkBits) {
    return static_cast<std::uint8_t>(30 - networkBits);
}

} // namespace

std::string DottedDecimal(std::uint32_t value) {
    std::string text;
    for (unsigned shift = 24;; shift -= 8) {
        text += std::to_string((value >> shift) & 0xFFu);
        if (shift == 0) {
            return text;
        }
        text += '.';
    }
}

std::string DottedHex(std::uint32_t value) {
    static constexpr char Digits[] = "0123456789ABCDEF";
    std::string text;
    for (unsigned shift = 24;; shift -= 8) {
        text += Digits[(value >> (shift + 4)) & 0xFu];
        text += Digits[(value >> shift) & 0xFu];
        if (shift == 0) {
            return text;
        }
        text += '.';
    }
}

TIPClassType ClassOfFirstOctet(std::uint8_t firstOctet) {
    auto type = ctClassE;
    while (firstOctet < IPClassTable[type].LowestFirstOctet) {
        type = static_cast<TIPClassType>(type - 1);
    }
    return type;
}

// TIPAddress

void TIPAddress::SetAddress(std::uint32_t value) {
    address_ = value;
}

std::uint8_t TIPAddress::GetByte(std::uint8_t index) const {
    return static_cast<std::uint8_t>(address_ >> OctetShift(index));
}

void TIPAddress::SetByte(std::uint8_t index, std::uint8_t value) {
    const unsigned shift = OctetShift(index);
    address_ = (address_ & ~(0xFFu << shift)) | (std::uint32_t{value} << shift);
}

// TIPAddClass

char TIPAddClass::GetClassLetter() const {
    return "ABCDE"[ipClass_];
}

void TIPAddClass::SetAddress(std::uint32_t value) {
    TIPAddress::SetAddress(value);
    Classify(FirstOctetOf(value));
}

void TIPAddClass::SetByte(std::uint8_t index, std::uint8_t value) {
    if (index == 0 && value != GetByte(0)) {
        Classify(value);
    }
    TIPAddress::SetByte(index, value);
}

void TIPAddClass::SetClassType(TIPClassType value) {
    if (value > ctClassE) {
        throw EVarnexError(ClassTypeMessage);
    }
    if (value == ipClass_) {
        return;
    }
    networkBits_ = IPClassTable[value].NetworkBits;
    TIPAddress::SetByte(0, IPClassTable[value].AssignedFirstOctet);
    ipClass_ = value;
}

void TIPAddClass::Classify(std::uint8_t firstOctet) {
    ipClass_ = ClassOfFirstOctet(firstOctet);
    networkBits_ = IPClassTable[ipClass_].NetworkBits;
}

// TIPAddMask

std::uint32_t TIPAddMask::MakeMask(std::uint8_t startBit, std::uint8_t numBits) {
    if (startBit > 31 || numBits > 32) {
        throw EVarnexError(MaskMessage);
    }
    // 64 bits hold a full run of 32; a run reaching below bit 0 loses its low end.
    const std::uint64_t run = (std::uint64_t{1} << numBits) - 1;
    const int shift = startBit - numBits + 1;
    return static_cast<std::uint32_t>(shift >= 0 ? run << shift : run >> -shift);
}

void TIPAddMask::SetAddress(std::uint32_t value) {
    TIPAddClass::SetAddress(value);
    UpdateClassMask();
}

void TIPAddMask::SetByte(std::uint8_t index, std::uint8_t value) {
    TIPAddClass::SetByte(index, value);
    UpdateClassMask();
}

void TIPAddMask::SetClassType(TIPClassType value) {
    TIPAddClass::SetClassType(value);
    UpdateClassMask();
}

void TIPAddMask::UpdateClassMask() {
    classMask_.SetAddress(MakeMask(31, NetworkBits()));
}

// TIPAddNetwork

void TIPAddNetwork::SetAddress(std::uint32_t value) {
    if (FirstOctetOf(value) > HighestUnicastFirstOctet) {
        value = (std::uint32_t{HighestUnicastFirstOctet} << 24) | (value & LowOctetsMask);
    }
    TIPAddMask::SetAddress(value);
}

void TIPAddNetwork::SetByte(std::uint8_t index, std::uint8_t value) {
    if (index == 0) {
        if (value == 0) {
            value = 1;
        } else if (value == LoopbackFirstOctet) {
            value = LoopbackFirstOctet - 1;
        } else if (value > HighestUnicastFirstOctet) {
            value = HighestUnicastFirstOctet;
        }
    }
    TIPAddMask::SetByte(index, value);
}

void TIPAddNetwork::SetClassType(TIPClassType value) {
    TIPAddMask::SetClassType(std::min(value, ctClassC));
}

// TIPAddSubnet

TIPAddSubnet::TIPAddSubnet() {
    TIPAddNetwork::SetAddress(0x80000001u);
    UpdateMasks();
}

void TIPAddSubnet::SetAddress(std::uint32_t value) {
    // The first octet goes through the octet rules even when it is unchanged.
    TIPAddress::SetAddress((Address() & ~LowOctetsMask) | (value & LowOctetsMask));
    TIPAddNetwork::SetByte(0, FirstOctetOf(value));
    FitSubnetAfterWrite();
}

void TIPAddSubnet::SetByte(std::uint8_t index, std::uint8_t value) {
    if (value == GetByte(index)) {
        return;
    }
    TIPAddNetwork::SetByte(index, value);
    FitSubnetAfterWrite();
}

void TIPAddSubnet::SetClassType(TIPClassType value) {
    if (value == IPClass()) {
        return;
    }
    TIPAddNetwork::SetClassType(value);
    subnetBits_ = std::min(subnetBits_, ClassSubnetBitsLimit());
    UpdateMasks();
}

void TIPAddSubnet::SetSubnetBits(std::uint8_t value) {
    value = std::clamp(value, MinSubnetBits, MaxSubnetBits);
    if (value == subnetBits_) {
        return;
    }
    // Only raising moves to a larger class, and only when the present one cannot hold the bits.
    if (value > subnetBits_ && value > ClassSubnetBitsLimit()) {
        const bool fitsClassB = value <= SubnetBitsLimitOf(IPClassTable[ctClassB].NetworkBits);
        SetClassType(fitsClassB ? ctClassB : ctClassA);
    }
    subnetBits_ = value;
    UpdateMasks();
    ClampToRange();
}

void TIPAddSubnet::SetRFC1878(bool value) {
    rfc1878_ = value;
    ClampToRange();
}

void TIPAddSubnet::ClampToRange() {
    if (rfc1878_) {
        return;
    }
    // With no usable subnet (1 subnet bit) the first is above the last and the last wins.
    const std::uint32_t first = FirstAllocatable().Address();
    if (Address() < first) {
        TIPAddress::SetAddress(first);
    }
    const std::uint32_t last = LastAllocatable().Address();
    if (Address() > last) {
        TIPAddress::SetAddress(last);
    }
}

std::uint8_t TIPAddSubnet::HostBits() const {
    return static_cast<std::uint8_t>(32 - NetworkBits() - subnetBits_);
}

std::int32_t TIPAddSubnet::MaxSubnets() const {
    const auto all = static_cast<std::int32_t>(PowerOfTwo(subnetBits_));
    return rfc1878_ ? all : all - 2;
}

std::int32_t TIPAddSubnet::MaxHosts() const {
    return static_cast<std::int32_t>(PowerOfTwo(HostBits())) - 2;
}

std::string TIPAddSubnet::BitMap() const {
    // The class prefix: "0" for A, "10" for B, "110" for C.
    std::string bits(IPClass(), '1');
    bits += '0';
    bits.resize(NetworkBits(), 'n');
    bits.append(subnetBits_, 's');
    bits.resize(32, 'h');
    for (std::size_t dot : {24u, 16u, 8u}) {
        bits.insert(dot, 1, '.');
    }
    return bits;
}

TIPAddress TIPAddSubnet::FirstAllocatable() const {
    const std::uint32_t firstSubnet = rfc1878_ ? 0 : PowerOfTwo(HostBits());
    return TIPAddress((Address() & ClassMask().Address()) | firstSubnet | 1u);
}

TIPAddress TIPAddSubnet::LastAllocatable() const {
    const std::uint32_t hostSpan = PowerOfTwo(HostBits());
    const std::uint32_t lastSubnet = PowerOfTwo(subnetBits_) - (rfc1878_ ? 1 : 2);
    return TIPAddress((Address() & ClassMask().Address()) | (lastSubnet * hostSpan) |
                      (hostSpan - 2));
}

TIPAddress TIPAddSubnet::SubnetFirstHost() const {
    return TIPAddress((Address() & fullMask_.Address()) + 1);
}

TIPAddress TIPAddSubnet::SubnetLastHost() const {
    return TIPAddress((Address() | ~fullMask_.Address()) - 1);
}

TIPAddress TIPAddSubnet::NetworkID() const {
    return TIPAddress(Address() & fullMask_.Address());
}

TIPAddress TIPAddSubnet::SubnetID() const {
    return TIPAddress(Address() & BitsMask().Address());
}

TIPAddress TIPAddSubnet::HostID() const {
    return TIPAddress(Address() & ~fullMask_.Address());
}

std::uint8_t TIPAddSubnet::ClassSubnetBitsLimit() const {
    return SubnetBitsLimitOf(NetworkBits());
}

void TIPAddSubnet::FitSubnetAfterWrite() {
    if (subnetBits_ > ClassSubnetBitsLimit()) {
        SetSubnetBits(ClassSubnetBitsLimit());
    }
    UpdateMasks();
    ClampToRange();
}

void TIPAddSubnet::UpdateMasks() {
    const std::uint32_t subnetMask =
        MakeMask(static_cast<std::uint8_t>(31 - NetworkBits()), subnetBits_);
    SetBitsMask(subnetMask);
    fullMask_.SetAddress(ClassMask().Address() | subnetMask);
}

// TIPAddSupernet

TIPAddSupernet::TIPAddSupernet() {
    TIPAddNetwork::SetAddress(0xC0000001u);
    SetPrefix(supernetBits_);
}

void TIPAddSupernet::SetAddress(std::uint32_t value) {
    const TIPClassType previousClass = IPClass();
    TIPAddNetwork::SetAddress(value);
    if (IPClass() != previousClass) {
        FitPrefixToClass();
    }
}

void TIPAddSupernet::SetByte(std::uint8_t index, std::uint8_t value) {
    const TIPClassType previousClass = IPClass();
    TIPAddNetwork::SetByte(index, value);
    if (IPClass() != previousClass) {
        FitPrefixToClass();
    }
}

void TIPAddSupernet::SetClassType(TIPClassType value) {
    if (value == IPClass()) {
        return;
    }
    TIPAddNetwork::SetClassType(value);
    FitPrefixToClass();
}

void TIPAddSupernet::SetSupernetBits(std::uint8_t value) {
    value = std::clamp(value, MinSupernetBits, MaxSupernetBits);
    if (value == supernetBits_) {
        return;
    }
    const std::uint8_t classABits = IPClassTable[ctClassA].NetworkBits;
    const std::uint8_t classBBits = IPClassTable[ctClassB].NetworkBits;
    if (value < supernetBits_) {
        // A 1-bit prefix spans the class A space, a 2-bit prefix the class B space.
        if (value == 1) {
            SetClassType(ctClassA);
        } else if (value == 2) {
            SetClassType(ctClassB);
        }
    } else if (value > classBBits) {
        SetClassType(ctClassC);
    } else if (value > classABits) {
        SetClassType(ctClassB);
    }
    SetPrefix(value);
}

std::int32_t TIPAddSupernet::MaxSupernets() const {
    return static_cast<std::int32_t>(PowerOfTwo(NetworkBits() - supernetBits_));
}

TIPAddress TIPAddSupernet::Route() const {
    return TIPAddress(Address() & BitsMask().Address());
}

TIPAddress TIPAddSupernet::LastSupernetAddress() const {
    return TIPAddress(Address() | ~BitsMask().Address());
}

// Keeps the block at least two classful networks wide after a change of class.
void TIPAddSupernet::FitPrefixToClass() {
    SetPrefix(std::min(supernetBits_, static_cast<std::uint8_t>(NetworkBits() - 1)));
}

void TIPAddSupernet::SetPrefix(std::uint8_t value) {
    supernetBits_ = value;
    SetBitsMask(MakeMask(31, value));
}

void ForEachSubnetHostRange(const TIPAddSubnet& subnet, std::int32_t rows,
                            const std::function<void(std::int32_t row, std::uint32_t firstHost,
                                                     std::uint32_t lastHost)>& visit) {
    rows = std::min(rows, subnet.MaxSubnets());
    // A second subnet walks from the first usable subnet to the next, one row each.
    TIPAddSubnet cursor;
    cursor.SetSubnetBits(subnet.SubnetBits());
    cursor.SetRFC1878(subnet.RFC1878());
    cursor.SetAddress(subnet.FirstAllocatable().Address());
    const std::uint32_t subnetSize = std::uint32_t{1} << subnet.HostBits();
    for (std::int32_t row = 0; row < rows; ++row) {
        visit(row, cursor.SubnetFirstHost().Address(), cursor.SubnetLastHost().Address());
        // The step past the last row could leave the network: it is not taken.
        if (row + 1 < rows) {
            cursor.SetAddress(cursor.Address() + subnetSize);
        }
    }
}
