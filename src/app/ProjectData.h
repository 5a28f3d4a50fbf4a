#pragma once
// Everything the initialise command loads and the alignment and profile modules derive from it.
#include <cstdint>
#include <variant>

#include "excel/ExcelApp.h"
#include "interchange/ElementChain.h"
#include "mainline/MainLine.h"
#include "profile/Profile.h"
#include "profile/Superelevation.h"
#include "station/ChainBreak.h"

namespace tavrel {

// The mode chosen on the main window when a command runs.
struct Mode {
    bool isCurvedSkewBridge = false;  // Check4 "曲线斜交桥": the plan alignment is read and used
    bool mainLineMode = true;         // Option3 "交点法—主线"; otherwise Option4 "积木法—互通"
    bool interchangeMode() const { return !mainLineMode; }
    bool readsChainBreaks() const { return !isCurvedSkewBridge || mainLineMode; }
};

struct ProjectData {
    Mode mode;  // the mode these data were loaded with

    ChainBreakTable chainBreaks;

    // Plan alignment: filled only for a curved skew bridge, by the form its option names.
    MainLineInput mainLineInput;   // intersectionCount = mainLineInput.points.size()
    MainLine mainLine;
    ElementInput elementInput;     // elementStartAzimuth as read (d.mmss); elementCount = elements.size()
    double elementStartAzimuthDegrees = 0;
    ElementChain elementChain;

    Profile profile;               // pointCount = profile.points.size()
    Superelevation superelevation;  // superelevationCount = superelevation.records.size()

    std::int16_t intersectionCount() const { return static_cast<std::int16_t>(mainLineInput.points.size()); }
    std::int16_t elementCount() const { return static_cast<std::int16_t>(elementInput.elements.size()); }
    std::int16_t pointCount() const { return static_cast<std::int16_t>(profile.points.size()); }
    std::int16_t superelevationCount() const {
        return static_cast<std::int16_t>(superelevation.records.size());
    }
};

// State of one running program: the loaded project, the window's two flags and the session workbook.
struct AppState {
    ProjectData project;
    bool calculateEnabled = false;     // xpcmdbutton2: enabled once an initialise has succeeded
    // 1 while a command runs; 0 once it stopped on a text the user must correct (a station text, a pier line),
    // after that text's own message.
    std::int16_t stationTextValid = 1;
    ExcelApp excelApp;                  // the session workbook: every calculation adds its sheets in front
};

}  // namespace tavrel
