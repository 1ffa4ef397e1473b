#pragma once
// Records every prompt while it lives and answers each with a queued result
// (or the default), so nothing modal blocks a headless run or a test.

#include "ShowPrompt.h"

#include <QList>
#include <deque>

class CPromptRecorder
{
public:
    explicit CPromptRecorder(int defaultAnswer = 1);
    ~CPromptRecorder();
    CPromptRecorder(const CPromptRecorder&) = delete;
    CPromptRecorder& operator=(const CPromptRecorder&) = delete;

    void QueueAnswer(int answer) { answers_.push_back(answer); }
    const QList<PromptRequest>& Prompts() const { return prompts_; }

private:
    int answer(const PromptRequest& request);

    PromptHandler previous_;
    QList<PromptRequest> prompts_;
    std::deque<int> answers_;
    int defaultAnswer_;
};
