#include "CToolTipControl.h"

#include <QFontMetrics>
#include <QToolTip>
#include <QWidget>

namespace {
constexpr int NoTool = -1;
}

CToolTipControl::CToolTipControl(QWidget* window)
    : window_(window)
{
    delayTimer_.setSingleShot(true);
    QObject::connect(&delayTimer_, &QTimer::timeout, [this] { ShowPending(); });
}

void CToolTipControl::AddTool(int id)
{
    tools_[id] = Tool{};
}

void CToolTipControl::SetToolText(int id, const QString& text)
{
    if (auto it = tools_.find(id); it != tools_.end())
        it->second.text = text;
}

void CToolTipControl::SetToolRect(int id, const QRect& rect)
{
    if (auto it = tools_.find(id); it != tools_.end())
        it->second.rect = rect;
}

void CToolTipControl::SetDelay(int milliseconds)
{
    delayTimer_.setInterval(qMax(0, milliseconds));
}

void CToolTipControl::SetMaxTipWidth(int pixels)
{
    maxTipWidth_ = qMax(0, pixels);
}

void CToolTipControl::SetFont(const QFont& font)
{
    font_ = font;
}

void CToolTipControl::RelayMouseMove(const QPoint& position)
{
    lastPosition_ = position;
    const int tool = ToolAt(position);
    if (tool == shownTool_ && tool != NoTool)
        return;
    if (shownTool_ != NoTool)
        Pop();
    if (tool == NoTool) {
        delayTimer_.stop();
        pendingTool_ = NoTool;
        return;
    }
    if (tool != pendingTool_) {
        pendingTool_ = tool;
        delayTimer_.start();
    }
}

void CToolTipControl::Pop()
{
    delayTimer_.stop();
    pendingTool_ = NoTool;
    if (shownTool_ != NoTool && QToolTip::isVisible())
        QToolTip::hideText();
    shownTool_ = NoTool;
}

void CToolTipControl::ClearAll()
{
    for (auto& entry : tools_)
        entry.second = Tool{};
    Pop();
}

int CToolTipControl::ToolAt(const QPoint& position) const
{
    for (const auto& [id, tool] : tools_) {
        if (!tool.text.isEmpty() && tool.rect.contains(position))
            return id;
    }
    return NoTool;
}

void CToolTipControl::ShowPending()
{
    const auto it = tools_.find(pendingTool_);
    pendingTool_ = NoTool;
    if (it == tools_.end() || it->second.text.isEmpty() || !window_->isVisible())
        return;
    shownTool_ = it->first;
    QToolTip::showText(window_->mapToGlobal(lastPosition_), FormatText(it->second.text), window_, it->second.rect);
}

QString CToolTipControl::FormatText(const QString& text) const
{
    // Rich text lets the tip use the control's font and wrap at the maximum
    // width without changing the application-wide tooltip font.
    const QFontMetrics metrics(font_);
    const bool tooWide = maxTipWidth_ > 0 && metrics.horizontalAdvance(text) > maxTipWidth_;
    const QString style = QStringLiteral("font-family:'%1'; font-size:%2px;")
                              .arg(font_.family())
                              .arg(font_.pixelSize() > 0 ? font_.pixelSize() : metrics.height());
    QString body = text.toHtmlEscaped();
    body.replace(QLatin1Char('\n'), QStringLiteral("<br>"));
    if (tooWide)
        return QStringLiteral("<table width=\"%1\"><tr><td style=\"%2\">%3</td></tr></table>")
            .arg(maxTipWidth_)
            .arg(style, body);
    return QStringLiteral("<span style=\"%1 white-space:pre;\">%2</span>").arg(style, body);
}
