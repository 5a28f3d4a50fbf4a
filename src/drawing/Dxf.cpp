#include "drawing/Dxf.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <optional>
#include <string_view>
#include <utility>

#include "common/Errors.h"
#include "drawing/Sheet.h"

namespace tavrel {

namespace {

// Dash patterns on the sheet (mm), scaled to metres by the drawing's scale: dashes for the central band's
// edges, long dash and dot for the centreline and the pier axes.
constexpr double kDashMm = 6, kDashGapMm = 2;
constexpr double kLongDashMm = 12, kDotGapMm = 2;
constexpr int kHeavyLineweight = 50;  // 1/100 mm: the deck's outer edges

// The writer of group code / value pairs.
class DxfOut {
public:
    void tag(int code, std::string_view value) {
        char buf[8];
        std::snprintf(buf, sizeof buf, "%3d", code);
        text_ += buf;
        text_ += "\r\n";
        text_ += value;
        text_ += "\r\n";
    }
    void tag(int code, int value) { tag(code, std::string_view(std::to_string(value))); }
    // Doubles in the shortest text that reads back as the same value, always with a point or exponent.
    void real(int code, double value) {
        RequireFinite(value, "drawing coordinate");
        if (value == 0) value = 0;  // no "-0"
        char buf[32];
        const auto r = std::to_chars(buf, buf + sizeof buf, value);
        std::string s(buf, r.ptr);
        if (s.find_first_of(".e") == std::string::npos) s += ".0";
        tag(code, std::string_view(s));
    }
    void handle(int code, unsigned h) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "%X", h);
        tag(code, std::string_view(buf));
    }
    // A point in CAD coordinates from a plan point: x east, y north.
    void point(int code, Point p) {
        real(code, p.y);
        real(code + 10, p.x);
        real(code + 20, 0.0);
    }
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

// Handles of the drawing's structure, fixed before anything is written (they refer to each other).
struct Handles {
    unsigned next = 1;
    unsigned take() { return next++; }

    unsigned vportTable = take(), ltypeTable = take(), layerTable = take(), styleTable = take(), viewTable = take(),
             ucsTable = take(), appidTable = take(), dimstyleTable = take(), blockRecordTable = take();
    unsigned vport = take();
    unsigned ltypeByBlock = take(), ltypeByLayer = take(), ltypeContinuous = take(), ltypeDashed = take(),
             ltypeDashDot = take();
    unsigned layer0 = take();
    unsigned layers[kDrawingLayers.size()] = {take(), take(), take(), take(), take(), take()};
    unsigned styleStandard = take(), styleCjk = take();
    unsigned appidAcad = take();
    unsigned dimstyleStandard = take();
    unsigned modelRecord = take(), paperRecord = take();
    unsigned modelBlock = take(), modelBlockEnd = take(), paperBlock = take(), paperBlockEnd = take();
    unsigned rootDictionary = take(), groupDictionary = take(), layoutDictionary = take(), plotStyleDictionary = take(),
             plotStyleNormal = take();
    unsigned modelLayout = take(), paperLayout = take();
};

const char* linetypeOf(LineStyle s) {
    switch (s) {
        case LineStyle::Dashed: return "DASHED";
        case LineStyle::DashDot: return "DASHDOT";
        case LineStyle::Solid: break;
    }
    return "Continuous";
}

// Degrees counterclockwise from east of a reading direction given as a bearing, in [0, 360).
double cadRotation(double bearing) { return NormalizedAngle(90 - bearing * 180 / kPi, 360); }

// A text value for group 1: control characters would break the line structure.
std::string textValue(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20) c = ' ';
    return out;
}

// The bulge of the polyline segment from vertex k: tan(angle / 4), positive counterclockwise in CAD. The CAD axes
// swap the plan's, which turns a plan's turn towards increasing bearing into a clockwise one: the sign flips.
double bulgeOf(const DrawnLine& l, std::size_t k) {
    const double sweep = l.sweepOf(k);
    if (sweep == 0 || k + 1 >= l.points.size()) return 0;
    if (l.points[k].x == l.points[k + 1].x && l.points[k].y == l.points[k + 1].y) return 0;
    return -std::tan(sweep / 4);
}

void tableHead(DxfOut& o, const char* name, unsigned handle, int count) {
    o.tag(0, "TABLE");
    o.tag(2, name);
    o.handle(5, handle);
    o.tag(330, "0");
    o.tag(100, "AcDbSymbolTable");
    o.tag(70, count);
}

void recordHead(DxfOut& o, const char* type, unsigned handle, unsigned owner, const char* subclass,
                int handleCode = 5) {
    o.tag(0, type);
    o.handle(handleCode, handle);
    o.handle(330, owner);
    o.tag(100, "AcDbSymbolTableRecord");
    o.tag(100, subclass);
}

void linetype(DxfOut& o, unsigned handle, unsigned owner, const char* name, const char* description,
              std::initializer_list<double> pattern) {
    recordHead(o, "LTYPE", handle, owner, "AcDbLinetypeTableRecord");
    o.tag(2, name);
    o.tag(70, 0);
    o.tag(3, description);
    o.tag(72, 65);
    o.tag(73, static_cast<int>(pattern.size()));
    double total = 0;
    for (double p : pattern) total += std::fabs(p);
    o.real(40, total);
    for (double p : pattern) {
        o.real(49, p);
        o.tag(74, 0);
    }
}

void layer(DxfOut& o, const Handles& h, unsigned handle, std::string_view name, int colour) {
    recordHead(o, "LAYER", handle, h.layerTable, "AcDbLayerTableRecord");
    o.tag(2, name);
    o.tag(70, 0);
    o.tag(62, colour);
    o.tag(6, "Continuous");
    o.tag(370, -3);
    o.handle(390, h.plotStyleNormal);
}

void header(DxfOut& o, const PlanDrawing& d, const Handles& h, const PlanBox& box) {
    o.tag(0, "SECTION");
    o.tag(2, "HEADER");
    o.tag(9, "$ACADVER");
    o.tag(1, "AC1021");
    o.tag(9, "$DWGCODEPAGE");
    o.tag(3, "ANSI_936");
    o.tag(9, "$INSBASE");
    o.point(10, {});
    o.tag(9, "$EXTMIN");
    o.point(10, {box.minX, box.minY});
    o.tag(9, "$EXTMAX");
    o.point(10, {box.maxX, box.maxY});
    o.tag(9, "$TEXTSTYLE");
    o.tag(7, kDxfTextStyle);
    o.tag(9, "$CLAYER");
    o.tag(8, "0");
    o.tag(9, "$LTSCALE");
    o.real(40, 1.0);
    o.tag(9, "$LUNITS");
    o.tag(70, 2);
    o.tag(9, "$LUPREC");
    o.tag(70, 3);
    o.tag(9, "$MEASUREMENT");
    o.tag(70, 1);
    o.tag(9, "$INSUNITS");
    o.tag(70, 6);  // metres
    o.tag(9, "$TEXTSIZE");
    o.real(40, d.textHeight);
    o.tag(9, "$HANDSEED");
    o.handle(5, h.next);
    o.tag(0, "ENDSEC");
    o.tag(0, "SECTION");
    o.tag(2, "CLASSES");
    o.tag(0, "ENDSEC");
}

// The active viewport opens on the whole drawing.
void viewportTable(DxfOut& o, const Handles& h, const PlanBox& box) {
    tableHead(o, "VPORT", h.vportTable, 1);
    recordHead(o, "VPORT", h.vport, h.vportTable, "AcDbViewportTableRecord");
    o.tag(2, "*Active");
    o.tag(70, 0);
    o.real(10, 0.0);
    o.real(20, 0.0);
    o.real(11, 1.0);
    o.real(21, 1.0);
    o.real(12, box.centre().y);
    o.real(22, box.centre().x);
    o.real(13, 0.0);
    o.real(23, 0.0);
    o.real(14, 1.0);
    o.real(24, 1.0);
    o.real(15, 1.0);
    o.real(25, 1.0);
    o.real(16, 0.0);
    o.real(26, 0.0);
    o.real(36, 1.0);
    o.real(17, 0.0);
    o.real(27, 0.0);
    o.real(37, 0.0);
    o.real(40, std::max(box.height(), box.width() / 1.5) * 1.1);
    o.real(41, 1.5);
    o.real(42, 50.0);
    o.real(43, 0.0);
    o.real(44, 0.0);
    o.real(50, 0.0);
    o.real(51, 0.0);
    o.tag(71, 0);
    o.tag(72, 1000);
    o.tag(73, 1);
    o.tag(74, 3);
    o.tag(75, 0);
    o.tag(76, 0);
    o.tag(77, 0);
    o.tag(78, 0);
    o.tag(0, "ENDTAB");
}

// The line types the drawing uses, their dashes scaled from sheet millimetres to metres.
void linetypeTable(DxfOut& o, const PlanDrawing& d, const Handles& h) {
    const double mm = d.scale / 1000;  // metres per sheet millimetre
    tableHead(o, "LTYPE", h.ltypeTable, 5);
    linetype(o, h.ltypeByBlock, h.ltypeTable, "ByBlock", "", {});
    linetype(o, h.ltypeByLayer, h.ltypeTable, "ByLayer", "", {});
    linetype(o, h.ltypeContinuous, h.ltypeTable, "Continuous", "Solid line", {});
    linetype(o, h.ltypeDashed, h.ltypeTable, "DASHED", "Dashed __ __ __", {kDashMm * mm, -kDashGapMm * mm});
    linetype(o, h.ltypeDashDot, h.ltypeTable, "DASHDOT", "Dash dot ____ . ____ .",
             {kLongDashMm * mm, -kDotGapMm * mm, 0.0, -kDotGapMm * mm});
    o.tag(0, "ENDTAB");
}

// Layer 0 and one layer per DrawingLayer in its colour.
void layerTable(DxfOut& o, const Handles& h) {
    tableHead(o, "LAYER", h.layerTable, 1 + static_cast<int>(kDrawingLayers.size()));
    layer(o, h, h.layer0, "0", 7);
    for (std::size_t k = 0; k < kDrawingLayers.size(); ++k)
        layer(o, h, h.layers[k], LayerName(kDrawingLayers[k]), ColourOf(kDrawingLayers[k]).aci);
    o.tag(0, "ENDTAB");
}

// The standard text style and the CJK style every text uses.
void styleTable(DxfOut& o, const PlanDrawing& d, const Handles& h) {
    tableHead(o, "STYLE", h.styleTable, 2);
    recordHead(o, "STYLE", h.styleStandard, h.styleTable, "AcDbTextStyleTableRecord");
    o.tag(2, "Standard");
    o.tag(70, 0);
    o.real(40, 0.0);
    o.real(41, 1.0);
    o.real(50, 0.0);
    o.tag(71, 0);
    o.real(42, d.textHeight);
    o.tag(3, "txt");
    o.tag(4, "");
    // The CJK style: a TrueType face by file, with the face name and the GB2312 character set (134) as CAD keeps
    // them in the style's extended data.
    recordHead(o, "STYLE", h.styleCjk, h.styleTable, "AcDbTextStyleTableRecord");
    o.tag(2, kDxfTextStyle);
    o.tag(70, 0);
    o.real(40, 0.0);
    o.real(41, 1.0);
    o.real(50, 0.0);
    o.tag(71, 0);
    o.real(42, d.textHeight);
    o.tag(3, "simsun.ttc");
    o.tag(4, "");
    o.tag(1001, "ACAD");
    o.tag(1000, "SimSun");
    o.tag(1071, 134 << 8 | 2);
    o.tag(0, "ENDTAB");
}

// The empty view and UCS tables, the registered application ACAD and the standard dimension style.
void applicationTables(DxfOut& o, const Handles& h) {
    tableHead(o, "VIEW", h.viewTable, 0);
    o.tag(0, "ENDTAB");
    tableHead(o, "UCS", h.ucsTable, 0);
    o.tag(0, "ENDTAB");

    tableHead(o, "APPID", h.appidTable, 1);
    recordHead(o, "APPID", h.appidAcad, h.appidTable, "AcDbRegAppTableRecord");
    o.tag(2, "ACAD");
    o.tag(70, 0);
    o.tag(0, "ENDTAB");

    tableHead(o, "DIMSTYLE", h.dimstyleTable, 1);
    o.tag(100, "AcDbDimStyleTable");
    recordHead(o, "DIMSTYLE", h.dimstyleStandard, h.dimstyleTable, "AcDbDimStyleTableRecord", 105);
    o.tag(2, "Standard");
    o.tag(70, 0);
    o.handle(340, h.styleStandard);
    o.tag(0, "ENDTAB");
}

// The records of model space and paper space, each naming its layout.
void blockRecordTable(DxfOut& o, const Handles& h) {
    tableHead(o, "BLOCK_RECORD", h.blockRecordTable, 2);
    struct Space {
        unsigned record;
        const char* name;
        unsigned layout;
    };
    for (const Space& space :
         {Space{h.modelRecord, "*Model_Space", h.modelLayout}, Space{h.paperRecord, "*Paper_Space", h.paperLayout}}) {
        const auto& [record, name, layout] = space;
        recordHead(o, "BLOCK_RECORD", record, h.blockRecordTable, "AcDbBlockTableRecord");
        o.tag(2, name);
        o.handle(340, layout);
        o.tag(70, 0);
        o.tag(280, 1);
        o.tag(281, 0);
    }
    o.tag(0, "ENDTAB");
}

// The TABLES section: the symbol tables in the order CAD reads them.
void tables(DxfOut& o, const PlanDrawing& d, const Handles& h, const PlanBox& box) {
    o.tag(0, "SECTION");
    o.tag(2, "TABLES");
    viewportTable(o, h, box);
    linetypeTable(o, d, h);
    layerTable(o, h);
    styleTable(o, d, h);
    applicationTables(o, h);
    blockRecordTable(o, h);
    o.tag(0, "ENDSEC");
}

void blocks(DxfOut& o, const Handles& h) {
    o.tag(0, "SECTION");
    o.tag(2, "BLOCKS");
    struct Space {
        unsigned record, begin, end;
        const char* name;
    };
    for (const Space& space : {Space{h.modelRecord, h.modelBlock, h.modelBlockEnd, "*Model_Space"},
                               Space{h.paperRecord, h.paperBlock, h.paperBlockEnd, "*Paper_Space"}}) {
        const auto& [record, begin, end, name] = space;
        o.tag(0, "BLOCK");
        o.handle(5, begin);
        o.handle(330, record);
        o.tag(100, "AcDbEntity");
        o.tag(8, "0");
        o.tag(100, "AcDbBlockBegin");
        o.tag(2, name);
        o.tag(70, 0);
        o.point(10, {});
        o.tag(3, name);
        o.tag(1, "");
        o.tag(0, "ENDBLK");
        o.handle(5, end);
        o.handle(330, record);
        o.tag(100, "AcDbEntity");
        o.tag(8, "0");
        o.tag(100, "AcDbBlockEnd");
    }
    o.tag(0, "ENDSEC");
}

void entityHead(DxfOut& o, Handles& h, const char* type, DrawingLayer layer) {
    o.tag(0, type);
    o.handle(5, h.take());
    o.handle(330, h.modelRecord);
    o.tag(100, "AcDbEntity");
    o.tag(8, LayerName(layer));
}

void entities(DxfOut& o, const PlanDrawing& d, Handles& h) {
    o.tag(0, "SECTION");
    o.tag(2, "ENTITIES");
    for (const DrawnLine& l : d.lines) {
        entityHead(o, h, "LWPOLYLINE", l.layer);
        if (l.style != LineStyle::Solid) o.tag(6, linetypeOf(l.style));
        if (l.heavy) o.tag(370, kHeavyLineweight);
        o.tag(100, "AcDbPolyline");
        o.tag(90, static_cast<int>(l.points.size()));
        o.tag(70, 128);  // the line's pattern runs on across the vertices
        for (std::size_t k = 0; k < l.points.size(); ++k) {
            o.real(10, l.points[k].y);
            o.real(20, l.points[k].x);
            const double bulge = bulgeOf(l, k);
            if (bulge != 0) o.real(42, bulge);
        }
    }
    for (const DrawnCircle& c : d.circles) {
        entityHead(o, h, "CIRCLE", c.layer);
        o.tag(100, "AcDbCircle");
        o.point(10, c.centre);
        o.real(40, c.radius);
    }
    for (const DrawnPoint& p : d.points) {
        entityHead(o, h, "POINT", p.layer);
        o.tag(100, "AcDbPoint");
        o.point(10, p.at);
    }
    for (const DrawnText& t : d.texts) {
        entityHead(o, h, "TEXT", t.layer);
        o.tag(100, "AcDbText");
        o.point(10, t.at);
        o.real(40, t.height);
        o.tag(1, textValue(t.text));
        o.real(50, cadRotation(t.bearing));
        o.tag(7, kDxfTextStyle);
        const int horizontal = t.hAlign == HAlign::Left ? 0 : t.hAlign == HAlign::Centre ? 1 : 2;
        const int vertical = t.vAlign == VAlign::Baseline ? 0 : t.vAlign == VAlign::Middle ? 2 : 3;
        if (horizontal) o.tag(72, horizontal);
        if (horizontal || vertical) o.point(11, t.at);
        o.tag(100, "AcDbText");
        if (vertical) o.tag(73, vertical);
    }
    o.tag(0, "ENDSEC");
}

void layoutObject(DxfOut& o, unsigned handle, unsigned owner, unsigned record, const char* name, bool model,
                  int tabOrder) {
    o.tag(0, "LAYOUT");
    o.handle(5, handle);
    o.handle(330, owner);
    o.tag(100, "AcDbPlotSettings");
    o.tag(1, "");
    o.tag(2, "none_device");
    o.tag(4, "ISO_A3_(420.00_x_297.00_MM)");
    o.tag(6, "");
    for (int code : {40, 41, 42, 43}) o.real(code, 7.5);
    o.real(44, kSheetLongMm);
    o.real(45, kSheetShortMm);
    for (int code : {46, 47, 48, 49, 140, 141}) o.real(code, 0.0);
    o.real(142, 1.0);
    o.real(143, 1.0);
    o.tag(70, model ? 1024 : 0);
    o.tag(72, 1);
    o.tag(73, 1);
    o.tag(74, 5);
    o.tag(7, "");
    o.tag(75, 16);
    o.tag(76, 0);
    o.tag(77, 2);
    o.tag(78, 300);
    o.real(147, 1.0);
    o.real(148, 0.0);
    o.real(149, 0.0);
    o.tag(100, "AcDbLayout");
    o.tag(1, name);
    o.tag(70, 1);
    o.tag(71, tabOrder);
    o.real(10, 0.0);
    o.real(20, 0.0);
    o.real(11, kSheetLongMm);
    o.real(21, kSheetShortMm);
    o.point(12, {});
    o.point(14, {1e20, 1e20});
    o.real(34, 1e20);
    o.point(15, {-1e20, -1e20});
    o.real(35, -1e20);
    o.real(146, 0.0);
    o.point(13, {});
    o.real(16, 1.0);
    o.real(26, 0.0);
    o.real(36, 0.0);
    o.real(17, 0.0);
    o.real(27, 1.0);
    o.real(37, 0.0);
    o.tag(76, 1);
    o.handle(330, record);
}

// The opening of a dictionary object (`kind` DICTIONARY or ACDBDICTIONARYWDFLT) owned by `owner`, then its
// entries: name, handle of the object it names.
void dictionary(DxfOut& o, const char* kind, unsigned handle, std::optional<unsigned> owner,
                std::initializer_list<std::pair<const char*, unsigned>> entries) {
    o.tag(0, kind);
    o.handle(5, handle);
    if (owner) o.handle(330, *owner);
    else o.tag(330, "0");
    o.tag(100, "AcDbDictionary");
    o.tag(281, 1);
    for (const auto& [name, target] : entries) {
        o.tag(3, name);
        o.handle(350, target);
    }
}

void objects(DxfOut& o, const Handles& h) {
    o.tag(0, "SECTION");
    o.tag(2, "OBJECTS");
    dictionary(o, "DICTIONARY", h.rootDictionary, std::nullopt,
               {{"ACAD_GROUP", h.groupDictionary},
                {"ACAD_LAYOUT", h.layoutDictionary},
                {"ACAD_PLOTSTYLENAME", h.plotStyleDictionary}});
    dictionary(o, "DICTIONARY", h.groupDictionary, h.rootDictionary, {});
    dictionary(o, "DICTIONARY", h.layoutDictionary, h.rootDictionary,
               {{"Layout1", h.paperLayout}, {"Model", h.modelLayout}});
    dictionary(o, "ACDBDICTIONARYWDFLT", h.plotStyleDictionary, h.rootDictionary, {{"Normal", h.plotStyleNormal}});
    o.tag(100, "AcDbDictionaryWithDefault");
    o.handle(340, h.plotStyleNormal);

    o.tag(0, "ACDBPLACEHOLDER");
    o.handle(5, h.plotStyleNormal);
    o.handle(330, h.plotStyleDictionary);

    layoutObject(o, h.modelLayout, h.layoutDictionary, h.modelRecord, "Model", true, 0);
    layoutObject(o, h.paperLayout, h.layoutDictionary, h.paperRecord, "Layout1", false, 1);
    o.tag(0, "ENDSEC");
}

}  // namespace

std::string DxfText(const PlanDrawing& d) {
    PlanBox box = DrawingBox(d);
    if (box.empty) box.add({});
    Handles h;
    DxfOut body;
    entities(body, d, h);  // takes the entity handles, so the header knows the next free one
    DxfOut o;
    header(o, d, h, box);
    tables(o, d, h, box);
    blocks(o, h);
    std::string text = o.text() + body.text();
    DxfOut tail;
    objects(tail, h);
    tail.tag(0, "EOF");
    return text + tail.text();
}

}  // namespace tavrel
