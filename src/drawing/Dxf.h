#pragma once
// The plan drawing as a DXF file for CAD.
#include <string>

#include "drawing/PlanDrawing.h"

namespace tavrel {

// Name of the text style every text uses: a TrueType CJK face (SimSun), so that Chinese texts show in CAD.
inline constexpr const char* kDxfTextStyle = "HZ";

// DxfText: the drawing as an ASCII DXF file, version R2007 (AC1021, UTF-8 text), in metres, in model space. The
// CAD x axis is east (the plan's y) and the CAD y axis north (the plan's x); angles run counterclockwise from
// east. One layer per DrawingLayer, named by LayerName; lines are LWPOLYLINEs whose arc segments carry their bulge;
// pedestal points and section edge points are POINT
// entities at full double precision, so they can be picked and compared with the stake-out table.
std::string DxfText(const PlanDrawing& drawing);

}  // namespace tavrel
