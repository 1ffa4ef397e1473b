#include "CGpuFont.h"
CGpuFont::CGpuFont(CGpuEngine& engine) : engine_(engine) {}
int CGpuFont::Create(int, const QString&, int, int) { return 0; }
void CGpuFont::DrawText(int, int, const QString&, uint32_t, int) {}
void CGpuFont::DrawTextInRect(const QRect&, const QString&, uint32_t, unsigned) {}
void CGpuFont::Measure(const QString&, QRect* extent) const { if (extent) *extent = QRect(); }
const QFont& CGpuFont::GetFont() const { return font_; }
