#pragma once
// The control's repaint thread: it sleeps on an auto-reset event and, each
// time the event is set, has `repaint` run on the user-interface thread. The
// loader threads of the channels set the event when they have decoded frames,
// so several signals before the thread wakes cause one repaint.
//
// Start, Stop and the destructor belong to the user-interface thread (the
// thread whose event loop runs `repaint`); Signal may be called from any
// thread. Stop joins the thread, and `repaint` is never called after it.

#include "CAutoResetEvent.h"

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

class QObject;

class CRepaintThread
{
public:
    explicit CRepaintThread(std::function<void()> repaint);
    ~CRepaintThread();
    CRepaintThread(const CRepaintThread&) = delete;
    CRepaintThread& operator=(const CRepaintThread&) = delete;

    // Starts the thread unless it runs already.
    void Start();
    void Signal();
    // Ends and joins the thread; pending repaints are dropped. Safe to call
    // when the thread never started.
    void Stop();

private:
    void Run();

    std::function<void()> repaint_;
    CAutoResetEvent event_;
    std::atomic<bool> stopRequested_ = false;
    // Lives on the user-interface thread and receives the queued repaints;
    // deleted only after the thread is joined, which also discards what is
    // still queued for it.
    std::unique_ptr<QObject> receiver_;
    std::thread thread_;
};
