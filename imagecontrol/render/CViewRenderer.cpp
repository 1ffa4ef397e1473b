#include "CViewRenderer.h"

#include "CFrameSlot.h"
#include "CGpuEngine.h"
#include "CGpuFont.h"
#include "CGpuPrimitive.h"
#include "CGpuTexture.h"
#include "CRenderEngineHost.h"
#include "CTrack.h"
#include "CTrackImageDrawObject.h"
#include "CTrackResources.h"
#include "FrameGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <mutex>

namespace {

const QString LoadingText = QStringLiteral("正在载入大文件...");
const QString NoDataText = QStringLiteral("当前未载入数据文件");
const QString MarkModeText = QStringLiteral("【标记模式】");
const QString BrowseModeText = QStringLiteral("【浏览模式】");
const QString FlippedSuffix = QStringLiteral(" [翻转]");

constexpr int TextMargin = 9;          // status line and activity text from the window's edges
constexpr int HeaderHeight = 20;       // the header sits this far above the column
constexpr int ColumnMargin = 5;        // the scissor column reaches this far beside the frames
constexpr int ColumnBottomMargin = 2;
constexpr int DividerInset = 3;        // the divider starts this far left of the column
constexpr int DividerOverhang = 10;    // a full divider runs this much longer than the column
constexpr int StateSquareSize = CTrackResources::StateSquareSize;

// The area inside (left, top, right, bottom), right and bottom exclusive.
QRect AreaOf(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left, bottom - top);
}

// The corners (left, top) and (right, bottom), as primitives map them.
QRect CornersOf(int left, int top, int right, int bottom)
{
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

// start + length, held at the int range: a damaged defect record must not
// wrap its box round.
int FarEdge(int start, int length)
{
    return static_cast<int>(std::clamp<int64_t>(int64_t{start} + length, std::numeric_limits<int>::min(),
                                                std::numeric_limits<int>::max()));
}

// Held far beyond any screen, so that adding a column's x cannot overflow.
int RoundHalfUp(double value)
{
    constexpr double Farthest = double(1 << 30);
    return static_cast<int>(std::floor(std::clamp(value + 0.5, -Farthest, Farthest)));
}

// Source rows of the state square: valid, invalid, then pending for every
// other state (the fourth square, selected, is kept for the outline colour).
int StateSquareRow(int faultState)
{
    switch (faultState) {
    case 1: return 0;
    case 0: return StateSquareSize;
    default: return 2 * StateSquareSize;
    }
}

} // namespace

CViewRenderer::CViewRenderer(CTrackImageDrawObject& control, CRenderEngineHost& host) : control_(control), host_(host)
{
}

void CViewRenderer::Render()
{
    if (!host_.Engine() || !host_.SmallFont() || !host_.LargeFont())
        return;
    if (!control_.GetReferenceTrack()) {
        const QString& text = control_.GetVisibleTracks().empty() ? NoDataText : LoadingText;
        host_.LargeFont()->DrawTextInRect(control_.GetClientRect(), text, control_.GetForeColorArgb(),
                                          CGpuFont::NoClipFormat | CGpuFont::SingleLineFormat
                                              | CGpuFont::VCenterFormat | CGpuFont::CenterFormat);
        return;
    }
    DrawStatusLine();
    DrawActivityText();
    for (CTrack* track : control_.GetVisibleTracks())
        DrawTrack(*track);
}

void CViewRenderer::DrawStatusLine()
{
    CTrack& reference = *control_.GetReferenceTrack();
    const QString text = QStringLiteral("第 %1 号图 %2 公里 %3 米  %4  %5")
                             .arg(control_.GetCurrentImage())
                             .arg(reference.GetCurrentKm())
                             .arg(reference.GetCurrentM())
                             .arg(control_.GetMarkModeValue() ? MarkModeText : BrowseModeText)
                             .arg(QString());
    host_.SmallFont()->DrawText(TextMargin, TextMargin, text, control_.GetForeColorArgb(), 0);
}

void CViewRenderer::DrawActivityText()
{
    const QString text = ActivityText();
    if (text.isEmpty())
        return;
    CGpuFont& font = *host_.SmallFont();
    QRect extent;
    font.Measure(text, &extent);
    const QRect client = control_.GetClientRect();
    const int clientRight = client.x() + client.width();
    font.DrawText(clientRight - extent.width() - TextMargin, TextMargin, text, control_.GetForeColorArgb(), 0);
}

// One text at a time: the box being drawn, else the defect being moved, else
// the measurement, so the three never print over each other.
QString CViewRenderer::ActivityText() const
{
    if (control_.IsSelectionBoxShown()) {
        const QRect box = control_.GetSelectionBox();
        return QStringLiteral("添加缺陷 x=%1 y=%2 w=%3 h=%4")
            .arg(box.left())
            .arg(box.top())
            .arg(box.right() - box.left())
            .arg(box.bottom() - box.top());
    }
    if (control_.IsDragFaultShown()) {
        const _FAULT_ fault = control_.GetDragFault();
        return QStringLiteral("移动缺陷 x=%1 y=%2 w=%3 h=%4 类型=%5")
            .arg(fault.FaultX)
            .arg(fault.FaultY)
            .arg(fault.FaultCx)
            .arg(fault.FaultCy)
            .arg(control_.GetStandardName(fault.FaultStandardID));
    }
    if (control_.GetRulerMode())
        return control_.GetRulerText();
    return {};
}

void CViewRenderer::DrawTrack(CTrack& track)
{
    if (track.GetVisible() == 0 || !track.HasReader())
        return;
    const Column column = ColumnOf(track);
    // Frames the loaders store from now on come at this size.
    track.SetDrawScale(column.scaleX, column.zoom);
    DrawHeader(track, column);
    CTrackResources* resources = track.GetResources();
    if (!resources || track.GetRingSize() == 0)
        return;

    CGpuEngine& engine = *host_.Engine();
    const QRect previousScissor = engine.GetScissorRect();
    const QRect columnRect = AreaOf(column.x - ColumnMargin, column.top, column.x + column.width + ColumnMargin,
                                         column.top + column.rowHeight * column.framesPerScreen + ColumnBottomMargin);
    engine.SetScissorRect(previousScissor.intersected(columnRect));

    const bool fullDivider = control_.GetDivLine() == 1 && control_.GetDivFull() == 1;
    resources->Divider().SetLine(0, 0, fullDivider ? column.width + DividerOverhang : CTrackResources::DividerTickLength,
                                 0, CTrackResources::DividerColor);
    DrawRows(track, *resources, column);
    DrawFaults(track, *resources, column);
    DrawActiveChannelShapes(track, *resources, column);

    engine.SetScissorRect(previousScissor);
}

CViewRenderer::Column CViewRenderer::ColumnOf(CTrack& track)
{
    Column column;
    column.zoom = control_.GetZoom();
    column.scaleX = column.zoom * control_.GetTrackScale(track.GetTrackId());
    column.framesPerScreen = control_.GetFramesPerScreen();
    column.x = track.GetX() + control_.GetHorzScroll();
    column.top = track.GetY();
    // As wide as the textures draw a frame: int(FrameWidth × scaleX).
    column.width = TruncateToInt(column.scaleX * track.GetFrameWidth());
    column.rowHeight = TruncateToInt(column.zoom * track.GetFrameHeight());
    const int offset = control_.GetCurrentOffset();
    column.firstRowY = RowTop(column.top, column.zoom, offset, 0, track.GetFrameHeight());
    column.rows = VisibleRowCount(column.framesPerScreen, offset);
    return column;
}

void CViewRenderer::DrawHeader(CTrack& track, const Column& column)
{
    const QString name = track.GetFlipped() ? track.GetTrackName() + FlippedSuffix : track.GetTrackName();
    host_.SmallFont()->DrawText(column.x, column.top - HeaderHeight, name, control_.GetForeColorArgb(), 0);
}

void CViewRenderer::DrawRows(CTrack& track, CTrackResources& resources, const Column& column)
{
    const bool placeholders = control_.GetBlueBox() == 1;
    const bool dividers = control_.GetDivLine() == 1;
    const QRect wholeFrame = CornersOf(0, 0, track.GetFrameWidth(), track.GetFrameHeight());
    for (int k = 0; k < column.rows; ++k) {
        const int rowY = column.firstRowY + k * column.rowHeight;
        CFrameSlot& slot = track.SlotAt(k);
        // A slot its loader is filling right now is not waited for: the
        // user interface never stalls on a decode, and the loader asks for a
        // repaint when it is done.
        std::unique_lock lock(slot.Lock, std::try_to_lock);
        // A slot still holding another frame (its loader has not come by
        // yet) shows as not loaded rather than as the wrong picture.
        const bool ready = lock.owns_lock() && slot.Valid && slot.Texture
                           && slot.FrameNo == track.GetCurrentFrame() + k;
        bool drawn = false;
        if (ready) {
            slot.Texture->Prepare();
            slot.Texture->SetScale(column.scaleX, column.zoom);
            slot.Texture->SetPosition(column.x, rowY);
            // A frame stored for another zoom is rebuilt from its decoded
            // rows, without reading or decoding.
            drawn = slot.Texture->Draw() || (track.ReuploadSlot(k) && slot.Texture->Draw());
        }
        if (!drawn && placeholders) {
            resources.Placeholder().SetPosition(column.x, rowY);
            resources.Placeholder().DrawMapped(wholeFrame, column.scaleX, column.zoom);
        }
        if (dividers)
            resources.Divider().DrawAt(column.x - DividerInset, rowY);
    }
}

void CViewRenderer::DrawFaults(CTrack& track, CTrackResources& resources, const Column& column)
{
    // From one row above the first visible one, so a defect of that frame
    // reaching down into the view is drawn.
    for (int j = -1; j <= column.framesPerScreen; ++j) {
        const int rowY = column.firstRowY + j * column.rowHeight;
        const int frameNo = track.GetCurrentFrame() + j;
        CFrameSlot& slot = track.SlotAt(j);
        // A slot being loaded is filling in exactly this frame; its boxes are
        // drawn without waiting for it.
        std::unique_lock lock(slot.Lock, std::try_to_lock);
        if (lock.owns_lock() && slot.FrameNo != frameNo)
            continue;
        for (const _FAULT_& fault : track.GetFaults()) {
            if (fault.FaultImage == frameNo && control_.IsFaultTypeShown(fault.FaultStandardID))
                DrawFault(fault, resources, column, rowY);
        }
    }
}

void CViewRenderer::DrawFault(const _FAULT_& fault, CTrackResources& resources, const Column& column, int rowY)
{
    CGpuPrimitive& outline = OutlineOf(fault, resources);
    outline.SetPosition(column.x, rowY);
    outline.DrawMapped(CornersOf(fault.FaultX, fault.FaultY, FarEdge(fault.FaultX, fault.FaultCx),
                                 FarEdge(fault.FaultY, fault.FaultCy)),
                       column.scaleX, column.zoom);
    DrawFaultMark(fault, resources, column, rowY);
}

CGpuPrimitive& CViewRenderer::OutlineOf(const _FAULT_& fault, CTrackResources& resources)
{
    if (fault.FaultID == control_.GetSelectedFaultIdValue())
        return resources.SelectedBox();
    switch (fault.FaultState) {
    case 1: return resources.ValidBox();
    case 0: return resources.InvalidBox();
    default: return resources.PendingBox();
    }
}

void CViewRenderer::DrawFaultMark(const _FAULT_& fault, CTrackResources& resources, const Column& column, int rowY)
{
    const int ix = RoundHalfUp(fault.FaultX * column.scaleX) + column.x;
    const int iy = RoundHalfUp(fault.FaultY * column.zoom) + rowY;
    if (control_.GetReadOnly() == 1)
        resources.LockIcon().DrawPart(ix + 1, iy + 1,
                                      QRect(0, 0, CTrackResources::LockIconWidth, CTrackResources::LockIconHeight));
    else if (control_.GetDropBox() == 1)
        resources.StateIcons().DrawPart(ix, iy, QRect(0, StateSquareRow(fault.FaultState), StateSquareSize, StateSquareSize));
}

void CViewRenderer::DrawActiveChannelShapes(CTrack& track, CTrackResources& resources, const Column& column)
{
    if (control_.GetActiveTrackId() != track.GetTrackId())
        return;
    if (control_.IsSelectionBoxShown()) {
        resources.DrawingBox().SetPosition(column.x, column.top);
        resources.DrawingBox().DrawMapped(track.GetBox(), column.scaleX, column.zoom);
    }
    if (control_.GetRulerState()) {
        const QLine line = track.GetRulerLine();
        resources.Ruler().SetPosition(column.x, column.top);
        resources.Ruler().DrawMapped(CornersOf(line.x1(), line.y1(), line.x2(), line.y2()),
                                     column.scaleX, column.zoom);
    }
}
