// Parts C, D and E of the printed sheet.
#include "SheetParts.h"

#include "RecordKeys.h"

#include <array>

namespace taviro::print {
namespace {

namespace key = keys::appraisal;

// The guidance printed above the opinion, as page C shows it.
QString opinionGuidance()
{
    return QStringLiteral("Należy napisać, w jaki sposób oceniany wykonywał obowiązki w okresie, w którym podlegał "
                          "ocenie, czy spełniał ustawowe kryteria oceny. Jeżeli pracownik wykonywał w okresie, w "
                          "którym podlegał ocenie, dodatkowe zadania, które nie wynikają z opisu zajmowanego przez "
                          "niego stanowiska, należy je wskazać.");
}

struct LevelBlock
{
    int top;
    const char16_t* label;
    const char* value; // as SECTIONDGRADE= holds it
    int descriptionTop;
    const char16_t* description;
};

// clang-format off
const std::array<LevelBlock, 4> kLevelBlocks = {{
    {2500, u"bardzo dobrym", "4", 3100,
     u"Wykonywał wszystkie obowiązki wynikające z opisu stanowiska w sposób często przewyższający oczekiwania. W "
     u"razie konieczności podjął się wykonywania zadań dodatkowych i wykonał je zgodnie z ustalonymi standardami. W "
     u"trakcie wykonywania obowiązków stale spełniał wszystkie kryteria oceny wymienione w części B."},
    {3800, u"dobrym", "3", 4400,
     u"Wykonywał wszystkie obowiązki wynikające z opisu stanowiska pracy w sposób odpowiadający oczekiwaniom. W "
     u"trakcie wykonywania obowiązków stale spełniał większość kryteriów oceny wymienionych w części B."},
    {4950, u"zadowalającym", "2", 5550,
     u"Większość obowiązków wynikających z opisu stanowiska pracy wykonywał w sposób odpowiadający oczekiwaniom. W "
     u"trakcie wykonywania obowiązków stale spełniał niektóre kryteria oceny wymienione w części B."},
    {6100, u"niezadowalającym", "1", 6700,
     u"Większość obowiązków wynikających z opisu stanowiska pracy wykonywała w sposób nieopdpowiadający "
     u"oczekiwaniom. W trakcie wykonywania obowiązków nie spełniał wcale bądź spełniał rzadko kryteria oceny "
     u"wymienione w części B."},
}};
// clang-format on

void drawLevelBlock(const SheetPage& page, const LevelBlock& block)
{
    PageDrawing& draw = page.draw;
    draw.box({500, block.top, 2000, 400});
    draw.box({2500, block.top, 2000, 400});
    draw.text({550, block.top + 50, 1900, 300}, QString::fromUtf16(block.label), Align::Centre, 140);
    if (page.value(key::kGrade) == QLatin1String(block.value))
        draw.text({2550, block.top + 50, 1900, 300}, QStringLiteral("X"), Align::Centre, 200);
    draw.paragraph({500, block.descriptionTop, 9000, 150}, QString::fromUtf16(block.description), Align::Left,
                   kAllLines, 140, FontStyle::Italic);
}

// "Negatywną" for level 1, "Pozytywną" for 2 to 4, nothing without a level.
QString gradeWord(const QString& grade)
{
    if (grade == QLatin1String("1"))
        return QStringLiteral("Negatywną");
    if (grade == QLatin1String("2") || grade == QLatin1String("3") || grade == QLatin1String("4"))
        return QStringLiteral("Pozytywną");
    return {};
}

void drawPlaceD(const SheetPage& page)
{
    page.valueOver({500, 9000, 3000, 150}, {500, 9150, 3000, 150}, key::kGradeCity, QStringLiteral("(miejscowość)"));
    page.draw.footer(dottedLine(), 120, FontStyle::None, QStringLiteral("(podpis oceniającego)"));
}

} // namespace

void drawPartC(const SheetPage& page)
{
    PageDrawing& draw = page.draw;
    page.captionStrip({500, 1100, 9000, 250},
                      QStringLiteral("Opinia dotycząca wykonywania obowiązków przez ocenianego"));
    draw.text({500, 1500, 9000, 200}, QStringLiteral("Dane dotyczące oceniającego:"), Align::Left, 140);
    page.labelled(500, 1550, 8000, 1700, QStringLiteral("Imię/imiona"), key::kEvaluatorName);
    page.labelled(500, 1400, 8000, 1900, QStringLiteral("Nazwisko"), key::kEvaluatorSurname);
    page.labelled(500, 1550, 8000, 2100, QStringLiteral("Stanowisko"), key::kEvaluatorPosition);
    page.labelled(500, 4500, 8000, 2300, QStringLiteral("Data rozpoczęcia pracy na obecnym stanowisku"),
                  key::kEvaluatorDate);
    draw.paragraph({500, 2600, 9000, 150}, opinionGuidance(), Align::Left, kAllLines, 140);
    draw.paragraph({500, 3200, 9000, 150}, page.value(key::kOpinion), Align::Left, kAllLines, 140, FontStyle::Italic);
    drawPlaceD(page);
}

void drawPartD(const SheetPage& page)
{
    PageDrawing& draw = page.draw;
    page.captionStrip({500, 1100, 9000, 250},
                      QStringLiteral("Określenie poziomu wykonywania obowiązków oraz przyznanie okresowej oceny"));
    draw.text({500, 1500, 9000, 200}, QStringLiteral("Oceniam wykonywanie obowiązków przez:"), Align::Left, 140);
    page.labelled(500, 1550, 8000, 1700, QStringLiteral("Panią/Pana"), key::kAppraisedPerson);
    page.labelled(500, 1600, 8000, 1900, QStringLiteral("w okresie od"), key::kPeriodStart);
    page.labelled(2650, 3000, 8000, 1900, QStringLiteral("do"), key::kPeriodEnd);
    draw.text({500, 2200, 9000, 200}, QStringLiteral("na poziomie (wstawić krzyżyk w odpowiednim polu):"), Align::Left,
              140);
    for (const LevelBlock& block : kLevelBlocks)
        drawLevelBlock(page, block);
    draw.text({500, 7300, 9000, 200}, QStringLiteral("i przyznaję okresową ocenę:"), Align::Left, 140, FontStyle::Bold);
    draw.box({500, 7600, 9000, 400});
    draw.text({550, 7650, 8900, 300}, gradeWord(page.value(key::kGrade)), Align::Centre, 200, FontStyle::Bold);
    draw.paragraph({500, 8100, 9000, 150},
                   QStringLiteral("(wpisać pozytywną - jeżeli zaznaczony został poziom, bardzo dobry, dobry lub "
                                  "zadowalający, negatywną - jeżeli poziom niezadowalający)"),
                   Align::Left, kAllLines, 120);
    drawPlaceD(page);
}

void drawPartE(const SheetPage& page)
{
    PageDrawing& draw = page.draw;
    draw.box({500, 1100, 9000, 1200});
    draw.text({550, 1125, 8900, 200}, QStringLiteral("Zapoznałam/-łem się z oceną sporządzoną na piśmie przez:"),
              Align::Left, 140);
    draw.text({550, 1375, 8900, 200}, QStringLiteral("Panią/Pana"), Align::Left, 140);
    draw.text({1700, 1375, 7700, 200}, page.value(key::kAcknowledgedName), Align::Left, 140, FontStyle::Bold);
    draw.text({500, 1800, 3000, 200}, page.value(key::kAcknowledgedCity), Align::Centre, 140, FontStyle::Bold);
    draw.text({550, 2000, 2950, 150}, QStringLiteral("(miejscowość)"), Align::Centre, 120);
    draw.text({3500, 1800, 3000, 150}, dottedLine(), Align::Centre, 120);
    draw.text({3500, 2000, 3000, 150}, QStringLiteral("(dzień, miesiąc, rok)"), Align::Centre, 120);
    draw.text({6500, 1800, 2950, 150}, dottedLine(), Align::Centre, 120);
    draw.text({6500, 2000, 2950, 150}, QStringLiteral("(podpis ocenianego)"), Align::Centre, 120);
}

} // namespace taviro::print
