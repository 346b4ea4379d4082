#pragma once

namespace bramble {

// Pole coordinates of one reading or of one day of a polar-motion table.
struct CPolarMotion {
    double m_dX = 0.0;  // arc-seconds
    double m_dY = 0.0;  // arc-seconds
};

}  // namespace bramble
