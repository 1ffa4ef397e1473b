#include "CViewRenderer.h"
CViewRenderer::CViewRenderer(CTrackImageDrawObject& control, CRenderEngineHost& host) : control_(control), host_(host) {}
void CViewRenderer::Render() {}
void CViewRenderer::DrawStatusLine() {}
void CViewRenderer::DrawActivityText() {}
void CViewRenderer::DrawTrack(CTrack&) {}
