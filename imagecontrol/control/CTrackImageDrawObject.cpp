#include "CTrackImageDrawObject.h"

#include "CAutoPager.h"
#include "CDragScroller.h"
#include "CEmptyStatePainter.h"
#include "CGpuEngine.h"
#include "CRenderEngineHost.h"
#include "CViewRenderer.h"
#include "CImageCoreWindow.h"
#include "CRepaintThread.h"
#include "CSmoothScroller.h"
#include "CTrack.h"
#include "Centring.h"
#include "ColumnLayout.h"
#include "ColorRef.h"
#include "FrameGeometry.h"
#include "IImageNotifyInterface.h"
#include "ImageControlLog.h"
#include "ProgramDirectory.h"
#include "RowScroll.h"
#include "ScrollInfo.h"
#include "ScrollSpeeds.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

namespace {

const QString WindowName = QStringLiteral("LumetraImageCore");
const QString NoDataText = QStringLiteral("当前未载入数据文件");
constexpr int MaximumFramesPerScreen = 8;
// Page up / down of the vertical bar, in images: 10, or 100 while Ctrl is
// held.
constexpr int VerticalPage = 10;
constexpr int VerticalCtrlPage = 100;
constexpr int ToolTipDelayMs = 300;
constexpr int ToolTipMaxWidth = 500;

QFont MakeTextFont(int pixelHeight, bool italic)
{
    QFont font;
    // The program's face first; Linux desktops rarely have it, so the
    // installed CJK faces follow.
    font.setFamilies({QStringLiteral("微软雅黑"), QStringLiteral("Microsoft YaHei"),
                      QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
                      QStringLiteral("Noto Sans SC")});
    font.setPixelSize(pixelHeight);
    font.setWeight(QFont::Medium);
    font.setItalic(italic);
    return font;
}

bool IsScrollSpeed(int speed)
{
    return speed >= 0 && speed <= 9;
}

bool IsCtrlDown()
{
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ControlModifier);
}

} // namespace

CTrackImageDrawObject::CTrackImageDrawObject()
    : EmptyState(std::make_unique<CEmptyStatePainter>())
    , EngineHost(std::make_unique<CRenderEngineHost>())
    , RepaintThread(std::make_unique<CRepaintThread>([this] { Repaint(); }))
    , AutoPager(std::make_unique<CAutoPager>([this] { GoToImage(CurrentImage + FramesPerScreen, 1); }))
    , SmoothScroller(std::make_unique<CSmoothScroller>())
    , DragScroller(std::make_unique<CDragScroller>())
{
    for (CCaptureLoop* loop : CaptureLoops())
        loop->SetEndHook([this] { Repaint(); });
}

CTrackImageDrawObject::~CTrackImageDrawObject()
{
    EndRunningLoop();
    RepaintThread->Stop();
    ReleaseRenderEngine();
    delete Window.data();
    ReleaseAllTracks();
}

// ---------------------------------------------------------------- IProcess

int CTrackImageDrawObject::IsEngineReady()
{
    return EngineReady;
}

void CTrackImageDrawObject::OnDeviceReset()
{
    for (CTrack* track : AllTracks)
        track->ResetDevice();
    Repaint();
}

void CTrackImageDrawObject::Render()
{
    if (EngineHost->Engine())
        CViewRenderer(*this, *EngineHost).Render();
}

// ---------------------------------------------------------------- IImageWnd

void CTrackImageDrawObject::GetFaultyStandards(std::vector<_FAULTY_STANDER_STRUCT_>& out)
{
    out = FaultyStandards;
}

int CTrackImageDrawObject::ReportFaultAdded(int trackId, _FAULT_* fault)
{
    if (!fault)
        return 0;
    fault->TrackID = trackId;
    return Notify ? Notify->OnFaultAdded(fault) : 0;
}

void CTrackImageDrawObject::ReportFaultModified(int trackId, _FAULT_* fault)
{
    if (!fault)
        return;
    fault->TrackID = trackId;
    if (Notify)
        Notify->OnFaultModified(*fault);
}

void CTrackImageDrawObject::ReportFaultDeleted(int faultId)
{
    if (Notify)
        Notify->OnFaultDeleted(faultId);
}

void CTrackImageDrawObject::ReportFaultSelected(int trackId, int faultId)
{
    if (Notify)
        Notify->OnFaultSelected(trackId, faultId);
}

int CTrackImageDrawObject::IsSelectionBoxShown()
{
    return SelectionBoxShown;
}

void CTrackImageDrawObject::SetSelectionBox(const QRect* rect)
{
    if (!rect)
        return;
    SelectionBox = *rect;
    SelectionBoxShown = 1;
}

void CTrackImageDrawObject::ClearSelectionBox()
{
    SelectionBoxShown = 0;
}

void CTrackImageDrawObject::SetDragFault(const _FAULT_* fault)
{
    if (!fault)
        return;
    DragFault = *fault;
    DragFaultShown = 1;
}

void CTrackImageDrawObject::ClearDragFault()
{
    DragFaultShown = 0;
}

int CTrackImageDrawObject::GetRulerState()
{
    return RulerState;
}

void CTrackImageDrawObject::SetRulerText(int state, const QString& text)
{
    RulerState = state;
    RulerText = text;
}

int CTrackImageDrawObject::GetReservedValue()
{
    return 0;
}

int CTrackImageDrawObject::GetCurrentOffset()
{
    return CurrentOffset;
}

int CTrackImageDrawObject::GetHorzScroll()
{
    return -HorzScroll;
}

void CTrackImageDrawObject::SignalRepaint()
{
    RepaintThread->Signal();
}

CGpuFont* CTrackImageDrawObject::GetLargeFont()
{
    return EngineHost->LargeFont();
}

CGpuFont* CTrackImageDrawObject::GetSmallFont()
{
    return EngineHost->SmallFont();
}

int CTrackImageDrawObject::IsFaultTypeShown(int standardId)
{
    if (FaultTypeFilter.empty())
        return 1;
    return std::find(FaultTypeFilter.begin(), FaultTypeFilter.end(), standardId) != FaultTypeFilter.end() ? 1 : 0;
}

// ---------------------------------------------------- window and creation

int CTrackImageDrawObject::Create(const QRect& rect, QWidget* parent, unsigned, void*)
{
    if (Window)
        return 1;
    if (rect.width() <= 0 || rect.height() <= 0) {
        qCWarning(lcImageControl).noquote() << QStringLiteral("###ERROR######    绘图控件宽高必须大于0");
        return 0;
    }
    SetUpWindow(rect, parent);
    LoadPictures();
    CreateTextFonts();
    SetUpToolTips();
    // A child control is visible as soon as it exists; a control without a
    // parent would be a top-level window and waits for Show.
    if (parent)
        Window->show();
    RepaintThread->Start();
    return 1;
}

void CTrackImageDrawObject::SetUpWindow(const QRect& rect, QWidget* parent)
{
    auto* window = new CImageCoreWindow(*this, parent);
    window->setObjectName(WindowName);
    window->setWindowTitle(WindowName);
    window->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    window->setLineWidth(1);
    window->setFocusPolicy(Qt::StrongFocus);
    // Every paint covers the whole client area, so nothing is erased first.
    window->setAttribute(Qt::WA_OpaquePaintEvent);
    window->viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    window->viewport()->setAutoFillBackground(false);
    window->viewport()->setMouseTracking(true);
    window->setGeometry(rect);
    // Both bars exist from creation with the platform's default range, as a
    // window created with its scroll bar styles has them.
    ApplyScrollInfo(*window->verticalScrollBar(), ScrollInfo{0, 100, 0, 0});
    ApplyScrollInfo(*window->horizontalScrollBar(), ScrollInfo{0, 100, 0, 0});
    Window = window;
}

void CTrackImageDrawObject::LoadPictures()
{
    const QDir folder(ProgramPath(QStringLiteral("resource/IMAGECONTROL")));
    const QImage background(folder.filePath(QStringLiteral("taskbg.bmp")));
    if (background.isNull())
        qCDebug(lcImageControl) << "no background picture in" << folder.path();
    EmptyState->SetBackground(background);

    // The picture's hotspot is its centre, which QCursor takes by default.
    const QPixmap move(folder.filePath(QStringLiteral("Move.png")));
    if (move.isNull()) {
        qCDebug(lcImageControl) << "no move cursor in" << folder.path();
        MoveCursor.reset();
    } else {
        MoveCursor = QCursor(move);
    }

    const QPixmap paging(folder.filePath(QStringLiteral("AutoScroll.png")));
    AutoPageCursor = paging.isNull() ? QCursor(Qt::SizeVerCursor) : QCursor(paging);
}

void CTrackImageDrawObject::CreateTextFonts()
{
    SmallTextFont = MakeTextFont(20, false);
    LargeTextFont = MakeTextFont(50, true);
}

void CTrackImageDrawObject::SetUpToolTips()
{
    CToolTipControl& tips = Window->ToolTips();
    tips.SetFont(SmallTextFont);
    tips.AddTool(ChannelInfoTool);
    tips.AddTool(DefectInfoTool);
    tips.SetMaxTipWidth(ToolTipMaxWidth);
    tips.SetDelay(ToolTipDelayMs);
}

int CTrackImageDrawObject::Show(int showCommand)
{
    if (!Window)
        return 0;
    const int wasVisible = Window->isHidden() ? 0 : 1;
    // 0 hides, like the platform's show command SW_HIDE; every other command
    // shows a child window.
    Window->setVisible(showCommand != 0);
    return wasVisible;
}

void CTrackImageDrawObject::MoveToRect(const QRect& rect, int repaint)
{
    if (!Window)
        return;
    Window->setGeometry(rect);
    if (repaint)
        Repaint();
}

void CTrackImageDrawObject::Move(int x, int y, int width, int height, int repaint)
{
    MoveToRect(QRect(x, y, width, height), repaint);
}

QWidget* CTrackImageDrawObject::SetParentWnd(QWidget* newParent)
{
    if (!Window)
        return nullptr;
    QWidget* previous = Window->parentWidget();
    const bool shown = !Window->isHidden();
    Window->setParent(newParent);
    // Re-parenting hides a widget; the control keeps its visibility.
    if (shown)
        Window->show();
    return previous;
}

QWidget* CTrackImageDrawObject::SetFocusToControl()
{
    if (!Window)
        return nullptr;
    QWidget* previous = QApplication::focusWidget();
    Window->setFocus(Qt::OtherFocusReason);
    return previous;
}

int CTrackImageDrawObject::HasFocus()
{
    if (!Window)
        return 0;
    return Window->hasFocus() || Window->viewport()->hasFocus() ? 1 : 0;
}

QWidget* CTrackImageDrawObject::GetWindowHandle()
{
    return Window.data();
}

void CTrackImageDrawObject::SetNotify(IImageNotifyInterface* notify)
{
    Notify = notify;
}

int CTrackImageDrawObject::OnMouseWheel(unsigned, short delta, QPoint)
{
    if (!Window)
        return 0;
    if (CCaptureLoop* loop = RunningLoop(); loop && loop->OnWheel())
        return 1;
    // The keyboard's own state, not the message's flags: the main frame
    // forwards wheels that reached other windows too.
    if (IsCtrlDown()) {
        Zoom = WheelZoom(Zoom, delta);
        Layout();
        if (Notify)
            Notify->OnZoomChanged(Zoom);
        return 1;
    }
    QScrollBar* bar = VerticalBar();
    bar->setValue(bar->value() + WheelImageStep(delta));
    GoToImage(bar->value(), 0);
    return 1;
}

// ---------------------------------------------------------------- settings

void CTrackImageDrawObject::SetHotKeys(const std::vector<_HOT_KEY_STRUCT_>& hotKeys)
{
    HotKeys = hotKeys;
}

void CTrackImageDrawObject::SetFaultyStandards(const std::vector<_FAULTY_STANDER_STRUCT_>& standards)
{
    FaultyStandards = standards;
}

void CTrackImageDrawObject::ClearFaultyStandards()
{
    FaultyStandards.clear();
}

void CTrackImageDrawObject::SetBackColor(uint32_t color)
{
    BackColor = color;
    if (CGpuEngine* engine = EngineHost->Engine())
        engine->SetBackgroundColor(ColorRefToArgb(color));
    Repaint();
}

uint32_t CTrackImageDrawObject::GetBackColor()
{
    return BackColor;
}

void CTrackImageDrawObject::SetForeColor(uint32_t color)
{
    ForeColor = color;
    Repaint();
}

uint32_t CTrackImageDrawObject::GetForeColor()
{
    return ForeColor;
}

void CTrackImageDrawObject::SetHorzAlign(int align)
{
    HorzAlign = align;
    if (HasWindow())
        Rearrange();
}

int CTrackImageDrawObject::GetHorzAlign()
{
    return HorzAlign;
}

void CTrackImageDrawObject::SetVertAlign(int align)
{
    VertAlign = align;
    if (HasWindow())
        Rearrange();
}

int CTrackImageDrawObject::GetVertAlign()
{
    return VertAlign;
}

void CTrackImageDrawObject::SetFramesPerScreen(int frames)
{
    FramesPerScreen = frames > MaximumFramesPerScreen ? MaximumFramesPerScreen : frames;
    for (CTrack* track : AllTracks)
        track->RefreshFrames();
}

int CTrackImageDrawObject::GetFramesPerScreen()
{
    return FramesPerScreen;
}

void CTrackImageDrawObject::SetPaintMode(int mode)
{
    if (EngineReady && mode == PaintMode)
        return;
    PaintMode = mode;
    RecreateRenderEngine();
}

int CTrackImageDrawObject::GetPaintMode()
{
    return PaintMode;
}

void CTrackImageDrawObject::SetVScrollSpeed(int speed)
{
    if (IsScrollSpeed(speed))
        VScrollSpeed = speed;
}

int CTrackImageDrawObject::GetVScrollSpeed()
{
    return VScrollSpeed;
}

void CTrackImageDrawObject::SetHScrollSpeed(int speed)
{
    if (IsScrollSpeed(speed))
        HScrollSpeed = speed;
}

int CTrackImageDrawObject::GetHScrollSpeed()
{
    return HScrollSpeed;
}

void CTrackImageDrawObject::SetZoom(double zoom)
{
    Zoom = ClampZoom(zoom);
    Layout();
    if (Notify)
        Notify->OnZoomChanged(Zoom);
}

double CTrackImageDrawObject::GetZoom()
{
    return Zoom;
}

void CTrackImageDrawObject::SetTrackScale(int trackId, double scale)
{
    if (_track_scale_info_* entry = FindTrackScale(trackId)) {
        entry->Scale = scale;
        return;
    }
    TrackScales.push_back(_track_scale_info_{trackId, scale});
    Repaint();
    Layout();
}

double CTrackImageDrawObject::GetTrackScale(int trackId)
{
    const _track_scale_info_* entry = FindTrackScale(trackId);
    return entry ? entry->Scale : 1.0;
}

void CTrackImageDrawObject::SetDivLine(int value)
{
    DivLine = value;
    Repaint();
}

int CTrackImageDrawObject::GetDivLine()
{
    return DivLine;
}

void CTrackImageDrawObject::SetDivFull(int value)
{
    DivFull = value;
    Repaint();
}

int CTrackImageDrawObject::GetDivFull()
{
    return DivFull;
}

void CTrackImageDrawObject::SetThreadLoad(int value)
{
    ThreadLoad = value;
}

int CTrackImageDrawObject::GetThreadLoad()
{
    return ThreadLoad;
}

void CTrackImageDrawObject::SetExchangeLR(int value)
{
    ExchangeLR = value;
    Rearrange();
}

int CTrackImageDrawObject::GetExchangeLR()
{
    return ExchangeLR;
}

void CTrackImageDrawObject::SetReadOnly(int value)
{
    ReadOnly = value;
    SelectedFaultId = 0;
    Repaint();
}

int CTrackImageDrawObject::GetReadOnly()
{
    return ReadOnly;
}

void CTrackImageDrawObject::SetBlueBox(int value)
{
    BlueBox = value;
    Repaint();
}

int CTrackImageDrawObject::GetBlueBox()
{
    return BlueBox;
}

void CTrackImageDrawObject::SetDropBox(int value)
{
    DropBox = value;
    Repaint();
}

int CTrackImageDrawObject::GetDropBox()
{
    return DropBox;
}

void CTrackImageDrawObject::SetStackedLayout(int)
{
    // Channels are always placed side by side.
}

int CTrackImageDrawObject::GetStackedLayout()
{
    return 0;
}

void CTrackImageDrawObject::SetImageAdjust(const _IMAGE_ADJUST_STRUCT_* adjust)
{
    if (!adjust) {
        qCWarning(lcImageControl) << "SetImageAdjust without an adjustment record is ignored";
        return;
    }
    const bool toneChanged = adjust->Brightness != ImageAdjust.Brightness || adjust->Contrast != ImageAdjust.Contrast;
    const bool clarityChanged = adjust->Clarity != ImageAdjust.Clarity;
    ApplyImageAdjust(*adjust, toneChanged, clarityChanged);
    ImageAdjust = *adjust;
}

void CTrackImageDrawObject::ApplyImageAdjust(const _IMAGE_ADJUST_STRUCT_& adjust, bool toneChanged, bool clarityChanged)
{
    if (toneChanged) {
        const TrackPalette palette = BuildLinearPalette(adjust.Brightness, adjust.Contrast);
        for (CTrack* track : AllTracks)
            track->SetPalette(palette);
        Repaint();
    }
    if (clarityChanged) {
        for (CTrack* track : AllTracks) {
            // A frame that cannot be read leaves the raster zero-filled, which
            // maps every value below the clarity to white.
            FrameRaster raster;
            track->GetFrameGray(CurrentImage, raster);
            track->SetPalette(BuildEqualisationPalette(raster, adjust.Clarity));
        }
        Repaint();
    }
}

int CTrackImageDrawObject::GetMarkMode()
{
    return MarkMode;
}

void CTrackImageDrawObject::SetMarkMode(int mode)
{
    MarkMode = mode;
    Repaint();
}

void CTrackImageDrawObject::SetRulerMode(int mode)
{
    EndMeasurement();
    Repaint();
    RulerMode = mode;
    RulerState = 0;
    RulerText.clear();
}

// ------------------------------------------------------------------ tracks

void CTrackImageDrawObject::NewTrack(ITrackInterface** out)
{
    if (!out) {
        qCWarning(lcImageControl) << "NewTrack needs a place for the new track";
        return;
    }
    *out = new CTrack;
}

void CTrackImageDrawObject::AddTrack(ITrackInterface* track)
{
    auto* channel = dynamic_cast<CTrack*>(track);
    if (!channel) {
        qCWarning(lcImageControl) << "AddTrack takes only tracks made by NewTrack; ignored";
        return;
    }
    if (std::find(AllTracks.begin(), AllTracks.end(), channel) != AllTracks.end()) {
        qCWarning(lcImageControl) << "AddTrack: channel" << channel->GetTrackId() << "was added already";
        return;
    }
    channel->SetOwner(this);
    AllTracks.push_back(channel);
    // A track handed "no engine" empties itself, so a control without an
    // engine yet keeps the track's reader and gives it the engine later.
    if (CGpuEngine* engine = EngineHost->Engine())
        channel->SetEngine(engine);
    channel->OpenTrack();
    channel->SetCurrentFrame(1);
    const int frames = channel->GetFrameCount();
    if (frames > MaxFrames) {
        ReferenceTrack = channel;
        MaxFrames = frames;
    }
}

void CTrackImageDrawObject::RemoveAll()
{
    EndRunningLoop();
    ReleaseAllTracks();
    ResetViewState();
    ClearToolTips();
    SetVerticalScrollInfo(ScrollInfo{0, 100, 0, 0});
    Repaint();
    if (Notify)
        Notify->OnCurrentImageChanged(1, 0);
}

void CTrackImageDrawObject::EndAddTracks()
{
    if (!ReferenceTrack)
        return;
    VisibleTracks = AllTracks;
    SortVisibleTracks();
    Layout();
    TotalFrames = ReferenceTrack->GetFrameCount();
    if (QScrollBar* bar = VerticalBar())
        SetVerticalScrollInfo(ScrollInfo{1, TotalFrames + 10, 10, bar->value()});
    CurrentImage = 1;
    GoToImage(1, 1);
    Repaint();
}

void CTrackImageDrawObject::SetTrackVisible(int trackId, int visible)
{
    if (CTrack* track = FirstTrackWithId(trackId))
        track->SetVisible(visible);
    RebuildVisibleTracks();
    Rearrange();
}

void CTrackImageDrawObject::Layout()
{
    if (VisibleTracks.empty() || !ReferenceTrack)
        return;
    std::vector<int> widths;
    for (CTrack* track : VisibleTracks)
        widths.push_back(ColumnWidth(track->GetFrameWidth(), Zoom, GetTrackScale(track->GetTrackId())));
    const ColumnSpan span = PlaceColumns(widths);
    for (size_t i = 0; i < VisibleTracks.size(); ++i)
        VisibleTracks[i]->SetPosition(span.lefts[i], 0);

    const QRect client = GetClientRect();
    const int blockHeight = BlockHeight(ReferenceTrack->GetFrameHeight(), Zoom, FramesPerScreen);
    const int dx = AlignmentOffset(client.width(), span.blockWidth, HorzAlign);
    const int dy = AlignmentOffset(client.height(), blockHeight, VertAlign);
    for (CTrack* track : VisibleTracks)
        track->OffsetPosition(dx + ColumnsLeftMargin, dy + ColumnsTopMargin);

    SetHorizontalRange(span.blockWidth);
    ClearToolTips();
    Repaint();
}

int CTrackImageDrawObject::GetActiveTrackId()
{
    return ActiveTrackId;
}

ITrackInterface* CTrackImageDrawObject::FindTrack(int trackId)
{
    return FirstTrackWithId(trackId);
}

int CTrackImageDrawObject::GetTracks(std::vector<ITrackInterface*>& out)
{
    out.clear();
    if (AllTracks.empty())
        return 1;
    out.assign(AllTracks.begin(), AllTracks.end());
    return 0;
}

// -------------------------------------------------------------- navigation

void CTrackImageDrawObject::GoToImage(int image, int setScrollBar)
{
    if (!ReferenceTrack)
        return;
    ClearToolTips();
    if (image != CurrentImage) {
        CurrentImage = ClampImageNumber(image, TotalFrames);
        MoveTrackWindows();
        if (QScrollBar* bar = VerticalBar(); bar && setScrollBar)
            bar->setValue(CurrentImage);
        CurrentOffset = 0;
        ReportCurrentImage();
    }
    // Loader threads signal the repaint once their frames are in; without
    // them the frames are ready now and the picture should show them at once.
    if (ThreadLoad)
        Repaint();
    else
        RepaintNow();
}

void CTrackImageDrawObject::AutoScroll()
{
    if (!Window)
        return;
    EndRunningLoop();
    ClearToolTips();
    AutoPager->Start(Viewport(), QCursor::pos(), VScrollSpeed, AutoPageCursor);
}

void CTrackImageDrawObject::ScrollVertLoop(int direction)
{
    if (!Window || !ReferenceTrack)
        return;
    EndRunningLoop();
    ClearToolTips();
    const int h = ReferenceTrack->GetFrameHeight();
    const int startImage = CurrentImage;
    const int startOffset = CurrentOffset;
    const int speed = VScrollSpeed;
    auto rate = [h, speed] {
        const Qt::KeyboardModifiers keys = QGuiApplication::queryKeyboardModifiers();
        return VerticalScrollRate(h, speed, keys.testFlag(Qt::ControlModifier), keys.testFlag(Qt::ShiftModifier));
    };
    auto advance = [this, h, startImage, startOffset](double travelled) {
        ScrollTo(h, startImage, startOffset, TruncateToInt(travelled));
    };
    SmoothScroller->Start(Viewport(), direction, CSmoothScroller::OtherInput::PassOn, rate, advance);
}

void CTrackImageDrawObject::ScrollHorzLoop(int direction)
{
    if (!Window || !HorizontalBarCanScroll())
        return;
    EndRunningLoop();
    ClearToolTips();
    const double pixelsPerSecond = HorizontalScrollRate(HScrollSpeed);
    auto rate = [pixelsPerSecond] { return pixelsPerSecond; };
    // Whole pixels only reach the bar; the fraction waits for the next step,
    // so slow speeds still move at their constant pace.
    auto advance = [this, applied = 0](double travelled) mutable {
        const int whole = TruncateToInt(travelled);
        const int step = whole - applied;
        applied = whole;
        if (step == 0)
            return;
        MoveHorizontalBar(HorzScroll + step);
        Repaint();
    };
    SmoothScroller->Start(Viewport(), direction, CSmoothScroller::OtherInput::Drop, rate, advance);
}

int CTrackImageDrawObject::GoToFault(int trackId, int faultId)
{
    int found = 0;
    if (CTrack* track = FirstTrackWithId(trackId)) {
        if (const _FAULT_* fault = track->FindFault(faultId)) {
            CenterOnFault(*track, *fault);
            found = 1;
        }
    }
    SelectedFaultId = faultId;
    Repaint();
    return found;
}

int CTrackImageDrawObject::RemoveFault(int trackId, int faultId)
{
    CTrack* track = FirstTrackWithId(trackId);
    const bool removed = track && track->RemoveFault(faultId);
    SelectedFaultId = -1;
    Repaint();
    return removed ? 1 : 0;
}

void CTrackImageDrawObject::UpdateFault(int trackId, const _FAULT_& fault)
{
    CTrack* track = FirstTrackWithId(trackId);
    if (track && track->UpdateFault(fault))
        Repaint();
}

int CTrackImageDrawObject::GetSelectedFaultId()
{
    return SelectedFaultId;
}

void CTrackImageDrawObject::SetFaultTypeFilter(const std::vector<int>& standardIds)
{
    FaultTypeFilter = standardIds;
}

int CTrackImageDrawObject::GetFirstTrackTop()
{
    return AllTracks.empty() ? 0 : AllTracks.front()->GetY();
}

void CTrackImageDrawObject::Destroy()
{
    EndRunningLoop();
    ReleaseRenderEngine();
    delete Window.data();
    RepaintThread->Stop();
    delete this;
}

// ------------------------------------------------------- window's events

void CTrackImageDrawObject::PaintWindow(QPainter& painter, const QRect& clientRect)
{
    const QColor backColor = ColorRefToQColor(BackColor);
    if (VisibleTracks.empty()) {
        if (CGpuEngine* engine = EngineHost->Engine())
            engine->SetSurfaceVisible(false);
        EmptyState->Paint(painter, clientRect, backColor, ColorRefToQColor(ForeColor), SmallTextFont, NoDataText);
        return;
    }
    if (CGpuEngine* engine = EngineHost->Engine()) {
        engine->SetSurfaceVisible(true);
        engine->Render(1, painter);
        return;
    }
    // Without an engine no frame can be drawn; the view keeps its background.
    painter.fillRect(clientRect, backColor);
}

void CTrackImageDrawObject::OnWindowResized()
{
    if (CGpuEngine* engine = EngineHost->Engine()) {
        const QRect client = GetClientRect();
        engine->Resize(client.width(), client.height());
    }
    Layout();
}

void CTrackImageDrawObject::OnWindowMouseEvent(QMouseEvent* event)
{
    if (!event)
        return;
    if (CCaptureLoop* loop = RunningLoop(); loop && loop->OnMouseEvent(*event))
        return;
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint pointer = event->position().toPoint();
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        SetFocusToControl();
        // Until the defect overlay takes presses on defects, every left press
        // outside ruler mode scrolls the view.
        if (!RulerMode)
            StartDragScroll(pointer);
        break;
    case QEvent::MouseButtonDblClick:
        ToggleZoomAt(pointer);
        break;
    default:
        break;
    }
}

bool CTrackImageDrawObject::OnWindowKeyEvent(QKeyEvent* event)
{
    if (!event)
        return false;
    if (CCaptureLoop* loop = RunningLoop())
        return loop->OnKeyEvent(*event);
    return false;
}

void CTrackImageDrawObject::OnVerticalScrollAction(int action)
{
    QScrollBar* bar = VerticalBar();
    if (!bar)
        return;
    if (!ReferenceTrack) {
        bar->setSliderPosition(bar->value());
        return;
    }
    const int page = IsCtrlDown() ? VerticalCtrlPage : VerticalPage;
    bar->setSliderPosition(ScrollActionTarget(static_cast<QAbstractSlider::SliderAction>(action), bar->value(),
                                              bar->sliderPosition(), page, bar->maximum()));
    const int position = bar->sliderPosition();
    ClearToolTips();
    EndMeasurement();
    GoToImage(position, 0);
}

void CTrackImageDrawObject::OnHorizontalScrollAction(int action)
{
    QScrollBar* bar = HorizontalBar();
    if (!bar)
        return;
    bar->setSliderPosition(ScrollActionTarget(static_cast<QAbstractSlider::SliderAction>(action), bar->value(),
                                              bar->sliderPosition(), HorzScrollInfo.page, bar->maximum()));
    HorzScroll = bar->sliderPosition();
    ClearToolTips();
    EndMeasurement();
    Repaint();
}

// -------------------------------------------------------------- view state

bool CTrackImageDrawObject::HasWindow() const
{
    return !Window.isNull();
}

int CTrackImageDrawObject::GetCurrentImage() const
{
    return CurrentImage;
}

int CTrackImageDrawObject::GetTotalFrames() const
{
    return TotalFrames;
}

int CTrackImageDrawObject::GetMaxFrames() const
{
    return MaxFrames;
}

CTrack* CTrackImageDrawObject::GetReferenceTrack() const
{
    return ReferenceTrack;
}

const std::vector<CTrack*>& CTrackImageDrawObject::GetAllTracks() const
{
    return AllTracks;
}

const std::vector<CTrack*>& CTrackImageDrawObject::GetVisibleTracks() const
{
    return VisibleTracks;
}

uint32_t CTrackImageDrawObject::GetForeColorArgb() const
{
    return ColorRefToArgb(ForeColor);
}

_IMAGE_ADJUST_STRUCT_ CTrackImageDrawObject::GetImageAdjust() const
{
    return ImageAdjust;
}

int CTrackImageDrawObject::GetRulerMode() const
{
    return RulerMode;
}

QString CTrackImageDrawObject::GetRulerText() const
{
    return RulerText;
}

QRect CTrackImageDrawObject::GetSelectionBox() const
{
    return SelectionBox;
}

int CTrackImageDrawObject::IsDragFaultShown() const
{
    return DragFaultShown;
}

_FAULT_ CTrackImageDrawObject::GetDragFault() const
{
    return DragFault;
}

const std::vector<_HOT_KEY_STRUCT_>& CTrackImageDrawObject::GetHotKeys() const
{
    return HotKeys;
}

QFont CTrackImageDrawObject::GetSmallTextFont() const
{
    return SmallTextFont;
}

QFont CTrackImageDrawObject::GetLargeTextFont() const
{
    return LargeTextFont;
}

std::optional<QCursor> CTrackImageDrawObject::GetMoveCursor() const
{
    return MoveCursor;
}

int CTrackImageDrawObject::GetHorzScrollPosition() const
{
    return HorzScroll;
}

int CTrackImageDrawObject::GetZoomToggle() const
{
    return ZoomToggle;
}

bool CTrackImageDrawObject::IsCaptureLoopRunning() const
{
    return RunningLoop() != nullptr;
}

int CTrackImageDrawObject::GetMarkModeValue() const
{
    return MarkMode;
}

int CTrackImageDrawObject::GetSelectedFaultIdValue() const
{
    return SelectedFaultId;
}

QRect CTrackImageDrawObject::GetClientRect() const
{
    return Window ? Window->viewport()->rect() : QRect();
}

QString CTrackImageDrawObject::GetStandardName(int standardId) const
{
    for (const _FAULTY_STANDER_STRUCT_& standard : FaultyStandards) {
        if (standard.StandardID == standardId)
            return standard.StandardName;
    }
    return {};
}

CRenderEngineHost& CTrackImageDrawObject::GetEngineHost() const
{
    return *EngineHost;
}

// ----------------------------------------------------------------- helpers

void CTrackImageDrawObject::Repaint()
{
    if (Window)
        Window->viewport()->update();
}

void CTrackImageDrawObject::Rearrange()
{
    SortVisibleTracks();
    Layout();
    Repaint();
}

void CTrackImageDrawObject::ClearToolTips()
{
    if (Window)
        Window->ToolTips().ClearAll();
}

void CTrackImageDrawObject::ReportCurrentImage()
{
    if (Notify)
        Notify->OnCurrentImageChanged(static_cast<unsigned>(CurrentImage), CurrentOffset);
}

void CTrackImageDrawObject::SetVerticalScrollInfo(const ScrollInfo& info)
{
    if (QScrollBar* bar = VerticalBar())
        ApplyScrollInfo(*bar, info);
}

QScrollBar* CTrackImageDrawObject::VerticalBar() const
{
    return Window ? Window->verticalScrollBar() : nullptr;
}

QScrollBar* CTrackImageDrawObject::HorizontalBar() const
{
    return Window ? Window->horizontalScrollBar() : nullptr;
}

QWidget* CTrackImageDrawObject::Viewport() const
{
    return Window ? Window->viewport() : nullptr;
}

_track_scale_info_* CTrackImageDrawObject::FindTrackScale(int trackId)
{
    const auto it = std::find_if(TrackScales.begin(), TrackScales.end(),
                                 [trackId](const _track_scale_info_& info) { return info.TrackID == trackId; });
    return it != TrackScales.end() ? &*it : nullptr;
}

CTrack* CTrackImageDrawObject::FirstTrackWithId(int trackId) const
{
    const auto it = std::find_if(AllTracks.begin(), AllTracks.end(),
                                 [trackId](CTrack* track) { return track->GetTrackId() == trackId; });
    return it != AllTracks.end() ? *it : nullptr;
}

void CTrackImageDrawObject::RebuildVisibleTracks()
{
    VisibleTracks.clear();
    std::copy_if(AllTracks.begin(), AllTracks.end(), std::back_inserter(VisibleTracks),
                 [](CTrack* track) { return track->GetVisible() == 1; });
}

void CTrackImageDrawObject::ReleaseAllTracks()
{
    const std::vector<CTrack*> tracks = std::move(AllTracks);
    AllTracks.clear();
    VisibleTracks.clear();
    for (CTrack* track : tracks)
        track->Release();
}

void CTrackImageDrawObject::ResetViewState()
{
    ReferenceTrack = nullptr;
    MaxFrames = -1;
    SelectedFaultId = 0;
    TotalFrames = 0;
    CurrentImage = 1;
    CurrentOffset = 0;
    HorzScroll = 0;
    RulerText.clear();
    RulerState = 0;
    ActiveTrackId = 0;
    SelectionBoxShown = 0;
    DragFaultShown = 0;
    SelectionBox = QRect();
    ZoomToggle = 0;
}

// ------------------------------------------------ layout and scrolling

void CTrackImageDrawObject::SortVisibleTracks()
{
    const bool ascending = ExchangeLR != 0;
    std::stable_sort(VisibleTracks.begin(), VisibleTracks.end(), [ascending](CTrack* a, CTrack* b) {
        return ascending ? a->GetTrackId() < b->GetTrackId() : a->GetTrackId() > b->GetTrackId();
    });
}

void CTrackImageDrawObject::SetHorizontalRange(int blockWidth)
{
    QScrollBar* bar = HorizontalBar();
    if (!bar)
        return;
    const int clientWidth = GetClientRect().width();
    HorzScrollInfo = HorizontalScrollInfo(clientWidth, blockWidth, HorzScroll);
    ApplyScrollInfo(*bar, HorzScrollInfo);
    // A wider client leaves less to scroll: the view never stays beyond what
    // the bar allows; a block that fits goes back to 0.
    HorzScroll = clientWidth < blockWidth ? std::min(HorzScroll, bar->value()) : 0;
}

bool CTrackImageDrawObject::HorizontalBarCanScroll() const
{
    return HorizontalBar() && CanScroll(HorzScrollInfo);
}

void CTrackImageDrawObject::MoveHorizontalBar(int position)
{
    QScrollBar* bar = HorizontalBar();
    bar->setValue(position);
    // The bar holds the position within its range.
    HorzScroll = bar->value();
}

void CTrackImageDrawObject::MoveTrackWindows()
{
    for (CTrack* track : AllTracks) {
        if (track->HasReader())
            track->SetCurrentFrame(CurrentImage);
    }
}

void CTrackImageDrawObject::RepaintNow()
{
    if (Window)
        Window->viewport()->repaint();
}

void CTrackImageDrawObject::ScrollTo(int h, int n, int o, int d)
{
    if (!ReferenceTrack)
        return;
    const ImagePosition target = ScrollRows(h, ImagePosition{n, o}, d, TotalFrames);
    if (target.image != CurrentImage) {
        CurrentImage = target.image;
        MoveTrackWindows();
        if (QScrollBar* bar = VerticalBar())
            bar->setValue(CurrentImage);
    }
    CurrentOffset = target.offset;
    ReportCurrentImage();
    Repaint();
}

void CTrackImageDrawObject::CentreOnPoint(CTrack& track, int image, QPoint framePoint)
{
    if (!ReferenceTrack)
        return;
    const ImagePosition target = CentreOnRow(ReferenceTrack->GetFrameHeight(), Zoom, FramesPerScreen,
                                             GetClientRect().height(), image, framePoint.y());
    GoToImage(target.image, 1);
    CurrentOffset = CentredOffset(CurrentImage, target.offset, TotalFrames);
    if (HorizontalBarCanScroll())
        MoveHorizontalBar(CentredHorzPosition(framePoint.x(), Zoom, GetTrackScale(track.GetTrackId()), track.GetX(),
                                              HorzScrollInfo.page));
    ReportCurrentImage();
    // GoToImage drew the picture before the offset and the bar moved.
    Repaint();
}

bool CTrackImageDrawObject::ToggleZoomAt(QPoint pointer)
{
    if (ZoomToggle) {
        ZoomToggle = 0;
        SetZoom(SavedZoom);
        CurrentOffset = SavedOffset;
        ReportCurrentImage();
        Repaint();
        return true;
    }
    const FrameHit hit = FrameAt(pointer);
    if (!hit.track)
        return false;
    SavedZoom = Zoom;
    SavedOffset = CurrentOffset;
    SavedImage = CurrentImage;
    SetZoom(1.0);
    CentreOnPoint(*hit.track, hit.frameNo, hit.framePoint);
    ZoomToggle = 1;
    return true;
}

CTrackImageDrawObject::FrameHit CTrackImageDrawObject::FrameAt(QPoint pointer)
{
    if (!ReferenceTrack)
        return {};
    const int rows = VisibleRowCount(FramesPerScreen, CurrentOffset);
    for (CTrack* track : VisibleTracks) {
        if (!track->HasReader())
            continue;
        const double scale = GetTrackScale(track->GetTrackId());
        const int x = track->GetX() - HorzScroll;
        if (pointer.x() < x || pointer.x() >= x + ColumnWidth(track->GetFrameWidth(), Zoom, scale))
            continue;
        const int row = RowAt(pointer.y(), track->GetY(), Zoom, CurrentOffset, track->GetFrameHeight(), rows);
        if (row < 0)
            continue;
        CFrameSlot& slot = track->SlotAt(row);
        int frameNo = 0;
        {
            std::lock_guard lock(slot.Lock);
            frameNo = slot.FrameNo;
        }
        // A slot that never held a frame (a closed channel) has nothing to
        // zoom onto.
        if (frameNo < 1)
            continue;
        const int rowY = RowTop(track->GetY(), Zoom, CurrentOffset, row, track->GetFrameHeight());
        return FrameHit{track, frameNo, FramePointAt(pointer, QPoint(x, rowY), Zoom, scale)};
    }
    return {};
}

void CTrackImageDrawObject::StartDragScroll(QPoint pressPoint)
{
    if (!ReferenceTrack || !Window)
        return;
    QWidget* grabber = QWidget::mouseGrabber();
    if (grabber && grabber != Viewport())
        return;
    EndRunningLoop();
    ClearToolTips();
    const bool canScrollAcross = HorizontalBarCanScroll();
    const int h = ReferenceTrack->GetFrameHeight();
    const int startOffset = CurrentOffset;
    const int startImage = CurrentImage;
    const int startBar = HorizontalBar()->value();
    DragScroller->Start(Viewport(), [=, this](QPoint pointer) {
        ScrollTo(h, startImage, startOffset, TruncateToInt((pressPoint.y() - pointer.y()) / Zoom));
        if (canScrollAcross)
            MoveHorizontalBar(pressPoint.x() + startBar - pointer.x());
    });
}

std::array<CCaptureLoop*, 3> CTrackImageDrawObject::CaptureLoops() const
{
    return {AutoPager.get(), SmoothScroller.get(), DragScroller.get()};
}

CCaptureLoop* CTrackImageDrawObject::RunningLoop() const
{
    for (CCaptureLoop* loop : CaptureLoops()) {
        if (loop->IsRunning())
            return loop;
    }
    return nullptr;
}

void CTrackImageDrawObject::EndRunningLoop()
{
    if (CCaptureLoop* loop = RunningLoop())
        loop->Stop();
}

// ------------------------------------------- joins of the parts to come

void CTrackImageDrawObject::RecreateRenderEngine()
{
    ReleaseRenderEngine();
    // Without a window there is nothing to render into; the mode is kept and
    // the next SetPaintMode after Create builds the engine.
    if (!Window)
        return;
    const QRect client = GetClientRect();
    if (!EngineHost->Create(Window, client.size(), ColorRefToArgb(BackColor), PaintMode))
        return;
    CGpuEngine* engine = EngineHost->Engine();
    for (CTrack* track : AllTracks) {
        track->SetEngine(engine);
    }
    engine->SetRenderCallback(this);
    EngineReady = 1;
    Repaint();
}

void CTrackImageDrawObject::ReleaseRenderEngine()
{
    CGpuEngine* engine = EngineHost->Engine();
    if (!engine)
        return;
    // Releasing the engine empties the channels (they lose their reader and
    // defects), as the tracks' engine hand-over demands. Hidden channels are
    // emptied too: they would otherwise keep objects of the freed engine.
    for (CTrack* track : AllTracks)
        track->SetEngine(nullptr);
    engine->SetRenderCallback(nullptr);
    EngineHost->Release();
    EngineReady = 0;
}

void CTrackImageDrawObject::EndMeasurement()
{
    RulerText.clear();
    RulerState = 0;
    for (CTrack* track : VisibleTracks)
        track->SetRulerLine(QLine());
}

void CTrackImageDrawObject::CenterOnFault(CTrack& track, const _FAULT_& fault)
{
    CentreOnPoint(track, fault.FaultImage, QPoint(fault.FaultX, fault.FaultY));
}
