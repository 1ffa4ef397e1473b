#include "CRepaintThread.h"

#include <QMetaObject>
#include <QObject>

CRepaintThread::CRepaintThread(std::function<void()> repaint)
    : repaint_(std::move(repaint))
{
}

CRepaintThread::~CRepaintThread()
{
    Stop();
}

void CRepaintThread::Start()
{
    if (thread_.joinable())
        return;
    stopRequested_ = false;
    receiver_ = std::make_unique<QObject>();
    thread_ = std::thread([this] { Run(); });
}

void CRepaintThread::Signal()
{
    event_.Set();
}

void CRepaintThread::Stop()
{
    if (thread_.joinable()) {
        stopRequested_ = true;
        event_.Set();
        thread_.join();
    }
    receiver_.reset();
}

void CRepaintThread::Run()
{
    for (;;) {
        event_.Wait();
        if (stopRequested_)
            return;
        // receiver_ is not touched by Start or Stop while this thread runs.
        QMetaObject::invokeMethod(receiver_.get(), repaint_, Qt::QueuedConnection);
    }
}
