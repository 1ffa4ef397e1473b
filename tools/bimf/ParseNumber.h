#pragma once
// A whole decimal argument in [low, high], for the options and operands of
// lumetra-bimf. false for empty text, trailing characters or a value out of
// range; `value` is set only on success.

#include <cerrno>
#include <cstdlib>
#include <string>

template <typename Int>
bool ParseNumber(const std::string& text, long low, long high, Int* value)
{
    errno = 0;
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno != 0 || v < low || v > high)
        return false;
    *value = Int(v);
    return true;
}
