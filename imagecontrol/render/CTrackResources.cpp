#include "CTrackResources.h"

#include "CGpuEngine.h"
#include "CGpuPrimitive.h"
#include "CGpuTexture.h"

#include <array>

namespace {

constexpr int StateSquareSize = CTrackResources::StateSquareSize;
constexpr int IconWidth = StateSquareSize;
static_assert(CTrackResources::LockIconWidth == IconWidth, "both icons share one width");
constexpr int StateIconsHeight = 4 * StateSquareSize;
constexpr int LockIconHeight = CTrackResources::LockIconHeight;
constexpr int PrimitiveWidth = 5;
constexpr uint32_t Transparent = 0x00FFFFFFu;

// The padlock, top row first; X is drawn in the lock colour.
constexpr std::array<const char*, LockIconHeight> LockRows = {
    "..XXX..", ".X...X.", ".X...X.", "XXXXXXX", "X.....X", "X..X..X", "X..X..X", "X.....X", "XXXXXXX"};

// One square per state, top to bottom, in the order the renderer's source
// rows expect: valid, invalid, pending, selected.
constexpr std::array<uint32_t, 4> StateSquareColors = {CTrackResources::ValidColor, CTrackResources::InvalidColor,
                                                       CTrackResources::PendingColor, CTrackResources::SelectedColor};

std::array<uint32_t, IconWidth * StateIconsHeight> StateIconPixels()
{
    std::array<uint32_t, IconWidth * StateIconsHeight> pixels{};
    for (int row = 0; row < StateIconsHeight; ++row)
        for (int column = 0; column < IconWidth; ++column)
            pixels[row * IconWidth + column] = StateSquareColors[row / StateSquareSize];
    return pixels;
}

std::array<uint32_t, IconWidth * LockIconHeight> LockIconPixels()
{
    std::array<uint32_t, IconWidth * LockIconHeight> pixels{};
    for (int row = 0; row < LockIconHeight; ++row)
        for (int column = 0; column < IconWidth; ++column)
            pixels[row * IconWidth + column] = LockRows[row][column] == 'X' ? CTrackResources::LockColor : Transparent;
    return pixels;
}

void SetUpBox(CGpuPrimitive& box, uint32_t argb)
{
    box.SetWidth(PrimitiveWidth);
    box.SetUnitRect(0, 0, 1, 1, argb);
}

} // namespace

CTrackResources::CTrackResources(CGpuEngine& engine) : engine_(engine)
{
    stateIcons_ = engine_.CreateTexture();
    stateIcons_->Create(IconWidth, StateIconsHeight);
    lockIcon_ = engine_.CreateTexture();
    lockIcon_->Create(IconWidth, LockIconHeight);
    FillIcons();

    for (CGpuPrimitive** primitive : Primitives())
        *primitive = engine_.CreatePrimitive();
    SetUpPrimitives();
}

CTrackResources::~CTrackResources()
{
    for (CGpuPrimitive** primitive : Primitives())
        engine_.ReleaseObject(*primitive);
    engine_.ReleaseObject(lockIcon_);
    engine_.ReleaseObject(stateIcons_);
}

void CTrackResources::ResetDevice()
{
    for (CGpuPrimitive** primitive : Primitives())
        (*primitive)->Reset();
    // Shapes are set again as well: a reset may drop whatever the device kept.
    SetUpPrimitives();
    stateIcons_->Reset();
    lockIcon_->Reset();
    FillIcons();
}

void CTrackResources::FillIcons()
{
    const auto states = StateIconPixels();
    stateIcons_->Fill(IconWidth, StateIconsHeight, states.data());
    const auto lock = LockIconPixels();
    lockIcon_->Fill(IconWidth, LockIconHeight, lock.data());
}

void CTrackResources::SetUpPrimitives()
{
    SetUpBox(*validBox_, ValidColor);
    SetUpBox(*invalidBox_, InvalidColor);
    SetUpBox(*pendingBox_, PendingColor);
    SetUpBox(*selectedBox_, SelectedColor);
    SetUpBox(*drawingBox_, DrawingColor);
    SetUpBox(*placeholder_, PlaceholderColor);
    divider_->SetWidth(PrimitiveWidth);
    divider_->SetLine(0, 0, DividerTickLength, 0, DividerColor);
    ruler_->SetWidth(PrimitiveWidth);
    ruler_->SetLine(1, 1, 0, 0, RulerColor);
}

std::array<CGpuPrimitive**, 8> CTrackResources::Primitives()
{
    return {&validBox_, &invalidBox_, &pendingBox_, &selectedBox_, &drawingBox_, &placeholder_, &divider_, &ruler_};
}

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
