#pragma once
// The control's tooltips: a set of tools, each an id with a text and the
// rectangle of the window where it applies. The window relays its mouse moves;
// when the pointer rests in a tool's rectangle and the tool has a text, the
// text pops up after the delay. Texts wider than the maximum width wrap.
// User-interface thread only; every operation is cheap.

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QTimer>
#include <map>

class QWidget;

class CToolTipControl
{
public:
    explicit CToolTipControl(QWidget* window);
    CToolTipControl(const CToolTipControl&) = delete;
    CToolTipControl& operator=(const CToolTipControl&) = delete;

    // Adds a tool with an empty text and an empty rectangle (or empties it).
    void AddTool(int id);
    void SetToolText(int id, const QString& text);
    void SetToolRect(int id, const QRect& rect);

    void SetDelay(int milliseconds);
    void SetMaxTipWidth(int pixels);
    void SetFont(const QFont& font);

    // Mouse moves of the window, in its coordinates.
    void RelayMouseMove(const QPoint& position);
    // Hides the tip that is shown or pending.
    void Pop();
    // Empties the text and rectangle of every tool and hides the tip.
    void ClearAll();

private:
    struct Tool
    {
        QString text;
        QRect rect;
    };

    int ToolAt(const QPoint& position) const;
    void ShowPending();
    QString FormatText(const QString& text) const;

    QWidget* window_;
    std::map<int, Tool> tools_;
    QFont font_;
    int maxTipWidth_ = 0;
    QTimer delayTimer_;
    int pendingTool_ = -1;
    int shownTool_ = -1;
    QPoint lastPosition_;
};
