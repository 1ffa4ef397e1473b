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
