#include "session/TideChoice.h"

namespace bramble {

bool TideModeOffered(MeterKind meter, int tideMode)
{
    switch (tideMode) {
    case kTideLongman:
        return meter != MeterKind::aliod;  // only Aliod data lack the meter's tide
    case kTideBerger:
    case kTideNone:
        return true;
    default:
        return false;
    }
}

int OfferedTideMode(MeterKind meter, int tideMode) { return TideModeOffered(meter, tideMode) ? tideMode : kTideNone; }

Outcome CheckTideMode(MeterKind meter, int tideMode)
{
    if (TideModeOffered(meter, tideMode))
        return {};
    if (tideMode == kTideLongman)
        return Outcome::Error("the Longman tide is not offered for Aliod data, which carry no meter tide correction");
    return Outcome::Error("there is no tide option " + std::to_string(tideMode));
}

}  // namespace bramble
