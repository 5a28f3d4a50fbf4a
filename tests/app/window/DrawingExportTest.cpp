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
#include "drawing/ExampleDrawings.h"
#include "drawing/Sheet.h"

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
        const SheetLayout sheet = LayoutOnSheet(run.drawing);
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
        const SheetLayout sheet = LayoutOnSheet(run.drawing);
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
