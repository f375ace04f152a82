#pragma once

#include <optional>
#include <string>
#include <string_view>

// How a number display's text changes by one typed key. Digits enter from the right, Backspace
// takes the last one back, '-' toggles the sign and '+' drops it.

inline constexpr char DisplayBackspace = '\b';

// The display's text after the key, or nothing when the key is refused because the display is
// full. A full display whose first digit is a zero shifts its digits one place to the left. A
// zero value has neither a last digit to take back nor a sign to change.
std::optional<std::string> TypedDisplayText(std::string text, char key, std::size_t maxLength,
                                            bool valueIsZero);

enum class TDisplayBase { Decimal, Hexadecimal, Binary };

// Text pasted into a display, as the display's own reading takes it, or nothing when it is no
// number of the display's base. Blanks and the grouping commas may stand between the digits, a
// decimal number may carry a sign, "0x" may lead a hexadecimal and "0b" a binary number; these
// two hold no more significant digits than 32 bits take.
std::optional<std::string> PastedDisplayText(std::string_view text, TDisplayBase base);
