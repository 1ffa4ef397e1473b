#include "CTrackResources.h"
CTrackResources::CTrackResources(CGpuEngine& engine) : engine_(engine) {}
CTrackResources::~CTrackResources() = default;
void CTrackResources::ResetDevice() {}
void CTrackResources::FillIcons() {}
CGpuTexture& CTrackResources::StateIcons() const { return *stateIcons_; }
CGpuTexture& CTrackResources::LockIcon() const { return *lockIcon_; }
CGpuPrimitive& CTrackResources::ValidBox() const { return *validBox_; }
CGpuPrimitive& CTrackResources::InvalidBox() const { return *invalidBox_; }
CGpuPrimitive& CTrackResources::PendingBox() const { return *pendingBox_; }
CGpuPrimitive& CTrackResources::SelectedBox() const { return *selectedBox_; }
CGpuPrimitive& CTrackResources::DrawingBox() const { return *drawingBox_; }
CGpuPrimitive& CTrackResources::Placeholder() const { return *placeholder_; }
CGpuPrimitive& CTrackResources::Divider() const { return *divider_; }
CGpuPrimitive& CTrackResources::Ruler() const { return *ruler_; }
