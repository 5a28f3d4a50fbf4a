#pragma once
// Small geometric pieces shared by the main-line build and its evaluation at a station (not part of the API).
#include "common/Plane.h"
#include "geometry/Clothoid.h"

namespace tavrel::mainline_detail {

// s: the sign of a deflection (+1 right turn, -1 left turn, 0 none).
inline double deflectionSign(double alpha) { return alpha > 0 ? 1.0 : (alpha < 0 ? -1.0 : 0.0); }

// Rot(theta) applied to a local point.
inline Point rotated(double theta, Point local) { return rotate(theta, local.x, local.y); }

// Complement of a deflection through a whole turn: towards the opposite sense of rotation.
inline double complementTurn(double a) { return a >= 0 ? a - 2 * kPi : a + 2 * kPi; }

}  // namespace tavrel::mainline_detail
