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

#include "CFrameSlot.h"
#include "ITrackInterface.h"
#include "LumetraImageApi.h"
#include "TrackPalette.h"

#include <QLine>
#include <QRect>
#include <QString>
#include <memory>
#include <mutex>
#include <vector>

class CFrameLoader;
class CGpuEngine;
class CTrackResources;
class IDataReaderInterface;
class IImageWnd;

class LUMETRAIMAGE_API CTrack : public ITrackInterface
{
public:
    CTrack();
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

    // The ring of cached frames. It has at least MinimumRingSize slots and
    // always F + 4 (F = frames per screen), so every window position finds
    // its own slot. Window index i (−2 … F + 1) holds frame CurrentFrame + i.
    static constexpr int MinimumRingSize = 10;
    int GetRingSize() const;
    int GetRingStart() const;
    // The slot of window index i: (i + RingStart + size) mod size. The caller
    // locks it (slot.Lock) before reading it.
    CFrameSlot& SlotAt(int windowIndex);
    // FrameKm / FrameM of the slot at RingStart (under its lock).
    int GetCurrentKm();
    int GetCurrentM();

    // The rendering engine (not owned). Given none, the track also forgets
    // its reader, empties its defects and closes, as the engine's release
    // demands; given one, it only stores it (OpenTrack creates resources).
    void SetEngine(CGpuEngine* engine);
    CGpuEngine* GetEngine() const;
    // Icons and outlines drawn by the track; null without an engine.
    CTrackResources* GetResources() const;
    // After the engine's device was reset: primitives and icons refilled,
    // every slot texture reset and re-uploaded under its lock.
    void ResetDevice();

    // Grey map and mirror (user-interface thread); both re-apply themselves
    // to the cached frames under the slot locks.
    void SetPalette(const TrackPalette& palette);
    TrackPalette GetPalette() const;
    void ToggleFlip();
    int GetFlipped() const;
    // Frame `frame` decoded at the track's frame size into `raster`, which is
    // zero-filled at that size first; false when it cannot be read.
    bool GetFrameGray(int frame, FrameRaster& raster);

    // The box drawn with the right button and the measuring line: x in frame
    // pixels, y in window rows.
    QRect GetBox() const;
    void SetBox(const QRect& box);
    QLine GetRulerLine() const;
    void SetRulerLine(const QLine& line);

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
    void OffsetPosition(int dx, int dy);
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
    // Frame loading, decoding and bitmap building live in CTrack.cpp and the
    // loader; their helpers are declared where the implementation needs them.

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

    CGpuEngine* Engine = nullptr;
    std::unique_ptr<CTrackResources> Resources;
    std::vector<std::unique_ptr<CFrameSlot>> FrameCache;
    int RingStart = 0;
    mutable std::mutex PaletteLock; // loaders copy the palette under it
    TrackPalette Palette = IdentityPalette();
    int Flipped = 0;
    QRect Box;
    QLine RulerLine;
    std::unique_ptr<CFrameLoader> Loader;
};
