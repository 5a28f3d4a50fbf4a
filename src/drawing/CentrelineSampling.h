#pragma once
// Where a centreline and the lines at fixed offsets from it are drawn: straights as straight segments, arcs as
// arcs, spirals sampled as polylines; and the bounds of that work.
#include <functional>
#include <vector>

#include "common/Errors.h"
#include "common/Plane.h"
#include "common/Station.h"
#include "road/PlanAlignment.h"

namespace tavrel {

inline constexpr double kChordTolerance = 1e-3;  // m: a drawn chord strays less than this from its line

// The centreline point and bearing at a continuous station.
using CentrelineAt = std::function<PointAtStation(Station)>;

// Stations from `from` to `to` (both included, increasing) at which the centreline and every line at the given
// offsets (m, positive to the left) are sampled so that each chord between neighbouring samples strays less than
// kChordTolerance from its line. Every station of `knots` inside [from, to] is one of the samples. A first grid of
// at most kCoarseSampleStep is halved where the middle of a chord lies farther than half the tolerance from the
// line: on a circle the middle is the farthest point, and along a spiral the curvature changes too little over
// a short chord to move the farthest point by more than that margin.
// More than maxSamples samples throw the message of TooDetailedToDraw.
inline constexpr double kCoarseSampleStep = 5;            // m
inline constexpr std::size_t kMaxDrawnVertices = 200000;  // of one centreline: a bridge's plan needs thousands
std::vector<Station> SampleStations(const CentrelineAt& at, Station from, Station to,
                                    const std::vector<double>& offsets, const std::vector<Station>& knots = {},
                                    std::size_t maxSamples = kMaxDrawnVertices);

// The centreline as drawn: the stations of its vertices and, per segment between neighbouring vertices, the
// angle (rad) the centreline turns through on it as a circular arc (0: a straight segment). Each line at an
// offset is drawn through the offset points of the same stations with the same angles.
struct DrawnCentreline {
    std::vector<Station> stations;
    std::vector<double> sweeps;  // stations.size() - 1 entries
};

inline constexpr double kMaxArcSweep = kPi / 2;  // rad: an arc is drawn in parts of at most a quarter turn

// CentrelineVertices: where the centreline and the lines at `offsets` (m, positive to the left) are drawn over
// `pieces` (consecutive, as PlanAlignment::piecesBetween gives them): a straight as one segment, an arc as arcs of
// at most kMaxArcSweep, a spiral sampled (SampleStations). A straight or an arc is checked at a quarter, half and
// three quarters of every segment, on the centreline and on every offset line: where a point strays
// kChordTolerance / 2 or more from the drawn segment, the piece is sampled instead. Every station of `knots`
// inside the pieces is a vertex. More than kMaxDrawnVertices vertices throw the message of TooDetailedToDraw.
DrawnCentreline CentrelineVertices(const CentrelineAt& at, const std::vector<PlanPiece>& pieces,
                                   const std::vector<double>& offsets, const std::vector<Station>& knots = {});

// The messages of a drawing that would take more work and room than the plan of any bridge (a broken input): a
// stretch of road longer than kMaxDrawnLength (its length in m), and lines too finely bent to draw.
inline constexpr double kMaxDrawnLength = 200e3;  // m: the longest bridges with their approaches stay below
RejectedText TooLongToDraw(double length);
RejectedText TooDetailedToDraw();

}  // namespace tavrel
