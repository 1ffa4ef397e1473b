#include "CDrawingOptions.h"

#include "CAppOptions.h"
#include "ILumetraDBInterface.h"
#include "ILumetraDrawControlCore.h"

#include <utility>

void CDrawingOptions::Apply(ILumetraDrawControlCore& control, const CAppOptions& options, ILumetraDBInterface* store,
                            bool startUp, const ReadOnlySink& readOnlySink)
{
    control.SetBackColor(static_cast<uint32_t>(options.Long("BGColorEx")));
    control.SetForeColor(static_cast<uint32_t>(options.Long("FGColorEx")));
    control.SetHorzAlign(options.Long("HorzAlign"));
    control.SetVertAlign(options.Long("VertAlign"));
    control.SetFramesPerScreen(options.Long("ZhenCount"));
    if (startUp)
        control.SetPaintMode(options.Long("PaintMode"));
    control.SetHScrollSpeed(options.Long("HScrollSpeed"));
    control.SetVScrollSpeed(options.Long("VScrollSpeed"));
    if (startUp)
        control.SetZoom(options.Double("DefaultZoomMany"));
    applyTrackScales(control, store);
    applyFlagsWhenStored(control, options, readOnlySink);
}

void CDrawingOptions::applyTrackScales(ILumetraDrawControlCore& control, ILumetraDBInterface* store)
{
    std::vector<_TRACK_DEFINE_STRUCT_> tracks;
    if (!store || store->GetAllTracks(tracks) != 1)
        return;
    for (const _TRACK_DEFINE_STRUCT_& track : tracks)
        control.SetTrackScale(track.TrackID, track.TrackScale);
}

void CDrawingOptions::applyFlagsWhenStored(ILumetraDrawControlCore& control, const CAppOptions& options,
                                           const ReadOnlySink& readOnlySink)
{
    using FlagSetter = void (ILumetraDrawControlCore::*)(int);
    static const std::pair<const char*, FlagSetter> flags[] = {
        {"DivLine", &ILumetraDrawControlCore::SetDivLine},
        {"DivFull", &ILumetraDrawControlCore::SetDivFull},
        {"BlueBox", &ILumetraDrawControlCore::SetBlueBox},
        {"DropBox", &ILumetraDrawControlCore::SetDropBox},
        {"ThreadLoad", &ILumetraDrawControlCore::SetThreadLoad},
        {"ExchangeLR", &ILumetraDrawControlCore::SetExchangeLR},
    };
    // An absent key keeps the control's own value: nothing is called for it.
    for (const auto& [key, set] : flags) {
        if (const auto v = options.StoredInt(key))
            (control.*set)(*v);
    }
    if (const auto v = options.StoredInt("ReadOnly")) {
        control.SetReadOnly(*v);
        if (readOnlySink)
            readOnlySink(*v);
    }
}
