// The plan drawings of the example projects written as SVG and PDF and opened by real clients: rsvg-convert
// renders the SVG, pdfinfo and pdftoppm open the PDF. The files and their pictures stay in build/drawings/ to be
// looked at.
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSize>
#include <QStandardPaths>
#include <QString>

#include <cmath>

#include "app/window/DrawingExport.h"
#include "drawing/BuildPlan.h"
#include "drawing/ExampleDrawings.h"
#include "drawing/Sheet.h"
#include "input/LayoutFile.h"
#include "pedestal/Calculate.h"
#include "pedestal/TestRoads.h"

using namespace tavrel;
using tavrel::testing::kExampleNames;
using tavrel::testing::RunExample;

namespace {

QString OutputDir() {
    const QString dir = QStringLiteral(TAVREL_BUILD_ROOT "/drawings");
    QDir().mkpath(dir);
    return dir;
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

struct ProgramRun {
    int status = -1;
    QString out;
};

// Runs a program; status -1 when it could not be started.
ProgramRun Program(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForStarted(10000) || !p.waitForFinished(60000)) return {};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput())};
}

// Width and height of a PNG from its header.
QSize PngSize(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QByteArray h = f.read(24);
    if (h.size() < 24 || !h.startsWith("\x89PNG")) return {};
    const auto be32 = [&](int at) {
        return (static_cast<unsigned char>(h[at]) << 24) | (static_cast<unsigned char>(h[at + 1]) << 16) |
               (static_cast<unsigned char>(h[at + 2]) << 8) | static_cast<unsigned char>(h[at + 3]);
    };
    return QSize(be32(16), be32(20));
}

bool Have(const char* program) { return !QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty(); }

}  // namespace

TEST(DrawingExport, ExampleSvgRendersWithRsvgConvertAtTheSheetSize) {
    if (!Have("rsvg-convert")) GTEST_SKIP() << "rsvg-convert (librsvg2-bin) is not installed";
    for (const char* name : kExampleNames) {
        SCOPED_TRACE(name);
        const auto run = RunExample(name);
        ASSERT_FALSE(run.drawing.lines.empty());
        const auto sheets = LayoutSheets(run.drawing);
        ASSERT_EQ(sheets.size(), 1u);
        const SheetLayout& sheet = sheets.front();
        const QString svg = OutputDir() + "/" + name + ".svg", png = OutputDir() + "/" + name + ".png";
        const QByteArray bytes = window::SvgBytes(run.drawing);
        ASSERT_NO_FATAL_FAILURE(WriteAll(svg, bytes));
        EXPECT_TRUE(bytes.contains("width=\"") && bytes.contains("mm\""));
        QFile::remove(png);
        ASSERT_EQ(Program(QStringLiteral("rsvg-convert"), {QStringLiteral("-o"), png, svg}).status, 0);
        // The sheet at 96 dpi: an A3 sheet is 1587 x 1123 pixels, landscape or portrait.
        const QSize expected(static_cast<int>(std::lround(sheet.widthMm * 96 / 25.4)),
                             static_cast<int>(std::lround(sheet.heightMm * 96 / 25.4)));
        const QSize got = PngSize(png);
        EXPECT_LE(std::abs(got.width() - expected.width()), 1) << got.width();
        EXPECT_LE(std::abs(got.height() - expected.height()), 1) << got.height();
    }
}

TEST(DrawingExport, ExamplePdfIsOneA3PageThatPdftoppmRenders) {
    if (!Have("pdftoppm") || !Have("pdfinfo")) GTEST_SKIP() << "poppler-utils is not installed";
    for (const char* name : kExampleNames) {
        SCOPED_TRACE(name);
        const auto run = RunExample(name);
        const auto sheets = LayoutSheets(run.drawing);
        ASSERT_EQ(sheets.size(), 1u);
        const SheetLayout& sheet = sheets.front();
        const QString pdf = OutputDir() + "/" + name + ".pdf", stem = OutputDir() + "/" + name + "-pdf";
        ASSERT_NO_FATAL_FAILURE(WriteAll(pdf, window::PdfBytes(run.drawing)));
        const ProgramRun info = Program(QStringLiteral("pdfinfo"), {pdf});
        ASSERT_EQ(info.status, 0);
        EXPECT_TRUE(info.out.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n")))) << info.out.toStdString();
        // A3 in points: 1190.55 x 841.89, landscape or portrait as the sheet is.
        const auto size = QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts")).match(info.out);
        ASSERT_TRUE(size.hasMatch()) << info.out.toStdString();
        EXPECT_NEAR(size.captured(1).toDouble(), sheet.widthMm * 72 / 25.4, 1);
        EXPECT_NEAR(size.captured(2).toDouble(), sheet.heightMm * 72 / 25.4, 1);
        QFile::remove(stem + ".png");
        ASSERT_EQ(
            Program(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("50"), QStringLiteral("-png"),
                                                 QStringLiteral("-singlefile"), pdf, stem})
                .status,
            0);
        const QSize got = PngSize(stem + ".png");
        EXPECT_NEAR(std::max(got.width(), got.height()), 827, 2);  // 420 mm at 50 dpi
    }
}

TEST(DrawingExport, ADrawingLongerThanASheetTakesOnePdfPageAndOneSvgSheetPerSheet) {
    if (!Have("pdfinfo") || !Have("rsvg-convert")) GTEST_SKIP() << "poppler-utils or librsvg2-bin is not installed";
    struct Row {
        const char* name;
        ProjectData project;
        const char* layoutHead;
        double first, last, span;
    };
    const Row rows[] = {
        {"long", tavrel::testing::circularMainLine(), "75\r\n-10.5 -7 -3.5 3.5 7 10.5\r\n", 100, 1900, 40},
        {"loop", tavrel::testing::loopRamp(50, 200), "90\r\n-6 -3 3 6\r\n", 20, 380, 20},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::string text = row.layoutHead;
        int n = 0;
        for (double s = row.first; s <= row.last + 1e-9; s += row.span)
            text += std::to_string(n++) + "#墩 " + std::to_string(s) + " 1.5 0.3\r\n";
        const Road road = row.project.road(true);
        const PlanDrawing d =
            BuildPlanDrawing(road, CalculatePedestals(road, ReadLayoutFile(text, row.project.chainBreaks)));
        const auto sheets = LayoutSheets(d);
        const QString stem = OutputDir() + "/" + row.name;
        ASSERT_NO_FATAL_FAILURE(WriteAll(stem + ".pdf", window::PdfBytes(d)));
        const ProgramRun info =
            Program(QStringLiteral("pdfinfo"), {QStringLiteral("-l"), QStringLiteral("999"), stem + ".pdf"});
        ASSERT_EQ(info.status, 0);
        EXPECT_TRUE(info.out.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(sheets.size()))))
            << info.out.toStdString();
        // Each page as its sheet is turned.
        for (std::size_t k = 0; k < sheets.size(); ++k) {
            const auto size =
                QRegularExpression(QStringLiteral("Page\\s+%1 size:\\s+([\\d.]+) x ([\\d.]+) pts").arg(k + 1))
                    .match(info.out);
            ASSERT_TRUE(size.hasMatch()) << info.out.toStdString();
            EXPECT_NEAR(size.captured(1).toDouble(), sheets[k].widthMm * 72 / 25.4, 1) << k;
        }
        // The SVG holds the sheets one below the other.
        ASSERT_NO_FATAL_FAILURE(WriteAll(stem + ".svg", window::SvgBytes(d)));
        ASSERT_EQ(Program(QStringLiteral("rsvg-convert"), {QStringLiteral("-o"), stem + ".png", stem + ".svg"}).status,
                  0);
        double heightMm = -window::kSheetGapMm;
        for (const SheetLayout& s : sheets) heightMm += s.heightMm + window::kSheetGapMm;
        EXPECT_LE(std::abs(PngSize(stem + ".png").height() - heightMm * 96 / 25.4), 2);
        // A look at the pages.
        Program(QStringLiteral("pdftoppm"),
                {QStringLiteral("-r"), QStringLiteral("40"), QStringLiteral("-png"), stem + ".pdf", stem + "-page"});
    }
}
