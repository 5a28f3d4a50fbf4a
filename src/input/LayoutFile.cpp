#include "input/LayoutFile.h"

#include <cctype>
#include <cmath>

#include "common/Errors.h"
#include "common/NumberText.h"
#include "common/Plane.h"
#include "common/TextFile.h"
#include "common/Tokenize.h"
#include "input/RecordValues.h"

namespace tavrel {

namespace {

bool isAxisPrefix(char c) { return c == 'L' || c == 'X' || c == 'l' || c == 'x'; }

double strictValue(std::string_view token) {
    const auto v = StrictNumber(token);
    if (!v) throw FormatError("layout value is not a number");
    return *v;
}

// Token 5 of a pier line (any case; the English letters L, R and LR stand for the Chinese initials Z, Y and
// ZY); "ZY" when the line does not have exactly five tokens.
SideMark sideMarkOf(const std::vector<std::string>& tokens, std::size_t pierLine) {
    if (tokens.size() != 5) return SideMark::Both;
    std::string mark = tokens[4];
    for (char& c : mark) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (mark == "ZY" || mark == "LR") return SideMark::Both;
    if (mark == "Z" || mark == "L") return SideMark::Left;
    if (mark == "Y" || mark == "R") return SideMark::Right;
    throw RejectedText("错误", "垫石设置资料第 " + std::to_string(pierLine) + " 行数据中左右标识标识有误！", true);
}

// More piers or pedestals than one calculation takes: the user is told the limit.
RejectedText overLimit(const std::string& what) {
    return RejectedText("数据有误", "垫石设置资料的" + what + "超过" + std::to_string(kMaxLayoutCount) +
                                        "（一次计算的上限），请分成几个文件计算！");
}

}  // namespace

PedestalLayout ReadLayoutFile(std::string_view text, const ChainBreakTable& chainBreaks,
                              std::optional<EarlyEnd>* earlyEnd, std::vector<PartlyReadToken>* partlyRead) {
    PedestalLayout layout;
    HeaderReader header(text);
    layout.skewAngle = header.number();
    const double sinSkew = std::sin(DegreesToRadians(layout.skewAngle));

    const RecordLines records = header.records();
    if (records.lines.empty()) throw FormatError("no pedestal line");
    AtLine(records.firstLine, records.lines[0], [&] {
        const auto distances = TokenizeLine(records.recordText(0));
        if (!distances) throw FormatError("empty pedestal line");
        if (distances->size() > kMaxLayoutCount) throw overLimit("垫石数");
        for (const std::string& t : *distances) {
            if (!t.empty() && isAxisPrefix(t.front())) layout.pedestalDistances.push_back(strictValue(t.substr(1)));
            else layout.pedestalDistances.push_back(CheckedDiv(strictValue(t), sinSkew));
        }
    });

    const std::size_t pedestals = layout.pedestalDistances.size();
    ForEachRecord(records, 1, earlyEnd, [&](const std::vector<std::string>& t) {
        if (layout.piers.size() == kMaxLayoutCount) throw overLimit("墩台数");
        if ((layout.piers.size() + 1) * pedestals > kMaxPedestalValues)
            throw RejectedText("数据有误", "垫石设置资料的墩台数与垫石数之积超过" + std::to_string(kMaxPedestalValues) +
                                               "（一次计算的上限），请分成几个文件计算！");
        if (t.size() < 4) throw FormatError("pier line needs four values");
        PierRecord pier;
        pier.pierName = t[0];
        // Pier lines have no blank line between them: pier k is line k of the pier lines.
        pier.line = records.firstLine + 1 + layout.piers.size();
        const PierStation st = PierStationOfText(chainBreaks, t[1], layout.skewAngle);
        NoteStationText(t[1], PierStationTextAsRead(t[1]), pier.line, partlyRead);
        pier.baseStation = st.baseStation;
        pier.stationShift = st.stationShift;
        pier.referenceStation = pier.baseStation + pier.stationShift;
        pier.referenceNominalStation = WrittenStation(chainBreaks, pier.referenceStation);
        pier.deckToTopDepth = strictValue(t[2]);
        pier.designPedestalHeight = strictValue(t[3]);
        pier.sideMark = sideMarkOf(t, layout.piers.size() + 1);
        layout.piers.push_back(std::move(pier));
    });
    if (layout.piers.empty()) throw FormatError("no pier line");
    return layout;
}

}  // namespace tavrel
