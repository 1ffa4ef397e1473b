#pragma once
// One channel column of the image display control. The task loader fills it
// through ITrackInterface; the control owns it after AddTrack and reaches it
// through the operations below. It holds the channel's reader (lent, never
// freed), identity, definition, position and defects, the ring of decoded
// frames around the current frame, the channel's palette and flip, and its
// engine objects.
//
// Threads: the task loader's worker fills and adds a track while the user
// interface waits; afterwards only the user-interface thread calls it. With
// the control's ThreadLoad at 1 when the track opens, one loader thread of
// its own reads and decodes frames; it takes each slot's lock while it writes
// the slot, so readers of a slot lock it too. Operations are cheap unless
// noted; errors answer 0 / false / null and leave the track usable.

#include "CFrameSlot.h"
#include "ITrackInterface.h"
#include "LumetraImageApi.h"
#include "TrackPalette.h"

#include <QLine>
#include <QRect>
#include <QString>
#include <atomic>
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
    // A running loader is stopped (joined) while the reader is swapped and
    // started again when there is a new one; an open track drops the frames
    // it holds and fetches its window from the new reader.
    void SetReader(IDataReaderInterface* reader) override;
    void SetTrackDefine(const _TRACK_DEFINE_STRUCT_& define) override;
    int GetTrackId() override;
    void SetTag(int tag) override;
    int GetTag() override;
    void SetFastenSize(int cx, int cy) override;
    int GetChannelId() override;
    // Takes the frame size from the reader, reserves the ring of slots
    // (address space only: pages count once written), creates the engine
    // objects, starts the loader thread when the control's ThreadLoad is 1 and
    // fetches the first window of frames (synchronously without a loader:
    // a decode per frame). Answers 1 when ready; 0 without a reader, when the
    // reader reports no usable frame size or the buffers cannot be reserved
    // (the track stays closed), and 0 without an engine, in which case the
    // frames are still cached and loaded so the track works once an engine
    // comes (SetEngine). An open track is closed and opened again.
    int OpenTrack() override;
    void SetFaults(const std::vector<_FAULT_>& faults) override;
    void AppendFault(const _FAULT_& fault) override;
    // Empties the defects and invalidates the control; answers 1.
    int ClearFaults() override;
    // Stops and joins the loader thread, releases the engine objects and the
    // slots. Idempotent.
    void CloseTrack() override;
    // Stops the loader, forgets the reader (which stays alive), empties the
    // defects, closes and deletes the track.
    void Release() override;

    // Used by the control.

    // The ring of cached frames: max(MinimumRingSize, F + 4) slots (F =
    // frames per screen), so every window position finds its own slot.
    // Window index i (−2 … F + 1) holds frame CurrentFrame + i. 0 closed.
    static constexpr int MinimumRingSize = 10;
    int GetRingSize() const;
    int GetRingStart() const;
    // The slot of window index i: (i + RingStart + size) mod size. The caller
    // locks it (slot.Lock) before reading it. A closed track answers an
    // empty, invalid slot of its own.
    CFrameSlot& SlotAt(int windowIndex);
    // FrameKm / FrameM of the slot at RingStart; while a loader fills that
    // slot, the position read last (never waits). User-interface thread.
    int GetCurrentKm();
    int GetCurrentM();

    // The rendering engine (not owned). Given none, the track stops its
    // loader, forgets its reader, empties its defects and closes, as the
    // engine's release demands. Given one, it stores it; an open track also
    // creates its engine objects there and uploads the frames it holds
    // (otherwise OpenTrack does).
    void SetEngine(CGpuEngine* engine);
    CGpuEngine* GetEngine() const;
    // Icons and outlines drawn by the track; null without an engine.
    CTrackResources* GetResources() const;
    // After the engine's device was reset: primitives and icons refilled,
    // every slot texture reset and re-uploaded under its lock (a bitmap
    // build per held frame).
    void ResetDevice();

    // The scale the channel's frames are drawn at (zoom × track scale
    // across, zoom down); the renderer sets it for every channel it draws,
    // and OpenTrack takes it from the control. Every upload (a loader's
    // included) sets it on the slot's texture first, so that with the raster
    // engine a frame is stored only at its drawing size. Any thread; a pair
    // read while it changes only costs a re-upload when the frame is drawn.
    void SetDrawScale(double sx, double sy);
    // Rebuilds the staging bitmap of window index i's frame from its decoded
    // rows with the palette and flip and uploads it at the draw scale, for a
    // texture whose Draw answered false (the zoom changed). No reading or
    // decoding: one copy of the rows and the rescale. User-interface thread,
    // with the slot's lock HELD by the caller (SlotAt(windowIndex).Lock).
    // False when the slot holds no valid frame or has no texture, or the
    // texture refused it (the slot then turns invalid).
    bool ReuploadSlot(int windowIndex);

    // Grey map and mirror (user-interface thread); both re-apply themselves
    // to the frames held, under the slot locks: a bitmap build and upload per
    // frame with a texture. SetPalette re-applies only while the channel has
    // a reader and is visible (Visible 1); later loads always use it.
    void SetPalette(const TrackPalette& palette);
    TrackPalette GetPalette() const;
    void ToggleFlip();
    int GetFlipped() const;
    // Frame `frame` decoded at the track's frame size into `raster`, which is
    // zero-filled at that size first (nearest neighbour from the decoded
    // size, top row first). A frame the ring holds at exactly the frame size
    // is copied from the slot (under its lock, no reading); any other is read
    // and decoded on the calling thread. False, raster left zero-filled, when
    // the track is closed or the frame cannot be read or decoded.
    bool GetFrameGray(int frame, FrameRaster& raster);

    // The box drawn with the right button and the measuring line: x in frame
    // pixels, y in window rows.
    QRect GetBox() const;
    void SetBox(const QRect& box);
    QLine GetRulerLine() const;
    void SetRulerLine(const QLine& line);

    void SetOwner(IImageWnd* owner);
    IImageWnd* GetOwner() const;
    // Moves the window of cached frames to `frame` and fetches what it needs.
    void SetCurrentFrame(int frame);
    int GetCurrentFrame() const;
    // Fetches the frames the window of cached frames needs: with a loader
    // thread it only wakes it (cheap); otherwise it reads and decodes the
    // missing frames on the calling thread. Frames that cannot be loaded
    // leave their slot invalid. The ring grows (loader stopped, slots
    // emptied, loader restarted) when frames per screen outgrow it. Slots
    // outside the window give their memory back after each load.
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
    // Where the loader finds the window: read together, under WindowLock.
    struct WindowPosition
    {
        int Frame = 1;      // CurrentFrame
        int RingStart = 0;
        int Frames = 1;     // frames per screen, at least 1
    };

    // Window indices in the order a loader pass fetches them: the rows on
    // screen (0 … F), then the frames kept ready above and below.
    static std::vector<int> LoadOrder(int framesPerScreen);
    bool WindowMoved(const WindowPosition& window) const;
    void ReadCurrentPosition();
    void InvalidateOwner() const;
    bool IsOpen() const;
    int RequiredRingSize(int framesPerScreen) const;
    int FramesPerScreenOfOwner() const;
    WindowPosition SnapshotWindow() const;
    CFrameSlot& SlotOf(int ringStart, int windowIndex);

    bool BuildFrameCache(int ringSize);
    void FreeFrameCache();
    // False when the bigger ring could not be reserved (the track closed).
    bool GrowRingIfNeeded(int framesPerScreen);
    void CreateEngineObjects();
    void CreateSlotTexture(CFrameSlot& slot);
    void ReleaseEngineObjects();
    void StartLoader();
    void StopLoader();

    void LoadWindowNow(const WindowPosition& window);
    void LoadPass(const CFrameLoader& loader);
    bool LoadSlot(CFrameSlot& slot);
    bool UploadSlot(CFrameSlot& slot);
    // Uploads a valid slot's frame again (palette, flip, scale or texture
    // changed); a refused upload leaves it invalid. True while it is valid.
    bool ReuploadHeldFrame(CFrameSlot& slot);
    bool CopyCachedFrameGray(int frame, FrameRaster& raster);
    void GiveBackSlotsOutside(const WindowPosition& window);

    IDataReaderInterface* Reader = nullptr;
    QString TrackName;
    int TrackID = 0;
    int Visible = 1;
    _TRACK_DEFINE_STRUCT_ Definition;
    IImageWnd* Owner = nullptr;
    std::atomic<int> CurrentFrame = 1;
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
    CFrameSlot ClosedSlot;          // what SlotAt answers while closed
    std::atomic<int> RingStart = 0;
    std::atomic<int> WindowFrames = 1; // frames per screen the window spans
    mutable std::mutex WindowLock;  // CurrentFrame and RingStart change together
    mutable std::mutex PaletteLock; // loaders copy the palette under it
    TrackPalette Palette = IdentityPalette();
    std::atomic<int> Flipped = 0;
    std::atomic<double> DrawScaleX = 1.0;
    std::atomic<double> DrawScaleY = 1.0;
    QRect Box;
    QLine RulerLine;
    std::unique_ptr<CFrameLoader> Loader;
    // Km and m of the current frame as last read (user-interface thread).
    int ShownKm = 0;
    int ShownM = 0;
};
