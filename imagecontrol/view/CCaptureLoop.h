#pragma once
// What the view's capture loops share (automatic paging, arrow-key
// scrolling, dragging). While one runs, the control's viewport holds the
// mouse and keyboard grabs, the loop may show a pointer shape of its own, and
// a step timer of about 15 ms drives it. The loops are event-driven: the
// control hands a running loop its window's mouse, wheel and key events
// first, and the loop answers whether it used them. The keyboard grab brings
// every key of the program to the control's window while a loop runs, so the
// release that ends arrow-key scrolling arrives wherever the focus is. A loop
// also ends when its viewport loses the mouse grab to another widget or its
// window stops being the active one, as a loop that runs while captured must.
//
// User-interface thread only. Starting, stopping and each step are cheap;
// what a step does is the owner's hook.

#include "LumetraImageApi.h"

#include <QCursor>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <optional>

class QKeyEvent;
class QMouseEvent;
class QWidget;

class LUMETRAIMAGE_API CCaptureLoop
{
public:
    static constexpr int StepMilliseconds = 15;

    CCaptureLoop();
    // Gives the grab and the pointer back without calling the end hook.
    virtual ~CCaptureLoop();
    CCaptureLoop(const CCaptureLoop&) = delete;
    CCaptureLoop& operator=(const CCaptureLoop&) = delete;

    bool IsRunning() const;
    // Ends the loop: timer stopped, grabs released (those the viewport still
    // holds), pointer restored, then the end hook. Nothing when idle.
    void Stop();
    // Called after every end (the control repaints).
    void SetEndHook(std::function<void()> hook);

    // The control's window events while the loop runs; true = used, the
    // control does nothing more with it.
    virtual bool OnMouseEvent(const QMouseEvent& event);
    virtual bool OnKeyEvent(const QKeyEvent& event);
    virtual bool OnWheel();

protected:
    // Grabs the mouse and the keyboard for `viewport`, shows `cursor` when
    // given, starts the step timer and its clock. False (nothing started)
    // without a viewport.
    bool Begin(QWidget* viewport, const std::optional<QCursor>& cursor);
    // One timer step; `seconds` since the previous step (or the start).
    virtual void Step(double seconds);

private:
    void OnTimer();
    void OnFocusWindowChanged();
    void Finish(bool callEndHook);

    QPointer<QWidget> viewport_;
    QTimer timer_;
    QElapsedTimer clock_;
    bool running_ = false;
    bool cursorChanged_ = false;
    bool hadOwnCursor_ = false;
    QCursor previousCursor_;
    std::function<void()> endHook_;
    QMetaObject::Connection focusWatch_;
};
