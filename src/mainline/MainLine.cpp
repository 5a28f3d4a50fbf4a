#include "mainline/MainLine.h"

#include "app/Errors.h"

namespace tavrel {

MainLine MainLineBuild(const MainLineInput& input) { return MainLine{input}; }

PointAtStation MainLinePointAt(const MainLine&, Station) { throw CalcError("main line not built"); }

}  // namespace tavrel
