#include "corrections/GravimetricFactors.h"

#include <cmath>

namespace bramble::tide {

GravimetricFactors WdzFactors(const StationGeometry& g)
{
    const double c2 = g.sinGc * g.sinGc;
    // The order-0 latitude terms are divided by 3 sin^2 phi' - 1, which
    // vanishes near 35.26 deg; ETERNA keeps it at least 0.1 in size.
    double d2 = 3.0 * c2 - 1.0;
    if (std::abs(d2) < 0.1)
        d2 = std::copysign(0.1, d2);
    GravimetricFactors f;
    f.delta20 = 1.1576 - 0.0016 * 0.335410 * (35.0 * c2 * c2 - 30.0 * c2 + 3.0) / d2 + 0.0054 * 0.894427 / d2;
    f.delta21 = 1.1542 - 0.0018 * 0.612372 * (7.0 * c2 - 3.0);
    f.delta22 = 1.1600 - 0.0010 * 0.866025 * (7.0 * c2 - 1.0);
    // The latitude terms of degrees 3 and 4 change gravity by < 0.002 microGal.
    f.delta3 = 1.0728;
    f.delta4 = 1.0363;
    return f;
}

GravimetricFactors NominalFactors() { return {1.16, 1.16, 1.16, 1.07, 0.0}; }

}  // namespace bramble::tide
