#pragma once

namespace tavrel {

// A position along the road in metres, in the continuous numbering that holds before the first chain break.
// Every geometric operation takes and returns continuous stations; the numbers written on the drawings
// (chain-break numbering) are converted at the edges by the chain-break table.
using Station = double;

}  // namespace tavrel
