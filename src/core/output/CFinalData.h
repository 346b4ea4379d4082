#pragma once

#include <string>
#include <vector>

#include "survey/DateTime.h"

namespace bramble {

// One averaged station of the final output table.
struct CFinalData {
    DateTime m_dtTime;        // mean time of the station's readings
    double m_dTimeSum = 0.0;  // sum of day numbers while averaging
    std::string m_strStation;
    double m_dLatitude = 0.0;
    double m_dLongitude = 0.0;
    double m_dGrav = 0.0;  // sum while averaging, then the mean
    double m_dSDev = 0.0;
    int m_nPoints = 0;
    std::vector<double> m_Values;
};

}  // namespace bramble
