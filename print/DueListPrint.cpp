#include "DueListPrint.h"

#include "PageDrawing.h"

#include <algorithm>
#include <array>

namespace taviro::print {
namespace {

constexpr int kLeft = 400;
constexpr int kHeadTop = 1150;
constexpr int kHeadHeight = 400;
constexpr int kRowHeight = 320;
constexpr int kCellPadding = 40;
constexpr int kTextSize = 150;

struct ColumnSpec
{
    const char* head;
    int width;
};

// Widths in 1/10000 of the page width; together they span the page between its margins.
constexpr std::array<ColumnSpec, 8> kColumns = {{{"Lp.", 400},
                                                 {"Komórka", 1500},
                                                 {"Imię i nazwisko", 1600},
                                                 {"Stanowisko", 1500},
                                                 {"Ostatnia ocena", 900},
                                                 {"Poziom", 900},
                                                 {"Termin", 1400},
                                                 {"Stan", 1000}}};

QString text(const std::string& value)
{
    return QString::fromStdString(value);
}

// The number, then the list's own cells.
std::array<QString, kColumns.size()> cells(const DueRow& row, int number)
{
    static_assert(kColumns.size() == kDueCellCount + 1);
    std::array<QString, kColumns.size()> values{QString::number(number)};
    const auto shown = dueCells(row);
    std::transform(shown.begin(), shown.end(), values.begin() + 1, text);
    return values;
}

// One row of boxes, each with its text cut to the box.
void drawRow(PageDrawing& draw, int top, int height, const std::array<QString, kColumns.size()>& values,
             FontStyle style)
{
    int x = kLeft;
    for (std::size_t column = 0; column < kColumns.size(); ++column) {
        const int width = kColumns[column].width;
        draw.box({x, top, width, height});
        const Align align = column == 0 ? Align::Right : Align::Left;
        draw.text({x + kCellPadding, top, width - 2 * kCellPadding, height}, values[column], align, kTextSize, style);
        x += width;
    }
}

void drawHeading(PageDrawing& draw, const QString& filters, const Date& today)
{
    draw.text({kLeft, 350, 6000, 400}, dueListJobTitle(), Align::Left, 260, FontStyle::Bold);
    draw.text({6400, 350, 3200, 400}, QStringLiteral("Stan na dzień ") + text(formatDate(today)), Align::Right,
              kTextSize);
    draw.text({kLeft, 750, 9200, 300}, filters, Align::Left, kTextSize);
    std::array<QString, kColumns.size()> heads;
    for (std::size_t column = 0; column < kColumns.size(); ++column)
        heads[column] = QString::fromUtf8(kColumns[column].head);
    drawRow(draw, kHeadTop, kHeadHeight, heads, FontStyle::Bold);
}

} // namespace

QString dueListJobTitle()
{
    return QStringLiteral("Terminy ocen okresowych");
}

void printDueList(PrintCanvas& canvas, const std::vector<DueRow>& rows, const QString& filters, const Date& today)
{
    PageDrawing draw(canvas);
    const int pages = std::max<int>(1, static_cast<int>((rows.size() + kDueRowsPerPage - 1) / kDueRowsPerPage));
    canvas.beginJob(dueListJobTitle(), Orientation::Landscape);
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            canvas.newPage();
        drawHeading(draw, filters, today);
        const std::size_t first = static_cast<std::size_t>(page) * kDueRowsPerPage;
        const std::size_t end = std::min(rows.size(), first + kDueRowsPerPage);
        int top = kHeadTop + kHeadHeight;
        for (std::size_t i = first; i < end; ++i, top += kRowHeight)
            drawRow(draw, top, kRowHeight, cells(rows[i], static_cast<int>(i) + 1), FontStyle::None);
        if (rows.empty())
            draw.text({kLeft, top, 9200, kRowHeight}, QStringLiteral("Brak pracowników do wykazania."), Align::Left,
                      kTextSize);
        draw.text({kLeft, 9500, 9200, 300}, QStringLiteral("Strona %1 z %2").arg(page + 1).arg(pages), Align::Centre,
                  kTextSize);
    }
    canvas.endJob();
}

} // namespace taviro::print
