#pragma once
// A text face of the rendering engine. Draws through the engine's painter of
// the frame in progress; does nothing outside a frame. User-interface thread.
// Cost: one text layout per call; Measure needs no frame.

#include "GpuframeApi.h"

#include <QFont>
#include <QRect>
#include <QString>
#include <cstdint>

class CGpuEngine;

class GPUFRAME_API CGpuFont
{
public:
    // Text formats of DrawTextInRect (the platform's DT_ values).
    static constexpr unsigned CenterFormat = 0x0001;       // DT_CENTER
    static constexpr unsigned VCenterFormat = 0x0004;      // DT_VCENTER
    static constexpr unsigned SingleLineFormat = 0x0020;   // DT_SINGLELINE
    static constexpr unsigned NoClipFormat = 0x0100;       // DT_NOCLIP

    explicit CGpuFont(CGpuEngine& engine);

    // `height` in pixels; `face` falls back to the installed CJK faces;
    // `weight` on the 100 … 900 scale, 0 for the default. 0 = made, 1 for a
    // height below 1 (the font stays as it was).
    int Create(int height, const QString& face, int weight, int italic);
    // Text with its top-left corner at (x, y).
    void DrawText(int x, int y, const QString& text, uint32_t argb, int flags);
    // `format` combines the four formats above; VCenterFormat applies only
    // with SingleLineFormat, and without NoClipFormat the text is cut at the
    // rectangle.
    void DrawTextInRect(const QRect& rect, const QString& text, uint32_t argb, unsigned format);
    // The text's extent: (0, 0, width, height).
    void Measure(const QString& text, QRect* extent) const;
    const QFont& GetFont() const;

private:
    CGpuEngine& engine_;
    QFont font_;
};
