#pragma once
// The channel readers of the open task. The set owns its readers; besides the
// list it remembers the reader with the most images and the readers of the
// channels 1030 and 1070, which some views single out.

#include <vector>

class IDataReaderInterface;

class CReaderSet
{
public:
    static constexpr int SpecialChannelA = 1030;
    static constexpr int SpecialChannelB = 1070;

    CReaderSet() = default;
    ~CReaderSet();
    CReaderSet(const CReaderSet&) = delete;
    CReaderSet& operator=(const CReaderSet&) = delete;

    // Takes ownership of the reader.
    void Add(IDataReaderInterface* reader);
    // Deletes every reader and forgets the three pointers.
    void Clear();

    const std::vector<IDataReaderInterface*>& Readers() const { return readers_; }
    IDataReaderInterface* Largest() const { return largest_; }
    IDataReaderInterface* Channel1030() const { return channel1030_; }
    IDataReaderInterface* Channel1070() const { return channel1070_; }
    // Image count of the largest reader, 0 without readers.
    int LastImageNumber() const;

private:
    std::vector<IDataReaderInterface*> readers_;
    IDataReaderInterface* largest_ = nullptr;
    IDataReaderInterface* channel1030_ = nullptr;
    IDataReaderInterface* channel1070_ = nullptr;
};
