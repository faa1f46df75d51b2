// Parts A and B of the printed sheet.
#include "SheetParts.h"

#include "SheetPrint.h"

#include "RecordKeys.h"

namespace taviro::print {
namespace {

namespace key = keys::appraisal;

constexpr int kCriterionRows = 12;

int criterionRowTop(int row)
{
    return 1700 + 250 * (row - 1);
}

void drawCriterionRow(PageDrawing& draw, int row, const QString& criterion)
{
    const int top = criterionRowTop(row);
    draw.box({500, top, 500, 250});
    draw.text({550, top + 25, 400, 200}, QString::number(row) + QLatin1Char('.'), Align::Right, 140);
    draw.box({1000, top, 8500, 250});
    draw.text({1050, top + 25, 8400, 200}, criterion, Align::Left, 140);
}

// The chosen criteria in their rows; the additional criterion takes the first row without one,
// or row 12 after eleven chosen ones.
void drawCriteria(const SheetPage& page)
{
    QString pending = page.value(key::kCriterionName);
    for (int row = 1; row < kCriterionRows; ++row) {
        const QString chosen = page.value(key::criterion(row));
        if (!chosen.isEmpty()) {
            drawCriterionRow(page.draw, row, chosen);
        } else if (!pending.isEmpty()) {
            drawCriterionRow(page.draw, row, pending);
            pending.clear();
        }
    }
    if (!pending.isEmpty())
        drawCriterionRow(page.draw, kCriterionRows, pending);
}

void drawCriteriaTable(const SheetPage& page)
{
    PageDrawing& draw = page.draw;
    page.captionStrip({500, 1100, 9000, 250},
                      QStringLiteral("I. Kryteria oceny i termin sporządzenia oceny na piśmie"));
    draw.box({500, 1450, 500, 250});
    draw.text({550, 1475, 400, 200}, QStringLiteral("Nr"), Align::Centre, 140);
    draw.box({1000, 1450, 8500, 250});
    draw.text({1050, 1475, 8400, 200}, QStringLiteral("Kryteria wybrane przez bezpośredniego przełożonego"),
              Align::Centre, 140);
    drawCriteria(page);
}

void drawEvaluator(const SheetPage& page)
{
    PageDrawing& draw = page.draw;
    draw.text({500, 5200, 9000, 200}, QStringLiteral("Sporządzenie oceny na piśmie nastąpi w"), Align::Left, 140);
    draw.text({3900, 5200, 6000, 200},
              monthInLocative(page.value(key::kGradeMonth)) + QLatin1Char(' ') + page.value(key::kGradeYear),
              Align::Left, 140, FontStyle::Bold);
    page.valueOver({500, 5500, 4500, 150}, {500, 5650, 4500, 150}, key::kGradeName,
                   QStringLiteral("(imię i nazwisko oceniającego)"));
    page.valueOver({5000, 5500, 4500, 150}, {5000, 5650, 4500, 150}, key::kGradePosition,
                   QStringLiteral("(stanowisko)"));
    page.valueOver({500, 5950, 4500, 150}, {500, 6100, 4500, 150}, key::kGradeDate,
                   QStringLiteral("(data rozpoczęcia pracy na obecnym stanowisku)"));
    draw.text({5000, 5950, 4500, 150}, dottedLine(), Align::Centre, 120);
    draw.text({5000, 6100, 4500, 150}, QStringLiteral("(data i podpis oceniającego)"), Align::Centre, 120);
}

void drawApproval(const SheetPage& page)
{
    PageDrawing& draw = page.draw;
    page.captionStrip({500, 6400, 9000, 250},
                      QStringLiteral("II. Zatwierdzenie kryteriów oceny przez kierownika jednostki"));
    draw.text({500, 6700, 9000, 200},
              QStringLiteral("Uwagi kierownika jednostki do kryteriów wybranych przez bezpośredniego przełożonego:"),
              Align::Left, 140);
    draw.paragraph({500, 6900, 9000, 150}, page.value(key::kBossNote), Align::Centre, 3, 140, FontStyle::Bold);
    page.valueOver({500, 8050, 4500, 150}, {500, 8200, 4500, 150}, key::kBossName,
                   QStringLiteral("(imię i nazwisko kierownika jednostki)"));
    draw.text({5000, 8050, 4500, 150}, dottedLine(), Align::Centre, 120);
    draw.text({5000, 8200, 4500, 150}, QStringLiteral("(data i podpis kierownika jednostki)"), Align::Centre, 120);
}

void drawAcknowledgement(const SheetPage& page)
{
    PageDrawing& draw = page.draw;
    draw.box({500, 8600, 9000, 10});
    draw.text({500, 8700, 9000, 200},
              QStringLiteral("Zapoznałam/-łem się z kryteriami oceny oraz terminem sporządzenia oceny na piśmie"),
              Align::Left, 140);
    draw.text({500, 9000, 3000, 200}, page.value(key::kBossCity), Align::Centre, 140, FontStyle::Bold);
    draw.text({500, 9150, 3000, 150}, QStringLiteral("(miejscowość)"), Align::Centre, 120);
    draw.text({3500, 9000, 3000, 150}, dottedLine(), Align::Centre, 120);
    draw.text({3500, 9150, 3000, 150}, QStringLiteral("(dzień, miesiąc, rok)"), Align::Centre, 120);
    draw.text({6500, 9000, 3000, 150}, dottedLine(), Align::Centre, 120);
    draw.text({6500, 9150, 3000, 150}, QStringLiteral("(podpis ocenianego)"), Align::Centre, 120);
}

} // namespace

void drawPartA(const SheetPage& page)
{
    PageDrawing& draw = page.draw;
    draw.text({500, 1100, 9000, 150}, page.value(key::kFirm), Align::Left, 140, FontStyle::Bold);
    draw.text({500, 1250, 9000, 150}, QStringLiteral("(nazwa jednostki)"), Align::Centre, 120);
    page.captionStrip({500, 1600, 9000, 250}, QStringLiteral("I. Dane dotyczące ocenianego pracownika samorządowego"));
    page.labelled(500, 1000, 8500, 2000, QStringLiteral("Imię"), key::kName);
    page.labelled(500, 1400, 8500, 2200, QStringLiteral("Nazwisko"), key::kSurname);
    page.labelled(500, 2500, 8500, 2400, QStringLiteral("Komórka organizacyjna"), key::kCell);
    page.labelled(500, 1550, 8500, 2600, QStringLiteral("Stanowisko"), key::kPosition);
    page.labelled(500, 4450, 8500, 2800, QStringLiteral("Data zatrudnienia na stanowisku urzędniczym"), key::kDate1);
    page.labelled(500, 4450, 8500, 3000, QStringLiteral("Data rozpoczęcia pracy na obecnym stanowisku"), key::kDate2);
    page.captionStrip({500, 3400, 9000, 250}, QStringLiteral("II. Dane dotyczące poprzedniej oceny"));
    page.labelled(500, 1800, 8500, 3800, QStringLiteral("Ocena/poziom"), key::kOldGrade);
    page.labelled(500, 2150, 8500, 4000, QStringLiteral("Data sporządzenia"), key::kOldDate);
    draw.text({500, 9000, 3000, 200}, page.value(key::kCity), Align::Centre, 140, FontStyle::Bold);
    draw.text({500, 9150, 3000, 150}, QStringLiteral("(miejscowość)"), Align::Centre, 120);
    draw.footer(page.value(key::kDate), 140, FontStyle::Bold,
                QStringLiteral("(pieczątka i podpis osoby wypełniającej)"));
}

void drawPartB(const SheetPage& page)
{
    drawCriteriaTable(page);
    drawEvaluator(page);
    drawApproval(page);
    drawAcknowledgement(page);
}

} // namespace taviro::print
