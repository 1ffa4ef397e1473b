#pragma once
// The loader thread of one channel track. It sleeps until a load request
// (LoadEvent) or the quit request (QuitEvent) arrives; each load request runs
// one pass of the track, and requests made during a pass are served by one
// more pass, however many they were. Quit wins over a pending load.
//
// Threads: Start, RequestLoad and Stop are called by the track's owner thread
// (RequestLoad from any thread); QuitRequested by the pass. Stop joins the
// thread, so nothing the pass uses may be freed before it returns; the pass
// should look at QuitRequested between its steps so that Stop stays quick.
// Errors: none; a pass reports its own.

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

class CFrameLoader
{
public:
    using Pass = std::function<void(const CFrameLoader&)>;

    explicit CFrameLoader(Pass pass);
    // Stops and joins the thread.
    ~CFrameLoader();
    CFrameLoader(const CFrameLoader&) = delete;
    CFrameLoader& operator=(const CFrameLoader&) = delete;

    // Starts the thread unless it runs.
    void Start();
    bool IsRunning() const;
    // Sets LoadEvent: one more pass will run.
    void RequestLoad();
    // Sets QuitEvent and waits for the thread to end (the pass in progress
    // finishes its current slot). Nothing when it does not run.
    void Stop();
    bool QuitRequested() const;

private:
    void Run();

    Pass pass_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool loadEvent_ = false;
    bool quitEvent_ = false;
    std::thread thread_;
};
