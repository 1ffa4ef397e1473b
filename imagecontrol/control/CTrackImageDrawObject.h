#pragma once
// The image display control: the object behind ILumetraDrawControlCore (how
// the program drives it), IImageWnd (how its channel tracks see it) and
// IProcess (how the rendering engine calls it back). Its window is a separate
// widget (CImageCoreWindow) created by Create and held through a QPointer.
//
// Threads: every operation belongs to the user-interface thread, except
// NewTrack, AddTrack and GetTracks (also called by the task loader's worker
// while the user interface waits in a modal dialog) and SignalRepaint (any
// thread). Operations are cheap; Create loads two small pictures and starts
// the repaint thread, Destroy and the destructor join it.
// Errors: operations that need the window answer 0 or null without it;
// Create reports a bad rectangle as a warning of category
// "lumetra.imagecontrol" and answers 0; bad pointers are ignored.

#include "ILumetraDrawControlCore.h"
#include "IImageWnd.h"
#include "IProcess.h"
#include "LumetraImageApi.h"
#include "ScrollInfo.h"

#include <QCursor>
#include <QFont>
#include <QPointer>
#include <QRect>
#include <QString>
#include <array>
#include <memory>
#include <optional>
#include <vector>

class CAutoPager;
class CCaptureLoop;
class CDragScroller;
class CEmptyStatePainter;
class CRenderEngineHost;
class CSmoothScroller;
class CImageCoreWindow;
class CRepaintThread;
class CTrack;
class QKeyEvent;
class QMouseEvent;
class QPainter;
class QScrollBar;

class LUMETRAIMAGE_API CTrackImageDrawObject : public IProcess, public IImageWnd, public ILumetraDrawControlCore
{
public:
    // Ids of the two tooltip tools.
    static constexpr int ChannelInfoTool = 1000;
    static constexpr int DefectInfoTool = 1001;

    CTrackImageDrawObject();
    // Stops the repaint thread, destroys the window and releases the tracks.
    ~CTrackImageDrawObject() override;
    CTrackImageDrawObject(const CTrackImageDrawObject&) = delete;
    CTrackImageDrawObject& operator=(const CTrackImageDrawObject&) = delete;

    // IProcess
    int IsEngineReady() override;
    void OnDeviceReset() override;
    void Render() override;

    // IImageWnd (getters it shares with ILumetraDrawControlCore are below)
    void GetFaultyStandards(std::vector<_FAULTY_STANDER_STRUCT_>& out) override;
    int ReportFaultAdded(int trackId, _FAULT_* fault) override;
    void ReportFaultModified(int trackId, _FAULT_* fault) override;
    void ReportFaultDeleted(int faultId) override;
    void ReportFaultSelected(int trackId, int faultId) override;
    int IsSelectionBoxShown() override;
    void SetSelectionBox(const QRect* rect) override;
    void ClearSelectionBox() override;
    void SetDragFault(const _FAULT_* fault) override;
    void ClearDragFault() override;
    int GetRulerState() override;
    void SetRulerText(int state, const QString& text) override;
    int GetReservedValue() override;
    int GetCurrentOffset() override;
    int GetHorzScroll() override;
    void SignalRepaint() override;
    CGpuFont* GetLargeFont() override;
    CGpuFont* GetSmallFont() override;
    int IsFaultTypeShown(int standardId) override;

    // ILumetraDrawControlCore
    int Create(const QRect& rect, QWidget* parent, unsigned id, void* param) override;
    int Show(int showCommand) override;
    void MoveToRect(const QRect& rect, int repaint) override;
    void Move(int x, int y, int width, int height, int repaint) override;
    QWidget* SetParentWnd(QWidget* newParent) override;
    QWidget* SetFocusToControl() override;
    int HasFocus() override;
    QWidget* GetWindowHandle() override;
    void SetNotify(IImageNotifyInterface* notify) override;
    int OnMouseWheel(unsigned flags, short delta, QPoint point) override;
    void SetHotKeys(const std::vector<_HOT_KEY_STRUCT_>& hotKeys) override;
    void SetFaultyStandards(const std::vector<_FAULTY_STANDER_STRUCT_>& standards) override;
    void ClearFaultyStandards() override;
    void SetBackColor(uint32_t color) override;
    uint32_t GetBackColor() override;
    void SetForeColor(uint32_t color) override;
    uint32_t GetForeColor() override;
    void SetHorzAlign(int align) override;
    int GetHorzAlign() override;
    void SetVertAlign(int align) override;
    int GetVertAlign() override;
    void SetFramesPerScreen(int frames) override;
    int GetFramesPerScreen() override;
    void SetPaintMode(int mode) override;
    int GetPaintMode() override;
    void SetVScrollSpeed(int speed) override;
    int GetVScrollSpeed() override;
    void SetHScrollSpeed(int speed) override;
    int GetHScrollSpeed() override;
    void SetZoom(double zoom) override;
    double GetZoom() override;
    void SetTrackScale(int trackId, double scale) override;
    double GetTrackScale(int trackId) override;
    void SetDivLine(int value) override;
    int GetDivLine() override;
    void SetDivFull(int value) override;
    int GetDivFull() override;
    void SetThreadLoad(int value) override;
    int GetThreadLoad() override;
    void SetExchangeLR(int value) override;
    int GetExchangeLR() override;
    void SetReadOnly(int value) override;
    int GetReadOnly() override;
    void SetBlueBox(int value) override;
    int GetBlueBox() override;
    void SetDropBox(int value) override;
    int GetDropBox() override;
    void SetStackedLayout(int value) override;
    int GetStackedLayout() override;
    void SetImageAdjust(const _IMAGE_ADJUST_STRUCT_* adjust) override;
    int GetMarkMode() override;
    void SetMarkMode(int mode) override;
    void SetRulerMode(int mode) override;
    void NewTrack(ITrackInterface** out) override;
    void AddTrack(ITrackInterface* track) override;
    void RemoveAll() override;
    void EndAddTracks() override;
    void SetTrackVisible(int trackId, int visible) override;
    void Layout() override;
    int GetActiveTrackId() override;
    ITrackInterface* FindTrack(int trackId) override;
    int GetTracks(std::vector<ITrackInterface*>& out) override;
    void GoToImage(int image, int setScrollBar) override;
    void AutoScroll() override;
    void ScrollVertLoop(int direction) override;
    void ScrollHorzLoop(int direction) override;
    int GoToFault(int trackId, int faultId) override;
    int RemoveFault(int trackId, int faultId) override;
    void UpdateFault(int trackId, const _FAULT_& fault) override;
    int GetSelectedFaultId() override;
    void SetFaultTypeFilter(const std::vector<int>& standardIds) override;
    int GetFirstTrackTop() override;
    void Destroy() override;

    // Events of the window (CImageCoreWindow forwards them).
    void PaintWindow(QPainter& painter, const QRect& clientRect);
    void OnWindowResized();
    // A running capture loop sees the event first. Otherwise a left press
    // takes the focus and, outside ruler mode, starts scrolling by dragging;
    // a left double-click zooms onto the frame point under the pointer and
    // back.
    void OnWindowMouseEvent(QMouseEvent* event);
    // Presses and releases. True when the control used the key (a running
    // capture loop takes what ends it); other keys go on to the program.
    bool OnWindowKeyEvent(QKeyEvent* event);
    // A scroll bar's line, page, thumb or end action (QAbstractSlider::
    // SliderAction), before the bar takes the position: the control sets the
    // position it wants and moves the view there.
    void OnVerticalScrollAction(int action);
    void OnHorizontalScrollAction(int action);

    // View state, for the layout, the overlay and the renderer (and tests).
    bool HasWindow() const;
    int GetCurrentImage() const;
    int GetTotalFrames() const;
    int GetMaxFrames() const;
    CTrack* GetReferenceTrack() const;
    const std::vector<CTrack*>& GetAllTracks() const;
    const std::vector<CTrack*>& GetVisibleTracks() const;
    uint32_t GetForeColorArgb() const;
    _IMAGE_ADJUST_STRUCT_ GetImageAdjust() const;
    int GetRulerMode() const;
    QString GetRulerText() const;
    QRect GetSelectionBox() const;
    int IsDragFaultShown() const;
    _FAULT_ GetDragFault() const;
    const std::vector<_HOT_KEY_STRUCT_>& GetHotKeys() const;
    int GetMarkModeValue() const;
    int GetSelectedFaultIdValue() const;
    // The window's client area (its viewport), empty without a window.
    QRect GetClientRect() const;
    // StandardName of the defect type, empty when the type is unknown.
    QString GetStandardName(int standardId) const;
    // The engine host (engine, fonts); the engine is null until SetPaintMode
    // succeeded with a window.
    CRenderEngineHost& GetEngineHost() const;
    // The window's text fonts (height 20 upright, height 50 italic).
    QFont GetSmallTextFont() const;
    QFont GetLargeTextFont() const;
    // The pointer shape while dragging defects; none when Move.png is missing.
    std::optional<QCursor> GetMoveCursor() const;
    // HorzScroll itself (GetHorzScroll answers it negated for the tracks).
    int GetHorzScrollPosition() const;
    // 1 while the double-click zoom can be toggled back.
    int GetZoomToggle() const;
    // True while automatic paging, arrow-key scrolling or dragging runs.
    bool IsCaptureLoopRunning() const;

private:
    // Window creation
    void SetUpWindow(const QRect& rect, QWidget* parent);
    void LoadPictures();
    void CreateTextFonts();
    void SetUpToolTips();

    // Helpers
    void Repaint();
    // Sorts, lays out and repaints after the set or order of columns changed.
    void Rearrange();
    void ClearToolTips();
    void ReportCurrentImage();
    void SetVerticalScrollInfo(const ScrollInfo& info);
    QScrollBar* VerticalBar() const;
    QScrollBar* HorizontalBar() const;
    QWidget* Viewport() const;
    _track_scale_info_* FindTrackScale(int trackId);
    CTrack* FirstTrackWithId(int trackId) const;
    void RebuildVisibleTracks();
    void ReleaseAllTracks();
    void ResetViewState();

    // Layout and scrolling
    void SortVisibleTracks();
    void SetHorizontalRange(int blockWidth);
    bool HorizontalBarCanScroll() const;
    // Sets the horizontal bar (which has to exist) and takes its position as
    // HorzScroll.
    void MoveHorizontalBar(int position);
    // Every track with a reader moves its window of frames to CurrentImage.
    void MoveTrackWindows();
    // Redraws at once (the frames are loaded on this thread already).
    void RepaintNow();
    // Row-wise scrolling from image n, offset o by d rows of frames h rows
    // tall; reports and repaints.
    void ScrollTo(int h, int n, int o, int d);
    void CentreOnPoint(CTrack& track, int image, QPoint framePoint);
    // Zooms onto the frame point under the pointer, or back; false when the
    // pointer is on no frame and the toggle is not set.
    bool ToggleZoomAt(QPoint pointer);
    // The first visible channel (display order) with a frame row under the
    // pointer: its track, frame number and point in frame pixels.
    struct FrameHit
    {
        CTrack* track = nullptr;
        int frameNo = 0;
        QPoint framePoint;
    };
    FrameHit FrameAt(QPoint pointer);
    void StartDragScroll(QPoint pressPoint);
    std::array<CCaptureLoop*, 3> CaptureLoops() const;
    CCaptureLoop* RunningLoop() const;
    void EndRunningLoop();

    // Joins of the parts still to come, and of the renderer.
    void RecreateRenderEngine();
    void ReleaseRenderEngine();
    void ApplyImageAdjust(const _IMAGE_ADJUST_STRUCT_& adjust, bool toneChanged, bool clarityChanged);
    void EndMeasurement();
    void CenterOnFault(CTrack& track, const _FAULT_& fault);

    // Settings
    double Zoom = 0.0;
    uint32_t BackColor = 0xFFFFFF;
    uint32_t ForeColor = 0;
    int HorzAlign = 0;
    int VertAlign = 0;
    int FramesPerScreen = 0;
    int PaintMode = 0;
    int VScrollSpeed = 0;
    int HScrollSpeed = 0;
    int DivLine = 0;
    int DivFull = 0;
    int BlueBox = 0;
    int DropBox = 0;
    int ThreadLoad = 0;
    int ExchangeLR = 0;
    int ReadOnly = 0;
    int MarkMode = 0;
    int RulerMode = 0;
    _IMAGE_ADJUST_STRUCT_ ImageAdjust{-999, -999, -999};
    std::vector<_track_scale_info_> TrackScales;
    std::vector<_FAULTY_STANDER_STRUCT_> FaultyStandards;
    std::vector<_HOT_KEY_STRUCT_> HotKeys;
    std::vector<int> FaultTypeFilter;

    // View state
    std::vector<CTrack*> AllTracks;
    std::vector<CTrack*> VisibleTracks;
    CTrack* ReferenceTrack = nullptr;
    int MaxFrames = -1;
    int TotalFrames = 0;
    int CurrentImage = 1;
    int CurrentOffset = 0;
    int HorzScroll = 0;
    int SelectedFaultId = 0;
    int ActiveTrackId = 0;
    int SelectionBoxShown = 0;
    QRect SelectionBox;
    int DragFaultShown = 0;
    _FAULT_ DragFault;
    int RulerState = 0;
    QString RulerText;
    // The horizontal bar as Layout last set it (its page tells what scrolls).
    ScrollInfo HorzScrollInfo;
    // Double-click zoom: set after zooming onto a point, with what to go back to.
    int ZoomToggle = 0;
    double SavedZoom = 0.0;
    int SavedOffset = 0;
    int SavedImage = 1;

    // Resources
    IImageNotifyInterface* Notify = nullptr;
    int EngineReady = 0;
    QPointer<CImageCoreWindow> Window;
    QFont SmallTextFont;
    QFont LargeTextFont;
    std::optional<QCursor> MoveCursor;
    // Automatic paging's pointer: AutoScroll.png, else the vertical sizing
    // arrow.
    QCursor AutoPageCursor{Qt::SizeVerCursor};
    std::unique_ptr<CEmptyStatePainter> EmptyState;
    std::unique_ptr<CRenderEngineHost> EngineHost;
    std::unique_ptr<CRepaintThread> RepaintThread;
    // Capture loops: at most one runs at a time.
    std::unique_ptr<CAutoPager> AutoPager;
    std::unique_ptr<CSmoothScroller> SmoothScroller;
    std::unique_ptr<CDragScroller> DragScroller;
};
