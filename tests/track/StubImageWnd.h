#pragma once
// The control as a track sees it, reduced to what frame loading asks: frames
// per screen, the loading mode, and a count of the loaders' repaint signals.
// Everything else answers a neutral value.

#include "IImageWnd.h"

#include <atomic>

class StubImageWnd : public IImageWnd
{
public:
    StubImageWnd(int framesPerScreen, int threadLoad) : framesPerScreen_(framesPerScreen), threadLoad_(threadLoad) {}

    void SetFramesPerScreen(int frames) { framesPerScreen_ = frames; }
    int RepaintSignals() const { return repaintSignals_.load(); }

    int GetFramesPerScreen() override { return framesPerScreen_; }
    int GetThreadLoad() override { return threadLoad_; }
    void SignalRepaint() override { ++repaintSignals_; }

    QWidget* GetWindowHandle() override { return nullptr; }
    void GetFaultyStandards(std::vector<_FAULTY_STANDER_STRUCT_>&) override {}
    int ReportFaultAdded(int, _FAULT_*) override { return 0; }
    void ReportFaultModified(int, _FAULT_*) override {}
    void ReportFaultDeleted(int) override {}
    void ReportFaultSelected(int, int) override {}
    int IsSelectionBoxShown() override { return 0; }
    void SetSelectionBox(const QRect*) override {}
    void ClearSelectionBox() override {}
    void SetDragFault(const _FAULT_*) override {}
    void ClearDragFault() override {}
    int GetSelectedFaultId() override { return 0; }
    int GetActiveTrackId() override { return 0; }
    int GetRulerState() override { return 0; }
    void SetRulerText(int, const QString&) override {}
    int GetReservedValue() override { return 0; }
    int GetCurrentOffset() override { return 0; }
    int GetHorzScroll() override { return 0; }
    CGpuFont* GetLargeFont() override { return nullptr; }
    CGpuFont* GetSmallFont() override { return nullptr; }
    double GetTrackScale(int) override { return 1.0; }
    int GetBlueBox() override { return 0; }
    int GetDivLine() override { return 0; }
    int GetDivFull() override { return 0; }
    double GetZoom() override { return 1.0; }
    int GetDropBox() override { return 0; }
    int GetStackedLayout() override { return 0; }
    int GetReadOnly() override { return 0; }
    uint32_t GetBackColor() override { return 0xFFFFFF; }
    uint32_t GetForeColor() override { return 0; }
    int IsFaultTypeShown(int) override { return 1; }

private:
    int framesPerScreen_;
    int threadLoad_;
    std::atomic<int> repaintSignals_ = 0;
};
