#include "input/LandXmlDocument.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <memory>

#include "common/NumberText.h"
#include "common/TextFile.h"
#include "interchange/ElementChain.h"

namespace tavrel::landxml {

namespace {

constexpr std::size_t kDeclarationSearch = 1024;  // bytes: the XML declaration comes first and is short

bool IsXmlSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view TrimXmlSpace(std::string_view s) {
    while (!s.empty() && IsXmlSpace(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsXmlSpace(s.back())) s.remove_suffix(1);
    return s;
}

// A located error at byte `pos` of bytes that are not text in the declared encoding.
[[noreturn]] void FailAtByte(std::string_view bytes, std::size_t pos, const std::string& text) {
    LandXmlError e(text);
    e.where = ByteLocation(bytes, pos);
    throw e;
}

// The value of the declaration's encoding pseudo-attribute; empty when the file has no declaration or no
// encoding in it (then it is UTF-8).
std::string DeclaredEncoding(std::string_view bytes) {
    if (bytes.substr(0, 5) != "<?xml") return {};
    const std::string_view decl = bytes.substr(0, std::min(bytes.find("?>"), kDeclarationSearch));
    const std::size_t key = decl.find("encoding");
    if (key == std::string_view::npos) return {};
    std::size_t i = key + 8;
    while (i < decl.size() && IsXmlSpace(decl[i])) ++i;
    if (i >= decl.size() || decl[i] != '=') return {};
    ++i;
    while (i < decl.size() && IsXmlSpace(decl[i])) ++i;
    if (i >= decl.size() || (decl[i] != '"' && decl[i] != '\'')) return {};
    const std::size_t close = decl.find(decl[i], i + 1);
    if (close == std::string_view::npos) return {};
    return std::string(decl.substr(i + 1, close - i - 1));
}

// The iconv name of a declared encoding the reader takes; empty for any other. Every one keeps ASCII as it is,
// so line ends and markup stay at their bytes. GB18030 decodes GB2312 and GBK text as well.
std::string IconvName(std::string_view declared) {
    for (const char* name : {"UTF-8", "UTF8", "US-ASCII", "ASCII"})
        if (SameWord(declared, name)) return "UTF-8";
    for (const char* name : {"ISO-8859-1", "ISO8859-1", "Latin1", "Latin-1"})
        if (SameWord(declared, name)) return "ISO-8859-1";
    for (const char* name : {"Windows-1252", "CP1252"})
        if (SameWord(declared, name)) return "CP1252";
    for (const char* name : {"GBK", "GB2312", "GB18030", "CP936", "x-gbk", "EUC-CN"})
        if (SameWord(declared, name)) return "GB18030";
    return {};
}

// The bytes in UTF-8; bytes that are not text in the encoding are a located error.
std::string ToUtf8(std::string_view bytes, const std::string& iconvName, const std::string& declared) {
    iconv_t cd = iconv_open("UTF-8", iconvName.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) throw LandXmlError("本机不能解码 " + declared + " 编码的文件");
    std::unique_ptr<void, int (*)(iconv_t)> guard(cd, iconv_close);
    std::string out(bytes.size() + bytes.size() / 2 + 16, '\0');
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size(), done = 0;
    while (inLeft > 0) {
        char* dst = out.data() + done;
        std::size_t outLeft = out.size() - done;
        const std::size_t r = iconv(cd, &in, &inLeft, &dst, &outLeft);
        done = out.size() - outLeft;
        if (r != static_cast<std::size_t>(-1)) break;
        if (errno == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        const std::string encoding = declared.empty() ? "UTF-8" : declared;
        FailAtByte(bytes, static_cast<std::size_t>(in - bytes.data()), "文件内容不是有效的 " + encoding + " 文本");
    }
    out.resize(done);
    return out;
}

std::string DecodeXmlBytes(std::string_view bytes) {
    if (bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF")
        throw LandXmlError("不支持 UTF-16 编码的 LandXML 文件，请存为 UTF-8");
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") return ToUtf8(bytes.substr(3), "UTF-8", "UTF-8");
    const std::string declared = DeclaredEncoding(bytes);
    const std::string name = declared.empty() ? "UTF-8" : IconvName(declared);
    if (name.empty()) {
        LandXmlError e("不支持文件声明的编码“" + declared + "”（支持 UTF-8、ISO-8859-1、Windows-1252、GBK、GB18030）");
        e.where = SourceLocation{{}, 1, std::string(LineAt(bytes, 0))};
        throw e;
    }
    return ToUtf8(bytes, name, declared);
}

std::string ParseProblem(pugi::xml_parse_status status) {
    switch (status) {
        case pugi::status_no_document_element: return "文件中没有 XML 元素";
        case pugi::status_bad_start_element:
        case pugi::status_bad_attribute: return "元素的开始标记或属性写法有误";
        case pugi::status_bad_end_element:
        case pugi::status_end_element_mismatch: return "结束标记与开始标记不配对";
        case pugi::status_unrecognized_tag: return "无法识别的标记";
        default: return "XML 语法有误";
    }
}

}  // namespace

std::string_view LocalName(pugi::xml_node node) {
    const std::string_view name = node.name();
    const std::size_t colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

pugi::xml_node Child(pugi::xml_node parent, std::string_view localName) {
    for (pugi::xml_node c = parent.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element && LocalName(c) == localName) return c;
    return {};
}

std::vector<pugi::xml_node> Children(pugi::xml_node parent, std::string_view localName) {
    std::vector<pugi::xml_node> found;
    for (pugi::xml_node c = parent.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element && LocalName(c) == localName) found.push_back(c);
    return found;
}

Document::Document(std::string_view bytes) : text_(DecodeXmlBytes(bytes)), parsed_(text_) {
    lineStarts_.push_back(0);
    for (std::size_t i = 0; i < text_.size(); ++i) {
        if (text_[i] == '\r' && i + 1 < text_.size() && text_[i + 1] == '\n') ++i;
        if (text_[i] == '\r' || text_[i] == '\n') lineStarts_.push_back(i + 1);
    }
    const pugi::xml_parse_result r =
        doc_.load_buffer_inplace(parsed_.data(), parsed_.size(), pugi::parse_default, pugi::encoding_utf8);
    if (!r) {
        LandXmlError e("文件不是格式正确的 XML：" + ParseProblem(r.status));
        e.where = whereLine(lineAtOffset(static_cast<std::size_t>(std::max<std::ptrdiff_t>(r.offset, 0))));
        throw e;
    }
    if (LocalName(root()) != "LandXML") {
        LandXmlError e("文件不是 LandXML 文件（根元素是 " + std::string(root().name()) + "）");
        e.where = where(root());
        throw e;
    }
}

std::size_t Document::lineAtOffset(std::size_t offset) const {
    return static_cast<std::size_t>(std::upper_bound(lineStarts_.begin(), lineStarts_.end(), offset) -
                                    lineStarts_.begin());
}

std::size_t Document::lineOf(pugi::xml_node node) const {
    const std::ptrdiff_t offset = node.offset_debug();
    return offset < 0 ? 0 : lineAtOffset(static_cast<std::size_t>(offset));
}

SourceLocation Document::whereLine(std::size_t line) const {
    if (line == 0 || line > lineStarts_.size()) return {};
    return SourceLocation{{}, line, std::string(LineAt(text_, lineStarts_[line - 1]))};
}

SourceLocation Document::where(pugi::xml_node node) const { return whereLine(lineOf(node)); }

void Document::fail(pugi::xml_node node, const std::string& text) const {
    LandXmlError e(text);
    e.where = where(node);
    throw e;
}

void Document::warn(pugi::xml_node node, const std::string& text) { warnings_.push_back({text, where(node)}); }

Units::Units(Document& doc) {
    const pugi::xml_node units = Child(doc.root(), "Units");
    pugi::xml_node system = Child(units, "Metric");
    if (!system) system = Child(units, "Imperial");
    if (!system) {
        doc.warn(units ? units : doc.root(), "LandXML 文件未给出长度和角度单位，按米和弧度读取");
        return;
    }
    const std::string_view linear = AttributeText(system, "linearUnit");
    struct LinearUnit {
        const char* name;
        double multiplier, divisor;
    };
    // The survey foot is 1200/3937 m exactly; dividing last keeps that exact ratio.
    constexpr LinearUnit kLinear[] = {{"meter", 1, 1},        {"millimeter", 1, 1000}, {"centimeter", 1, 100},
                                      {"kilometer", 1000, 1}, {"foot", 0.3048, 1},     {"USSurveyFoot", 1200, 3937}};
    const auto found = std::find_if(std::begin(kLinear), std::end(kLinear),
                                    [&](const LinearUnit& u) { return SameWord(linear, u.name); });
    if (found == std::end(kLinear)) {
        const std::string unit =
            linear.empty() ? "未给出长度单位（linearUnit）" : "不支持的长度单位“" + std::string(linear) + "”";
        doc.fail(system, unit + "（支持 meter、millimeter、centimeter、kilometer、foot、USSurveyFoot）");
    }
    multiplier_ = found->multiplier;
    divisor_ = found->divisor;

    const auto angle = [&](const char* attribute) {
        const std::string_view a = AttributeText(system, attribute);
        if (a.empty() || SameWord(a, "radians")) return Angle::Radians;
        if (SameWord(a, "decimal degrees")) return Angle::Degrees;
        if (SameWord(a, "grads")) return Angle::Grads;
        if (SameWord(a, "decimal dd.mm.ss")) return Angle::DegreesMinutesSeconds;
        doc.fail(system,
                 "不支持的角度单位“" + std::string(a) + "”（支持 radians、decimal degrees、grads、decimal dd.mm.ss）");
    };
    angle("angularUnit");  // checked; no angle the reader uses is written in it
    direction_ = angle("directionUnit");
}

double Units::directionRadians(double value) const {
    switch (direction_) {
        case Angle::Radians: return value;
        case Angle::Degrees: return DegreesToRadians(value);
        case Angle::Grads: return kPi * value / 200;
        case Angle::DegreesMinutesSeconds: return DegreesToRadians(DmsToDegrees(value));
    }
    return value;
}

std::string_view AttributeText(pugi::xml_node node, const char* attribute) {
    return TrimXmlSpace(node.attribute(attribute).value());
}

bool SameWord(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

std::optional<double> OptionalNumber(const Document& doc, pugi::xml_node node, const char* attribute) {
    if (!node.attribute(attribute)) return std::nullopt;
    const std::string_view text = AttributeText(node, attribute);
    const std::optional<double> v = StrictNumber(text);
    if (!v || !std::isfinite(*v))
        doc.fail(node, std::string(LocalName(node)) + " 的 " + attribute + " 不是数值：“" + std::string(text) + "”");
    return v;
}

double RequiredNumber(const Document& doc, pugi::xml_node node, const char* attribute) {
    const std::optional<double> v = OptionalNumber(doc, node, attribute);
    if (!v) doc.fail(node, std::string(LocalName(node)) + " 缺少 " + attribute + " 属性");
    return *v;
}

std::vector<double> TextNumbers(const Document& doc, pugi::xml_node node, std::size_t least, std::size_t most) {
    const std::string_view text = TrimXmlSpace(node.child_value());
    const std::string problem = std::string(LocalName(node)) + " 的内容应为 " + std::to_string(least) +
                                (least == most ? "" : " 到 " + std::to_string(most)) + " 个数值：“" +
                                std::string(text) + "”";
    std::vector<double> values;
    for (std::string_view rest = text; !rest.empty(); rest = TrimXmlSpace(rest)) {
        std::size_t end = 0;
        while (end < rest.size() && !IsXmlSpace(rest[end])) ++end;
        const std::optional<double> v = StrictNumber(rest.substr(0, end));
        if (!v || !std::isfinite(*v) || values.size() == most) doc.fail(node, problem);
        values.push_back(*v);
        rest.remove_prefix(end);
    }
    if (values.size() < least) doc.fail(node, problem);
    return values;
}

std::optional<Point> PointChild(const Document& doc, const Units& units, pugi::xml_node node, std::string_view name) {
    const pugi::xml_node p = Child(node, name);
    if (!p) return std::nullopt;
    const std::vector<double> v = TextNumbers(doc, p, 2, 3);
    return Point{units.metres(v[0]), units.metres(v[1])};  // northing is x, easting y
}

}  // namespace tavrel::landxml
