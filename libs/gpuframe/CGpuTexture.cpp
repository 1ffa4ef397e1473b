#include "CGpuTexture.h"
CGpuTexture::CGpuTexture(CGpuEngine& engine) : engine_(engine) {}
int CGpuTexture::Create(int width, int height) { width_ = width; height_ = height; return 0; }
bool CGpuTexture::Fill(int, int, const uint32_t*) { return false; }
bool CGpuTexture::UploadBitmap(int, int, const uint8_t*) { return false; }
void CGpuTexture::Reset() { picture_ = QImage(); scaled_ = QImage(); }
bool CGpuTexture::IsEmpty() const { return picture_.isNull(); }
int CGpuTexture::GetWidth() const { return width_; }
int CGpuTexture::GetHeight() const { return height_; }
void CGpuTexture::Prepare() {}
void CGpuTexture::SetScale(double sx, double sy) { scaleX_ = sx; scaleY_ = sy; }
void CGpuTexture::SetPosition(int x, int y) { x_ = x; y_ = y; }
void CGpuTexture::Draw() {}
void CGpuTexture::DrawPart(int, int, const QRect&) {}
QImage CGpuTexture::GetImage() const { return picture_; }
