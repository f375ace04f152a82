#pragma once

#include <optional>
#include <string>

// Conversions of typed text to numbers. A text that is not a number raises EVarnexError with the
// message the user sees.

// A decimal number with "." as the separator in every locale, optionally signed and with an
// exponent ("1.5", "-2", ".5", "1E3"); blanks around it are ignored. Anything else, an empty
// text, infinity, NaN or a value beyond the double range raises
// "'text' is not a valid floating point value".
double StrToFloat(const std::string& text);

// A decimal whole number in the int range, optionally signed ("42", "+7", "-3", "010"); blanks,
// tabs and line breaks around it are ignored. Anything else, an empty text or a value beyond the
// int range raises "'text' is not a valid integer value".
int StrToInt(const std::string& text);

// The same reading of a whole number, with nothing for a text StrToInt refuses.
std::optional<int> TryStrToInt(const std::string& text);
