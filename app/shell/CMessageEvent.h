#pragma once
// A private message posted between threads or windows. The event type keeps
// the message number (WM_USER + n, 1025 upwards) as its offset so that the
// code reads like the message table.

#include <QEvent>

class CMessageEvent : public QEvent
{
public:
    static constexpr int WmUser = 1024;

    static constexpr QEvent::Type TypeOf(int message) { return static_cast<QEvent::Type>(QEvent::User + message); }
    static constexpr int MessageOf(QEvent::Type type) { return static_cast<int>(type) - QEvent::User; }

    CMessageEvent(int message, qintptr wParam = 0, qintptr lParam = 0)
        : QEvent(TypeOf(message)), WParam(wParam), LParam(lParam)
    {
    }

    int Message() const { return MessageOf(type()); }

    qintptr WParam;
    qintptr LParam;
};

namespace Messages {
constexpr int ViewResized = CMessageEvent::WmUser + 11;   // 1035: width, height
}
