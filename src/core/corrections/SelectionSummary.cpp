#include "corrections/SelectionSummary.h"

#include "corrections/CellFormat.h"

namespace bramble {

std::string SelectionSummary::Text(Field field) const
{
    if (m_nEmpty & (1u << field))
        return {};
    switch (field) {
    case kGrav:
        return FormatCorrection(m_dGrav);
    case kSDev:
        return FormatCorrection(m_dSDev);
    case kTiltX:
        return FormatCorrection(m_dTiltX);
    case kTiltY:
        return FormatCorrection(m_dTiltY);
    case kTemp:
        return FormatCorrection(m_dTemp);
    case kEtc:
        return FormatCorrection(m_dEtc);
    case kBerger:
        return FormatCorrection(m_dBerger);
    case kPressure:
        return FormatCorrection(m_dPressure);
    case kPolarMotion:
        return FormatCorrection(m_dPolarMotion);
    case kOceanLoad:
        return FormatCorrection(m_dOceanLoad);
    case kDrift:
        return FormatCorrection(m_dDrift);
    case kTime:
        return m_dtTime.format("%H:%M:%S");
    }
    return {};
}

}  // namespace bramble
