#pragma once
// Hands the stored drawing options to the image control: at start-up (with the
// rendering mode and the initial zoom) and after the drawing parameters dialog
// (without them). User-interface thread.

#include <functional>

class CAppOptions;
class ILumetraDBInterface;
class ILumetraDrawControlCore;

class CDrawingOptions
{
public:
    // Receives the "ReadOnly" option for the defect list as well.
    using ReadOnlySink = std::function<void(int)>;

    static void Apply(ILumetraDrawControlCore& control, const CAppOptions& options, ILumetraDBInterface* store,
                      bool startUp, const ReadOnlySink& readOnlySink = {});

private:
    static void applyTrackScales(ILumetraDrawControlCore& control, ILumetraDBInterface* store);
    static void applyFlagsWhenStored(ILumetraDrawControlCore& control, const CAppOptions& options,
                                     const ReadOnlySink& readOnlySink);
};
