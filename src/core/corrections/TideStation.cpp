#include "corrections/TideStation.h"

#include <cmath>
#include <numbers>

namespace bramble::tide {
namespace {
constexpr double kGrs80A = 6378137.0;
constexpr double kGrs80F = 1.0 / 298.257222101;
constexpr double kGrs80E2 = kGrs80F * (2.0 - kGrs80F);
}  // namespace

StationGeometry GeometryOnGrs80(double latitudeDeg, double heightM)
{
    const double phi = latitudeDeg * std::numbers::pi / 180.0;
    const double sinLat = std::sin(phi), cosLat = std::cos(phi);
    const double n = kGrs80A / std::sqrt(1.0 - kGrs80E2 * sinLat * sinLat);
    const double p = (n + heightM) * cosLat;
    const double z = (n * (1.0 - kGrs80E2) + heightM) * sinLat;
    const double r = std::hypot(p, z);
    StationGeometry g;
    g.radiusM = r;
    g.sinGc = z / r;
    g.cosGc = p / r;
    g.sinLat = sinLat;
    g.cosLat = cosLat;
    // psi = phi - phi' by the difference formulas, without another atan.
    g.cosPsi = cosLat * g.cosGc + sinLat * g.sinGc;
    g.sinPsi = sinLat * g.cosGc - cosLat * g.sinGc;
    return g;
}

double StationFunction21(const StationGeometry& g)
{
    const double s = g.sinGc, c = g.cosGc;
    return g.radiusM / kCatalogueRadiusM * std::sqrt(15.0) * (2.0 * g.cosPsi * s * c + g.sinPsi * (c * c - s * s));
}

double StationFunction20(const StationGeometry& g)
{
    const double s = g.sinGc, c = g.cosGc;
    return g.radiusM / kCatalogueRadiusM * std::sqrt(5.0) * (g.cosPsi * (3.0 * s * s - 1.0) + 3.0 * g.sinPsi * s * c);
}

}  // namespace bramble::tide
