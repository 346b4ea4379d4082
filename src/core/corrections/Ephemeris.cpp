#include "corrections/Ephemeris.h"

#include <cmath>

namespace bramble::tide {

double MeanObliquityDeg(double t)
{
    const double arcsec = 21.448 + t * (-46.8150 + t * (-0.00059 + 0.001813 * t));
    return 23.0 + 26.0 / 60.0 + arcsec / 3600.0;
}

EquatorialVector ToEquatorial(const EclipticPosition& p, Phasor obliquity)
{
    const Phasor l = FromDeg(p.longitudeDeg), b = FromDeg(p.latitudeDeg);
    const double cl = l.c, sl = l.s, cb = b.c, sb = b.s;
    const double ce = obliquity.c, se = obliquity.s;
    const double d = p.distanceM;
    return {d * cb * cl, d * (cb * sl * ce - sb * se), d * (cb * sl * se + sb * ce), d};
}

EclipticPosition SunEcliptic(double t)
{
    const double l0 = 280.46646 + t * (36000.76983 + 0.0003032 * t);
    const double m = 357.52911 + t * (35999.05029 - 0.0001537 * t);
    const double e = 0.016708634 - t * (0.000042037 + 0.0000001267 * t);
    // sin 2M and sin 3M from sin M and cos M.
    const Phasor mk = FromDeg(m);
    const double sm = mk.s, cm = mk.c;
    const double s2m = 2.0 * sm * cm;
    const double s3m = sm * (3.0 - 4.0 * sm * sm);
    const double c = (1.914602 - t * (0.004817 + 0.000014 * t)) * sm + (0.019993 - 0.000101 * t) * s2m + 0.000289 * s3m;
    const double radiusAu = 1.000001018 * (1.0 - e * e) / (1.0 + e * FromDeg(m + c).c);
    return {l0 + c, 0.0, radiusAu * kAstronomicalUnitM};
}

}  // namespace bramble::tide
