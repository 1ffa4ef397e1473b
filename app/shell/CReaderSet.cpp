#include "CReaderSet.h"

#include "IDataReaderInterface.h"

CReaderSet::~CReaderSet() { Clear(); }

void CReaderSet::Add(IDataReaderInterface* reader)
{
    if (!reader)
        return;
    readers_.push_back(reader);
    if (!largest_ || reader->GetFrameCount() > largest_->GetFrameCount())
        largest_ = reader;
    const int channel = reader->GetChannelId();
    if (channel == SpecialChannelA)
        channel1030_ = reader;
    else if (channel == SpecialChannelB)
        channel1070_ = reader;
}

void CReaderSet::Clear()
{
    for (IDataReaderInterface* reader : readers_)
        delete reader;
    readers_.clear();
    largest_ = nullptr;
    channel1030_ = nullptr;
    channel1070_ = nullptr;
}

int CReaderSet::LastImageNumber() const { return largest_ ? largest_->GetFrameCount() : 0; }
