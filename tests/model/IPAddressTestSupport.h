#pragma once

#include "IPAddress.h"

#include <QString>
#include <QStringList>
#include <cstdint>

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

} // namespace IPAddressTest
