#pragma once
// The engine objects one channel track draws with: the state-square and
// padlock icons and eight outline/line primitives in their fixed colours.
// Created when the track opens with an engine, released when it closes.
// User-interface thread (the track opens on the task loader's worker while
// the user interface waits). Cost: two tiny textures, eight primitives.
// Errors: none of its own; what the engine refuses simply draws nothing.

#include <array>
#include <cstdint>

class CGpuEngine;
class CGpuPrimitive;
class CGpuTexture;

class CTrackResources
{
public:
    // Colours of the marks, 0xAARRGGBB.
    static constexpr uint32_t ValidColor = 0xFFA0C000u;
    static constexpr uint32_t InvalidColor = 0xFF00A000u;
    static constexpr uint32_t PendingColor = 0xFF0080A0u;
    static constexpr uint32_t SelectedColor = 0xFFFF00FFu;
    static constexpr uint32_t DrawingColor = 0xFFFF0000u;
    static constexpr uint32_t PlaceholderColor = 0xFF1284FFu;
    static constexpr uint32_t DividerColor = 0xFF00FF00u;
    static constexpr uint32_t RulerColor = 0xFF00FF00u;
    static constexpr uint32_t LockColor = 0xFF1284FFu;
    // The divider's usual shape is a tick this long at the top left of a row.
    static constexpr int DividerTickLength = 4;
    // The icons: four state squares stacked in one texture, and the padlock.
    static constexpr int StateSquareSize = 7;
    static constexpr int LockIconWidth = 7;
    static constexpr int LockIconHeight = 9;

    explicit CTrackResources(CGpuEngine& engine);
    ~CTrackResources();
    CTrackResources(const CTrackResources&) = delete;
    CTrackResources& operator=(const CTrackResources&) = delete;

    // After a device reset: primitives reset, icons refilled.
    void ResetDevice();

    CGpuTexture& StateIcons() const;   // 7 x 28: valid, invalid, pending, selected squares
    CGpuTexture& LockIcon() const;     // 7 x 9 padlock
    CGpuPrimitive& ValidBox() const;
    CGpuPrimitive& InvalidBox() const;
    CGpuPrimitive& PendingBox() const;
    CGpuPrimitive& SelectedBox() const;
    CGpuPrimitive& DrawingBox() const;
    CGpuPrimitive& Placeholder() const;
    CGpuPrimitive& Divider() const;
    CGpuPrimitive& Ruler() const;

private:
    void FillIcons();
    void SetUpPrimitives();
    std::array<CGpuPrimitive**, 8> Primitives();

    CGpuEngine& engine_;
    CGpuTexture* stateIcons_ = nullptr;
    CGpuTexture* lockIcon_ = nullptr;
    CGpuPrimitive* validBox_ = nullptr;
    CGpuPrimitive* invalidBox_ = nullptr;
    CGpuPrimitive* pendingBox_ = nullptr;
    CGpuPrimitive* selectedBox_ = nullptr;
    CGpuPrimitive* drawingBox_ = nullptr;
    CGpuPrimitive* placeholder_ = nullptr;
    CGpuPrimitive* divider_ = nullptr;
    CGpuPrimitive* ruler_ = nullptr;
};
