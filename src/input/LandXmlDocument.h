#pragma once
// The parsed LandXML document and what the readers of its parts share: elements found by local name, the line of
// every element, located errors and warnings, numbers, points and units. Used only inside the LandXML reader.
#include <pugixml.hpp>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/Plane.h"
#include "input/LandXml.h"

namespace tavrel::landxml {

// The name of an element without its namespace prefix: files of every LandXML version and regional variant
// declare their own default namespace or prefix, and the reader matches names alone.
std::string_view LocalName(pugi::xml_node node);

// The first child element with this local name (an empty node when there is none).
pugi::xml_node Child(pugi::xml_node parent, std::string_view localName);

// Every child element with this local name, in document order.
std::vector<pugi::xml_node> Children(pugi::xml_node parent, std::string_view localName);

// The file's bytes decoded by the encoding its XML declaration names (UTF-8 when none; a UTF-8 byte-order mark is
// dropped) into UTF-8, and parsed. Line ends stay where they were, so lines count as in the file.
class Document {
public:
    // Throws LandXmlError (located) for an encoding the reader does not know, bytes that do not fit the encoding
    // and text that is not well-formed XML.
    explicit Document(std::string_view bytes);
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    pugi::xml_node root() const { return doc_.document_element(); }

    // The 1-based line of the file an element starts on (0 when unknown), and that line with its text.
    std::size_t lineOf(pugi::xml_node node) const;
    SourceLocation where(pugi::xml_node node) const;
    SourceLocation whereLine(std::size_t line) const;

    // A located failure or warning about an element, in the user's words.
    [[noreturn]] void fail(pugi::xml_node node, const std::string& text) const;
    void warn(pugi::xml_node node, const std::string& text);
    std::vector<LandXmlWarning> takeWarnings() { return std::move(warnings_); }

private:
    std::size_t lineAtOffset(std::size_t offset) const;
    std::string text_;    // the decoded file, unchanged
    std::string parsed_;  // a copy parsed in place: node names point into it at their offsets in the file
    std::vector<std::size_t> lineStarts_;
    pugi::xml_document doc_;
    std::vector<LandXmlWarning> warnings_;
};

// Lengths and angles as the file's Units state them, converted to metres and radians.
class Units {
public:
    // From the root's Units/Metric or Units/Imperial; metres and radians, with a warning, when there is none.
    // An unknown unit is a located error listing the ones read.
    explicit Units(Document& doc);
    double metres(double value) const { return value * multiplier_ / divisor_; }
    // An angle written in the unit of `directionUnit` (for dir, dirStart) in radians.
    double directionRadians(double value) const;

private:
    enum class Angle { Radians, Degrees, Grads, DegreesMinutesSeconds };
    double multiplier_ = 1, divisor_ = 1;
    Angle direction_ = Angle::Radians;
};

// Attribute values and point texts of an element, read strictly: a value that is not a number is a located
// error naming the element and the attribute.
std::optional<double> OptionalNumber(const Document& doc, pugi::xml_node node, const char* attribute);
double RequiredNumber(const Document& doc, pugi::xml_node node, const char* attribute);
// The numbers of an element's text (blank separated); a located error when there are fewer than `least` or
// more than `most`.
std::vector<double> TextNumbers(const Document& doc, pugi::xml_node node, std::size_t least, std::size_t most);
// A point child (Start, End, Center, PI: "northing easting [elevation]") in metres as plane (x, y); nullopt
// when the element has no such child.
std::optional<Point> PointChild(const Document& doc, const Units& units, pugi::xml_node node, std::string_view name);

// An attribute's text with surrounding white space removed; empty when absent.
std::string_view AttributeText(pugi::xml_node node, const char* attribute);
// ASCII case-insensitive equality, for enumerated attribute values written in varying case.
bool SameWord(std::string_view a, std::string_view b);

}  // namespace tavrel::landxml
