#include "CAutoResetEvent.h"

void CAutoResetEvent::Set()
{
    {
        std::lock_guard lock(mutex_);
        isSet_ = true;
    }
    signalled_.notify_one();
}

void CAutoResetEvent::Wait()
{
    std::unique_lock lock(mutex_);
    signalled_.wait(lock, [this] { return isSet_; });
    isSet_ = false;
}

bool CAutoResetEvent::WaitFor(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(mutex_);
    if (!signalled_.wait_for(lock, timeout, [this] { return isSet_; }))
        return false;
    isSet_ = false;
    return true;
}
