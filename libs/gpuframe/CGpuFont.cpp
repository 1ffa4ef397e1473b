#include "CGpuFont.h"

#include "CGpuEngine.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {

// The designed face first, then the CJK faces a Linux desktop has instead.
QStringList FamiliesFor(const QString& face)
{
    QStringList families;
    if (!face.isEmpty())
        families << face;
    families << QStringLiteral("Microsoft YaHei") << QStringLiteral("WenQuanYi Micro Hei")
             << QStringLiteral("Noto Sans CJK SC");
    return families;
}

// The DT_ bits in Qt's terms. As with the platform's DT_VCENTER, vertical
// centring only applies to single-line text.
int QtFlagsOf(unsigned format)
{
    int flags = (format & CGpuFont::CenterFormat) ? Qt::AlignHCenter : Qt::AlignLeft;
    const bool singleLine = (format & CGpuFont::SingleLineFormat) != 0;
    flags |= (singleLine && (format & CGpuFont::VCenterFormat)) ? Qt::AlignVCenter : Qt::AlignTop;
    if (singleLine)
        flags |= Qt::TextSingleLine;
    if (format & CGpuFont::NoClipFormat)
        flags |= Qt::TextDontClip;
    return flags;
}

} // namespace

CGpuFont::CGpuFont(CGpuEngine& engine) : engine_(engine)
{
}

int CGpuFont::Create(int height, const QString& face, int weight, int italic)
{
    if (height <= 0)
        return 1;
    QFont font;
    font.setFamilies(FamiliesFor(face));
    font.setPixelSize(height);
    // Weights share the platform's 100 … 900 scale; 0 means "don't care".
    if (weight > 0)
        font.setWeight(QFont::Weight(std::clamp(weight, 1, 1000)));
    font.setItalic(italic != 0);
    // The height is the text's whole cell, as the platform's fonts count it:
    // a header drawn 20 rows above a column must not reach into it. A CJK
    // face at pixel size 20 is about 26 rows tall, so the size shrinks until
    // the cell fits.
    for (int size = height; size > 1 && QFontMetrics(font).height() > height; --size)
        font.setPixelSize(size - 1);
    font_ = font;
    return 0;
}

void CGpuFont::DrawText(int x, int y, const QString& text, uint32_t argb, int flags)
{
    QPainter* painter = engine_.CurrentPainter();
    if (!painter)
        return;
    painter->setFont(font_);
    painter->setPen(QColor::fromRgba(argb));
    painter->drawText(QRect(x, y, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
}

void CGpuFont::DrawTextInRect(const QRect& rect, const QString& text, uint32_t argb, unsigned format)
{
    QPainter* painter = engine_.CurrentPainter();
    if (!painter)
        return;
    painter->setFont(font_);
    painter->setPen(QColor::fromRgba(argb));
    painter->drawText(rect, QtFlagsOf(format), text);
}

void CGpuFont::Measure(const QString& text, QRect* extent) const
{
    if (!extent)
        return;
    const QFontMetrics metrics(font_);
    const QRect bounds = metrics.boundingRect(QRect(), Qt::AlignLeft | Qt::AlignTop, text);
    *extent = QRect(0, 0, bounds.width(), bounds.height());
}

const QFont& CGpuFont::GetFont() const
{
    return font_;
}
