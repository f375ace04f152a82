#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

// Classful IPv4 addresses and the subnet and supernet arithmetic built on them.
//
// Each class adds one concern to its parent. A setter of a derived class narrows its argument,
// runs its parent's setter with the narrowed value and then adds its own steps, so one call runs:
// narrowing (TIPAddNetwork), classification (TIPAddClass), write (TIPAddress), class mask
// (TIPAddMask), and last the subnet or supernet rules.

// Octet 0 is the most significant: the first number of the dotted form.
std::string DottedDecimal(std::uint32_t value);
// Two upper-case hexadecimal digits per octet, always 11 characters ("C0.A8.01.02").
std::string DottedHex(std::uint32_t value);

// The fixed underlying type keeps out-of-range values representable, so that they can be checked.
enum TIPClassType : std::uint8_t { ctClassA, ctClassB, ctClassC, ctClassD, ctClassE };

struct TIPClassRow {
    std::uint8_t LowestFirstOctet;
    std::uint8_t NetworkBits;
    // What an explicit change to the class writes into the first octet.
    std::uint8_t AssignedFirstOctet;
};

// Indexed by TIPClassType.
inline constexpr std::array<TIPClassRow, 5> IPClassTable{{
    {0, 8, 1},
    {128, 16, 128},
    {192, 24, 192},
    {224, 0, 224},
    {240, 0, 240},
}};

TIPClassType ClassOfFirstOctet(std::uint8_t firstOctet);

class TIPAddress {
public:
    TIPAddress() = default;
    explicit TIPAddress(std::uint32_t address)
        : address_(address) {}
    TIPAddress(const TIPAddress&) = default;
    TIPAddress& operator=(const TIPAddress&) = default;
    virtual ~TIPAddress() = default;

    std::uint32_t Address() const { return address_; }
    std::uint32_t GetAddress() const { return address_; }
    virtual void SetAddress(std::uint32_t value);

    // Both raise "Invalid TIPAddress Byte Index" for an index above 3.
    std::uint8_t GetByte(std::uint8_t index) const;
    virtual void SetByte(std::uint8_t index, std::uint8_t value);

    std::string AsDecimalString() const { return DottedDecimal(address_); }
    std::string AsHexString() const { return DottedHex(address_); }

private:
    std::uint32_t address_ = 0;
};

// An address that knows its classful class, kept in step with its first octet.
class TIPAddClass : public TIPAddress {
public:
    TIPClassType IPClass() const { return ipClass_; }
    std::uint8_t NetworkBits() const { return networkBits_; }
    char GetClassLetter() const;

    void SetAddress(std::uint32_t value) override;
    void SetByte(std::uint8_t index, std::uint8_t value) override;
    // Writes the class's first octet. Raises "Invalid TIPAddClass Class Type" above ctClassE.
    virtual void SetClassType(TIPClassType value);

private:
    void Classify(std::uint8_t firstOctet);

    TIPClassType ipClass_ = ctClassA;
    std::uint8_t networkBits_ = IPClassTable[ctClassA].NetworkBits;
};

// A classed address with the default mask of its class and a second mask for its descendants.
class TIPAddMask : public TIPAddClass {
public:
    const TIPAddress& ClassMask() const { return classMask_; }
    const TIPAddress& BitsMask() const { return bitsMask_; }

    // A run of numBits one-bits whose highest is bit startBit (31 = most significant), cut off
    // below bit 0. Raises "Invalid TIPAddMask StartBit or NumBits Value" for a start bit above 31
    // or more than 32 bits.
    static std::uint32_t MakeMask(std::uint8_t startBit, std::uint8_t numBits);

    void SetAddress(std::uint32_t value) override;
    void SetByte(std::uint8_t index, std::uint8_t value) override;
    void SetClassType(TIPClassType value) override;

protected:
    void SetBitsMask(std::uint32_t value) { bitsMask_.SetAddress(value); }

private:
    void UpdateClassMask();

    TIPAddress classMask_{0xFF000000u};
    TIPAddress bitsMask_;
};

// A masked address kept to the unicast classes A, B and C and to usable first octets.
class TIPAddNetwork : public TIPAddMask {
public:
    // A first octet above 223 becomes 223; 0 and 127 are kept as class A.
    void SetAddress(std::uint32_t value) override;
    // A first octet of 0 becomes 1, 127 becomes 126, above 223 becomes 223.
    void SetByte(std::uint8_t index, std::uint8_t value) override;
    // Classes D and E (and anything beyond) become class C.
    void SetClassType(TIPClassType value) override;
};

// A classful network divided into subnets by SubnetBits, with or without the RFC 1878 rule that
// the all-zeros and all-ones subnets are usable. BitsMask holds only the subnet bits.
class TIPAddSubnet : public TIPAddNetwork {
public:
    static constexpr std::uint8_t MinSubnetBits = 1;
    static constexpr std::uint8_t MaxSubnetBits = 22;

    // 128.0.0.1, class B, 8 subnet bits, RFC 1878 off (the address is not yet clamped).
    TIPAddSubnet();

    bool RFC1878() const { return rfc1878_; }
    std::uint8_t SubnetBits() const { return subnetBits_; }
    const TIPAddress& FullMask() const { return fullMask_; }

    void SetAddress(std::uint32_t value) override;
    void SetByte(std::uint8_t index, std::uint8_t value) override;
    // Does not clamp the address into the allocation range.
    void SetClassType(TIPClassType value) override;

    // Brought into 1..22; raising it changes the class when the class cannot hold that many.
    void SetSubnetBits(std::uint8_t value);
    void SetRFC1878(bool value);
    // Moves the address into the allocatable range; nothing to do under RFC 1878.
    void ClampToRange();

    std::uint8_t HostBits() const;
    std::int32_t MaxSubnets() const;
    std::int32_t MaxHosts() const;
    // "10nnnnnn.nnnnnnnn.ssssssss.hhhhhhhh": network, subnet and host bits.
    std::string BitMap() const;

    TIPAddress FirstAllocatable() const;
    TIPAddress LastAllocatable() const;
    TIPAddress SubnetFirstHost() const;
    TIPAddress SubnetLastHost() const;
    TIPAddress NetworkID() const;
    TIPAddress SubnetID() const;
    TIPAddress HostID() const;
    // The most subnet bits the present class holds.
    std::uint8_t ClassSubnetBitsLimit() const;

private:
    void FitSubnetAfterWrite();
    void UpdateMasks();

    bool rfc1878_ = false;
    std::uint8_t subnetBits_ = 8;
    TIPAddress fullMask_;
};

// The usable subnets of the subnet's network in order, as the subnet table lists them: row k is
// subnet k, or k + 1 without RFC 1878 (subnet 0 is unusable then). visit(row, firstHost, lastHost)
// is called for rows 0 up to `rows` - 1, and for MaxSubnets rows at most.
void ForEachSubnetHostRange(const TIPAddSubnet& subnet, std::int32_t rows,
                            const std::function<void(std::int32_t row, std::uint32_t firstHost,
                                                     std::uint32_t lastHost)>& visit);

// A classless block of classful networks given by its prefix length SupernetBits, which never
// exceeds the network bits of the class. BitsMask holds the block's mask.
class TIPAddSupernet : public TIPAddNetwork {
public:
    static constexpr std::uint8_t MinSupernetBits = 1;
    static constexpr std::uint8_t MaxSupernetBits = 24;

    // 192.0.0.1, class C, prefix 23.
    TIPAddSupernet();

    std::uint8_t SupernetBits() const { return supernetBits_; }

    void SetAddress(std::uint32_t value) override;
    void SetByte(std::uint8_t index, std::uint8_t value) override;
    void SetClassType(TIPClassType value) override;

    // Brought into 1..24; some values change the class so that the block fits it.
    void SetSupernetBits(std::uint8_t value);

    std::int32_t MaxSupernets() const;
    TIPAddress Route() const;
    TIPAddress LastSupernetAddress() const;

private:
    void FitPrefixToClass();
    void SetPrefix(std::uint8_t value);

    std::uint8_t supernetBits_ = 23;
};
