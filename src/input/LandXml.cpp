#include "input/LandXml.h"

#include <cmath>
#include <cstdio>

#include "common/NumberText.h"
#include "input/LandXmlDocument.h"
#include "input/LandXmlParts.h"

namespace tavrel {

namespace landxml {

namespace {

std::string NameOf(pugi::xml_node node) { return node.attribute("name").value(); }

std::vector<pugi::xml_node> AllAlignments(pugi::xml_node root) {
    std::vector<pugi::xml_node> all;
    for (pugi::xml_node group : Children(root, "Alignments"))
        for (pugi::xml_node a : Children(group, "Alignment")) all.push_back(a);
    return all;
}

std::vector<pugi::xml_node> ProfAligns(pugi::xml_node alignment) {
    std::vector<pugi::xml_node> all;
    for (pugi::xml_node profile : Children(alignment, "Profile"))
        for (pugi::xml_node p : Children(profile, "ProfAlign")) all.push_back(p);
    return all;
}

std::vector<std::string> Names(const std::vector<pugi::xml_node>& nodes) {
    std::vector<std::string> names;
    for (pugi::xml_node n : nodes) names.push_back(NameOf(n));
    return names;
}

// A choice the file cannot meet concerns the file as a whole.
[[noreturn]] void FailChoice(const std::string& text) {
    LandXmlError e(text);
    e.where = SourceLocation{};
    throw e;
}

// The node named `wanted` among `nodes`: nullopt when none is; a name held twice is a failure of its own.
std::optional<pugi::xml_node> Named(const std::vector<pugi::xml_node>& nodes, const std::string& wanted,
                                    const char* what) {
    std::optional<pugi::xml_node> found;
    for (pugi::xml_node n : nodes) {
        if (NameOf(n) != wanted) continue;
        if (found) FailChoice(std::string("LandXML 文件中有多个名为“") + wanted + "”的" + what);
        found = n;
    }
    return found;
}

pugi::xml_node ChooseAlignment(const Document& doc, const std::string& wanted) {
    const std::vector<pugi::xml_node> all = AllAlignments(doc.root());
    if (all.empty()) FailChoice("LandXML 文件中没有路线（Alignment）");
    if (wanted.empty()) {
        if (all.size() == 1) return all.front();
        FailChoice("LandXML 文件中有 " + std::to_string(all.size()) + " 条路线，请指定其中一条：" +
                   JoinedLandXmlNames(Names(all)));
    }
    if (const auto found = Named(all, wanted, "路线")) return *found;
    FailChoice("LandXML 文件中没有名为“" + wanted + "”的路线（文件中的路线：" + JoinedLandXmlNames(Names(all)) + "）");
}

// The named profile, the first when no name is given; none when the alignment has none and none is asked for.
pugi::xml_node ChooseProfile(pugi::xml_node alignment, const std::string& wanted) {
    const std::vector<pugi::xml_node> all = ProfAligns(alignment);
    if (wanted.empty()) return all.empty() ? pugi::xml_node() : all.front();
    if (const auto found = Named(all, wanted, "纵断面")) return *found;
    const std::string listed = all.empty() ? "该路线没有纵断面" : "该路线的纵断面：" + JoinedLandXmlNames(Names(all));
    FailChoice("路线“" + NameOf(alignment) + "”中没有名为“" + wanted + "”的纵断面（" + listed + "）");
}

LandXmlRoad ReadRoad(Document& doc, const LandXmlChoice& choice) {
    LandXmlRoad road;
    for (pugi::xml_node a : AllAlignments(doc.root())) road.alignments.push_back({NameOf(a), Names(ProfAligns(a))});
    const Units units(doc);
    const pugi::xml_node alignment = ChooseAlignment(doc, choice.alignment);
    road.alignmentName = NameOf(alignment);
    const Station start = units.metres(OptionalNumber(doc, alignment, "staStart").value_or(0));
    road.plan = ReadPlan(doc, units, alignment, start);
    road.chainBreaks = ReadStationEquations(doc, units, alignment);
    if (const pugi::xml_node profile = ChooseProfile(alignment, choice.profile)) {
        road.profileName = NameOf(profile);
        road.profilePoints = ReadProfile(doc, units, profile);
    }
    road.warnings = doc.takeWarnings();
    return road;
}

}  // namespace

std::vector<ChainBreak> ReadStationEquations(Document& doc, const Units& units, pugi::xml_node alignment) {
    std::vector<ChainBreak> records;
    // What the breaks so far add to a continuous station to give its written number (after - before, summed).
    double added = 0;
    for (pugi::xml_node eq : Children(alignment, "StaEquation")) {
        if (records.size() == static_cast<std::size_t>(kMaxChainBreaks)) doc.fail(eq, "断链（StaEquation）超过 19 处");
        if (SameWord(AttributeText(eq, "staIncrement"), "decreasing"))
            doc.fail(eq, "不支持桩号递减（staIncrement 为 decreasing）的断链");
        const ChainBreak b{units.metres(RequiredNumber(doc, eq, "staBack")),
                           units.metres(RequiredNumber(doc, eq, "staAhead"))};
        if (records.empty() && b.beforeStation == -1)
            doc.fail(eq, "staBack 为 -1 的断链无法表示（断链文件中 -1 表示没有断链）");
        if (const auto internal = OptionalNumber(doc, eq, "staInternal")) {
            // The break point's continuous station by the records: its number before the break less what the
            // earlier breaks added.
            const double expected = b.beforeStation - added;
            const double miss = std::fabs(units.metres(*internal) - expected);
            const std::string text = "断链的 staInternal 与按 staBack 推算的连续桩号 " + PlainNumber(expected) +
                                     " 相差 " + PlainNumber(miss);
            if (miss > kGapError) doc.fail(eq, text + "（超过 0.1 m）");
            if (miss > kGapWarning) doc.warn(eq, text);
        }
        added += b.afterStation - b.beforeStation;
        records.push_back(b);
    }
    return records;
}

}  // namespace landxml

LandXmlRoad ReadLandXml(std::string_view bytes, const LandXmlChoice& choice) {
    landxml::Document doc(bytes);
    try {
        return landxml::ReadRoad(doc, choice);
    } catch (TavrelError& e) {
        // A fault the chain or the profile found in an element knows the element's line: add the line's text.
        if (e.where && e.where->line > 0 && e.where->text.empty()) e.where = doc.whereLine(e.where->line);
        throw;
    }
}

std::string JoinedLandXmlNames(const std::vector<std::string>& names) {
    std::string s;
    for (const std::string& n : names) s += (s.empty() ? "" : "、") + (n.empty() ? std::string("（无名）") : n);
    return s;
}

std::vector<LandXmlAlignmentNames> ListLandXmlAlignments(std::string_view bytes) {
    const landxml::Document doc(bytes);
    std::vector<LandXmlAlignmentNames> names;
    for (pugi::xml_node a : landxml::AllAlignments(doc.root()))
        names.push_back({landxml::NameOf(a), landxml::Names(landxml::ProfAligns(a))});
    return names;
}

}  // namespace tavrel
