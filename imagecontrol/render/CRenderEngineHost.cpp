#include "CRenderEngineHost.h"
CRenderEngineHost::~CRenderEngineHost() { Release(); }
bool CRenderEngineHost::Create(QWidget*, QSize, uint32_t, int) { return false; }
void CRenderEngineHost::Release() {}
CGpuEngine* CRenderEngineHost::Engine() const { return engine_; }
CGpuFont* CRenderEngineHost::LargeFont() const { return largeFont_; }
CGpuFont* CRenderEngineHost::SmallFont() const { return smallFont_; }
