#pragma once
// LandXML import: one alignment of a LandXML file as the road data the element method calculates on: the start and
// elements of an element chain, the chain breaks of its station equations and its vertical profile.
//
// Elements are matched by local name whatever their namespace (every LandXML version and regional variants).
// Every length, station and elevation is converted to metres as it is read; point texts are "northing easting
// [elevation]", that is plane x then y. Stations in the file (the alignment's start, station equations, profile
// points) are its internal, continuous stations, which are this program's continuous stations.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "common/Errors.h"
#include "interchange/ElementChain.h"
#include "profile/Profile.h"
#include "station/ChainBreak.h"

namespace tavrel {

// A LandXML file that cannot be read as the chosen road: what() says why in the user's words, `where` gives
// the line (the file's name is added by the command that read it).
struct LandXmlError : RejectedText {
    explicit LandXmlError(const std::string& text) : RejectedText("数据有误", text, true) {}
};

// The most chain elements a LandXML alignment may have. It has no node tables of a fixed size as the element
// file has: laying the chain is linear and a lookup by station a binary search, so this bound only keeps a
// runaway file finite (a file of kMaxInputFileBytes holds fewer elements).
inline constexpr std::size_t kMaxLandXmlElements = 1000000;

// Which road of the file to read.
struct LandXmlChoice {
    std::string alignment;  // Alignment name; empty: the file's only alignment
    std::string profile;    // ProfAlign name of that alignment; empty: its first
};

// Something the user should know about a file that was read all the same.
struct LandXmlWarning {
    std::string text;      // in the user's words
    SourceLocation where;  // the line at fault and its text; file empty until the command names it
};

// The alignments of a file with the profiles of each, for the user to choose from.
struct LandXmlAlignmentNames {
    std::string name;
    std::vector<std::string> profiles;  // ProfAlign names, in document order
};

struct LandXmlRoad {
    std::vector<LandXmlAlignmentNames> alignments;  // every alignment of the file, in document order
    std::string alignmentName;                      // the one read
    std::string profileName;                        // the ProfAlign read; empty when the alignment has none
    // The chain start (station, point, bearing in decimal degrees) and the elements, each with its line; for
    // BuildElementChain with kMaxLandXmlElements. Never holds an S-shaped spiral, so the chain's element k is
    // element k here.
    ElementInput plan;
    // The records a chain-break file would hold for the station equations, in road order; for
    // MakeChainBreakTable. At most kMaxChainBreaks.
    std::vector<ChainBreak> chainBreaks;
    // The profile points with their vertical curves and lines; for ProfileBuild. Empty: no profile.
    std::vector<ProfilePoint> profilePoints;
    std::vector<LandXmlWarning> warnings;  // in file order of their checks
};

// ReadLandXml: the chosen alignment of a LandXML file given as its bytes (the encoding is the one the file
// declares). Throws LandXmlError, located where a line is at fault, for anything it cannot read as that road:
// not XML, no or no such alignment or profile (the message lists the names), an unknown unit, an element the
// element chain cannot represent, a chain whose laid elements miss their end coordinates by more than 0.1 m,
// station equations whose internal stations disagree with their station numbers by more than 0.1 m, a profile
// that is not a row of grade-change points with separate vertical curves. Gaps and heading jumps from 1 mm and
// 1e-4 rad, smaller disagreements and a file without units are warnings.
LandXmlRoad ReadLandXml(std::string_view bytes, const LandXmlChoice& choice);

// The names of a choice as the messages list them: "、" between them, "（无名）" for an empty one.
std::string JoinedLandXmlNames(const std::vector<std::string>& names);

// The alignments and profiles of a LandXML file without reading them. Throws LandXmlError for a file that is not
// LandXML.
std::vector<LandXmlAlignmentNames> ListLandXmlAlignments(std::string_view bytes);

}  // namespace tavrel
