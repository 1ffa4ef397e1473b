#include "CTrack.h"
#include "CFrameLoader.h"
#include "CTrackResources.h"
#include "FrameSlotLoading.h"

#include "CGpuEngine.h"
#include "CGpuTexture.h"
#include "IDataReaderInterface.h"
#include "IImageWnd.h"
#include "ImageControlLog.h"

#include <QAbstractScrollArea>
#include <QWidget>
#include <algorithm>
#include <string>

namespace {

// Frames per screen beyond any the control allows; only guards the ring
// against a nonsense value.
constexpr int LargestFramesPerScreen = 64;
// GetFrameGray resamples frames of another size; this bounds what a damaged
// header can make it allocate.
constexpr int LargestGraySide = 8192;

} // namespace

CTrack::CTrack() = default;

CTrack::~CTrack()
{
    CloseTrack();
}

void CTrack::SetTrackInfo(int trackId, const QString& name)
{
    TrackID = trackId;
    TrackName = name;
}

void CTrack::SetReader(IDataReaderInterface* reader)
{
    if (reader == Reader)
        return;
    const bool loading = Loader && Loader->IsRunning();
    // The loader reads through the reader: it must not see it change.
    StopLoader();
    Reader = reader;
    // Frames held came from the other reader.
    for (const auto& slot : FrameCache) {
        std::lock_guard lock(slot->Lock);
        GiveBackFrameSlot(*slot);
    }
    if (loading && Reader)
        StartLoader();
    RefreshFrames();
}

void CTrack::SetTrackDefine(const _TRACK_DEFINE_STRUCT_& define)
{
    Definition = define;
}

int CTrack::GetTrackId()
{
    return TrackID;
}

void CTrack::SetTag(int tag)
{
    Tag = tag;
}

int CTrack::GetTag()
{
    return Tag;
}

void CTrack::SetFastenSize(int cx, int cy)
{
    FastenCx = cx;
    FastenCy = cy;
}

int CTrack::GetChannelId()
{
    return Definition.Track_ChannelID;
}

int CTrack::OpenTrack()
{
    if (!Reader)
        return 0;
    if (IsOpen())
        CloseTrack();
    const int width = Reader->GetFrameWidth();
    const int height = Reader->GetFrameHeight();
    if (!IsUsableFrameSize(width, height)) {
        qCWarning(lcImageControl).nospace() << "channel " << TrackID << ": the reader reports a frame size of "
                                            << width << " x " << height << "; the channel stays closed";
        return 0;
    }
    FrameWidth = width;
    FrameHeight = height;
    // The renderer's figures, so the first frames are stored at the size
    // they will be drawn at rather than rebuilt at the first paint.
    if (Owner)
        SetDrawScale(Owner->GetZoom() * Owner->GetTrackScale(TrackID), Owner->GetZoom());
    const int frames = FramesPerScreenOfOwner();
    WindowFrames = frames;
    if (!BuildFrameCache(RequiredRingSize(frames))) {
        qCWarning(lcImageControl).nospace() << "channel " << TrackID << ": no memory for frames of " << width
                                            << " x " << height << "; the channel stays closed";
        CloseTrack();
        return 0;
    }
    if (Engine)
        CreateEngineObjects();
    if (Owner && Owner->GetThreadLoad() == 1)
        StartLoader();
    RefreshFrames();
    // Without an engine nothing can be drawn yet, but the frames are cached.
    return Engine ? 1 : 0;
}

void CTrack::SetFaults(const std::vector<_FAULT_>& faults)
{
    Faults = faults;
}

void CTrack::AppendFault(const _FAULT_& fault)
{
    Faults.push_back(fault);
}

int CTrack::ClearFaults()
{
    Faults.clear();
    InvalidateOwner();
    return 1;
}

void CTrack::CloseTrack()
{
    // The loader uses the slots and their textures: it goes first.
    StopLoader();
    Loader.reset();
    ReleaseEngineObjects();
    FreeFrameCache();
    FrameHeight = 0;
    FrameWidth = 0;
    std::lock_guard lock(WindowLock);
    CurrentFrame = 1;
    RingStart = 0;
}

void CTrack::Release()
{
    StopLoader();
    Reader = nullptr;
    Faults.clear();
    CloseTrack();
    delete this;
}

void CTrack::SetOwner(IImageWnd* owner)
{
    Owner = owner;
}

IImageWnd* CTrack::GetOwner() const
{
    return Owner;
}

void CTrack::SetCurrentFrame(int frame)
{
    {
        std::lock_guard lock(WindowLock);
        const int old = CurrentFrame;
        CurrentFrame = frame;
        const int size = GetRingSize();
        // The ring turns with the window, so a frame keeps its slot.
        if (size > 0)
            RingStart = (RingStart + (frame - old) % size + size) % size;
    }
    RefreshFrames();
}

int CTrack::GetCurrentFrame() const
{
    return CurrentFrame;
}

void CTrack::RefreshFrames()
{
    if (!Reader || !IsOpen())
        return;
    const int frames = FramesPerScreenOfOwner();
    if (!GrowRingIfNeeded(frames))
        return;
    WindowFrames = frames;
    if (Loader && Loader->IsRunning()) {
        Loader->RequestLoad();
        return;
    }
    const WindowPosition window = SnapshotWindow();
    LoadWindowNow(window);
    GiveBackSlotsOutside(window);
}

int CTrack::GetFrameCount() const
{
    return Reader ? Reader->GetFrameCount() : 0;
}

bool CTrack::HasReader() const
{
    return Reader != nullptr;
}

QString CTrack::GetTrackName() const
{
    return TrackName;
}

const _TRACK_DEFINE_STRUCT_& CTrack::GetTrackDefine() const
{
    return Definition;
}

int CTrack::GetVisible() const
{
    return Visible;
}

void CTrack::SetVisible(int visible)
{
    Visible = visible;
}

int CTrack::GetFastenCx() const
{
    return FastenCx;
}

int CTrack::GetFastenCy() const
{
    return FastenCy;
}

int CTrack::GetFrameWidth() const
{
    return FrameWidth;
}

int CTrack::GetFrameHeight() const
{
    return FrameHeight;
}

void CTrack::SetPosition(int x, int y)
{
    X = x;
    Y = y;
}

int CTrack::GetX() const
{
    return X;
}

int CTrack::GetY() const
{
    return Y;
}

const std::vector<_FAULT_>& CTrack::GetFaults() const
{
    return Faults;
}

_FAULT_* CTrack::FindFault(int faultId)
{
    const auto it = std::find_if(Faults.begin(), Faults.end(),
                                 [faultId](const _FAULT_& fault) { return fault.FaultID == faultId; });
    return it != Faults.end() ? &*it : nullptr;
}

bool CTrack::RemoveFault(int faultId)
{
    const _FAULT_* found = FindFault(faultId);
    if (!found)
        return false;
    Faults.erase(Faults.begin() + (found - Faults.data()));
    InvalidateOwner();
    return true;
}

bool CTrack::UpdateFault(const _FAULT_& fault)
{
    _FAULT_* stored = FindFault(fault.FaultID);
    if (!stored)
        return false;
    const int32_t trackId = stored->TrackID;
    const int32_t channelId = stored->FaultChannelID;
    const int32_t extra = stored->Extra;
    *stored = fault;
    stored->TrackID = trackId;
    stored->FaultChannelID = channelId;
    stored->Extra = extra;
    InvalidateOwner();
    return true;
}

void CTrack::InvalidateOwner() const
{
    if (!Owner)
        return;
    QWidget* window = Owner->GetWindowHandle();
    // The control draws into the viewport of its scroll area; updating only
    // the frame around it would leave the picture as it was.
    if (auto* area = qobject_cast<QAbstractScrollArea*>(window))
        area->viewport()->update();
    else if (window)
        window->update();
}

void CTrack::OffsetPosition(int dx, int dy)
{
    X += dx;
    Y += dy;
}

QRect CTrack::GetBox() const
{
    return Box;
}

void CTrack::SetBox(const QRect& box)
{
    Box = box;
}

QLine CTrack::GetRulerLine() const
{
    return RulerLine;
}

void CTrack::SetRulerLine(const QLine& line)
{
    RulerLine = line;
}

// ------------------------------------------------------------ frame ring

int CTrack::GetRingSize() const
{
    return static_cast<int>(FrameCache.size());
}

int CTrack::GetRingStart() const
{
    return RingStart;
}

CFrameSlot& CTrack::SlotAt(int windowIndex)
{
    return IsOpen() ? SlotOf(RingStart, windowIndex) : ClosedSlot;
}

CFrameSlot& CTrack::SlotOf(int ringStart, int windowIndex)
{
    const int size = GetRingSize();
    return *FrameCache[((windowIndex + ringStart) % size + size) % size];
}

int CTrack::GetCurrentKm()
{
    ReadCurrentPosition();
    return ShownKm;
}

int CTrack::GetCurrentM()
{
    ReadCurrentPosition();
    return ShownM;
}

void CTrack::ReadCurrentPosition()
{
    // The status line is drawn while loaders fill slots: a slot being filled
    // is not waited for, and the position read last stands in for it.
    CFrameSlot& slot = SlotAt(0);
    const std::unique_lock lock(slot.Lock, std::try_to_lock);
    if (!lock.owns_lock())
        return;
    ShownKm = slot.FrameKm;
    ShownM = slot.FrameM;
}

bool CTrack::IsOpen() const
{
    return !FrameCache.empty();
}

int CTrack::RequiredRingSize(int framesPerScreen) const
{
    return std::max(MinimumRingSize, framesPerScreen + 4);
}

int CTrack::FramesPerScreenOfOwner() const
{
    // Before the settings arrive the control answers 0; a window of one
    // frame still loads what the first row shows.
    const int frames = Owner ? Owner->GetFramesPerScreen() : 1;
    return std::clamp(frames, 1, LargestFramesPerScreen);
}

CTrack::WindowPosition CTrack::SnapshotWindow() const
{
    std::lock_guard lock(WindowLock);
    return WindowPosition{CurrentFrame, RingStart, WindowFrames};
}

bool CTrack::BuildFrameCache(int ringSize)
{
    FrameCache.clear();
    for (int i = 0; i < ringSize; ++i) {
        auto slot = std::make_unique<CFrameSlot>();
        if (!ReserveFrameSlot(*slot, FrameWidth, FrameHeight)) {
            FrameCache.clear();
            return false;
        }
        FrameCache.push_back(std::move(slot));
    }
    std::lock_guard lock(WindowLock);
    RingStart = 0;
    return true;
}

void CTrack::FreeFrameCache()
{
    // Slots free their buffers as they go; textures were released before.
    FrameCache.clear();
}

bool CTrack::GrowRingIfNeeded(int framesPerScreen)
{
    const int size = RequiredRingSize(framesPerScreen);
    if (size <= GetRingSize())
        return true;
    const bool loading = Loader && Loader->IsRunning();
    StopLoader();
    ReleaseEngineObjects();
    if (!BuildFrameCache(size)) {
        qCWarning(lcImageControl).nospace() << "channel " << TrackID << ": no memory for " << size
                                            << " frames; the channel closes";
        CloseTrack();
        return false;
    }
    if (Engine)
        CreateEngineObjects();
    if (loading)
        StartLoader();
    return true;
}

// ------------------------------------------------------- engine objects

void CTrack::SetEngine(CGpuEngine* engine)
{
    if (!engine) {
        StopLoader();
        Reader = nullptr;
        Faults.clear();
        CloseTrack();
        Engine = nullptr;
        return;
    }
    if (engine == Engine)
        return;
    // Objects of another engine belong to it and go back there first.
    ReleaseEngineObjects();
    Engine = engine;
    if (IsOpen())
        CreateEngineObjects();
}

CGpuEngine* CTrack::GetEngine() const
{
    return Engine;
}

CTrackResources* CTrack::GetResources() const
{
    return Resources.get();
}

void CTrack::CreateEngineObjects()
{
    Resources = std::make_unique<CTrackResources>(*Engine);
    for (const auto& slot : FrameCache) {
        std::lock_guard lock(slot->Lock);
        CreateSlotTexture(*slot);
    }
}

void CTrack::CreateSlotTexture(CFrameSlot& slot)
{
    if (slot.Texture)
        Engine->ReleaseObject(slot.Texture);
    slot.Texture = Engine->CreateTexture();
    slot.Texture->Create(FrameWidth, FrameHeight);
    ReuploadHeldFrame(slot);
}

void CTrack::ReleaseEngineObjects()
{
    Resources.reset();
    if (!Engine)
        return;
    for (const auto& slot : FrameCache) {
        std::lock_guard lock(slot->Lock);
        if (slot->Texture)
            Engine->ReleaseObject(slot->Texture);
        slot->Texture = nullptr;
    }
}

void CTrack::ResetDevice()
{
    if (!Engine)
        return;
    if (Resources)
        Resources->ResetDevice();
    for (const auto& slot : FrameCache) {
        std::lock_guard lock(slot->Lock);
        if (!slot->Texture)
            continue;
        slot->Texture->Reset();
        ReuploadHeldFrame(*slot);
    }
}

void CTrack::SetDrawScale(double sx, double sy)
{
    DrawScaleX = sx;
    DrawScaleY = sy;
}

bool CTrack::ReuploadSlot(int windowIndex)
{
    CFrameSlot& slot = SlotAt(windowIndex);
    return slot.Texture && ReuploadHeldFrame(slot);
}

bool CTrack::ReuploadHeldFrame(CFrameSlot& slot)
{
    if (slot.Valid && !UploadSlot(slot))
        slot.Valid = 0;
    return slot.Valid != 0;
}

// ------------------------------------------------------- palette, flip

void CTrack::SetPalette(const TrackPalette& palette)
{
    {
        std::lock_guard lock(PaletteLock);
        Palette = palette;
    }
    if (!Reader || Visible != 1)
        return;
    for (const auto& slot : FrameCache) {
        std::lock_guard lock(slot->Lock);
        if (slot->Texture)
            ReuploadHeldFrame(*slot);
    }
}

TrackPalette CTrack::GetPalette() const
{
    std::lock_guard lock(PaletteLock);
    return Palette;
}

void CTrack::ToggleFlip()
{
    Flipped = Flipped ? 0 : 1;
    for (const auto& slot : FrameCache) {
        std::lock_guard lock(slot->Lock);
        ReuploadHeldFrame(*slot);
    }
}

int CTrack::GetFlipped() const
{
    return Flipped;
}

bool CTrack::GetFrameGray(int frame, FrameRaster& raster)
{
    raster.Width = FrameWidth;
    raster.Height = FrameHeight;
    raster.Stride = FrameStride(FrameWidth);
    raster.Bits.assign(static_cast<size_t>(raster.Stride) * raster.Height, 0);
    if (!Reader || !IsOpen())
        return false;
    if (CopyCachedFrameGray(frame, raster))
        return true;
    std::vector<uint8_t> jpeg(FrameSlotBufferBytes(FrameWidth, FrameHeight));
    int bytes = 0;
    const int capacity = static_cast<int>(jpeg.size());
    if (!Reader->ReadFrame(frame, reinterpret_cast<char*>(jpeg.data()), capacity, &bytes, nullptr, nullptr) ||
        bytes < 1 || bytes > capacity)
        return false;
    std::string error;
    const int maxWidth = std::max(FrameWidth, LargestGraySide);
    const int maxHeight = std::max(FrameHeight, LargestGraySide);
    FrameRaster decoded = raster;
    if (!DecodeFrameGrayInto(jpeg.data(), static_cast<size_t>(bytes), maxWidth, maxHeight, decoded, &error)) {
        qCDebug(lcImageControl).nospace() << "channel " << TrackID << ": frame " << frame
                                          << " gives no grey image: " << error.c_str();
        return false;
    }
    raster = std::move(decoded);
    return true;
}

// At equal sizes the nearest-neighbour resample is the identity, so the
// decoded rows a slot holds are exactly what a decode would give.
bool CTrack::CopyCachedFrameGray(int frame, FrameRaster& raster)
{
    for (const auto& slot : FrameCache) {
        std::lock_guard lock(slot->Lock);
        if (slot->Valid && slot->FrameNo == frame && CopySlotFrameGray(*slot, raster))
            return true;
    }
    return false;
}

// --------------------------------------------------------- frame loading

void CTrack::StartLoader()
{
    if (!Loader)
        Loader = std::make_unique<CFrameLoader>([this](const CFrameLoader& loader) { LoadPass(loader); });
    Loader->Start();
}

void CTrack::StopLoader()
{
    if (Loader)
        Loader->Stop();
}

void CTrack::LoadWindowNow(const WindowPosition& window)
{
    for (int i = -2; i <= window.Frames + 1; ++i) {
        CFrameSlot& slot = SlotOf(window.RingStart, i);
        std::lock_guard lock(slot.Lock);
        const int frame = window.Frame + i;
        // A frame that failed keeps its number and is not read again until
        // the window moves away and back.
        if (slot.FrameNo == frame)
            continue;
        slot.FrameNo = frame;
        slot.Valid = LoadSlot(slot) ? 1 : 0;
    }
}

std::vector<int> CTrack::LoadOrder(int framesPerScreen)
{
    std::vector<int> order;
    for (int i = 0; i <= framesPerScreen; ++i)
        order.push_back(i);
    order.insert(order.end(), {-1, -2, framesPerScreen + 1});
    return order;
}

bool CTrack::WindowMoved(const WindowPosition& window) const
{
    const WindowPosition now = SnapshotWindow();
    return now.Frame != window.Frame || now.RingStart != window.RingStart || now.Frames != window.Frames;
}

void CTrack::LoadPass(const CFrameLoader& loader)
{
    const WindowPosition window = SnapshotWindow();
    for (int i = -2; i <= window.Frames + 1; ++i) {
        CFrameSlot& slot = SlotOf(window.RingStart, i);
        std::lock_guard lock(slot.Lock);
        if (slot.FrameNo != window.Frame + i || slot.FrameNo < 1)
            slot.Valid = 0;
    }
    // Invalid slots (frames outside the file, unreadable frames) are tried
    // again on every request. The rows on screen come first and are shown as
    // soon as they are ready; a pass whose window has moved on stops, since
    // the move has asked for a new pass already.
    for (int i : LoadOrder(window.Frames)) {
        if (loader.QuitRequested())
            return;
        if (WindowMoved(window))
            break;
        CFrameSlot& slot = SlotOf(window.RingStart, i);
        std::lock_guard lock(slot.Lock);
        if (slot.Valid)
            continue;
        slot.FrameNo = window.Frame + i;
        slot.Valid = LoadSlot(slot) ? 1 : 0;
        if (i == window.Frames && Owner)
            Owner->SignalRepaint();
    }
    // Judged by where the window is now: while the view keeps moving, every
    // pass stops at the next move, and the pass's own window would leave the
    // slots behind it holding their frames for as long as it moves.
    GiveBackSlotsOutside(SnapshotWindow());
    if (Owner)
        Owner->SignalRepaint();
}

bool CTrack::LoadSlot(CFrameSlot& slot)
{
    std::string error;
    const bool loaded = ReadSlotFrame(slot, *Reader, &error) && DecodeSlotFrame(slot, FrameWidth, FrameHeight, &error);
    // Decoded rows are all that is kept of a frame.
    slot.Jpeg.Discard();
    if (loaded && UploadSlot(slot))
        return true;
    if (!error.empty() && slot.FrameNo >= 1 && slot.FrameNo <= Reader->GetFrameCount())
        qCDebug(lcImageControl).nospace() << "channel " << TrackID << ": frame " << slot.FrameNo
                                          << " not loaded: " << error.c_str();
    return false;
}

bool CTrack::UploadSlot(CFrameSlot& slot)
{
    // A copy per build: a palette being replaced is never read half-written.
    const TrackPalette palette = GetPalette();
    if (slot.Texture)
        slot.Texture->SetScale(DrawScaleX, DrawScaleY);
    std::string error;
    if (UploadSlotBitmap(slot, palette, Flipped != 0, &error))
        return true;
    qCWarning(lcImageControl).nospace() << "channel " << TrackID << ": frame " << slot.FrameNo
                                        << " not shown: " << error.c_str();
    return false;
}

void CTrack::GiveBackSlotsOutside(const WindowPosition& window)
{
    // The ring may hold more slots than the window spans; the rest keep no
    // memory until the window reaches them.
    const int size = GetRingSize();
    for (int i = window.Frames + 2; i <= size - 3; ++i) {
        CFrameSlot& slot = SlotOf(window.RingStart, i);
        std::lock_guard lock(slot.Lock);
        GiveBackFrameSlot(slot);
    }
}
