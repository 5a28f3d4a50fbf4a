#include "interchange/ElementChain.h"

#include "app/Errors.h"

namespace tavrel {

std::vector<AlignmentElement> ElementChainBuild(const std::vector<AlignmentElement>& elements) { return elements; }

double DmsToDegrees(double value) { return value; }

ElementChain ElementChainFinish(const ElementInput&, double, const std::vector<AlignmentElement>& chain) {
    return ElementChain{chain};
}

PointAtStation InterchangePointAt(const ElementChain&, Station) { throw CalcError("chain not built"); }

}  // namespace tavrel
