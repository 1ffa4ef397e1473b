#pragma once
// Draws the whole view of the control with its engine, once per engine
// frame: the status line, the right-aligned activity text, and every visible
// channel (header, frames from the slot textures, dividers, placeholders,
// defect outlines and marks, the box being drawn, the measuring line).
// User-interface thread, inside the engine's Render call.

class CRenderEngineHost;
class CTrack;
class CTrackImageDrawObject;

class CViewRenderer
{
public:
    CViewRenderer(CTrackImageDrawObject& control, CRenderEngineHost& host);

    void Render();

private:
    void DrawStatusLine();
    void DrawActivityText();
    void DrawTrack(CTrack& track);

    CTrackImageDrawObject& control_;
    CRenderEngineHost& host_;
};
