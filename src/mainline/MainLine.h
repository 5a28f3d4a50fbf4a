#pragma once
// The main line given by intersection points: curve elements (spirals and arcs) and the point at a station.
//
// Conventions (those of Plane.h): bearings in radians from +x towards +y, direction (cos, sin); local frames have
// u along the tangent and v to its right; a positive deflection or radius turns right (towards increasing
// bearing). Intersection points are numbered 1..N in the formulas below, N = intersectionCount.
#include <cstddef>
#include <string>
#include <vector>

#include "common/Plane.h"
#include "common/Station.h"

namespace tavrel {

// One intersection point as read from the plan file.
struct IntersectionPoint {
    std::string pointName;
    double x = 0, y = 0;                  // m
    std::string radiusText;               // R, circular-curve radius (m), kept as written and converted where used
    std::string spiralInText;             // Ls1, incoming spiral length (m), kept as written
    double spiralOut = 0;                 // Ls2, outgoing spiral length (m)
    double spiralInStartRadius = 0;       // RD1, radius where the incoming spiral begins (m); 0 = on the straight
    double spiralOutEndRadius = 0;        // RD2, radius where the outgoing spiral ends (m); 0 = on the straight
    bool isSwitchback = false;            // the road turns back through more than a half turn here
    bool incomingKeepsDirection = false;  // the incoming side keeps its forward direction
    bool outgoingKeepsDirection = false;  // the outgoing side keeps its forward direction
    std::size_t line = 0;                 // the line of its data line in the file (0: not read from a file)
};

struct MainLineInput {
    Station mainLineStartStation = 0;
    std::vector<IntersectionPoint> points;  // intersectionCount = points.size() (at most 1000)
};

// Derived geometry of one intersection point i. Key points: ZH straight -> spiral, HY spiral -> circle,
// YH circle -> spiral, HZ spiral -> straight. Entries of the end points 1 and N hold only what is stated.
struct MainLineCurve {
    Point jdPoint;  // (x, y) of the intersection point itself (m)

    // Curve values of an interior point as used by every formula: for a switchback point the negatives of the
    // file values. 0 for the end points, whose curve values are ignored.
    double R = 0;    // m, circular-curve radius
    double Ls1 = 0;  // m, incoming spiral length
    double Ls2 = 0;  // m, outgoing spiral length
    double RD1 = 0;  // m, radius where the incoming spiral begins; 0 = on the straight
    double RD2 = 0;  // m, radius where the outgoing spiral ends; 0 = on the straight
    bool isSwitchback = false;

    // sideBearing: bearing of side i, from point i towards point i+1 unless a switchback reverses it (rad).
    double sideBearing = 0;
    // sideLength: signed length of side i, negative where a switchback reverses it (m).
    double sideLength = 0;
    // deflection: alpha, turn from the incoming to the outgoing side, positive to the right (rad).
    double deflection = 0;
    // tangentIn: T1, from the intersection point back along the incoming side to ZH (m); 0 at the ends.
    double tangentIn = 0;
    // tangentOut: T2, from the intersection point along the outgoing side to HZ (m); 0 at the ends.
    double tangentOut = 0;
    // virtualLengthIn: l01, length of the full clothoid lying before an incomplete incoming spiral (m).
    double virtualLengthIn = 0;
    // virtualLengthOut: l02, length of the full clothoid lying after an incomplete outgoing spiral (m).
    double virtualLengthOut = 0;
    // virtualBearingIn: tangent bearing at the origin of the full incoming clothoid, in [-pi, pi] (rad).
    double virtualBearingIn = 0;
    // virtualBearingOut: tangent bearing at the origin of the full outgoing clothoid, in [-pi, pi] (rad).
    double virtualBearingOut = 0;
    // virtualDeflection: alpha', deflection between the two virtual tangents (rad).
    double virtualDeflection = 0;
    // curveLength: L, length of the whole curve from ZH to HZ (m).
    double curveLength = 0;
    // jdStation: continuous station of the intersection point (m).
    Station jdStation = 0;
    // zhStation..hzStation: stations of the key points (m); for the end points the point's own jdStation.
    Station zhStation = 0, hyStation = 0, yhStation = 0, hzStation = 0;
    // zhPoint..hzPoint: plane coordinates of the key points (m); for the end points the point's own (x, y).
    Point zhPoint, hyPoint, yhPoint, hzPoint;
    // bearingHY: tangent bearing at HY (rad).
    double bearingHY = 0;
};

struct MainLineInput;

// The derived curve table of a main line, made only by MainLineBuild.
class MainLine {
public:
    MainLine() = default;  // no point: every lookup throws CalcError

    Station mainLineStartStation() const { return mainLineStartStation_; }  // m, station of point 1
    // One per intersection point: curves()[i - 1] belongs to point i.
    const std::vector<MainLineCurve>& curves() const { return curves_; }
    int intersectionCount() const { return static_cast<int>(curves_.size()); }
    // Point i, 1-based as in the formulas.
    const MainLineCurve& curve(int i) const { return curves_[static_cast<std::size_t>(i - 1)]; }

    // Finds the curve k of a station in O(log N) with the result of the plain scan (MainLineCurveIndexByScan):
    // zhBreaks are the distinct ZH stations ascending, and curveFrom[m] is the scan's answer for every station
    // in [zhBreaks[m], zhBreaks[m + 1]). Below zhBreaks[0] the answer is N - 1.
    struct CurveSearch {
        std::vector<Station> zhBreaks;
        std::vector<int> curveFrom;
    };
    const CurveSearch& curveSearch() const { return curveSearch_; }

private:
    friend MainLine MainLineBuild(const MainLineInput& input);

    Station mainLineStartStation_ = 0;
    std::vector<MainLineCurve> curves_;
    CurveSearch curveSearch_;
};

// Tangent lengths and virtual clothoid data of one curve (result of CurveTangents).
struct CurveTangentsResult {
    double T1 = 0;          // m, intersection point back to ZH along the incoming side
    double T2 = 0;          // m, intersection point to HZ along the outgoing side
    double l01 = 0;         // m, virtual length before an incomplete incoming spiral
    double l02 = 0;         // m, virtual length after an incomplete outgoing spiral
    double thetaIn = 0;     // rad, bearing of the incoming virtual tangent, in [-pi, pi]
    double thetaOut = 0;    // rad, bearing of the outgoing virtual tangent, in [-pi, pi]
    double alphaPrime = 0;  // rad, deflection between the virtual tangents
};

// CurveTangents: T1, T2 and the virtual spiral data of a curve with radius R, spiral lengths Ls1, Ls2, spiral end
// radii RD1, RD2 (0 = on the straight), all in metres and switchback-signed, deflection alpha and side bearings
// betaIn, betaOut (radians). The curve is solved along its virtual tangents, then measured back from where its
// actual tangents at ZH and HZ cross. Throws CalcError for RD1 = R, RD2 = R, a zero deflection or parallel
// tangents.
CurveTangentsResult CurveTangents(double R, double RD1, double RD2, double Ls1, double Ls2, double alpha, double betaIn,
                                  double betaOut);

// MainLineBuild: curve elements of every intersection point. Fewer than three points give a line without
// curves. Throws FormatError for a radius or incoming spiral length of an interior point that is not a number,
// and CalcError where the geometry has no finite answer (R = 0 at an interior point, zero deflection, RD1 = R
// or RD2 = R, parallel lines).
MainLine MainLineBuild(const MainLineInput& input);

// MainLinePointAt: centreline point and tangent bearing at a continuous station (m). The bearing is brought
// towards [0, 2*pi) by one subtraction of 2*pi when >= 2*pi, then one addition when < 0. Stations before the
// start or beyond the end extrapolate along the first or last side. A line of two points is the straight
// through them. Throws CalcError for a line of fewer than two points, a non-finite station, and a station that
// lies on no element (only possible between overlapping curves); never returns inf or NaN.
PointAtStation MainLinePointAt(const MainLine& line, Station station);

// MainLineCurveIndex: the intersection point k whose curve serves a station: the first k in 2..N-2 with
// ZH[k] <= station < ZH[k+1], else N - 1. O(log N) on a line from MainLineBuild, also where overlapping curves
// leave the ZH stations out of order.
int MainLineCurveIndex(const MainLine& line, Station station);

// MainLineCurveIndexByScan: the same answer by scanning k = 2, 3, ... (O(N)); the reference for the above.
int MainLineCurveIndexByScan(const MainLine& line, Station station);

}  // namespace tavrel
