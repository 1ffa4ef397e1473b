#pragma once
// Draws the whole view of the control with its engine, once per engine
// frame: the status line, the right-aligned activity text, and every visible
// channel (header, frames from the slot textures, dividers, placeholders,
// defect outlines and marks, the box being drawn, the measuring line).
// User-interface thread, inside the engine's Render call; reads the control
// through its getters and each slot under the slot's lock, so loader threads
// may go on filling other slots meanwhile. Cost: one texture blit per row
// and a few outlines per defect in view; no allocation but the texts. After
// a zoom change (raster engine) each frame in view is first rebuilt once from
// its decoded rows at the new size (CTrack::ReuploadSlot): a rescale per row,
// never a decode.
//
// Rectangles come in two forms. The scissor is an area: the design's
// (l, t, r, b), right and bottom exclusive, is QRect(l, t, r - l, b - t).
// Shapes mapped by a primitive take corners: (l, t, r, b) is
// QRect(QPoint(l, t), QPoint(r, b)), so right() is r; the channel's Box, the
// selection box and the ruler line come in that form too.

#include <QRect>
#include <QString>

class CGpuEngine;
class CGpuPrimitive;
class CRenderEngineHost;
class CTrack;
class CTrackImageDrawObject;
class CTrackResources;
struct _FAULT_;

class CViewRenderer
{
public:
    CViewRenderer(CTrackImageDrawObject& control, CRenderEngineHost& host);

    void Render();

private:
    // Where one channel's column and rows fall in the window this frame.
    struct Column
    {
        double zoom = 0;
        double scaleX = 0;      // zoom × the channel's scale
        int framesPerScreen = 0;
        int x = 0;              // left edge, after horizontal scrolling
        int top = 0;            // the track's Y
        int width = 0;          // int(scaleX × FrameWidth)
        int rowHeight = 0;      // int(zoom × FrameHeight)
        int firstRowY = 0;      // top of row 0, moved up by the current offset
        int rows = 0;           // F, or F + 1 while a frame is partly scrolled out
    };

    void DrawStatusLine();
    void DrawActivityText();
    QString ActivityText() const;
    void DrawTrack(CTrack& track);
    Column ColumnOf(CTrack& track);
    void DrawHeader(CTrack& track, const Column& column);
    void DrawRows(CTrack& track, CTrackResources& resources, const Column& column);
    void DrawFaults(CTrack& track, CTrackResources& resources, const Column& column);
    void DrawFault(const _FAULT_& fault, CTrackResources& resources, const Column& column, int rowY);
    CGpuPrimitive& OutlineOf(const _FAULT_& fault, CTrackResources& resources);
    void DrawFaultMark(const _FAULT_& fault, CTrackResources& resources, const Column& column, int rowY);
    void DrawActiveChannelShapes(CTrack& track, CTrackResources& resources, const Column& column);

    CTrackImageDrawObject& control_;
    CRenderEngineHost& host_;
};
