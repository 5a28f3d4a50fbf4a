#pragma once
// State of one running program: the loaded project, the calculate button's state and the workbook files written.
#include "app/ProjectData.h"
#include "excel/ExcelApp.h"

namespace tavrel {

struct AppState {
    ProjectData project;
    bool calculateEnabled = false;  // the calculate button: enabled once an initialise has succeeded
    ExcelApp excelApp;              // the workbooks this run wrote, which a later calculation may replace
};

}  // namespace tavrel
