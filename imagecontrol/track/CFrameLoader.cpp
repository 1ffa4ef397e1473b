#include "CFrameLoader.h"

CFrameLoader::CFrameLoader(Pass pass) : pass_(std::move(pass)) {}

CFrameLoader::~CFrameLoader()
{
    Stop();
}

void CFrameLoader::Start()
{
    if (thread_.joinable())
        return;
    {
        std::lock_guard lock(mutex_);
        quitEvent_ = false;
    }
    thread_ = std::thread([this] { Run(); });
}

bool CFrameLoader::IsRunning() const
{
    return thread_.joinable();
}

void CFrameLoader::RequestLoad()
{
    {
        std::lock_guard lock(mutex_);
        loadEvent_ = true;
    }
    wake_.notify_one();
}

void CFrameLoader::Stop()
{
    if (!thread_.joinable())
        return;
    {
        std::lock_guard lock(mutex_);
        quitEvent_ = true;
    }
    wake_.notify_one();
    thread_.join();
    std::lock_guard lock(mutex_);
    quitEvent_ = false;
    loadEvent_ = false;
}

bool CFrameLoader::QuitRequested() const
{
    std::lock_guard lock(mutex_);
    return quitEvent_;
}

void CFrameLoader::Run()
{
    for (;;) {
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return quitEvent_ || loadEvent_; });
            if (quitEvent_)
                return;
            // Auto-reset: requests that arrive during the pass set it again.
            loadEvent_ = false;
        }
        pass_(*this);
    }
}
