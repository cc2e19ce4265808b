#include "print.h"

#include "engine/puzzle_number.h"
#include "engine/random_source.h"
#include "ordered_map.h"
#include "render/puzzle_sheet.h"

#include <QBuffer>
#include <QDateTime>
#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <cstdio>
#include <vector>

namespace kelvaro::puzzles {

namespace {

// Painter units: fine enough that every line and letter lands where it is meant to.
constexpr int pdfDotsPerInch = 1200;
constexpr int svgUnitsPerInch = 300;
constexpr double mmPerInch = 25.4;

// The puzzle a number names, made as the game makes it for Play by number. A unique number
// whose search gives up names the plain puzzle of its seed, under the plain number.
PrintedPuzzle numberedPuzzle(const PuzzleNumber& number) {
    PrintedPuzzle puzzle;
    Mt19937Source random(number.seed);
    PuzzleNumber named = number;
    if (!generateNumberedPuzzle(puzzle.board, random, number)) named.unique = uniqueOff;
    puzzle.number = QString::fromLatin1(formatPuzzleNumber(named).view());
    return puzzle;
}

std::vector<PrintedPuzzle> makePuzzles(const Options& options, std::uint32_t firstSeed) {
    std::vector<PrintedPuzzle> puzzles;
    puzzles.reserve(options.count);
    std::uint32_t made = 0;
    mapInOrder<PuzzleNumber, PrintedPuzzle>(
        options.jobs,
        [&](PuzzleNumber& number) {
            if (made == options.count) return false;
            number = {static_cast<std::int16_t>(options.size), firstSeed + made,
                      options.unique ? options.choice : uniqueOff};
            ++made;
            return true;
        },
        numberedPuzzle,
        [&](const PuzzleNumber&, PrintedPuzzle& puzzle) {
            puzzles.push_back(std::move(puzzle));
            return true;
        });
    return puzzles;
}

QPageSize pageSize(Paper paper) {
    return QPageSize(paper == Paper::letter ? QPageSize::Letter : QPageSize::A4);
}

bool cannotWrite(const QString& path, const QString& reason) {
    std::fprintf(stderr, "kelvaro-puzzles: cannot write '%s': %s\n", path.toLocal8Bit().constData(),
                 reason.toLocal8Bit().constData());
    return false;
}

// Qt dates a PDF when it writes it. With SOURCE_DATE_EPOCH set, as reproducible builds do, the
// document is dated then instead, so that the same command gives the same bytes; the date has
// the same length either way, so no offset in the file moves.
void dateFromSourceEpoch(QByteArray& pdf) {
    const QByteArray epoch = qgetenv("SOURCE_DATE_EPOCH");
    bool ok = false;
    const qint64 seconds = epoch.toLongLong(&ok);
    if (!ok || seconds < 0) return;
    const QByteArray key = "/CreationDate (D:";
    const qsizetype at = pdf.indexOf(key);
    // Qt writes the local time, then its offset from UTC; only the local time is replaced.
    const QByteArray stamp = QDateTime::fromSecsSinceEpoch(seconds)
                                 .toString(QStringLiteral("yyyyMMddHHmmss"))
                                 .toLatin1();
    if (at < 0 || stamp.size() != 14 || at + key.size() + stamp.size() > pdf.size()) return;
    pdf.replace(at + key.size(), stamp.size(), stamp);
}

// The whole document is made in memory, then goes to a temporary file beside the output, which
// replaces the output only once complete.
bool writePdf(const Options& options, const std::vector<PrintedPuzzle>& puzzles) {
    const QString path = QString::fromLocal8Bit(options.output.c_str());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return cannotWrite(path, file.errorString());
    QBuffer document;
    document.open(QIODevice::WriteOnly);
    QPdfWriter writer(&document);
    writer.setResolution(pdfDotsPerInch);
    writer.setPageSize(pageSize(options.paper));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setTitle(QStringLiteral("Kelvaro puzzles"));
    writer.setCreator(QStringLiteral("kelvaro-puzzles"));
    const SheetLayout layout{options.perPage, options.solutions};
    const int pages = sheetPageCount(static_cast<int>(puzzles.size()), layout);
    QPainter painter;
    if (!painter.begin(&writer)) return cannotWrite(path, document.errorString());
    const QRectF area(0, 0, writer.width(), writer.height());
    for (int page = 0; page < pages; ++page) {
        if (page > 0) writer.newPage();
        paintSheetPage(painter, area, pdfDotsPerInch / mmPerInch, puzzles, layout, page);
    }
    painter.end();
    QByteArray bytes = document.data();
    dateFromSourceEpoch(bytes);
    if (file.write(bytes) != bytes.size() || !file.commit())
        return cannotWrite(path, file.errorString());
    return true;
}

QByteArray svgPage(const Options& options, const std::vector<PrintedPuzzle>& puzzles, int page) {
    const QSizeF millimetres = pageSize(options.paper).size(QPageSize::Millimeter);
    const double unitsPerMm = svgUnitsPerInch / mmPerInch;
    const QSize units(static_cast<int>(millimetres.width() * unitsPerMm + 0.5),
                      static_cast<int>(millimetres.height() * unitsPerMm + 0.5));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setResolution(svgUnitsPerInch);
    generator.setSize(units);
    generator.setViewBox(QRect(QPoint(0, 0), units));
    generator.setTitle(QStringLiteral("Kelvaro puzzles"));
    QPainter painter(&generator);
    paintSheetPage(painter, QRectF(QPoint(0, 0), units), unitsPerMm, puzzles,
                   {options.perPage, options.solutions}, page);
    painter.end();
    return buffer.data();
}

// Every page is made before the first file is written; should one file fail, the pages
// already written are taken away again.
bool writeSvgPages(const Options& options, const std::vector<PrintedPuzzle>& puzzles) {
    const int pages =
        sheetPageCount(static_cast<int>(puzzles.size()), {options.perPage, options.solutions});
    std::vector<QByteArray> contents;
    for (int page = 0; page < pages; ++page) contents.push_back(svgPage(options, puzzles, page));
    std::vector<QString> written;
    for (int page = 0; page < pages; ++page) {
        const QString path = QString::fromLocal8Bit(svgPageName(options.output, page + 1).c_str());
        QSaveFile file(path);
        const bool saved = file.open(QIODevice::WriteOnly) &&
                           file.write(contents[static_cast<std::size_t>(page)]) ==
                               contents[static_cast<std::size_t>(page)].size() &&
                           file.commit();
        if (!saved) {
            for (const QString& done : written) QFile::remove(done);
            return cannotWrite(path, file.errorString());
        }
        written.push_back(path);
    }
    return true;
}

} // namespace

std::string svgPageName(const std::string& output, int page) {
    const std::string suffix = ".svg";
    const bool named = output.size() > suffix.size() &&
                       output.compare(output.size() - suffix.size(), suffix.size(), suffix) == 0;
    const std::string stem = named ? output.substr(0, output.size() - suffix.size()) : output;
    return stem + "-" + std::to_string(page) + suffix;
}

int printPuzzles(const Options& options, std::uint32_t firstSeed) {
    const std::vector<PrintedPuzzle> puzzles = makePuzzles(options, firstSeed);
    const bool written = options.format == Format::svg ? writeSvgPages(options, puzzles)
                                                       : writePdf(options, puzzles);
    return written ? 0 : 2;
}

} // namespace kelvaro::puzzles
