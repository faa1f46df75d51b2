#include "CriteriaList.h"

#include "CriteriaCatalogue.h"

#include <array>
#include <vector>

namespace taviro::print {
namespace {

struct RowSource
{
    int page;
    int top;
    int height;
    const char16_t* name;
    int catalogueNumber;
    const char16_t* wording; // the list's own wording; nothing: the catalogue's description
};

// clang-format off
constexpr std::array<RowSource, kCriterionCount> kRows = {{
    {1, 1000, 350, u"Sumienność", 25, nullptr},
    {1, 1350, 500, u"Sprawność", 10, nullptr},
    {1, 1850, 650, u"Bezstronność", 26, nullptr},
    {1, 2500, 800, u"Przestrzeganie i umiejętność stosowania Konstytucji RP i odpowiednich przepisów prawa", 3,
     nullptr},
    {1, 3300, 650, u"Planowanie i organizowanie pracy", 11, nullptr},
    {1, 3950, 650, u"Postawa etyczna", 27, nullptr},
    {1, 4600, 350, u"Wiedza specjalistyczna", 0, nullptr},
    {1, 4950, 350, u"Wykonywanie zadań publicznych", 12, nullptr},
    {1, 5300, 350, u"Zarządzanie środkami publicznymi", 33, nullptr},
    {1, 5650, 350, u"Stosunek do tajemnicy ustawowo chronionej", 28, nullptr},
    {1, 6000, 650, u"Umiejętność udzielania informacji organom, instytucjom i osobom fizycznym", 13, nullptr},
    {1, 6650, 500, u"Udostępnianie dokumentów organom, instytucjom i osobom fizycznym", 14, nullptr},
    {1, 7150, 950, u"Zarządzanie informacją/dzielenie się informacjami", 31,
     u"Pozyskiwanie i przekazywanie informacji, które mogą wpływać na pracę komórki i urzędu, przez:\r\n"
     u"- przekazywanie w porę podwładnym i przełożonym informacji potrzebnych do pracy,\r\n"
     u"- dbałość o przepływ informacji między komórkami urzędu i jednostkami organizacyjnymi."},
    {1, 8100, 1400, u"Komunikacja werbalna", 16,
     u"Formułowanie wypowiedzi w sposób gwarantujący ich zrozumienie, przez:\r\n"
     u"- jasne, zwięzłe i logiczne przekazywanie informacji interesantom i współpracownikom,\r\n"
     u"- dostosowanie języka do rozmówcy, bez zbędnego żargonu urzędowego,\r\n"
     u"- uważne słuchanie i upewnianie się, że rozmówca zrozumiał przekaz,\r\n"
     u"- uprzejmość i spokój, również w rozmowie telefonicznej,\r\n"
     u"- rzeczową argumentację przy wyjaśnianiu stanowiska urzędu."},
    {2, 1000, 1100, u"Pozytywne podejście do obywatela", 19,
     u"Zaspokajanie potrzeb obywatela, przez:\r\n"
     u"- uprzejme i życzliwe traktowanie każdego interesanta,\r\n"
     u"- wyjaśnianie praw i obowiązków interesanta oraz trybu załatwienia sprawy,\r\n"
     u"- pomoc w wypełnianiu wniosków i kompletowaniu dokumentów,\r\n"
     u"- załatwianie spraw bez zbędnej zwłoki, bez odsyłania do innych stanowisk,\r\n"
     u"- wskazanie właściwego organu, gdy sprawa nie należy do urzędu."},
    {2, 2100, 800, u"Komunikatywność", 18,
     u"Umiejętność budowania kontaktu z inną osobą, przez:\r\n"
     u"- otwartość i życzliwość wobec interesantów i współpracowników,\r\n"
     u"- nawiązywanie i prowadzenie rozmowy w sposób budzący zaufanie,\r\n"
     u"- dostrzeganie potrzeb i oczekiwań rozmówcy,\r\n"
     u"- przekazywanie informacji w sposób dostosowany do sytuacji i odbiorcy."},
    {2, 2900, 800, u"Komunikacja pisemna", 17,
     u"Formułowanie wypowiedzi w sposób gwarantujący zrozumienie, przez:\r\n"
     u"- redagowanie pism, decyzji i notatek poprawnie pod względem językowym,\r\n"
     u"- jasny i uporządkowany układ treści pisma,\r\n"
     u"- stosowanie języka urzędowego zrozumiałego dla adresata,\r\n"
     u"- przestrzeganie instrukcji kancelaryjnej przy sporządzaniu pism."},
    {2, 3700, 350, u"Umiejętność obsługi urządzeń technicznych", 1, nullptr},
    {2, 4050, 950, u"Znajomość języka obcego (czynna i bierna)", 2,
     u"Znajomość języka obcego na poziomie odpowiednim do realizowanych zadań, przejawiająca się w:\r\n"
     u"- prowadzeniu rozmowy z interesantem, który nie mówi po polsku,\r\n"
     u"- czytaniu ze zrozumieniem pism, dokumentów i materiałów w języku obcym,\r\n"
     u"- redagowaniu prostej korespondencji urzędowej w języku obcym,\r\n"
     u"- posługiwaniu się słownictwem fachowym przy współpracy z zagranicą."},
    {2, 5000, 500, u"Nastawienie na własny rozwój, podnoszenie umiejętności i kwalifikacji", 15, nullptr},
    {2, 5500, 950, u"Umiejętność pracy w zespole", 20,
     u"Realizacja zadań w zespole, przez:\r\n"
     u"- współpracę z innymi pracownikami komórki i urzędu przy wspólnych sprawach,\r\n"
     u"- dzielenie się wiedzą i informacjami potrzebnymi innym do pracy,\r\n"
     u"- gotowość do zastępowania nieobecnych współpracowników,\r\n"
     u"- wywiązywanie się z zadań podjętych w zespole,\r\n"
     u"- rozwiązywanie konfliktów w sposób rzeczowy i koleżeński."},
    {2, 6450, 1400, u"Umiejętność negocjowania", 21,
     u"Wypracowywanie stanowiska akceptowanego przez zainteresowanych, dzięki:\r\n"
     u"- przygotowaniu się do rozmów i znajomości stanowiska urzędu,\r\n"
     u"- rozpoznaniu interesów i oczekiwań drugiej strony,\r\n"
     u"- rzeczowej argumentacji, opartej na przepisach i faktach,\r\n"
     u"- szukaniu rozwiązań korzystnych dla obu stron w granicach prawa,\r\n"
     u"- panowaniu nad emocjami w sytuacji sporu,\r\n"
     u"- dotrzymywaniu ustaleń i zawartych porozumień,\r\n"
     u"- dbałości o dobre relacje z mieszkańcami, kontrahentami i instytucjami."},
    {2, 7850, 1650, u"Zarządzanie zasobami", 4, nullptr},
    {3, 1000, 3050, u"Zarządzanie personelem", 29,
     u"Motywowanie pracowników do osiągania wyższej skuteczności i jakości pracy, przejawiające się w:\r\n"
     u"- jasnym określaniu zadań, oczekiwań i terminów,\r\n"
     u"- sprawiedliwym rozdzielaniu pracy w komórce,\r\n"
     u"- docenianiu osiągnięć i udzielaniu informacji zwrotnej,\r\n"
     u"- reagowaniu na niewłaściwe wykonywanie obowiązków,\r\n"
     u"- wspieraniu rozwoju zawodowego podwładnych, kierowaniu ich na szkolenia,\r\n"
     u"- rzetelnym przeprowadzaniu ocen okresowych podwładnych,\r\n"
     u"- dbałości o dobrą atmosferę i współpracę w zespole,\r\n"
     u"- przekazywaniu uprawnień i odpowiedzialności,\r\n"
     u"- kontrolowaniu postępów pracy i udzielaniu pomocy,\r\n"
     u"- dawaniu przykładu własną postawą."},
    {3, 4050, 1100, u"Zarządzanie jakością realizowanych zadań", 5,
     u"Nadzorowanie prowadzonych działań w celu uzyskiwania pożądanych efektów, wysokiej jakości obsługi spraw, "
     u"przez:\r\n"
     u"- znajomość i stosowanie standardów obsługi obowiązujących w urzędzie,\r\n"
     u"- sprawdzanie poprawności merytorycznej i formalnej pism i decyzji,\r\n"
     u"- dotrzymywanie terminów załatwiania spraw,\r\n"
     u"- wykrywanie i usuwanie błędów oraz zapobieganie ich powtarzaniu,\r\n"
     u"- wykorzystywanie uwag i skarg interesantów do doskonalenia pracy."},
    {3, 5150, 1700, u"Zarządzanie wprowadzaniem zmian", 32,
     u"Wprowadzanie zmian w urzędzie przez:\r\n"
     u"- dostrzeganie potrzeby zmian, wynikających z przepisów i oczekiwań mieszkańców,\r\n"
     u"- przygotowanie planu wprowadzania zmiany,\r\n"
     u"- informowanie pracowników o celu i przebiegu zmian,\r\n"
     u"- przygotowanie pracowników do nowych zadań i procedur,\r\n"
     u"- przezwyciężanie oporu wobec zmian,\r\n"
     u"- zapewnienie ciągłości obsługi spraw w czasie zmian,\r\n"
     u"- ocenę skutków wprowadzonych zmian,\r\n"
     u"- korygowanie działań na podstawie zdobytych doświadczeń."},
    {3, 6850, 2650, u"Zorientowanie na rezultaty pracy", 6,
     u"Osiąganie zakładanych celów, doprowadzanie działań do końca, przez:\r\n"
     u"- skupienie się na wyniku sprawy, a nie tylko na wykonywaniu kolejnych czynności,\r\n"
     u"- dotrzymywanie ustalonych terminów i zobowiązań,\r\n"
     u"- wytrwałość w realizacji zadań mimo pojawiających się trudności,\r\n"
     u"- ocenianie efektów własnej pracy w odniesieniu do wyznaczonych celów,\r\n"
     u"- załatwianie spraw w sposób ostateczny, bez odkładania ich na później."},
    {4, 1000, 1250, u"Podejmowanie decyzji", 7,
     u"Umiejętność podejmowania decyzji w sposób bezstronny i obiektywny, w granicach posiadanych upoważnień, "
     u"przez:\r\n"
     u"- rozpoznanie sprawy na podstawie zebranego materiału i obowiązujących przepisów,\r\n"
     u"- rozważenie możliwych rozstrzygnięć i ich skutków dla stron i dla urzędu,\r\n"
     u"- podejmowanie rozstrzygnięć w odpowiednim czasie, bez zbędnej zwłoki,\r\n"
     u"- ponoszenie odpowiedzialności za podjęte decyzje,\r\n"
     u"- jasne uzasadnianie rozstrzygnięć wobec stron i przełożonych."},
    {4, 2250, 1850, u"Radzenie sobie w sytuacjach kryzysowych", 8,
     u"Pokonywanie sytuacji kryzysowych oraz rozwiązywanie skomplikowanych problemów, przez:\r\n"
     u"- zachowanie spokoju i opanowania w sytuacjach trudnych i nieprzewidzianych,\r\n"
     u"- szybkie rozpoznanie istoty problemu i jego możliwych skutków,\r\n"
     u"- działanie zgodne z procedurami i planami zarządzania kryzysowego gminy lub powiatu,\r\n"
     u"- współpracę z właściwymi służbami, jednostkami i przełożonymi,\r\n"
     u"- sprawne przekazywanie informacji osobom zainteresowanym,\r\n"
     u"- obsługę trudnego lub agresywnego interesanta bez zaogniania konfliktu,\r\n"
     u"- wyciąganie wniosków z zaistniałych sytuacji na przyszłość."},
    {4, 4100, 500, u"Samodzielność", 22,
     u"Zdolność do samodzielnego wyszukiwania i zdobywania informacji, formułowania propozycji i podejmowania "
     u"działań w granicach swoich uprawnień, bez potrzeby stałego nadzoru przełożonego."},
    {4, 4600, 650, u"Inicjatywa", 23,
     u"- umiejętność i wola poszukiwania obszarów wymagających zmian i usprawnień,\r\n"
     u"- zgłaszanie przełożonemu propozycji nowych rozwiązań i ulepszeń,\r\n"
     u"- podejmowanie działań wykraczających poza rutynowe obowiązki, gdy wymaga tego dobro sprawy."},
    {4, 5250, 1550, u"Kreatywność", 24,
     u"Wykorzystywanie umiejętności i wyobraźni do tworzenia nowych rozwiązań, przejawiające się w:\r\n"
     u"- poszukiwaniu nowych sposobów załatwiania spraw i obsługi mieszkańców,\r\n"
     u"- otwartości na zmiany i nowe metody pracy,\r\n"
     u"- proponowaniu usprawnień procedur oraz obiegu dokumentów,\r\n"
     u"- twórczym podejściu do nietypowych problemów,\r\n"
     u"- łączeniu wiedzy z różnych dziedzin przy rozwiązywaniu zadań,\r\n"
     u"- wdrażaniu pomysłów z poszanowaniem obowiązujących przepisów."},
    {4, 6800, 2700, u"Myślenie strategiczne", 30,
     u"Tworzenie planów lub koncepcji realizowania celów w oparciu o analizę potrzeb i możliwości, przejawiające "
     u"się w:\r\n"
     u"- znajomości strategii rozwoju gminy lub powiatu oraz celów urzędu,\r\n"
     u"- przewidywaniu skutków podejmowanych działań w dłuższym okresie,\r\n"
     u"- wyznaczaniu priorytetów dla kierowanej komórki,\r\n"
     u"- uwzględnianiu zmian w przepisach i w otoczeniu urzędu,\r\n"
     u"- łączeniu bieżących zadań z celami długofalowymi,\r\n"
     u"- przygotowywaniu programów, planów i projektów, także finansowanych ze środków zewnętrznych,\r\n"
     u"- ocenie ryzyka i przygotowaniu rozwiązań zastępczych,\r\n"
     u"- współpracy z innymi komórkami i jednostkami przy realizacji celów,\r\n"
     u"- sprawdzaniu stopnia osiągania założonych celów."},
    {5, 1000, 8500, u"Umiejętności analityczne", 9,
     u"Umiejętne stawianie hipotez, wyciąganie wniosków przez analizowanie i ocenianie informacji, przejawiające "
     u"się w:\r\n"
     u"- gromadzeniu danych potrzebnych do rozstrzygnięcia sprawy,\r\n"
     u"- dostrzeganiu związków przyczynowo-skutkowych oraz zależności między faktami,\r\n"
     u"- odróżnianiu informacji istotnych od nieistotnych,\r\n"
     u"- sporządzaniu zestawień, analiz i sprawozdań na potrzeby urzędu,\r\n"
     u"- formułowaniu wniosków i propozycji rozwiązań na podstawie analizy,\r\n"
     u"- krytycznej ocenie wiarygodności źródeł informacji."},
}};
// clang-format on

std::vector<CriteriaListRow> makeRows()
{
    std::vector<CriteriaListRow> rows;
    rows.reserve(kRows.size());
    for (const RowSource& source : kRows) {
        const Criterion* criterion = criterionByNumber(source.catalogueNumber);
        const QString description = source.wording
                                        ? QString::fromUtf16(source.wording)
                                        : QString::fromUtf8(criterion->description.data(),
                                                            static_cast<qsizetype>(criterion->description.size()));
        rows.push_back({source.page, source.top, source.height, QString::fromUtf16(source.name), source.catalogueNumber,
                        description});
    }
    return rows;
}

} // namespace

std::span<const CriteriaListRow> criteriaListRows()
{
    static const std::vector<CriteriaListRow> rows = makeRows();
    return rows;
}

QString criteriaListTitle(int page)
{
    return page <= 2 ? QStringLiteral("Wykaz kryteriów oceny") : QStringLiteral("KRYTERIA DO WYBORU");
}

} // namespace taviro::print
