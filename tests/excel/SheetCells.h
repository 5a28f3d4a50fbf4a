#pragma once
// What a cell of a worksheet built in memory holds, for the workbook tests.
#include <cmath>
#include <string>
#include <variant>

#include <gtest/gtest.h>

#include "excel/Workbook.h"

namespace tavrel::testing {

inline bool CellIsEmpty(const Worksheet& ws, int row, int col) {
    const Cell* c = ws.cellAt(row, col);
    return !c || std::holds_alternative<std::monostate>(c->value);
}

// The number in a cell; a failure of the calling test and NaN when there is none.
inline double NumberAt(const Worksheet& ws, int row, int col) {
    const Cell* c = ws.cellAt(row, col);
    if (!c || !std::holds_alternative<double>(c->value)) {
        ADD_FAILURE() << "no number in " << CellName(row, col);
        return std::nan("");
    }
    return std::get<double>(c->value);
}

// The text in a cell, or a text saying there is none.
inline std::string TextAt(const Worksheet& ws, int row, int col) {
    const Cell* c = ws.cellAt(row, col);
    if (!c || !std::holds_alternative<std::string>(c->value)) return "<no text in " + CellName(row, col) + ">";
    return std::get<std::string>(c->value);
}

}  // namespace tavrel::testing
