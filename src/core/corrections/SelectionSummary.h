#pragma once

#include <string>

#include "survey/DateTime.h"

namespace bramble {

// The means of the selected readings after a recomputation: the values of
// the "Mean Calculations" group of the station information window.
struct SelectionSummary {
    enum Field {
        kGrav,
        kSDev,
        kTiltX,
        kTiltY,
        kTemp,
        kEtc,
        kBerger,
        kPressure,
        kPolarMotion,
        kOceanLoad,
        kDrift,
        kTime
    };

    int m_nReadings = 0;
    double m_dGrav = 0.0;  // mean gravity; the plot subtracts it on request
    double m_dSDev = 0.0;
    double m_dTiltX = 0.0;
    double m_dTiltY = 0.0;
    double m_dTemp = 0.0;
    double m_dEtc = 0.0;
    double m_dBerger = 0.0;
    double m_dPressure = 0.0;
    double m_dPolarMotion = 0.0;
    double m_dOceanLoad = 0.0;  // mean ocean-loading correction
    double m_dDrift = 0.0;      // minus the mean drift value
    DateTime m_dtTime;          // mean time
    unsigned m_nEmpty = 0;      // bit per Field: no selected reading has the value

    void SetEmpty(Field field, bool empty)
    {
        const unsigned bit = 1u << field;
        m_nEmpty = empty ? (m_nEmpty | bit) : (m_nEmpty & ~bit);
    }
    // The field's text: "%10.4f", the time as "%H:%M:%S"; empty for a value
    // no selected reading has.
    std::string Text(Field field) const;
};

}  // namespace bramble
