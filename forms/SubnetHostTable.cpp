#include "SubnetHostTable.h"

#include "IPAddress.h"
#include "SuperStringGrid.h"

#include <algorithm>
#include <array>

namespace {

// Up to 16384 rows are formatted at a time, so the dotted form is written straight into the
// text's characters rather than through the model's std::string form.
char16_t* WriteDottedDecimal(char16_t* out, std::uint32_t address) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        const unsigned octet = (address >> shift) & 0xFFu;
        if (octet >= 100) {
            *out++ = static_cast<char16_t>(u'0' + octet / 100);
        }
        if (octet >= 10) {
            *out++ = static_cast<char16_t>(u'0' + octet / 10 % 10);
        }
        *out++ = static_cast<char16_t>(u'0' + octet % 10);
        if (shift > 0) {
            *out++ = u'.';
        }
    }
    return out;
}

// Writes the whole table at once however it leaves the fill.
class TGridUpdate {
public:
    explicit TGridUpdate(TSuperStringGrid& grid)
        : m_grid(grid) {
        m_grid.BeginUpdate();
    }
    ~TGridUpdate() { m_grid.EndUpdate(); }
    TGridUpdate(const TGridUpdate&) = delete;
    TGridUpdate& operator=(const TGridUpdate&) = delete;

private:
    TSuperStringGrid& m_grid;
};

} // namespace

int SubnetHostRowCount(const TIPAddSubnet& subnet) {
    return std::min(subnet.MaxSubnets() - 1, MaxSubnetHostRows - 1) + 2;
}

QString AddressRangeText(std::uint32_t first, std::uint32_t last) {
    constexpr char16_t Separator[] = u"  -  ";
    // Two addresses of at most 15 characters and the separator.
    std::array<char16_t, 35> text;
    char16_t* end = WriteDottedDecimal(text.data(), first);
    end = std::copy(std::begin(Separator), std::end(Separator) - 1, end);
    end = WriteDottedDecimal(end, last);
    return QString(reinterpret_cast<const QChar*>(text.data()), end - text.data());
}

void FillSubnetHostTable(TSuperStringGrid& grid, const TIPAddSubnet& subnet) {
    const int rowCount = SubnetHostRowCount(subnet);
    grid.SetRowCount(rowCount);

    const TGridUpdate update(grid);
    ForEachSubnetHostRange(subnet, rowCount - 1,
                           [&grid](std::int32_t row, std::uint32_t first, std::uint32_t last) {
                               grid.SetCells(0, row + 1, QString::number(row));
                               grid.SetCells(1, row + 1, AddressRangeText(first, last));
                           });
}
