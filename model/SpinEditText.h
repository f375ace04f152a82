#pragma once

#include <string>

// The integer a spin edit's text stands for, unclamped. Every minus sign but a leading one is
// dropped, so that "1-2-" reads as 12; what is left is read as StrToInt reads it, and a text
// that is no whole number of the int range reads as 0. An empty text stands for the value the
// spin edit holds.
int SpinEditTextValue(const std::string& text, int heldValue);
