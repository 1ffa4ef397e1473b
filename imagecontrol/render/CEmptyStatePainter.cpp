#include "CEmptyStatePainter.h"

#include <QPainter>
#include <QRect>

void CEmptyStatePainter::SetBackground(const QImage& picture)
{
    picture_ = picture;
    stretched_ = QPixmap();
}

void CEmptyStatePainter::Paint(QPainter& painter, const QRect& clientRect, const QColor& backColor,
                               const QColor& textColor, const QFont& font, const QString& text)
{
    if (clientRect.isEmpty())
        return;
    if (picture_.isNull())
        painter.fillRect(clientRect, backColor);
    else
        painter.drawPixmap(clientRect.topLeft(), StretchedTo(clientRect.size()));

    painter.setFont(font);
    painter.setPen(textColor);
    painter.drawText(clientRect, Qt::AlignCenter | Qt::TextSingleLine, text);
}

const QPixmap& CEmptyStatePainter::StretchedTo(const QSize& size)
{
    if (stretched_.size() != size)
        stretched_ = QPixmap::fromImage(
            picture_.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    return stretched_;
}
