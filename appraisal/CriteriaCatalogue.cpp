#include "CriteriaCatalogue.h"

#include <array>

namespace taviro {
namespace {

// The descriptions are shown line by line in the description box of the criteria choice; a line
// ends with CR LF, the last one has no line end.
constexpr std::array<Criterion, kCriterionCount> kCriteria = {{
    {0, "Wiedza specjalistyczna",
     "Wiedza z konkretnej dziedziny, która warunkuje odpowiedni poziom wykonywania zadań na zajmowanym "
     "stanowisku."},
    {1, "Umiejętność obsługi urządzeń technicznych",
     "Odpowiedni stopień wiedzy i umiejętności niezbędny do korzystania z urządzeń technicznych i programów "
     "używanych w urzędzie."},
    {2, "Znajomość języka obcego (czynna i bierna)",
     "Znajomość języka obcego na poziomie odpowiednim do realizowanych zadań, przejawiająca się w:\r\n"
     "- rozumieniu i prowadzeniu rozmowy z interesantem, który nie mówi po polsku,\r\n"
     "- czytaniu ze zrozumieniem pism, dokumentów i materiałów w języku obcym,\r\n"
     "- redagowaniu prostej korespondencji urzędowej w języku obcym,\r\n"
     "- posługiwaniu się słownictwem fachowym stanowiska, np. przy współpracy z gminami partnerskimi lub przy "
     "projektach unijnych."},
    {3, "Przestrzeganie i umiejętność stosowania Konstytucji RP i odpowiednich przepisów prawa",
     "Znajomość Konstytucji RP i przepisów niezbędnych do właściwego wykonywania obowiązków na stanowisku, m.in. "
     "Kodeksu postępowania administracyjnego, ustaw o samorządzie gminnym lub powiatowym, o pracownikach "
     "samorządowych i o dostępie do informacji publicznej, oraz ich przestrzeganie i trafne stosowanie w "
     "prowadzonych sprawach."},
    {4, "Zarządzanie zasobami",
     "Odpowiednie do potrzeb rozmieszczenie i wykorzystanie zasobów finansowych, rzeczowych i ludzkich, "
     "przejawiające się w:\r\n"
     "- gospodarnym korzystaniu ze środków, sprzętu i materiałów urzędu,\r\n"
     "- właściwym rozdzielaniu zadań i czasu pracy przy prowadzeniu spraw,\r\n"
     "- unikaniu marnotrawstwa i zbędnych kosztów przy wykonywaniu zadań."},
    {5, "Zarządzanie jakością realizowanych zadań",
     "Nadzorowanie prowadzonych działań w celu uzyskiwania pożądanych efektów i wysokiej jakości obsługi spraw "
     "przez:\r\n"
     "- znajomość i stosowanie standardów obsługi obowiązujących w urzędzie,\r\n"
     "- sprawdzanie poprawności merytorycznej i formalnej przygotowywanych pism, decyzji i dokumentów,\r\n"
     "- dotrzymywanie terminów załatwiania spraw,\r\n"
     "- wykrywanie i usuwanie błędów oraz zapobieganie ich powtarzaniu,\r\n"
     "- wykorzystywanie uwag i skarg interesantów do doskonalenia pracy."},
    {6, "Zorientowanie na rezultaty pracy",
     "Osiąganie zakładanych celów, doprowadzanie działań do końca przez:\r\n"
     "- skupienie się na wyniku sprawy, a nie tylko na wykonywaniu kolejnych czynności,\r\n"
     "- dotrzymywanie ustalonych terminów i zobowiązań,\r\n"
     "- wytrwałość w realizacji zadań mimo pojawiających się trudności,\r\n"
     "- ocenianie efektów własnej pracy w odniesieniu do wyznaczonych celów,\r\n"
     "- załatwianie spraw w sposób ostateczny, bez odkładania ich na później."},
    {7, "Podejmowanie decyzji",
     "Umiejętność podejmowania decyzji w sposób bezstronny i obiektywny, w granicach posiadanych upoważnień, "
     "przez:\r\n"
     "- rozpoznanie sprawy na podstawie zebranego materiału dowodowego i obowiązujących przepisów,\r\n"
     "- rozważenie możliwych rozstrzygnięć i ich skutków dla stron i dla urzędu,\r\n"
     "- podejmowanie rozstrzygnięć w odpowiednim czasie, bez zbędnej zwłoki,\r\n"
     "- ponoszenie odpowiedzialności za podjęte decyzje,\r\n"
     "- jasne uzasadnianie rozstrzygnięć wobec stron i przełożonych."},
    {8, "Radzenie sobie w sytuacjach kryzysowych",
     "Pokonywanie sytuacji kryzysowych oraz rozwiązywanie skomplikowanych problemów przez:\r\n"
     "- zachowanie spokoju i opanowania w sytuacjach trudnych i nieprzewidzianych,\r\n"
     "- szybkie rozpoznanie istoty problemu i jego możliwych skutków,\r\n"
     "- działanie zgodne z procedurami i planami zarządzania kryzysowego gminy lub powiatu,\r\n"
     "- współpracę z właściwymi służbami, jednostkami i przełożonymi,\r\n"
     "- sprawne przekazywanie informacji osobom zainteresowanym,\r\n"
     "- obsługę trudnego lub agresywnego interesanta bez zaostrzania konfliktu,\r\n"
     "- wyciąganie wniosków z zaistniałych sytuacji na przyszłość."},
    {9, "Umiejętności analityczne",
     "Umiejętne stawianie hipotez, wyciąganie wniosków przez analizowanie i ocenianie informacji, przejawiające "
     "się w:\r\n"
     "- gromadzeniu danych potrzebnych do rozstrzygnięcia sprawy,\r\n"
     "- dostrzeganiu związków przyczynowo-skutkowych i zależności między faktami,\r\n"
     "- odróżnianiu informacji istotnych od nieistotnych,\r\n"
     "- sporządzaniu zestawień, analiz i sprawozdań na potrzeby urzędu,\r\n"
     "- formułowaniu wniosków i propozycji rozwiązań na podstawie analizy,\r\n"
     "- krytycznej ocenie wiarygodności źródeł informacji."},
    {10, "Sprawność",
     "Dbałość o szybkie, wydajne i efektywne realizowanie powierzonych zadań, terminowe załatwianie spraw "
     "interesantów oraz sprawne posługiwanie się procedurami i narzędziami pracy urzędu."},
    {11, "Planowanie i organizowanie pracy",
     "Planowanie działań i organizowanie pracy w celu wykonania zadań w wyznaczonym terminie: ustalanie kolejności "
     "spraw według ich pilności i wagi, właściwe rozłożenie pracy w czasie oraz przygotowanie potrzebnych dokumentów "
     "i materiałów."},
    {12, "Wykonywanie zadań publicznych",
     "Kompetentne wykonywanie zadań publicznych, właściwe godzenie interesu publicznego z interesem "
     "indywidualnym."},
    {13, "Umiejętność udzielania informacji organom, instytucjom i osobom fizycznym",
     "Posiadanie zasobu informacji odpowiedniego do stanowiska. Dokładne i rzetelne udzielanie informacji organom, "
     "instytucjom i osobom fizycznym w granicach prawa, w wymaganym terminie i w sposób zrozumiały dla odbiorcy."},
    {14, "Udostępnianie dokumentów organom, instytucjom i osobom fizycznym",
     "Posiadanie wiedzy o tym, które dokumenty można udostępnić, komu i w jakim trybie, oraz sprawne ich "
     "udostępnianie z zachowaniem przepisów o dostępie do informacji publicznej."},
    {15, "Nastawienie na własny rozwój, podnoszenie kwalifikacji",
     "Zdolność i skłonność do uczenia się, uzupełniania wiedzy i umiejętności potrzebnych na stanowisku: śledzenie "
     "zmian w przepisach, udział w szkoleniach i korzystanie z doświadczenia innych pracowników urzędu."},
    {16, "Komunikacja werbalna",
     "Formułowanie wypowiedzi w sposób gwarantujący ich zrozumienie przez:\r\n"
     "- jasne, zwięzłe i logiczne przekazywanie informacji interesantom i współpracownikom,\r\n"
     "- dostosowanie języka do rozmówcy, bez zbędnego żargonu urzędowego,\r\n"
     "- uważne słuchanie i upewnianie się, że rozmówca zrozumiał przekaz,\r\n"
     "- uprzejmość i spokój, także w rozmowie telefonicznej,\r\n"
     "- rzeczową argumentację przy wyjaśnianiu stanowiska urzędu."},
    {17, "Komunikacja pisemna",
     "Formułowanie wypowiedzi w sposob gwarantujący zrozumienie przez:\r\n"
     "- redagowanie pism, decyzji i notatek poprawnie pod względem językowym i merytorycznym,\r\n"
     "- jasny i uporządkowany układ treści pisma,\r\n"
     "- stosowanie języka urzędowego zrozumiałego dla adresata,\r\n"
     "- przestrzeganie instrukcji kancelaryjnej przy sporządzaniu dokumentów."},
    {18, "Komunikatywność",
     "Umiejętność budowania kontaktu z inną osobą przez:\r\n"
     "- otwartość i życzliwość wobec interesantów i współpracowników,\r\n"
     "- nawiązywanie i prowadzenie rozmowy w sposób budzący zaufanie,\r\n"
     "- dostrzeganie potrzeb i oczekiwań rozmówcy,\r\n"
     "- przekazywanie informacji w sposób dostosowany do sytuacji i odbiorcy."},
    {19, "Pozytywne podejście do obywatela",
     "Zaspakajanie potrzeb obywatela przez:\r\n"
     "- uprzejme i życzliwe traktowanie każdego interesanta,\r\n"
     "- wyjaśnianie przysługujących mu praw i obowiązków oraz trybu załatwienia sprawy,\r\n"
     "- pomoc w wypełnieniu wniosków i skompletowaniu dokumentów,\r\n"
     "- załatwianie spraw bez zbędnej zwłoki i bez odsyłania od stanowiska do stanowiska,\r\n"
     "- wskazanie właściwego organu, gdy sprawa nie należy do urzędu."},
    {20, "Umiejętność pracy w zespole",
     "Realizacja zadań w zespole przez:\r\n"
     "- współpracę z innymi pracownikami komórki i urzędu przy wspólnych sprawach,\r\n"
     "- dzielenie się wiedzą i informacjami potrzebnymi innym do pracy,\r\n"
     "- gotowość do zastępowania nieobecnych współpracowników,\r\n"
     "- wywiązywanie się z zadań przyjętych w zespole,\r\n"
     "- rozwiązywanie konfliktów w sposób rzeczowy i koleżeński."},
    {21, "Umiejętność negocjowania",
     "Wypracowywanie stanowiska akceptowanego przez zainteresowanych dzięki:\r\n"
     "- przygotowaniu się do rozmów i znajomości stanowiska urzędu,\r\n"
     "- rozpoznaniu interesów i oczekiwań drugiej strony,\r\n"
     "- rzeczowej argumentacji opartej na przepisach i faktach,\r\n"
     "- szukaniu rozwiązań korzystnych dla obu stron w granicach prawa,\r\n"
     "- panowaniu nad emocjami w sytuacji sporu,\r\n"
     "- dotrzymywaniu ustaleń i zawartych porozumień,\r\n"
     "- dbałości o dobre relacje z mieszkańcami, kontrahentami i instytucjami."},
    {22, "Samodzielność",
     "Zdolność do samodzielnego wyszukiwania i zdobywania informacji, formułowania propozycji i podejmowania "
     "działań w granicach swoich uprawnień, bez potrzeby stałego nadzoru i pomocy przełożonego."},
    {23, "Inicjatywa",
     "- umiejętność i wola poszukiwania obszarów wymagających zmian i usprawnień w pracy urzędu,\r\n"
     "- zgłaszanie przełożonemu propozycji nowych rozwiązań i ulepszeń,\r\n"
     "- podejmowanie działań wykraczających poza rutynowe obowiązki, gdy wymaga tego dobro sprawy."},
    {24, "Kreatywność",
     "Wykorzystywanie umiejętności i wyobraźni do tworzenia nowych rozwiązań, przejawiające się w:\r\n"
     "- poszukiwaniu nowych sposobów załatwiania spraw i obsługi mieszkańców,\r\n"
     "- otwartości na zmiany i nowe metody pracy,\r\n"
     "- proponowaniu usprawnień procedur i obiegu dokumentów,\r\n"
     "- twórczym podejściu do nietypowych problemów,\r\n"
     "- łączeniu wiedzy z różnych dziedzin przy rozwiązywaniu zadań,\r\n"
     "- wdrażaniu pomysłów z poszanowaniem obowiązujących przepisów."},
    {25, "Sumienność",
     "Wykonywanie obowiązków i poleceń przełożonego w sposób dokładny, rzetelny i terminowy, z dbałością o "
     "staranność prowadzenia spraw."},
    {26, "Bezstronność",
     "Obiektywne rozpoznawanie sytuacji przy wykorzystaniu dostępnych źródeł, gwarantujące równe traktowanie "
     "wszystkich stron i interesantów bez względu na ich poglądy, pozycję czy powiązania, oraz niekierowanie się "
     "w sprawach interesem osobistym."},
    {27, "Postawa etyczna",
     "Wykonywanie obowiązków w sposób uczciwy, niebudzący podejrzeń o stronniczość lub interesowność, godne "
     "zachowanie w urzędzie i poza nim oraz przestrzeganie zasad etyki pracownika samorządowego."},
    {28, "Stosunek do tajemnicy ustawowo chronionej",
     "Brak dowodów lub przesłanek łamania tajemnicy służbowej. W szczególności ochrona danych osobowych "
     "i informacji niejawnych."},
    {29, "Zarządzanie personelem",
     "Motywowanie pracowników do osiągania wyższej skuteczności i jakości pracy, przejawiające się w:\r\n"
     "- jasnym określaniu zadań, oczekiwań i terminów,\r\n"
     "- sprawiedliwym rozdzielaniu pracy w komórce,\r\n"
     "- docenianiu osiągnięć i udzielaniu informacji zwrotnej,\r\n"
     "- reagowaniu na niewłaściwe wykonywanie obowiązków,\r\n"
     "- wspieraniu rozwoju zawodowego podwładnych i kierowaniu ich na szkolenia,\r\n"
     "- rzetelnym przeprowadzaniu ocen okresowych podwładnych,\r\n"
     "- dbałości o dobrą atmosferę i współpracę w zespole,\r\n"
     "- przekazywaniu uprawnień i odpowiedzialności,\r\n"
     "- kontrolowaniu postępów pracy i udzielaniu pomocy,\r\n"
     "- dawaniu przykładu własną postawą."},
    {30, "Myślenie strategiczne",
     "Tworzenie planów lub koncepcji realizowania celów w oparciu o analizę potrzeb i możliwości, przejawiające się "
     "w:\r\n"
     "- znajomości strategii rozwoju gminy lub powiatu i celów urzędu,\r\n"
     "- przewidywaniu skutków podejmowanych działań w dłuższym okresie,\r\n"
     "- wyznaczaniu priorytetów dla kierowanej komórki,\r\n"
     "- uwzględnianiu zmian w przepisach i w otoczeniu urzędu,\r\n"
     "- łączeniu bieżących zadań z celami długofalowymi,\r\n"
     "- przygotowywaniu programów, planów i projektów, także finansowanych ze środków zewnętrznych,\r\n"
     "- ocenie ryzyka i przygotowaniu rozwiązań zastępczych,\r\n"
     "- współpracy z innymi komórkami i jednostkami przy realizacji celów,\r\n"
     "- sprawdzaniu stopnia osiągania założonych celów."},
    {31, "Zarządzanie informacją/dzielenie się informacjami",
     "Pozyskiwanie i przekazywanie informacji, które moga wpływać na pracę komórki i urzędu:\r\n"
     "- przekazywanie w porę podwładnym i przełożonym informacji potrzebnych do wykonywania zadań,\r\n"
     "- dbałość o przepływ informacji między komórkami urzędu i jednostkami organizacyjnymi."},
    {32, "Zarządzanie wprowadzaniem zmian",
     "Wprowadzanie zmian w urzędzie przez:\r\n"
     "- dostrzeganie potrzeby zmian wynikających z przepisów i oczekiwań mieszkańców,\r\n"
     "- przygotowanie planu wprowadzenia zmiany,\r\n"
     "- informowanie pracowników o celu i przebiegu zmian,\r\n"
     "- przygotowanie pracowników do nowych zadań i procedur,\r\n"
     "- przezwyciężanie oporu wobec zmian,\r\n"
     "- zapewnienie ciągłości obsługi spraw w czasie zmian,\r\n"
     "- ocenę skutków wprowadzonych zmian,\r\n"
     "- korygowanie działań na podstawie zebranych doświadczeń."},
    {33, "Zarządzanie środkami publicznymi",
     "Kompetentne wykorzystywanie środków publicznych, zgodnie z ich przeznaczeniem. Przestrzeganie dyscypliny "
     "finansów publicznych."},
}};

constexpr std::array kStatutory = {3, 12, 33, 13, 14, 28, 19, 20, 15, 25, 27};
constexpr std::array kQualification = {0, 1, 2, 3};
constexpr std::array kEffectiveness = {4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14};
constexpr std::array kPersonal = {15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28};
constexpr std::array kManagerial = {29, 30, 31, 32, 33};

constexpr std::array<CriteriaGroup, 5> kGroups = {{
    {"Ustawowe", "Kryteria ustawowe czyli wynikające bezpośrednio z ustawy.", kStatutory},
    {"Kwalifikacyjne",
     "Kryteria kwalifikacyjne odnoszą się do tzw. \"twardej\" wiedzy i umiejętności, np. technicznej, prawnej, "
     "administracyjnej, itp.",
     kQualification},
    {"Efektywnościowe",
     "Kryteria efektywnościowe wiążą się z osiąganiem określonych rezultatów, poprzez wykonywanie przewidzianych w "
     "takich przypadkach działań.",
     kEffectiveness},
    {"Osobowe",
     "Kryteria osobowe odnoszą się do postaw, zachowań i umiejętności jakie okazują pracownicy w codziennej pracy, "
     "głównie w związku z wchodzeniem w interakcje z innymi osobami; dotykają obszarów funkcjonowania pracownika "
     "niezależnych od wiedzy formalnej, uprawnień, wykształcenia, stażu czy też pozycji w hierarchii służbowej.",
     kPersonal},
    {"Zarządcze",
     "Kryteria zarządcze są ściśle powiązane z obowiązkami wynikającymi z uprawnień zarządczych dotyczących innych "
     "ludzi (podwładnych) - planowanie, organizowanie, motywowanie i kontrola.",
     kManagerial},
}};

} // namespace

std::span<const Criterion> criteria()
{
    return kCriteria;
}

std::span<const CriteriaGroup> criteriaGroups()
{
    return kGroups;
}

const Criterion* criterionByNumber(int number)
{
    if (number < 0 || number >= kCriterionCount)
        return nullptr;
    return &kCriteria[static_cast<std::size_t>(number)];
}

const Criterion* findCriterion(std::string_view name)
{
    for (const Criterion& criterion : kCriteria) {
        if (criterion.name == name)
            return &criterion;
    }
    return nullptr;
}

} // namespace taviro
