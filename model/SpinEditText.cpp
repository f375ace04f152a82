#include "SpinEditText.h"

#include "TextConversion.h"

#include <algorithm>

int SpinEditTextValue(const std::string& text, int heldValue) {
    if (text.empty()) {
        return heldValue;
    }
    std::string number = text;
    number.erase(std::remove(number.begin() + 1, number.end(), '-'), number.end());
    return TryStrToInt(number).value_or(0);
}
