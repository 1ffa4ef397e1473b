#include "CPromptRecorder.h"

CPromptRecorder::CPromptRecorder(int defaultAnswer) : defaultAnswer_(defaultAnswer)
{
    previous_ = SetPromptHandler([this](const PromptRequest& request) { return answer(request); });
}

CPromptRecorder::~CPromptRecorder() { SetPromptHandler(previous_); }

int CPromptRecorder::answer(const PromptRequest& request)
{
    prompts_.append(request);
    if (answers_.empty())
        return defaultAnswer_;
    const int next = answers_.front();
    answers_.pop_front();
    return next;
}
