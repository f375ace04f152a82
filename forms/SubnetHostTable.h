#pragma once

#include <QString>
#include <cstdint>

class TIPAddSubnet;
class TSuperStringGrid;

// The Subnets/Hosts table: a header row, then one row per usable subnet of a network, labelled
// from 0, with the host range of the subnet.

// However many subnets the network has, the table lists no more than this many.
inline constexpr int MaxSubnetHostRows = 16385;

// The header row and min(MaxSubnets, MaxSubnetHostRows) data rows.
int SubnetHostRowCount(const TIPAddSubnet& subnet);

// "192.0.1.65  -  192.0.1.126": two addresses in dotted decimal around a five-character separator.
QString AddressRangeText(std::uint32_t first, std::uint32_t last);

// Sets the row count and writes the label and host range of every data row, leaving the header
// row as it is.
void FillSubnetHostTable(TSuperStringGrid& grid, const TIPAddSubnet& subnet);
