#pragma once
// How the image display control reports back to its host (the main frame).
// Called on the user-interface thread.

#include "ControlRecords.h"

class IImageNotifyInterface
{
public:
    virtual ~IImageNotifyInterface() = default;

    virtual void OnCurrentImageChanged(unsigned image, int offsetRows) = 0; // 1
    virtual void OnZoomChanged(double zoom) = 0;                            // 2
    // The host stores the defect and writes its new FaultID into the record;
    // the control keeps the defect only when the answer is 1.
    virtual int OnFaultAdded(_FAULT_* fault) = 0;                           // 3
    virtual void OnFaultModified(_FAULT_ fault) = 0;                        // 4
    virtual void OnFaultDeleted(int faultId) = 0;                           // 5
    virtual void OnFaultSelected(int trackId, int faultId) = 0;             // 6
    // mode 0 saves the defect image, mode 1 the selection region.
    virtual void OnSaveFaultImage(int faultId, int mode) = 0;               // 7
};
