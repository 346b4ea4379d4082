#pragma once

namespace bramble {

// A gravity station for the earth tide: geodetic (GRS80) latitude, longitude
// positive east, height above the ellipsoid in metres.
struct TideStation {
    double latitudeDeg = 0.0;
    double longitudeEastDeg = 0.0;
    double heightM = 0.0;
};

namespace tide {

// Where the station is relative to the Earth's centre, and how its
// ellipsoidal normal (the direction a gravimeter measures along) leans
// against the geocentric radius.
struct StationGeometry {
    double radiusM = 0;  // geocentric distance r
    double sinGc = 0;    // sin and cos of the geocentric latitude phi'
    double cosGc = 1;
    double sinLat = 0;  // sin and cos of the geodetic latitude phi
    double cosLat = 1;
    double cosPsi = 1;  // psi = phi - phi', about 0.19 deg at 45 deg
    double sinPsi = 0;
};

StationGeometry GeometryOnGrs80(double latitudeDeg, double heightM);

// Normalisation radius of the Hartmann-Wenzel tidal potential catalogue.
inline constexpr double kCatalogueRadiusM = 6378136.3;

// Gravity per unit potential coefficient of the order-1 (diurnal) and
// order-0 degree-2 terms, both projected on the ellipsoidal normal:
// F21 = (r/a) sqrt(15) [2 cos psi s'c' + sin psi (c'^2 - s'^2)],
// F20 = (r/a) sqrt(5) [cos psi (3 s'^2 - 1) + 3 sin psi s'c'].
double StationFunction21(const StationGeometry& g);
double StationFunction20(const StationGeometry& g);

}  // namespace tide
}  // namespace bramble
