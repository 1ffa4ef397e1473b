#pragma once
// An event that releases one waiter per Set and then resets itself; several
// Sets before the waiter wakes count as one. Any thread may call every
// operation; each costs one mutex lock.

#include <condition_variable>
#include <mutex>

class CAutoResetEvent
{
public:
    CAutoResetEvent() = default;
    CAutoResetEvent(const CAutoResetEvent&) = delete;
    CAutoResetEvent& operator=(const CAutoResetEvent&) = delete;

    void Set();
    // Blocks until the event is set, then resets it.
    void Wait();

private:
    std::mutex mutex_;
    std::condition_variable signalled_;
    bool isSet_ = false;
};
