#pragma once
// The bundled example projects loaded and calculated as the window does it, and their plan drawings.
#include <deque>
#include <string>

#include "app/CalculateCommand.h"
#include "app/InitializeCommand.h"
#include "drawing/BuildPlan.h"

namespace tavrel::testing {

// The example's files in the order the commands ask for them; any message counts as a failure. (Not FakePort:
// the window tests' FakeUi has types of the same names.)
class ExamplePort : public CommandPort {
public:
    ExamplePort& answer(const std::string& path) {
        files.push_back(path);
        return *this;
    }
    std::optional<std::filesystem::path> askFile(DialogId, std::string_view, std::string_view) override {
        if (files.empty()) return std::nullopt;
        const std::string f = files.front();
        files.pop_front();
        return f;
    }
    void showMessage(std::string_view, std::string_view text, MessageIcon) override { messages += text; }
    void showWarnings(const std::vector<std::string>& shown) override {
        for (const std::string& w : shown) messages += w;
    }
    void deliverWorkbook(const std::filesystem::path&) override {}

    std::deque<std::string> files;
    std::string messages;
};

struct ExampleRun {
    std::string name;  // straight, mainline or interchange
    ProjectData project;
    RoadMode mode = RoadMode::Straight;
    CalculationResult result;
    std::vector<std::string> warnings;  // of loading the road, then of the calculation
    PlanDrawing drawing;
};

// Loads examples/<name> in its mode, calculates its bridge without writing a workbook, and draws it. Fails the
// calling test (an empty drawing) when a command reports anything.
inline ExampleRun RunExample(const std::string& name) {
    const std::string dir = std::string(TAVREL_EXAMPLES_DIR) + "/" + name + "/";
    ExampleRun run;
    run.name = name;
    ExamplePort port;
    if (name == "straight") {
        run.mode = RoadMode::Straight;
        port.answer(dir + "road.dl").answer(dir + "road.zdm").answer(dir + "road.cg");
    } else if (name == "mainline") {
        run.mode = RoadMode::MainLine;
        port.answer(dir + "road.jdx").answer(dir + "road.dl").answer(dir + "road.zdm").answer(dir + "road.cg");
    } else {
        run.mode = RoadMode::Interchange;
        port.answer(dir + "ramp.jdx").answer(dir + "ramp.zdm").answer(dir + "ramp.cg");
    }
    port.answer(dir + "bridge.txt");
    AppState state;
    if (!InitializeCommand(state, run.mode, port)) return run;
    const auto result = CalculateCommand(state, run.mode, port, {std::nullopt, false});
    if (!result) return run;
    run.project = state.project;
    run.result = result->calculation;
    run.warnings = result->warnings;
    run.drawing = BuildPlanDrawing(result->road(), run.result);
    return run;
}

inline const char* const kExampleNames[] = {"straight", "mainline", "interchange"};

}  // namespace tavrel::testing
