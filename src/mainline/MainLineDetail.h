#pragma once
// Small geometric pieces shared by the main-line build and its evaluation at a station (not part of the API).
#include "common/Plane.h"
#include "geometry/Clothoid.h"
#include "mainline/MainLine.h"

namespace tavrel::mainline_detail {

// s: the sign of a deflection (+1 right turn, -1 left turn, 0 none).
inline double DeflectionSign(double alpha) { return alpha > 0 ? 1.0 : (alpha < 0 ? -1.0 : 0.0); }

// Rot(theta) applied to a local point.
inline Point Rotated(double theta, Point local) { return Rotate(theta, local.x, local.y); }

// Complement of a deflection through a whole turn: towards the opposite sense of rotation.
inline double ComplementTurn(double a) { return a >= 0 ? a - 2 * kPi : a + 2 * kPi; }

// The point u (m) along the incoming spiral of curve c from ZH, on its full clothoid from the virtual origin.
inline Point IncomingSpiralPoint(const MainLineCurve& c, double u) {
    const double A2 = DeflectionSign(c.deflection) * c.R * (c.Ls1 + c.virtualLengthIn);
    return ClothoidPointPast(c.zhPoint, c.virtualBearingIn, c.virtualLengthIn, u, A2);
}

// The point u (m) back along the outgoing spiral of curve c from HZ: the outgoing clothoid laid out backwards
// from its virtual origin, turning the other way.
inline Point OutgoingSpiralPoint(const MainLineCurve& c, double u) {
    const double A2 = -DeflectionSign(c.deflection) * c.R * (c.Ls2 + c.virtualLengthOut);
    return ClothoidPointPast(c.hzPoint, c.virtualBearingOut + kPi, c.virtualLengthOut, u, A2);
}

// Tangent bearing at the virtual origin of the incoming spiral, from the incoming side's bearing sideIn (not
// wrapped, unlike virtualBearingIn); the side's own bearing where the spiral starts on the straight.
inline double IncomingOriginBearing(const MainLineCurve& c, double sideIn) {
    return c.RD1 != 0 ? sideIn - CheckedDiv(c.virtualLengthIn, 2 * c.RD1 * DeflectionSign(c.deflection)) : sideIn;
}

// Tangent bearing, in the direction of travel, at the virtual origin of the outgoing spiral.
inline double OutgoingOriginBearing(const MainLineCurve& c) {
    return c.RD2 != 0 ? c.sideBearing + CheckedDiv(c.virtualLengthOut, 2 * c.RD2 * DeflectionSign(c.deflection))
                      : c.sideBearing;
}

}  // namespace tavrel::mainline_detail
