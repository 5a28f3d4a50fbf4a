#pragma once
// The point-at-station service: the centreline point and bearing of whichever plan alignment was loaded (main
// line by intersection points, or interchange ramp by elements). Everything that needs plan coordinates goes
// through this one interface.
#include <variant>
#include <vector>

#include "common/Plane.h"
#include "interchange/ElementChain.h"
#include "mainline/MainLine.h"

namespace tavrel {

// The shape of a stretch of the centreline.
enum class PlanPieceShape { Straight, Arc, Spiral };

// A stretch of the centreline of one shape, from < to (continuous stations).
struct PlanPiece {
    Station from = 0, to = 0;
    PlanPieceShape shape = PlanPieceShape::Spiral;
    double radius = 0;  // m, the radius of an arc (positive); 0 for other shapes
};

// A view of one built alignment; the alignment must outlive it.
class PlanAlignment {
public:
    explicit PlanAlignment(const MainLine& mainLine) : line_(&mainLine) {}
    explicit PlanAlignment(const ElementChain& ramp) : line_(&ramp) {}

    // Centreline point and tangent bearing at a continuous station; the bearing as the alignment gives it
    // (the main line in [0, 2*pi), the ramp as computed). Never inf or NaN: throws CalcError instead.
    PointAtStation pointAt(Station station) const;

    // Stations of the plan's first and last points (first and last intersection point, or chain start and
    // end): the stretch on which a bridge may stand. Throws CalcError for an empty alignment.
    Station firstStation() const;
    Station lastStation() const;

    // The centreline over [from, to] as consecutive pieces of one shape each, in station order and without gap,
    // from the alignment's own elements (the tangents beyond its ends are straights). Where the elements do not
    // follow each other in station order (overlapping main-line curves, a switchback, an element of negative
    // length) the shape is not known: [from, to] is then one Spiral piece, a shape that is drawn by sampling.
    // Empty when from >= to.
    std::vector<PlanPiece> piecesBetween(Station from, Station to) const;

private:
    std::variant<const MainLine*, const ElementChain*> line_;
};

}  // namespace tavrel
