#pragma once

// Character tests used by the number displays' key filters. Texts are single-byte strings.
bool IsBinaryDigit(char c);
bool IsControlChar(char c);
bool IsDecimalDigit(char c);
bool IsHexDigit(char c);
