#pragma once
// The form of road chosen on the main window when a command runs: which road files the initialise command reads
// and whether the calculation places the bridge on a plan alignment. A new form is one more enumerator and one
// more case in each switch below (the compiler names every switch that misses it).
#include <string_view>

namespace tavrel {

enum class RoadMode {
    Straight,     // "曲线斜交桥" unticked: no plan; chain breaks, profile, superelevation
    MainLine,     // "曲线斜交桥" with "交点法—主线": plan by intersection points, then chain breaks
    Interchange,  // "曲线斜交桥" with "积木法—互通": plan by elements; no chain-break file
    LandXml,      // "曲线斜交桥" with "LandXML": plan, station equations and profile from one LandXML file
};

// Whether the mode reads a plan alignment and places the bridge on it (the curved skew bridge).
constexpr bool ReadsPlan(RoadMode mode) {
    switch (mode) {
        case RoadMode::Straight: return false;
        case RoadMode::MainLine:
        case RoadMode::Interchange:
        case RoadMode::LandXml: return true;
    }
    return false;
}

// Whether the mode reads a chain-break file.
constexpr bool ReadsChainBreaks(RoadMode mode) {
    switch (mode) {
        case RoadMode::Straight:
        case RoadMode::MainLine: return true;
        case RoadMode::Interchange:
        case RoadMode::LandXml: return false;
    }
    return false;
}

// Whether the mode reads a profile file (the LandXML file holds its own profile).
constexpr bool ReadsProfileFile(RoadMode mode) {
    switch (mode) {
        case RoadMode::Straight:
        case RoadMode::MainLine:
        case RoadMode::Interchange: return true;
        case RoadMode::LandXml: return false;
    }
    return false;
}

// The mode as the user set it on the main window: the check box, and the option when it is ticked.
constexpr std::string_view ModeName(RoadMode mode) {
    switch (mode) {
        case RoadMode::Straight: break;
        case RoadMode::MainLine: return "曲线斜交桥，交点法—主线";
        case RoadMode::Interchange: return "曲线斜交桥，积木法—互通";
        case RoadMode::LandXml: return "曲线斜交桥，LandXML";
    }
    return "直线桥";
}

}  // namespace tavrel
