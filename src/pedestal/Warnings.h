#pragma once
// What a calculation computed from data the road does not cover, said to the user as warnings: results are
// computed as always (the profile's end grades and the plan's end tangents extend, the superelevation's end rows
// hold), but the user is told which points relied on it.
#include <string>
#include <vector>

#include "pedestal/Results.h"
#include "road/Road.h"

namespace tavrel {

// One warning per pier and kind of data: the pier's points (its centre, its pedestals, the edge points of its
// section) whose stations lie outside the station range of the vertical profile, of the superelevation table
// (a table of one row holds everywhere by design and is not checked) or of the plan alignment; and a pier whose
// side mark lists none of the pedestals. Stations are shown in the written numbering.
std::vector<std::string> CalculationWarnings(const Road& road, const CalculationResult& result);

}  // namespace tavrel
