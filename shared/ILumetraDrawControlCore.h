#pragma once
// The image display control as the program drives it. All operations run on
// the user-interface thread, except NewTrack, AddTrack and GetTracks, which the
// task loader may call from its worker while the user interface waits.
// Operations that need the window do nothing and answer 0 or null before
// Create; setters keep their value for later. Colours are 0x00BBGGRR. The
// declaration order is the contract with the program: do not reorder.

#include "BaseDataRecords.h"
#include "ControlRecords.h"

#include <QPoint>
#include <QRect>
#include <cstdint>
#include <vector>

class QWidget;
class IImageNotifyInterface;
class ITrackInterface;

class ILumetraDrawControlCore
{
public:
    virtual ~ILumetraDrawControlCore() = default;

    virtual int Create(const QRect& rect, QWidget* parent, unsigned id, void* param) = 0; // 1
    virtual int Show(int showCommand) = 0;                                      // 2
    virtual void MoveToRect(const QRect& rect, int repaint) = 0;                // 3
    virtual void Move(int x, int y, int width, int height, int repaint) = 0;    // 4
    virtual QWidget* SetParentWnd(QWidget* newParent) = 0;                      // 5
    virtual QWidget* SetFocusToControl() = 0;                                   // 6
    virtual int HasFocus() = 0;                                                 // 7
    virtual QWidget* GetWindowHandle() = 0;                                     // 8
    virtual void SetNotify(IImageNotifyInterface* notify) = 0;                  // 9
    virtual int OnMouseWheel(unsigned flags, short delta, QPoint point) = 0;    // 10
    virtual void SetHotKeys(const std::vector<_HOT_KEY_STRUCT_>& hotKeys) = 0;  // 11
    virtual void SetFaultyStandards(const std::vector<_FAULTY_STANDER_STRUCT_>& standards) = 0; // 12
    virtual void ClearFaultyStandards() = 0;                                    // 13
    virtual void SetBackColor(uint32_t color) = 0;                              // 14
    virtual uint32_t GetBackColor() = 0;                                        // 15
    virtual void SetForeColor(uint32_t color) = 0;                              // 16
    virtual uint32_t GetForeColor() = 0;                                        // 17
    virtual void SetHorzAlign(int align) = 0;                                   // 18
    virtual int GetHorzAlign() = 0;                                             // 19
    virtual void SetVertAlign(int align) = 0;                                   // 20
    virtual int GetVertAlign() = 0;                                             // 21
    virtual void SetFramesPerScreen(int frames) = 0;                            // 22
    virtual int GetFramesPerScreen() = 0;                                       // 23
    virtual void SetPaintMode(int mode) = 0;                                    // 24
    virtual int GetPaintMode() = 0;                                             // 25
    virtual void SetVScrollSpeed(int speed) = 0;                                // 26
    virtual int GetVScrollSpeed() = 0;                                          // 27
    virtual void SetHScrollSpeed(int speed) = 0;                                // 28
    virtual int GetHScrollSpeed() = 0;                                          // 29
    virtual void SetZoom(double zoom) = 0;                                      // 30
    virtual double GetZoom() = 0;                                               // 31
    virtual void SetTrackScale(int trackId, double scale) = 0;                  // 32
    virtual double GetTrackScale(int trackId) = 0;                              // 33
    virtual void SetDivLine(int value) = 0;                                     // 34
    virtual int GetDivLine() = 0;                                               // 35
    virtual void SetDivFull(int value) = 0;                                     // 36
    virtual int GetDivFull() = 0;                                               // 37
    virtual void SetThreadLoad(int value) = 0;                                  // 38
    virtual int GetThreadLoad() = 0;                                            // 39
    virtual void SetExchangeLR(int value) = 0;                                  // 40
    virtual int GetExchangeLR() = 0;                                            // 41
    virtual void SetReadOnly(int value) = 0;                                    // 42
    virtual int GetReadOnly() = 0;                                              // 43
    virtual void SetBlueBox(int value) = 0;                                     // 44
    virtual int GetBlueBox() = 0;                                               // 45
    virtual void SetDropBox(int value) = 0;                                     // 46
    virtual int GetDropBox() = 0;                                               // 47
    virtual void SetStackedLayout(int value) = 0;                               // 48: no effect
    virtual int GetStackedLayout() = 0;                                         // 49: always 0
    virtual void SetImageAdjust(const _IMAGE_ADJUST_STRUCT_* adjust) = 0;       // 50
    virtual int GetMarkMode() = 0;                                              // 51
    virtual void SetMarkMode(int mode) = 0;                                     // 52
    virtual void SetRulerMode(int mode) = 0;                                    // 53
    virtual void NewTrack(ITrackInterface** out) = 0;                           // 54
    virtual void AddTrack(ITrackInterface* track) = 0;                          // 55: takes ownership
    virtual void RemoveAll() = 0;                                               // 56
    virtual void EndAddTracks() = 0;                                            // 57
    virtual void SetTrackVisible(int trackId, int visible) = 0;                 // 58
    virtual void Layout() = 0;                                                  // 59
    virtual int GetActiveTrackId() = 0;                                         // 60
    virtual ITrackInterface* FindTrack(int trackId) = 0;                        // 61
    // Answers 1 (and an empty list) when the control has no track, else 0.
    virtual int GetTracks(std::vector<ITrackInterface*>& out) = 0;              // 62
    virtual void GoToImage(int image, int setScrollBar) = 0;                    // 63
    virtual void AutoScroll() = 0;                                              // 64
    virtual void ScrollVertLoop(int direction) = 0;                             // 65: 0 up, 1 down
    virtual void ScrollHorzLoop(int direction) = 0;                             // 66: 0 left, 1 right
    virtual int GoToFault(int trackId, int faultId) = 0;                        // 67
    virtual int RemoveFault(int trackId, int faultId) = 0;                      // 68
    virtual void UpdateFault(int trackId, const _FAULT_& fault) = 0;            // 69
    virtual int GetSelectedFaultId() = 0;                                       // 70
    virtual void SetFaultTypeFilter(const std::vector<int>& standardIds) = 0;   // 71
    virtual int GetFirstTrackTop() = 0;                                         // 72
    // Destroys the window when it exists, then deletes the object.
    virtual void Destroy() = 0;                                                 // 73
};
