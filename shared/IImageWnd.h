#pragma once
// The control as its channel tracks see it. User-interface thread, except
// SignalRepaint, which loader threads call.

#include "BaseDataRecords.h"
#include "ControlRecords.h"

#include <QRect>
#include <QString>
#include <vector>

class QWidget;
class CGpuFont;

class IImageWnd
{
public:
    virtual ~IImageWnd() = default;

    virtual QWidget* GetWindowHandle() = 0;                                           // 1
    virtual void GetFaultyStandards(std::vector<_FAULTY_STANDER_STRUCT_>& out) = 0;   // 2
    virtual int ReportFaultAdded(int trackId, _FAULT_* fault) = 0;                    // 3
    virtual void ReportFaultModified(int trackId, _FAULT_* fault) = 0;                // 4
    virtual void ReportFaultDeleted(int faultId) = 0;                                 // 5
    virtual void ReportFaultSelected(int trackId, int faultId) = 0;                   // 6
    virtual int IsSelectionBoxShown() = 0;                                            // 7
    virtual void SetSelectionBox(const QRect* rect) = 0;                              // 8
    virtual void ClearSelectionBox() = 0;                                             // 9
    virtual void SetDragFault(const _FAULT_* fault) = 0;                              // 10
    virtual void ClearDragFault() = 0;                                                // 11
    virtual int GetSelectedFaultId() = 0;                                             // 12
    virtual int GetActiveTrackId() = 0;                                               // 13
    virtual int GetRulerState() = 0;                                                  // 14
    virtual void SetRulerText(int state, const QString& text) = 0;                    // 15
    virtual int GetReservedValue() = 0;                                               // 16: always 0
    virtual int GetCurrentOffset() = 0;                                               // 17
    virtual int GetHorzScroll() = 0;                                                  // 18: minus HorzScroll
    virtual void SignalRepaint() = 0;                                                 // 19: any thread
    virtual CGpuFont* GetLargeFont() = 0;                                             // 20
    virtual CGpuFont* GetSmallFont() = 0;                                             // 21
    virtual int GetFramesPerScreen() = 0;                                             // 22
    virtual double GetTrackScale(int trackId) = 0;                                    // 23
    virtual int GetBlueBox() = 0;                                                     // 24
    virtual int GetDivLine() = 0;                                                     // 25
    virtual int GetDivFull() = 0;                                                     // 26
    virtual double GetZoom() = 0;                                                     // 27
    virtual int GetDropBox() = 0;                                                     // 28
    virtual int GetStackedLayout() = 0;                                               // 29
    virtual int GetReadOnly() = 0;                                                    // 30
    virtual int GetThreadLoad() = 0;                                                  // 31
    virtual uint32_t GetBackColor() = 0;                                              // 32
    virtual uint32_t GetForeColor() = 0;                                              // 33
    virtual int IsFaultTypeShown(int standardId) = 0;                                 // 34
};
