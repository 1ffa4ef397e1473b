// Placeholder until the engine is written: fails to initialise.
#include "CGpuEngine.h"
#include "CGpuFont.h"
#include "CGpuPrimitive.h"
#include "CGpuTexture.h"

struct CGpuEngine::Impl {};
CGpuEngine::CGpuEngine() : impl_(std::make_unique<Impl>()) {}
CGpuEngine::~CGpuEngine() = default;
int CGpuEngine::Initialise(QWidget*, int, int, uint32_t, int) { return 1; }
CGpuEngine::Backend CGpuEngine::GetBackend() const { return Backend::Raster; }
QString CGpuEngine::LastError() const { return QStringLiteral("not written yet"); }
void CGpuEngine::SetRenderCallback(IProcess*) {}
int CGpuEngine::Render(int, QPainter&) { return 0; }
void CGpuEngine::Resize(int, int) {}
QSize CGpuEngine::GetSize() const { return {}; }
void CGpuEngine::SetBackgroundColor(uint32_t) {}
uint32_t CGpuEngine::GetBackgroundColor() const { return 0; }
CGpuFont* CGpuEngine::CreateFont() { return new CGpuFont(*this); }
CGpuTexture* CGpuEngine::CreateTexture() { return new CGpuTexture(*this); }
CGpuPrimitive* CGpuEngine::CreatePrimitive() { return new CGpuPrimitive(*this); }
void CGpuEngine::ReleaseObject(CGpuFont* o) { delete o; }
void CGpuEngine::ReleaseObject(CGpuTexture* o) { delete o; }
void CGpuEngine::ReleaseObject(CGpuPrimitive* o) { delete o; }
QRect CGpuEngine::GetScissorRect() const { return {}; }
void CGpuEngine::SetScissorRect(const QRect&) {}
QPainter* CGpuEngine::CurrentPainter() const { return nullptr; }
CGpuEngine* GpuframeCreateEngine() { return new CGpuEngine; }
void GpuframeDestroyEngine(CGpuEngine* engine) { delete engine; }
