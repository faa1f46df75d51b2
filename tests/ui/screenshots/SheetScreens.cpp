#include "SheetScreens.h"

#include "Appearance.h"
#include "pages/sheet/GradeAPage.h"
#include "pages/sheet/GradeB1Page.h"
#include "pages/sheet/GradeB2Page.h"
#include "pages/sheet/GradeBPage.h"
#include "pages/sheet/GradeC1Page.h"
#include "pages/sheet/GradeCPage.h"
#include "pages/sheet/GradeDPage.h"
#include "pages/sheet/GradeEPage.h"

#include <QTextEdit>

#include <memory>

namespace taviro::test {
namespace {

Appraisal sampleAppraisal()
{
    Appraisal a;
    a.firm = "Urząd Miasta i Gminy Lipno";
    a.firstName = "Małgorzata";
    a.surname = "Wiśniewska";
    a.cell = "Wydział Organizacyjny";
    a.position = "Inspektor ds. kadr i płac";
    a.appointment = false;
    a.employmentDate = "01-04-2009";
    a.positionDate = "15-09-2018";
    a.previousGrade = "Pozytywna";
    a.previousDate = "28-06-2024";
    a.city = "Lipno";
    a.date = "02-01-2026";
    a.interviewDate = "12-01-2026";
    a.interviewTime = "10:30:00";
    a.notificationDate = "05-01-2026";
    a.criteria = {"Sumienność",
                  "Sprawność",
                  "Bezstronność",
                  "Umiejętność pracy w zespole",
                  "Planowanie i organizowanie pracy",
                  "Postawa etyczna"};
    a.additionalCriterion = "Obsługa programu kadrowo-płacowego";
    a.additionalNote = "Samodzielne prowadzenie ewidencji w programie kadrowo-płacowym\r\nbez pomocy informatyka.";
    a.writtenMonth = 5;
    a.writtenYear = "2026";
    a.evaluatorFullName = "Anna Nowak";
    a.evaluatorPositionB = "Sekretarz Gminy";
    a.evaluatorDateB = "15-03-2020";
    a.headNote = "Bez uwag.";
    a.headName = "Jan Kowalski";
    a.headCity = "Lipno";
    a.evaluatorFirstName = "Anna";
    a.evaluatorSurname = "Nowak";
    a.evaluatorPosition = "Sekretarz Gminy";
    a.evaluatorDate = "15-03-2020";
    a.opinion = "Pani Małgorzata Wiśniewska wykonywała powierzone obowiązki sumiennie i terminowo.\r\n"
                "Listy płac sporządzała bezbłędnie, akta osobowe prowadziła zgodnie z przepisami.\r\n"
                "W okresie oceny uczestniczyła dodatkowo w inwentaryzacji składników majątku.";
    a.rows = {{"Sumienność", 4},
              {"Sprawność", 3},
              {"Bezstronność", 3},
              {"Umiejętność pracy w zespole", 4},
              {"Planowanie i organizowanie pracy", 3},
              {"Postawa etyczna", 4},
              {"Obsługa programu kadrowo-płacowego", 0}};
    a.appraisedPerson = "Małgorzata Wiśniewska";
    a.periodStart = "01-07-2024";
    a.periodEnd = "30-06-2026";
    a.overallLevel = 3;
    a.placeD = "Lipno";
    a.drawnUpDate = "30-06-2026";
    a.acknowledgedBy = "Anna Nowak";
    a.acknowledgedPlace = "Lipno";
    return a;
}

// A hint of the kind the help files give.
QString hint(const char* text)
{
    return QStringLiteral("<p>%1</p>").arg(QString::fromUtf8(text));
}

void fillChoicePage(ui::GradeB1Page& page)
{
    page.setDuties("Prowadzenie akt osobowych pracowników\r\nSporządzanie list płac\r\nRozliczanie czasu pracy",
                   "Udział w inwentaryzacji składników majątku");
    page.setGroups({"Ustawowe", "Kwalifikacyjne", "Efektywnościowe", "Osobowe", "Zarządcze"});
    page.setCriteria({{"Nastawienie na własny rozwój, podnoszenie kwalifikacji", 15},
                      {"Komunikacja werbalna", 16},
                      {"Komunikacja pisemna", 17},
                      {"Komunikatywność", 18},
                      {"Pozytywne podejście do obywatela", 19},
                      {"Umiejętność pracy w zespole", 20},
                      {"Umiejętność negocjowania", 21},
                      {"Samodzielność", 22},
                      {"Inicjatywa", 23},
                      {"Kreatywność", 24},
                      {"Sumienność", 25},
                      {"Bezstronność", 26},
                      {"Postawa etyczna", 27},
                      {"Stosunek do tajemnicy ustawowo chronionej", 28}});
    page.setChosen({{"Sumienność", 25}, {"Sprawność", 10}, {"Umiejętność pracy w zespole", 20}});
    ui::GradeB1Page::select(page.groupList(), 3);
    ui::GradeB1Page::select(page.criteriaList(), 5);
    ui::GradeB1Page::select(page.chosenList(), 2);
    page.setDescription("Realizacja zadań w zespole przez:\r\n- dzielenie się informacjami i doświadczeniem,\r\n"
                        "- pomoc innym członkom zespołu,\r\n- przyjmowanie odpowiedzialności za wspólne zadania.");
    page.setButtonsEnabled(true, true);
}

} // namespace

void renderSheetPages(const QSize& pageSize, const std::function<void(QWidget*, const QString&)>& save)
{
    const Appraisal appraisal = sampleAppraisal();
    const auto show = [&](ui::SheetPage& page, const QString& name, const char* hintText) {
        page.setFont(widgets::windowFont());
        page.resize(pageSize);
        page.load(appraisal);
        page.hintText()->setHtml(hint(hintText));
        save(&page, name);
    };
    ui::GradeAPage a;
    show(a, QStringLiteral("20-sheet-a"),
         "Sprawdź dane pracownika i wyznacz termin rozmowy przed wyborem kryteriów. <b>Drukuj</b> "
         "drukuje powiadomienie pracownika o rozmowie.");
    a.setMode(true);
    save(&a, QStringLiteral("21-sheet-a-view"));
    ui::GradeBPage b;
    show(b, QStringLiteral("22-sheet-b"), "Przycisk <b>Wybierz</b> otwiera listę kryteriów oceny.");
    ui::GradeB1Page b1;
    fillChoicePage(b1);
    show(b1, QStringLiteral("23-sheet-b1"), "Wybierz grupę, a w niej kryterium, i dodaj je przyciskiem Dodaj.");
    ui::GradeB2Page b2;
    b2.explanationText()->setHtml(QStringLiteral("<p>Kwestionariusz pomaga przygotować rozmowę z pracownikiem przed "
                                                 "wyborem kryteriów oceny.</p>"));
    show(b2, QStringLiteral("24-sheet-b2"), "Przycisk <b>Otwórz</b> otwiera notatki z rozmowy tej oceny.");
    ui::GradeCPage c;
    show(c, QStringLiteral("25-sheet-c"), "Opisz, jak oceniany wykonywał obowiązki w okresie oceny.");
    ui::GradeC1Page c1;
    c1.explanationText()->setHtml(QStringLiteral("<p>Narzędzia pomagają przygotować i przeprowadzić rozmowę "
                                                 "oceniającą.</p>"));
    show(c1, QStringLiteral("26-sheet-c1"), "Zaznacz dokument na liście i naciśnij <b>Otwórz</b>.");
    ui::GradeDPage d;
    show(d, QStringLiteral("27-sheet-d"), "Oceń każde kryterium; <b>Oblicz</b> proponuje poziom oceny.");
    d.setMode(true);
    save(&d, QStringLiteral("28-sheet-d-view"));
    ui::GradeEPage e;
    show(e, QStringLiteral("29-sheet-e"), "Wpisz, przez kogo i gdzie pracownik zapoznał się z oceną.");
}

} // namespace taviro::test
