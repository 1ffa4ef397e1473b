#include "CTrack.h"
#include "CTrackResources.h"

#include "IDataReaderInterface.h"
#include "IImageWnd.h"
#include "ImageControlLog.h"

#include <QAbstractScrollArea>
#include <QWidget>
#include <algorithm>

class CFrameLoader {};
CTrack::CTrack() = default;
CTrack::~CTrack() = default;

void CTrack::SetTrackInfo(int trackId, const QString& name)
{
    TrackID = trackId;
    TrackName = name;
}

void CTrack::SetReader(IDataReaderInterface* reader)
{
    Reader = reader;
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
    const int width = Reader->GetFrameWidth();
    const int height = Reader->GetFrameHeight();
    if (width <= 0 || height <= 0) {
        qCWarning(lcImageControl).nospace() << "channel " << TrackID << ": the reader reports a frame size of "
                                            << width << " x " << height << "; the channel stays closed";
        return 0;
    }
    FrameWidth = width;
    FrameHeight = height;
    // The cache of decoded frames, the engine resources and the loader thread
    // are set up here once frame loading and rendering exist.
    return 1;
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
    // Stopping the loader thread and freeing the frame cache and the engine
    // resources join here once they exist.
    FrameHeight = 0;
    FrameWidth = 0;
    CurrentFrame = 1;
}

void CTrack::Release()
{
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
    // Moving the ring of cached frames along joins here with the frame cache.
    CurrentFrame = frame;
    RefreshFrames();
}

int CTrack::GetCurrentFrame() const
{
    return CurrentFrame;
}

void CTrack::RefreshFrames()
{
    // Loading the frames around CurrentFrame comes with the frame cache.
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
    const auto it = std::find_if(Faults.begin(), Faults.end(),
                                 [faultId](const _FAULT_& fault) { return fault.FaultID == faultId; });
    if (it == Faults.end())
        return false;
    Faults.erase(it);
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

// ---- placeholders until the frame cache is written
int CTrack::GetRingSize() const { return static_cast<int>(FrameCache.size()); }
int CTrack::GetRingStart() const { return RingStart; }
CFrameSlot& CTrack::SlotAt(int windowIndex) { const int n = GetRingSize(); return *FrameCache[((windowIndex + RingStart) % n + n) % n]; }
int CTrack::GetCurrentKm() { return 0; }
int CTrack::GetCurrentM() { return 0; }
void CTrack::SetEngine(CGpuEngine* engine) { Engine = engine; }
CGpuEngine* CTrack::GetEngine() const { return Engine; }
CTrackResources* CTrack::GetResources() const { return Resources.get(); }
void CTrack::ResetDevice() {}
void CTrack::SetPalette(const TrackPalette& palette) { std::lock_guard lock(PaletteLock); Palette = palette; }
TrackPalette CTrack::GetPalette() const { std::lock_guard lock(PaletteLock); return Palette; }
void CTrack::ToggleFlip() { Flipped = !Flipped; }
int CTrack::GetFlipped() const { return Flipped; }
bool CTrack::GetFrameGray(int, FrameRaster&) { return false; }
QRect CTrack::GetBox() const { return Box; }
void CTrack::SetBox(const QRect& box) { Box = box; }
QLine CTrack::GetRulerLine() const { return RulerLine; }
void CTrack::SetRulerLine(const QLine& line) { RulerLine = line; }
void CTrack::OffsetPosition(int dx, int dy) { X += dx; Y += dy; }
