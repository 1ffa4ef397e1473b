#pragma once
// Paints the control while it shows no channel: the background picture
// stretched over the client area (the background colour when there is no
// picture) and one line of hint text centred on it. The stretched picture is
// kept for the last client size, so repeated paints only copy it.
// User-interface thread.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPixmap>
#include <QString>

class QPainter;
class QRect;

class CEmptyStatePainter
{
public:
    // A null image leaves only the background colour.
    void SetBackground(const QImage& picture);

    void Paint(QPainter& painter, const QRect& clientRect, const QColor& backColor, const QColor& textColor,
               const QFont& font, const QString& text);

private:
    const QPixmap& StretchedTo(const QSize& size);

    QImage picture_;
    QPixmap stretched_;
};
