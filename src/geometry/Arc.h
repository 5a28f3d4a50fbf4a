#pragma once
// The circular arc: its points in the tangent frame at its start, and the tangent lengths of an arc that joins two
// straights through transition spirals of unequal shift. Pure functions; lengths in metres, angles in radians;
// where the arithmetic has no finite answer they throw CalcError.
namespace tavrel {

// Point at arc length l on a circle of signed radius R, in the tangent frame at the arc's start.
double ArcX(double l, double R);  // R sin(l/R)
double ArcY(double l, double R);  // R (1 - cos(l/R))

// Tangent lengths, from the straights' crossing to where each spiral leaves its straight, of a curve of radius R
// with spiral shifts p1, p2, tangent offsets q1, q2 (SpiralShift, SpiralTangentOffset) and deflection alpha.
double TangentLengthIn(double R, double p1, double p2, double q1, double alpha);
double TangentLengthOut(double R, double p1, double p2, double q2, double alpha);

}  // namespace tavrel
