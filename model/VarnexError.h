#pragma once

#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>

// The program's one exception type. It carries the message text unchanged; whoever catches it
// at an event handler's boundary shows the text to the user.
class EVarnexError : public std::runtime_error {
public:
    explicit EVarnexError(const std::string& message)
        : std::runtime_error(message)
        , m_message(message) {}

    // The whole text: what() is a C string, which a NUL in typed text would end.
    const std::string& Message() const { return m_message; }

private:
    std::string m_message;
};

inline constexpr const char* IntegerOverflowMessage = "Integer overflow";
inline constexpr const char* RangeCheckMessage = "Range check error";

// Checked 32-bit arithmetic: an overflow raises an error instead of wrapping.
inline std::int32_t CheckedAdd(std::int32_t a, std::int32_t b) {
    std::int32_t result;
    if (__builtin_add_overflow(a, b, &result)) {
        throw EVarnexError(IntegerOverflowMessage);
    }
    return result;
}

inline std::int32_t CheckedSub(std::int32_t a, std::int32_t b) {
    std::int32_t result;
    if (__builtin_sub_overflow(a, b, &result)) {
        throw EVarnexError(IntegerOverflowMessage);
    }
    return result;
}

// A value that must fit a narrower range raises "Range check error" instead of being truncated.
template <typename Narrow, typename Wide> Narrow RangeChecked(Wide value) {
    if (value < static_cast<Wide>(std::numeric_limits<Narrow>::min()) ||
        value > static_cast<Wide>(std::numeric_limits<Narrow>::max())) {
        throw EVarnexError(RangeCheckMessage);
    }
    return static_cast<Narrow>(value);
}
