// Curve elements of the main line from its intersection points.
#include "mainline/MainLine.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <string>

#include "common/Errors.h"
#include "common/NumberText.h"
#include "geometry/Arc.h"
#include "geometry/Clothoid.h"
#include "geometry/Lines.h"
#include "mainline/MainLineDetail.h"

namespace tavrel {

using namespace mainline_detail;

namespace {

// Radius and incoming spiral length are kept as written; an interior point needs them as plain numbers.
double curveNumber(const std::string& text, const char* what, int i) {
    const auto v = StrictNumber(text);
    if (!v) throw FormatError(std::string(what) + " of intersection point " + std::to_string(i) + " is not a number");
    return *v;
}

std::string atPoint(int i) { return " at intersection point " + std::to_string(i); }

// Every stored value must be finite: the table feeds every later station.
void requireFiniteCurve(const MainLineCurve& c) {
    for (double v :
         {c.sideBearing,     c.sideLength,       c.deflection,       c.tangentIn,         c.tangentOut,
          c.virtualLengthIn, c.virtualLengthOut, c.virtualBearingIn, c.virtualBearingOut, c.virtualDeflection,
          c.curveLength,     c.jdStation,        c.zhStation,        c.hyStation,         c.yhStation,
          c.hzStation,       c.zhPoint.x,        c.zhPoint.y,        c.hyPoint.x,         c.hyPoint.y,
          c.yhPoint.x,       c.yhPoint.y,        c.hzPoint.x,        c.hzPoint.y,         c.bearingHY})
        RequireFinite(v, "main-line curve value");
}

// The curve search table: for each stretch between two consecutive distinct ZH stations, the first k in
// 2..N-2 whose interval [ZH[k], ZH[k+1]) covers it (N - 1 when none does). Within such a stretch every
// comparison of the scan has one outcome, so one answer per stretch reproduces the scan exactly, whatever the
// order of the ZH stations. A sweep over the stretches keeps the open intervals ordered by k.
MainLine::CurveSearch buildCurveSearch(const MainLine& line) {
    const int N = line.intersectionCount();
    MainLine::CurveSearch search;
    if (N < 3) return search;
    for (int k = 2; k <= N - 1; ++k) search.zhBreaks.push_back(line.curve(k).zhStation);
    std::sort(search.zhBreaks.begin(), search.zhBreaks.end());
    search.zhBreaks.erase(std::unique(search.zhBreaks.begin(), search.zhBreaks.end()), search.zhBreaks.end());

    const auto breakIndex = [&](Station s) {
        return static_cast<std::size_t>(std::lower_bound(search.zhBreaks.begin(), search.zhBreaks.end(), s) -
                                        search.zhBreaks.begin());
    };
    std::vector<std::vector<int>> opens(search.zhBreaks.size()), closes(search.zhBreaks.size());
    for (int k = 2; k <= N - 2; ++k) {
        const Station from = line.curve(k).zhStation, to = line.curve(k + 1).zhStation;
        if (!(from < to)) continue;  // an empty interval never qualifies
        opens[breakIndex(from)].push_back(k);
        closes[breakIndex(to)].push_back(k);
    }
    std::set<int> open;
    search.curveFrom.resize(search.zhBreaks.size());
    for (std::size_t m = 0; m < search.zhBreaks.size(); ++m) {
        for (int k : closes[m]) open.erase(k);
        for (int k : opens[m]) open.insert(k);
        search.curveFrom[m] = open.empty() ? N - 1 : *open.begin();
    }
    return search;
}

}  // namespace

CurveTangentsResult CurveTangents(double R, double RD1, double RD2, double Ls1, double Ls2, double alpha, double betaIn,
                                  double betaOut) {
    const double s = DeflectionSign(alpha);
    CurveTangentsResult r;

    // l01, l02: the full clothoid of parameter A^2 = R*(Ls + l0) reaches radius RD after l0.
    r.l01 = RD1 != 0 ? CheckedDiv(R * Ls1, RD1 - R) : 0;
    r.l02 = RD2 != 0 ? CheckedDiv(R * Ls2, RD2 - R) : 0;

    // thetaIn, thetaOut: bearings of the tangents at the virtual clothoid origins.
    r.thetaIn = WrapAngle(RD1 != 0 ? betaIn - CheckedDiv(r.l01, 2 * RD1 * s) : betaIn);
    r.thetaOut = WrapAngle(RD2 != 0 ? betaOut + CheckedDiv(r.l02, 2 * RD2 * s) : betaOut);

    // alphaPrime: deflection between the virtual tangents, turned the long way round at a switchback (negative
    // curve values) and in any case given the sense of the deflection alpha.
    r.alphaPrime = WrapAngle(r.thetaOut - r.thetaIn);
    const bool switchback = R < 0 || Ls1 < 0 || Ls2 < 0 || RD1 < 0 || RD2 < 0;
    if (switchback) r.alphaPrime = ComplementTurn(r.alphaPrime);
    if (alpha * r.alphaPrime < 0) r.alphaPrime = ComplementTurn(r.alphaPrime);

    // Shift and tangent offset of the full virtual spirals.
    const double p1 = SpiralShift(Ls1 + r.l01, R), q1 = SpiralTangentOffset(Ls1 + r.l01, R);
    const double p2 = SpiralShift(Ls2 + r.l02, R), q2 = SpiralTangentOffset(Ls2 + r.l02, R);

    // Tangent lengths along the virtual tangents.
    double T1v = TangentLengthIn(R, p1, p2, q1, r.alphaPrime);
    double T2v = TangentLengthOut(R, p1, p2, q2, r.alphaPrime);
    if (switchback) T1v = -T1v, T2v = -T2v;

    // In a frame with the crossing of the virtual tangents at the origin: the virtual clothoid origins, then the
    // actual spiral ends ZH and HZ (the outgoing spiral laid backwards from its origin, turning the other way).
    const Point V1 = -T1v * Direction(r.thetaIn);
    const Point V2 = T2v * Direction(r.thetaOut);
    const Point pZH = Ls1 != 0 ? V1 + Rotated(r.thetaIn, ClothoidPoint(std::fabs(r.l01), s * R * (Ls1 + r.l01))) : V1;
    const Point pHZ =
        Ls2 != 0 ? V2 + Rotated(r.thetaOut + kPi, ClothoidPoint(std::fabs(r.l02), -s * R * (Ls2 + r.l02))) : V2;

    // The actual straights touch the curve at ZH and HZ; where they cross is the intersection point, so the
    // tangent lengths are measured from there. Sides that run exactly along or against each other never cross
    // (whether rounding would still let the slopes below differ depends on the size of the curve).
    const double sideTurn = WrapAngle(betaOut - betaIn);
    if (sideTurn == 0 || std::fabs(sideTurn) == kPi) throw CalcError("the two sides of a curve are parallel");
    constexpr double kSecondPointDistance = 100;  // m: a second point on each straight
    const Point I = CrossLinesBySlopes(pZH, pZH + kSecondPointDistance * Direction(betaIn), pHZ,
                                       pHZ + kSecondPointDistance * Direction(betaOut));
    r.T1 = Distance(I, pZH);
    r.T2 = Distance(I, pHZ);

    // At a switchback ZH may lie ahead of the crossing (or HZ behind it): the tangent length is then negative.
    constexpr double kSameBearingTol = 0.0001;  // rad: the two directions coincide up to rounding
    if (switchback) {
        if (std::fabs(BearingOf(I, pZH) - betaIn) < kSameBearingTol) r.T1 = -r.T1;
        if (std::fabs(BearingOf(pHZ, I) - betaOut) < kSameBearingTol) r.T2 = -r.T2;
    }
    return r;
}

namespace {

// The curve table under construction with the points it comes from; curve(i) belongs to point(i), both 1-based
// as in the formulas. Each step below runs over every point before the next step starts.
class CurveTable {
public:
    CurveTable(const MainLineInput& input, std::vector<MainLineCurve>& curves) : input_(input), curves_(curves) {}
    int count() const { return static_cast<int>(input_.points.size()); }
    const IntersectionPoint& point(int i) const { return input_.points[static_cast<std::size_t>(i - 1)]; }
    Point xy(int i) const { return {point(i).x, point(i).y}; }
    MainLineCurve& curve(int i) { return curves_[static_cast<std::size_t>(i - 1)]; }

private:
    const MainLineInput& input_;
    std::vector<MainLineCurve>& curves_;
};

// Curve values: only interior points carry a curve.
void readCurveValues(CurveTable& t) {
    for (int i = 2; i <= t.count() - 1; ++i) {
        MainLineCurve& c = t.curve(i);
        const IntersectionPoint& P = t.point(i);
        AtRecord(P.line, [&] {
            c.R = curveNumber(P.radiusText, "radius", i);
            c.Ls1 = curveNumber(P.spiralInText, "incoming spiral length", i);
        });
        c.Ls2 = RequireFinite(P.spiralOut, "outgoing spiral length");
        c.RD1 = RequireFinite(P.spiralInStartRadius, "incoming spiral radius");
        c.RD2 = RequireFinite(P.spiralOutEndRadius, "outgoing spiral radius");
        c.isSwitchback = P.isSwitchback;
    }
}

// Steps 1 and 2: side bearings.
void sideBearings(CurveTable& t) {
    const int N = t.count();
    // 1. Side bearings, point i towards point i+1.
    for (int i = 1; i <= N - 1; ++i) t.curve(i).sideBearing = BearingOf(t.xy(i), t.xy(i + 1));

    // 2. A switchback reverses the side whose flag is not set (a later point's write wins).
    for (int i = 2; i <= N - 1; ++i) {
        const IntersectionPoint& P = t.point(i);
        if (!P.isSwitchback) continue;
        t.curve(i - 1).sideBearing =
            P.incomingKeepsDirection ? BearingOf(t.xy(i - 1), t.xy(i)) : BearingOf(t.xy(i), t.xy(i - 1));
        t.curve(i).sideBearing =
            P.outgoingKeepsDirection ? BearingOf(t.xy(i), t.xy(i + 1)) : BearingOf(t.xy(i + 1), t.xy(i));
    }
}

// Steps 3 to 5: deflections and the signs of switchback curves.
void deflections(CurveTable& t) {
    const int N = t.count();
    // 3. Deflections alpha, wrapped into [-pi, pi].
    for (int i = 2; i <= N - 1; ++i)
        t.curve(i).deflection = WrapAngle(t.curve(i).sideBearing - t.curve(i - 1).sideBearing);

    // 4. A switchback turns the long way round (alpha = 0 becomes -2*pi).
    for (int i = 2; i <= N - 1; ++i)
        if (t.point(i).isSwitchback) t.curve(i).deflection = ComplementTurn(t.curve(i).deflection);

    // 5. Switchback curve values carry a negative sign in every formula.
    for (int i = 2; i <= N - 1; ++i) {
        MainLineCurve& c = t.curve(i);
        if (!c.isSwitchback) continue;
        c.R = -c.R, c.Ls1 = -c.Ls1, c.Ls2 = -c.Ls2, c.RD1 = -c.RD1, c.RD2 = -c.RD2;
    }
}

// Steps 6 to 8: tangent lengths, virtual spirals and curve lengths.
void tangentsAndCurveLengths(CurveTable& t) {
    const int N = t.count();
    // 6. Tangent lengths start cleared (the end points keep 0).
    for (int i = 1; i <= N; ++i) t.curve(i).tangentIn = t.curve(i).tangentOut = 0;

    // 7. Tangent lengths and virtual spirals; L = R*|alpha'| + (Ls1 + Ls2 - l01 - l02)/2.
    for (int i = 2; i <= N - 1; ++i) {
        MainLineCurve& c = t.curve(i);
        const CurveTangentsResult r = AtRecord(t.point(i).line, [&] {
            if (c.R == 0) throw CalcError("zero radius" + atPoint(i));
            if (c.deflection == 0) throw CalcError("zero deflection" + atPoint(i));
            if (c.RD1 != 0 && c.RD1 == c.R) throw CalcError("incoming spiral starts at the curve radius" + atPoint(i));
            if (c.RD2 != 0 && c.RD2 == c.R) throw CalcError("outgoing spiral ends at the curve radius" + atPoint(i));
            return CurveTangents(c.R, c.RD1, c.RD2, c.Ls1, c.Ls2, c.deflection, t.curve(i - 1).sideBearing,
                                 c.sideBearing);
        });
        c.tangentIn = r.T1, c.tangentOut = r.T2;
        c.virtualLengthIn = r.l01, c.virtualLengthOut = r.l02;
        c.virtualBearingIn = r.thetaIn, c.virtualBearingOut = r.thetaOut;
        c.virtualDeflection = r.alphaPrime;
        c.curveLength = c.R * std::fabs(r.alphaPrime) + (c.Ls1 + c.Ls2 - r.l01 - r.l02) / 2;
    }

    // 8. The negative switchback radius made L negative; it is a length.
    for (int i = 2; i <= N - 1; ++i)
        if (t.curve(i).isSwitchback) t.curve(i).curveLength = -t.curve(i).curveLength;
}

// Step 9: side lengths, negative for a side a switchback reverses (a later point's write wins).
void sideLengths(CurveTable& t) {
    const int N = t.count();
    for (int i = 2; i <= N; ++i) t.curve(i - 1).sideLength = Distance(t.xy(i - 1), t.xy(i));
    for (int i = 2; i <= N - 1; ++i) {
        const IntersectionPoint& P = t.point(i);
        if (!P.isSwitchback) continue;
        const double inLength = Distance(t.xy(i - 1), t.xy(i)), outLength = Distance(t.xy(i), t.xy(i + 1));
        t.curve(i - 1).sideLength = P.incomingKeepsDirection ? inLength : -inLength;
        t.curve(i).sideLength = P.outgoingKeepsDirection ? outLength : -outLength;
    }
}

// Steps 10 and 11: stations of the intersection points and of the key points.
void stations(CurveTable& t, Station startStation) {
    const int N = t.count();
    // 10. Intersection-point stations: the previous one plus the side, with the curve replacing its tangents.
    if (N >= 1) t.curve(1).jdStation = startStation;
    for (int i = 2; i <= N; ++i) {
        const MainLineCurve& b = t.curve(i - 1);
        t.curve(i).jdStation = b.jdStation + b.sideLength + b.curveLength - b.tangentIn - b.tangentOut;
    }

    // 11. Key-point stations.
    for (int i = 2; i <= N - 1; ++i) {
        MainLineCurve& c = t.curve(i);
        c.zhStation = c.jdStation - c.tangentIn;
        c.hyStation = c.zhStation + std::fabs(c.Ls1);
        c.yhStation = c.zhStation + c.curveLength - std::fabs(c.Ls2);
        c.hzStation = c.zhStation + c.curveLength;
        // Spirals that turn through more than the deflection leave a circular arc of negative length: the path
        // would run backwards between HY and YH.
        constexpr double kArcTol = 1e-9;  // m
        if (c.yhStation < c.hyStation - kArcTol) throw CalcError("spirals longer than their curve");
    }
}

// Steps 12 to 15: plane coordinates of the key points, and the tangent bearing at HY.
void keyPoints(CurveTable& t) {
    const int N = t.count();
    // 12. The end points are their own key points.
    for (int i : {1, N}) {
        if (N < 1) break;
        MainLineCurve& c = t.curve(i);
        c.zhPoint = c.hyPoint = c.yhPoint = c.hzPoint = c.jdPoint;
        c.zhStation = c.hyStation = c.yhStation = c.hzStation = c.jdStation;
    }

    // 13. ZH and HZ laid off from the intersection point along the given sides.
    for (int i = 2; i <= N - 1; ++i) {
        MainLineCurve& c = t.curve(i);
        c.zhPoint = c.jdPoint + c.tangentIn * Direction(t.curve(i - 1).sideBearing + kPi);
    }
    for (int i = 2; i <= N - 1; ++i) {
        MainLineCurve& c = t.curve(i);
        c.hzPoint = c.jdPoint + c.tangentOut * Direction(c.sideBearing);
    }

    // 14. HY along the incoming spiral from its virtual origin, and the tangent bearing there.
    for (int i = 2; i <= N - 1; ++i) {
        MainLineCurve& c = t.curve(i);
        c.hyPoint = IncomingSpiralPoint(c, c.Ls1);
        const double theta1 = IncomingOriginBearing(c, t.curve(i - 1).sideBearing);
        c.bearingHY = theta1 + CheckedDiv(c.Ls1 + c.virtualLengthIn, 2 * c.R * DeflectionSign(c.deflection));
    }

    // 15. YH along the outgoing spiral, laid out backwards from HZ and turning the other way.
    for (int i = 2; i <= N - 1; ++i) {
        MainLineCurve& c = t.curve(i);
        c.yhPoint = OutgoingSpiralPoint(c, c.Ls2);
    }
}

}  // namespace

MainLine MainLineBuild(const MainLineInput& input) {
    MainLine line;
    line.mainLineStartStation_ = RequireFinite(input.mainLineStartStation, "start station");
    line.curves_.resize(input.points.size());
    CurveTable t(input, line.curves_);
    for (int i = 1; i <= t.count(); ++i)
        t.curve(i).jdPoint = {RequireFinite(t.point(i).x, "x"), RequireFinite(t.point(i).y, "y")};
    readCurveValues(t);
    sideBearings(t);
    deflections(t);
    tangentsAndCurveLengths(t);
    sideLengths(t);
    stations(t, line.mainLineStartStation_);
    keyPoints(t);
    for (const MainLineCurve& c : line.curves_) requireFiniteCurve(c);
    line.curveSearch_ = buildCurveSearch(line);
    return line;
}

}  // namespace tavrel
