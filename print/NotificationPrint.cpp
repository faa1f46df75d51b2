#include "NotificationPrint.h"

#include "CriteriaList.h"
#include "PageDrawing.h"

#include "RecordKeys.h"

#include <array>
#include <utility>

namespace taviro::print {
namespace {

QString value(const LoadedLines& data, std::string_view key)
{
    return loadedValue(data, key);
}

void drawAddressees(PageDrawing& draw, const LoadedLines& data)
{
    namespace unit = keys::unit;
    namespace employee = keys::employee;
    draw.text({500, 500, 9000, 200},
              value(data, unit::kCity) + QStringLiteral(", dnia ") + value(data, keys::appraisal::kInfoDate2),
              Align::Right, 140);
    draw.text({500, 1500, 9000, 200}, QStringLiteral("Nazwa jednostki"), Align::Left, 140);
    draw.text({1900, 1500, 8000, 200}, value(data, unit::kFirm), Align::Left, 140, FontStyle::Bold);
    draw.text({500, 1700, 9000, 200}, QStringLiteral("Imię/imiona i nazwisko pracownika"), Align::Left, 140);
    draw.text({3400, 1700, 8000, 200},
              value(data, employee::kName) + QLatin1Char(' ') + value(data, employee::kSurname), Align::Left, 140,
              FontStyle::Bold);
    draw.text({500, 1900, 9000, 200}, QStringLiteral("Imię i nazwisko oceniającego"), Align::Left, 140);
    draw.text({2900, 1900, 8000, 200}, value(data, unit::kPerson), Align::Left, 140, FontStyle::Bold);
}

void drawLetterBody(PageDrawing& draw, const LoadedLines& data)
{
    draw.text({500, 2300, 9000, 200}, QStringLiteral("POWIADOMIENIE O PIERWSZEJ ROZMOWIE"), Align::Centre, 150,
              FontStyle::Bold);
    draw.paragraph({500, 2600, 9000, 150}, summonsSentence(data), Align::Left, kAllLines, 140);
    draw.paragraph({500, 3300, 9000, 150},
                   QStringLiteral("Przedmiotem rozmowy będzie sposób realizacji obowiązków wynikających z zakresu "
                                  "czynności na zajmowanym przez Panią/Pana stanowisku pracy oraz obowiązków "
                                  "określonych w art. 24 i art. 25 ust 1 ustawy o pracownikach samorządowych."),
                   Align::Left, kAllLines, 140);
    draw.text({500, 3850, 9000, 150}, QStringLiteral("Przed wyznaczonym terminem rozmowy proszę:"), Align::Left, 140);
    draw.text({500, 4000, 9000, 150},
              QStringLiteral("- przeanalizować zakres powierzonych Pani/Panu czynności, obowiązków i uprawnień,"),
              Align::Left, 140);
    draw.text(
        {500, 4150, 9000, 150},
        QStringLiteral("- przygotować propozycje kryteriów oceny, z wykazu 34 kryteriów oceny lub zaproponować inne."),
        Align::Left, 140);
    draw.text({6500, 4500, 3000, 150}, value(data, keys::unit::kPerson), Align::Centre, 140, FontStyle::Bold);
    draw.text({6500, 4650, 3000, 150}, QStringLiteral("(imię, nazwisko i podpis oceniającego)"), Align::Centre, 120);
    draw.text({500, 9000, 9000, 150}, QStringLiteral("W załączeniu:"), Align::Left, 120);
    draw.paragraph({500, 9150, 9000, 150},
                   QStringLiteral("- treść art. 24 i art. 25 ust. 1 ustawy z dnia 21 listopada 2008 r. o pracownikach "
                                  "samorządowych, tekst jednolity Dz.U. z 2014 r. poz. 1202 oraz wykaz kryteriów do "
                                  "wyboru."),
                   Align::Left, kAllLines, 120);
}

void printLetter(PrintCanvas& canvas, const LoadedLines& data)
{
    PageDrawing draw(canvas);
    canvas.beginJob(letterJobTitle(), Orientation::Portrait);
    drawAddressees(draw, data);
    drawLetterBody(draw, data);
    canvas.endJob();
}

// clang-format off
const std::array<std::pair<int, const char16_t*>, 10> kDuties = {{
    {500, u"Obowiązki pracownika samorządowego określone w art. 24 i art. 25 ust. 1 ustawy o pracownikach "
          u"samorządowych są następujące:"},
    {800, u"- dbałość o wykonywanie zadań publicznych oraz o środki publiczne, z uwzględnieniem interesu "
          u"publicznego oraz indywidualnych interesów obywateli,"},
    {1100, u"- przestrzeganie Konstytucji Rzeczypospolitej Polskiej i innych przepisów prawa,"},
    {1250, u"- wykonywanie zadań sumiennie, sprawnie i bezstronnie,"},
    {1400, u"- udzielanie informacji organom, instytucjom i osobom fizycznym oraz udostępnianie dokumentów "
           u"znajdujących się w posiadaniu jednostki, w której pracownik jest zatrudniony, jeżeli prawo tego nie "
           u"zabrania,"},
    {1700, u"- dochowanie tajemnicy ustawowo chronionej,"},
    {1850, u"- zachowanie uprzejmości i życzliwości w kontaktach z obywatelami, zwierzchnikami, podwładnymi oraz "
           u"współpracownikami,"},
    {2150, u"- zachowanie się z godnością w miejscu pracy i poza nim,"},
    {2300, u"- stałe podnoszenie umiejętności i kwalifikacji zawodowych,"},
    {2450, u"- sumienne i staranne wykonywanie poleceń przełożonego."},
}};
// clang-format on

void printDuties(PrintCanvas& canvas)
{
    PageDrawing draw(canvas);
    canvas.beginJob(letterJobTitle(), Orientation::Portrait);
    for (const auto& [top, duty] : kDuties)
        draw.paragraph({500, top, 9000, 150}, QString::fromUtf16(duty), Align::Left, kAllLines, 140);
    canvas.endJob();
}

void drawListFrame(PageDrawing& draw, int page)
{
    draw.box({460, 470, 9080, 9060});
    draw.box({500, 500, 9000, 300});
    draw.text({550, 525, 8900, 250}, criteriaListTitle(page), Align::Centre, 150, FontStyle::Bold);
    draw.box({500, 800, 9000, 200});
    draw.box({500, 800, 2500, 200});
    draw.text({550, 825, 2400, 150}, QStringLiteral("Kryterium"), Align::Centre, 140, FontStyle::Bold);
    draw.text({3050, 825, 6400, 150}, QStringLiteral("Opis kryterium"), Align::Centre, 140, FontStyle::Bold);
}

void drawListRow(PageDrawing& draw, const CriteriaListRow& row)
{
    draw.box({500, row.top, 9000, row.height});
    draw.box({500, row.top, 2500, row.height});
    draw.paragraph({550, row.top + 25, 2400, 150}, row.name, Align::Left, kAllLines, 140);
    draw.paragraph({3050, row.top + 25, 6400, 150}, row.description, Align::Left, kAllLines, 140);
}

void printCriteriaList(PrintCanvas& canvas)
{
    PageDrawing draw(canvas);
    for (int page = 1; page <= kCriteriaListPages; ++page) {
        canvas.beginJob(attachmentsJobTitle(), Orientation::Portrait);
        drawListFrame(draw, page);
        for (const CriteriaListRow& row : criteriaListRows()) {
            if (row.page == page)
                drawListRow(draw, row);
        }
        canvas.endJob();
    }
}

} // namespace

QString letterJobTitle()
{
    return QStringLiteral("Wydruk powiadomienia pracownika o pierwszej rozmowie ...");
}

QString attachmentsJobTitle()
{
    return QStringLiteral("Wydruk powiadomienia pracownika o pierwszej rozmowie - załączniki ...");
}

QString summonsSentence(const LoadedLines& printData)
{
    return QStringLiteral("Na podstawie Regulaminu oceny okresowej pracowników samorządowych, zawiadamiam, iż w "
                          "dniu ") +
           value(printData, keys::appraisal::kInfoDate) + QStringLiteral(" o godzinie ") +
           value(printData, keys::appraisal::kInfoTime).left(5) + QLatin1Char(' ') +
           QStringLiteral("odbędzie się rozmowa, której celem jest wybór kryteriów do Pana/Pani oceny okresowej.");
}

void printNotification(PrintCanvas& canvas, const LoadedLines& printData, int selection)
{
    if ((selection & kLetter) != 0)
        printLetter(canvas, printData);
    if ((selection & kAttachments) != 0) {
        printDuties(canvas);
        printCriteriaList(canvas);
    }
}

} // namespace taviro::print
