#pragma once
// The plan drawing of a calculated bridge: plain primitives in plan coordinates, shared by every way the drawing
// is shown or written (the result window, SVG, PDF, DXF).
//
// Coordinates are the plan's (x, y) in metres, as the surveyor uses them: x north, y east; a text's direction is
// a bearing, clockwise from north. Pages and screens put north up and east to the right; DXF puts the CAD x axis
// east (survey y) and the CAD y axis north (survey x).
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/Plane.h"

namespace tavrel {

// What a primitive shows; each kind is a layer of its own in DXF.
enum class DrawingLayer { Centreline, DeckEdge, PierAxis, Pedestal, Station, Text };
inline constexpr std::array<DrawingLayer, 6> kDrawingLayers{DrawingLayer::Centreline, DrawingLayer::DeckEdge,
                                                            DrawingLayer::PierAxis,   DrawingLayer::Pedestal,
                                                            DrawingLayer::Station,    DrawingLayer::Text};

// The layer's name as CAD shows it (UTF-8).
std::string_view LayerName(DrawingLayer layer);

// The layer's colour: the AutoCAD colour index written to DXF and the same colour for a white page.
struct LayerColour {
    int aci = 7;
    unsigned char red = 0, green = 0, blue = 0;
};
LayerColour ColourOf(DrawingLayer layer);

enum class LineStyle { Solid, Dashed, DashDot };

struct DrawnLine {
    DrawnLine() = default;
    DrawnLine(DrawingLayer layer, LineStyle style, bool heavy, std::vector<Point> points,
              std::vector<double> sweeps = {})
        : layer(layer), style(style), heavy(heavy), points(std::move(points)), sweeps(std::move(sweeps)) {}

    DrawingLayer layer = DrawingLayer::Centreline;
    LineStyle style = LineStyle::Solid;
    bool heavy = false;         // drawn with the wider pen (the deck's outer edges)
    std::vector<Point> points;  // an open polyline, at least two points
    // Per segment points[k] -> points[k + 1], the angle (rad) it turns through as a circular arc: positive towards
    // increasing bearing (clockwise on a north-up page), |sweep| < pi; 0 for a straight segment. Empty when every
    // segment is straight.
    std::vector<double> sweeps;

    double sweepOf(std::size_t segment) const { return segment < sweeps.size() ? sweeps[segment] : 0.0; }
};

// The line as a polyline for painters without arcs: its points, with each arc replaced by chords that stray less
// than `tolerance` (m) from it (at most kMaxChordsPerArc per arc).
inline constexpr int kMaxChordsPerArc = 4096;
std::vector<Point> LinePath(const DrawnLine& line, double tolerance);

struct DrawnCircle {
    DrawingLayer layer = DrawingLayer::Pedestal;
    Point centre;
    double radius = 0;  // m
};

// A point to be picked in CAD (a DXF POINT): pedestal points and the section edge points.
struct DrawnPoint {
    DrawingLayer layer = DrawingLayer::Pedestal;
    Point at;
};

enum class HAlign { Left, Centre, Right };
enum class VAlign { Baseline, Middle, Top };  // Middle and Top: of the capital height `height`

struct DrawnText {
    DrawingLayer layer = DrawingLayer::Text;
    Point at;            // the alignment point
    std::string text;    // UTF-8, one line
    double height = 1;   // m, the height of capitals (DXF text height)
    double bearing = 0;  // rad, reading direction, clockwise from north (pi/2 = reading east, upright)
    HAlign hAlign = HAlign::Left;
    VAlign vAlign = VAlign::Baseline;
};

// One pedestal as the drawing shows it, with what hovering over it tells.
struct PedestalMark {
    std::size_t pier = 0, pedestal = 0;  // 0-based indices into the calculation result
    Point at;                            // the pedestal point
    std::string pierName;
    std::string station;      // written station as labelled (StationLabel)
    double offset = 0;        // m, positive to the left
    double topElevation = 0;  // m
    double height = 0;        // m, pedestal height
};

// An axis-aligned box in plan coordinates.
struct PlanBox {
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    bool empty = true;
    void add(Point p);
    double width() const { return empty ? 0 : maxY - minY; }   // east-west extent, m
    double height() const { return empty ? 0 : maxX - minX; }  // north-south extent, m
    Point centre() const { return {(minX + maxX) / 2, (minY + maxY) / 2}; }
};

struct PlanDrawing {
    // false on the straight path: no plan exists, and the drawing uses a local frame with +x along the road
    // from the first pier's station (the first pier's centre point at x = 0, y = 0).
    bool surveyCoordinates = true;
    double scale = 500;       // the drawing's scale 1:scale on an A3 sheet; texts are sized for it
    double textHeight = 1.5;  // m, the height of ordinary texts at that scale
    std::vector<DrawnLine> lines;
    std::vector<DrawnCircle> circles;
    std::vector<DrawnPoint> points;
    std::vector<DrawnText> texts;
    std::vector<PedestalMark> pedestals;
    // The drawing cut along the road into short consecutive stretches, in road order: each the box of what
    // belongs to that part of the road (the road itself, the pier axes, symbols and labels at its stations). The
    // sheets of a drawing too long for one take consecutive stretches.
    std::vector<PlanBox> stretches;
};

// The box of the lines, circles and points (no texts).
PlanBox GeometryBox(const PlanDrawing& drawing);
// The box of everything, texts by their estimated outlines.
PlanBox DrawingBox(const PlanDrawing& drawing);

// A text's face: the height of its em square per unit of capital height, and the advance of a character in em
// (narrow for ASCII, a full em for CJK). Painters size the face with kEmPerCapital; layout uses the estimate.
inline constexpr double kEmPerCapital = 1.4;
double EstimatedTextWidth(std::string_view utf8, double height);
// The four corners of the text's estimated box (descenders and CJK glyphs included), counterclockwise on the
// page starting at the bottom-left of the reading direction.
std::array<Point, 4> TextOutline(const DrawnText& text);

// The index of the pedestal mark nearest to `p` within `radius` (m), if any.
std::optional<std::size_t> PedestalNear(const PlanDrawing& drawing, Point p, double radius);

// What hovering over a pedestal shows: its name, station, offset, X, Y, top elevation and height, one per line.
std::string PedestalSummary(const PlanDrawing& drawing, const PedestalMark& mark);

// A reading direction turned so that the text reads left to right on a north-up page (bearing in [0, pi)),
// and whether it was turned (the alignment then swaps ends).
struct ReadingDirection {
    double bearing = 0;
    bool turned = false;
};
ReadingDirection Readable(double bearing);

}  // namespace tavrel
