#pragma once
// One channel column of the image display control. The task loader fills it
// through ITrackInterface; the control owns it after AddTrack and reaches it
// through the operations below. It holds the channel's reader (lent, never
// freed), identity, definition, position and defects; the cache of decoded
// frames and the engine resources join it with the frame loading and the
// renderer.
//
// Threads: the task loader's worker fills and adds a track while the user
// interface waits; afterwards only the user-interface thread calls it.
// Operations are cheap unless noted; errors answer 0 / false / null.

#include "ITrackInterface.h"
#include "LumetraImageApi.h"

#include <QString>
#include <vector>

class IDataReaderInterface;
class IImageWnd;

class LUMETRAIMAGE_API CTrack : public ITrackInterface
{
public:
    CTrack() = default;
    ~CTrack() override;
    CTrack(const CTrack&) = delete;
    CTrack& operator=(const CTrack&) = delete;

    // ITrackInterface
    void SetTrackInfo(int trackId, const QString& name) override;
    void SetReader(IDataReaderInterface* reader) override;
    void SetTrackDefine(const _TRACK_DEFINE_STRUCT_& define) override;
    int GetTrackId() override;
    void SetTag(int tag) override;
    int GetTag() override;
    void SetFastenSize(int cx, int cy) override;
    int GetChannelId() override;
    // 0 without a reader or when the reader reports no frame size; otherwise
    // takes the frame size from the reader and answers 1.
    int OpenTrack() override;
    void SetFaults(const std::vector<_FAULT_>& faults) override;
    void AppendFault(const _FAULT_& fault) override;
    // Empties the defects and invalidates the control; answers 1.
    int ClearFaults() override;
    void CloseTrack() override;
    void Release() override;

    // Used by the control.
    void SetOwner(IImageWnd* owner);
    IImageWnd* GetOwner() const;
    void SetCurrentFrame(int frame);
    int GetCurrentFrame() const;
    // Fetches the frames the window of cached frames needs.
    void RefreshFrames();
    // The reader's frame count; 0 without a reader.
    int GetFrameCount() const;
    bool HasReader() const;
    QString GetTrackName() const;
    const _TRACK_DEFINE_STRUCT_& GetTrackDefine() const;
    int GetVisible() const;
    void SetVisible(int visible);
    int GetFastenCx() const;
    int GetFastenCy() const;
    int GetFrameWidth() const;
    int GetFrameHeight() const;
    void SetPosition(int x, int y);
    int GetX() const;
    int GetY() const;

    // Defects: FaultIDs compare as integers and the first match wins.
    const std::vector<_FAULT_>& GetFaults() const;
    _FAULT_* FindFault(int faultId);
    // Erases the defect and invalidates the control; false when there is none.
    bool RemoveFault(int faultId);
    // Copies FaultID … FaultState into the defect with the same FaultID
    // (TrackID and FaultChannelID stay) and invalidates the control; false
    // when there is none.
    bool UpdateFault(const _FAULT_& fault);

private:
    void InvalidateOwner() const;

    IDataReaderInterface* Reader = nullptr;
    QString TrackName;
    int TrackID = 0;
    int Visible = 1;
    _TRACK_DEFINE_STRUCT_ Definition;
    IImageWnd* Owner = nullptr;
    int CurrentFrame = 1;
    int FrameHeight = 0;
    int FrameWidth = 0;
    int X = 0;
    int Y = 0;
    int Tag = 0;
    std::vector<_FAULT_> Faults;
    int FastenCx = 0;
    int FastenCy = 0;
};
