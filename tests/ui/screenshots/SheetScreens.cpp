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

#include "SheetBuilders.h"

#include <QTextEdit>

#include <memory>

namespace taviro::test {
namespace {

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
    const Appraisal appraisal = fullSheet();
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
