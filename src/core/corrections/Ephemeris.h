#pragma once

// Geocentric positions of the Moon and the Sun for the earth tide, referred
// to the mean equator and equinox of date (no nutation, aberration or light
// time: the tide needs the direction to a few arc seconds and the distance
// to a few kilometres). T is in Julian centuries of TT since J2000.0.

#include "corrections/Phasor.h"

namespace bramble::tide {

inline constexpr double kAstronomicalUnitM = 149597870700.0;

struct EclipticPosition {
    double longitudeDeg = 0;
    double latitudeDeg = 0;
    double distanceM = 0;
};

// Rectangular equatorial coordinates in metres: x towards the equinox,
// z towards the north celestial pole.
struct EquatorialVector {
    double x = 0, y = 0, z = 0;
    double distanceM = 0;
};

// Mean obliquity of the ecliptic (IAU 1976, Meeus eq. 22.2), degrees.
double MeanObliquityDeg(double t);

// Rotation about the equinox by the obliquity (given as its phasor, since
// both bodies share it).
EquatorialVector ToEquatorial(const EclipticPosition& p, Phasor obliquity);

// The Sun of Meeus ch. 25 (low accuracy, about 0.01 deg): true longitude of
// date and radius vector.
EclipticPosition SunEcliptic(double t);

// The Moon of Meeus ch. 47 (the complete periodic terms of tables 47.A and
// 47.B, about 10" in longitude and a few kilometres in distance).
EclipticPosition MoonEcliptic(double t);

}  // namespace bramble::tide
