#include "report/ReadableTable.h"

#include <cstdio>

#include "common/NumberText.h"
#include "station/ChainBreak.h"

namespace tavrel {

namespace {

// A number with three decimals, right-aligned in `width` characters.
std::string fixed3(double v, int width) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%*.3f", width, v);
    return buf;
}

}  // namespace

std::string ReadableTable(const CalculationResult& r) {
    const PedestalLayout& l = r.layout;
    const PedestalResultTables& t = r.tables;
    std::string s = "斜交角 " + PlainNumber(l.skewAngle) + " 度，" + std::to_string(l.piers.size()) + " 个墩台，每墩 " +
                    std::to_string(l.pedestalDistances.size()) + " 个垫石\n";
    for (std::size_t i = 0; i < l.piers.size(); ++i) {
        const PierRecord& p = l.piers[i];
        s += "\n墩台 " + p.pierName + "  桩号 " + StationLabel(r.chainBreaks, p.referenceStation) + "\n";
        s += "    垫石     偏距(m)   顶面高程(m)   垫石高度(m)\n";
        for (std::size_t k = 0; k < l.pedestalDistances.size(); ++k) {
            if (!Lists(p.sideMark, l.pedestalDistances[k])) continue;
            char number[32];
            std::snprintf(number, sizeof number, "%6zu", k + 1);
            s += std::string("  ") + number + fixed3(t.pedestalOffset[i][k], 12) +
                 fixed3(t.pedestalTopElevation[i][k], 14) + fixed3(t.pedestalHeight[i][k], 14) + "\n";
        }
    }
    return s;
}

}  // namespace tavrel
