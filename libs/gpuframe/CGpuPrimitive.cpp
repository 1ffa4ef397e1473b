#include "CGpuPrimitive.h"
CGpuPrimitive::CGpuPrimitive(CGpuEngine& engine) : engine_(engine) {}
void CGpuPrimitive::SetWidth(int width) { width_ = width; }
void CGpuPrimitive::SetUnitRect(double x1, double y1, double x2, double y2, uint32_t argb) { isLine_ = false; shape_ = QLineF(x1, y1, x2, y2); argb_ = argb; }
void CGpuPrimitive::SetLine(double x1, double y1, double x2, double y2, uint32_t argb) { isLine_ = true; shape_ = QLineF(x1, y1, x2, y2); argb_ = argb; }
void CGpuPrimitive::SetPosition(int x, int y) { x_ = x; y_ = y; }
void CGpuPrimitive::DrawMapped(const QRect&, double, double) {}
void CGpuPrimitive::DrawAt(int, int) {}
void CGpuPrimitive::Reset() {}
