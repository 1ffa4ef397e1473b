#pragma once
// The library's RbimfFile: the data file mapped read-only, the index parsed
// once at opening into a frame table and a position table. After opening
// nothing changes but the open/closed state, which a shared lock guards, so
// fetches from several threads run side by side.

#include "BimfFormat.h"
#include "MappedFile.h"
#include "RbimfFile.h"

#include <memory>
#include <shared_mutex>
#include <string>
#include <vector>

namespace bimf {

class BimfReader final : public RbimfFile
{
public:
    // Null with the reason in LastError() when the pair is refused.
    static std::unique_ptr<BimfReader> open(const char* dataPath, const char* indexPath, int flags);

    ~BimfReader() override;

    const UniversalTrackInfo_Ex* GetUniversalTrackInfo() const override;
    int GetTrackImage(TrackImageJPG_* image, int frameNumber) override;
    void ReleaseImage(TrackImageJPG_* image) override;
    int* GetTrackImagesNumber(int16_t km, int16_t m, int* count) override;
    void Final() override;

private:
    BimfReader() = default;
    bool readIndex(const char* indexPath, const DataHeader& header);
    bool checkEntries(const uint8_t* entries);
    void buildPositionTable();
    bool recordMatches(const IndexEntry& entry, int frameNumber) const;

    mutable std::shared_mutex stateLock_;
    MappedFile data_;
    bool open_ = false;
    bool verifyFrameChecksum_ = true;
    UniversalTrackInfo_Ex track_{};
    std::vector<IndexEntry> frames_;
    // Position table: keys ascending, each with the frame number beside it.
    std::vector<int64_t> positionKeys_;
    std::vector<int> positionFrames_;
};

} // namespace bimf
