#pragma once
// The results of one calculation as a table for a person at a terminal: what the batch front end's calc prints
// when no output file was asked for.
#include <string>

#include "pedestal/Results.h"

namespace tavrel {

// A first line with the skew angle and the numbers of piers and pedestals; then per pier its name and station
// (StationLabel: K format, with the chain mark where the number occurs twice) and one line per pedestal the pier's side
// mark lists: its number, offset, top elevation and height, three decimals, aligned for a terminal where a Chinese
// character takes two columns.
std::string ReadableTable(const CalculationResult& result);

}  // namespace tavrel
