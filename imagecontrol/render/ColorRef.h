#pragma once
// The control keeps its colours as the options store them, 0x00BBGGRR (red in
// the low byte); the renderer and Qt want them as 0xAARRGGBB. Free of cost.

#include <QColor>
#include <cstdint>

inline uint32_t ColorRefToArgb(uint32_t colorRef)
{
    const uint32_t red = colorRef & 0xFFu;
    const uint32_t green = (colorRef >> 8) & 0xFFu;
    const uint32_t blue = (colorRef >> 16) & 0xFFu;
    return 0xFF000000u | (red << 16) | (green << 8) | blue;
}

inline QColor ColorRefToQColor(uint32_t colorRef)
{
    return QColor::fromRgb(ColorRefToArgb(colorRef));
}
