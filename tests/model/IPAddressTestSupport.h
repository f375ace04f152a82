#pragma once

#include "IPAddress.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

namespace IPAddressTest {

// "192.168.1.2" as a number, parsed independently of the code under test.
inline std::uint32_t Ip(const QString& dotted) {
    std::uint32_t value = 0;
    for (const QString& octet : dotted.split(u'.')) {
        value = (value << 8) | octet.toUInt();
    }
    return value;
}

inline QString Dotted(const TIPAddress& address) {
    return QString::fromStdString(address.AsDecimalString());
}

inline QString Dotted(std::uint32_t value) {
    return Dotted(TIPAddress(value));
}

// Walks the subnets of `displayed` the way the subnet table does: a second subnet object as a
// cursor, started at the first allocatable address and moved one subnet on per row. Each row's
// first and last host go to `visit` with the row number.
inline void
WalkSubnetRows(const TIPAddSubnet& displayed,
               const std::function<void(std::int32_t row, const TIPAddSubnet& cursor)>& visit) {
    TIPAddSubnet cursor;
    cursor.SetSubnetBits(displayed.SubnetBits());
    cursor.SetRFC1878(displayed.RFC1878());
    cursor.SetAddress(displayed.FirstAllocatable().Address());
    const std::uint32_t subnetSpan = std::uint32_t{1} << displayed.HostBits();
    for (std::int32_t row = 0; row < displayed.MaxSubnets(); ++row) {
        visit(row, cursor);
        cursor.SetAddress(cursor.Address() + subnetSpan);
    }
}

} // namespace IPAddressTest
