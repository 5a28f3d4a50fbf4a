#pragma once
// The readers of the parts of one LandXML alignment: its plan, its station equations and one vertical profile.
// Used only by ReadLandXml; each fails with a located LandXmlError and records its warnings in the document.
#include <vector>

#include "input/LandXmlDocument.h"

namespace tavrel::landxml {

// Coordinates written to 0.1 mm or finer agree with the chain laid from the elements' lengths and radii to well
// under a millimetre; beyond it the user is told, beyond 0.1 m the elements do not form one road.
inline constexpr double kGapWarning = 1e-3;      // m
inline constexpr double kGapError = 0.1;         // m
inline constexpr double kHeadingWarning = 1e-4;  // rad: 1 mm sideways over 10 m
inline constexpr double kCurvesTouching = 1e-6;  // m: vertical curves meeting closer than this do not overlap

// The alignment's CoordGeom as the element method's input, laid from the first element's Start with its start
// heading, the chain starting at `startStation` (m). Every element's computed end is checked against its End
// (where it has none, its start against its Start) and its start heading against the chain's.
ElementInput ReadPlan(Document& doc, const Units& units, pugi::xml_node alignment, Station startStation);

// The alignment's StaEquation elements as chain-break records (before = staBack, after = staAhead), in
// document order, each staInternal checked against the continuous station the records give the break.
std::vector<ChainBreak> ReadStationEquations(Document& doc, const Units& units, pugi::xml_node alignment);

// A ProfAlign's points, built once to check that its vertical curves neither overlap nor reach past its ends.
std::vector<ProfilePoint> ReadProfile(Document& doc, const Units& units, pugi::xml_node profAlign);

}  // namespace tavrel::landxml
