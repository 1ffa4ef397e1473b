#pragma once
// The host's side of the control: records every notification it receives.

#include "IImageNotifyInterface.h"

#include <utility>
#include <vector>

class RecordingNotify : public IImageNotifyInterface
{
public:
    void OnCurrentImageChanged(unsigned image, int offsetRows) override { imageChanges.emplace_back(image, offsetRows); }
    void OnZoomChanged(double zoom) override { zooms.push_back(zoom); }
    int OnFaultAdded(_FAULT_* fault) override
    {
        added.push_back(*fault);
        return faultAddedAnswer;
    }
    void OnFaultModified(_FAULT_ fault) override { modified.push_back(fault); }
    void OnFaultDeleted(int faultId) override { deleted.push_back(faultId); }
    void OnFaultSelected(int trackId, int faultId) override { selected.emplace_back(trackId, faultId); }
    void OnSaveFaultImage(int faultId, int mode) override { savedImages.emplace_back(faultId, mode); }

    std::vector<std::pair<unsigned, int>> imageChanges;
    std::vector<double> zooms;
    std::vector<_FAULT_> added;
    int faultAddedAnswer = 1;
    std::vector<_FAULT_> modified;
    std::vector<int> deleted;
    std::vector<std::pair<int, int>> selected;
    std::vector<std::pair<int, int>> savedImages;
};
