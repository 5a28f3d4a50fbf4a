#include "profile/Superelevation.h"

#include "app/Errors.h"

namespace tavrel {

CrossSlopes cgjs(const Superelevation& table, Station) {
    if (table.records.empty()) throw CalcError("empty superelevation table");
    throw CalcError("not built");
}

}  // namespace tavrel
