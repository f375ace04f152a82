#pragma once

#include <optional>
#include <string>

// How a number display's text changes by one typed key. Digits enter from the right, Backspace
// takes the last one back, '-' toggles the sign and '+' drops it.

inline constexpr char DisplayBackspace = '\b';

// The display's text after the key, or nothing when the key is refused because the display is
// full. A full display whose first digit is a zero shifts its digits one place to the left. A
// zero value has neither a last digit to take back nor a sign to change.
std::optional<std::string> TypedDisplayText(std::string text, char key, std::size_t maxLength,
                                            bool valueIsZero);
