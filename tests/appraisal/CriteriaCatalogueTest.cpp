// The criteria catalogue against the table it was written from: names, the length and the opening
// words of each description, and the groups with their texts and members.
#include "CriteriaCatalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace taviro;

namespace {

struct Expected
{
    int number;
    std::string_view name;
    std::size_t lines;
    std::string_view openingWords;
};

constexpr Expected kTable[] = {
    {0, "Wiedza specjalistyczna", 1, "Wiedza z konkretnej dziedziny, która warunkuje odpowiedni poziom"},
    {1, "Umiejętność obsługi urządzeń technicznych", 1,
     "Odpowiedni stopień wiedzy i umiejętności niezbędny do korzystania"},
    {2, "Znajomość języka obcego (czynna i bierna)", 5,
     "Znajomość języka obcego na poziomie odpowiednim do realizowanych"},
    {3, "Przestrzeganie i umiejętność stosowania Konstytucji RP i odpowiednich przepisów prawa", 1,
     "Znajomość Konstytucji RP i przepisów niezbędnych do właściwego"},
    {4, "Zarządzanie zasobami", 4, "Odpowiednie do potrzeb rozmieszczenie i wykorzystanie zasobów finansowych"},
    {5, "Zarządzanie jakością realizowanych zadań", 6,
     "Nadzorowanie prowadzonych działań w celu uzyskiwania pożądanych efektów"},
    {6, "Zorientowanie na rezultaty pracy", 6, "Osiąganie zakładanych celów, doprowadzanie działań do końca przez"},
    {7, "Podejmowanie decyzji", 6, "Umiejętność podejmowania decyzji w sposób bezstronny i obiektywny"},
    {8, "Radzenie sobie w sytuacjach kryzysowych", 8,
     "Pokonywanie sytuacji kryzysowych oraz rozwiązywanie skomplikowanych problemów przez:"},
    {9, "Umiejętności analityczne", 7, "Umiejętne stawianie hipotez, wyciąganie wniosków przez analizowanie i"},
    {10, "Sprawność", 1, "Dbałość o szybkie, wydajne i efektywne realizowanie powierzonych"},
    {11, "Planowanie i organizowanie pracy", 1, "Planowanie działań i organizowanie pracy w celu wykonania"},
    {12, "Wykonywanie zadań publicznych", 1,
     "Kompetentne wykonywanie zadań publicznych, właściwe godzenie interesu publicznego"},
    {13, "Umiejętność udzielania informacji organom, instytucjom i osobom fizycznym", 1,
     "Posiadanie zasobu informacji odpowiedniego do stanowiska. Dokładne i"},
    {14, "Udostępnianie dokumentów organom, instytucjom i osobom fizycznym", 1,
     "Posiadanie wiedzy o tym, które dokumenty można udostępnić,"},
    {15, "Nastawienie na własny rozwój, podnoszenie kwalifikacji", 1,
     "Zdolność i skłonność do uczenia się, uzupełniania wiedzy"},
    {16, "Komunikacja werbalna", 6, "Formułowanie wypowiedzi w sposób gwarantujący ich zrozumienie przez:"},
    {17, "Komunikacja pisemna", 5, "Formułowanie wypowiedzi w sposob gwarantujący zrozumienie przez:"},
    {18, "Komunikatywność", 5, "Umiejętność budowania kontaktu z inną osobą przez:"},
    {19, "Pozytywne podejście do obywatela", 6, "Zaspakajanie potrzeb obywatela przez:"},
    {20, "Umiejętność pracy w zespole", 6, "Realizacja zadań w zespole przez:"},
    {21, "Umiejętność negocjowania", 8, "Wypracowywanie stanowiska akceptowanego przez zainteresowanych dzięki:"},
    {22, "Samodzielność", 1, "Zdolność do samodzielnego wyszukiwania i zdobywania informacji, formułowania"},
    {23, "Inicjatywa", 3, "- umiejętność i wola poszukiwania obszarów wymagających zmian"},
    {24, "Kreatywność", 7, "Wykorzystywanie umiejętności i wyobraźni do tworzenia nowych rozwiązań"},
    {25, "Sumienność", 1, "Wykonywanie obowiązków i poleceń przełożonego w sposób dokładny,"},
    {26, "Bezstronność", 1, "Obiektywne rozpoznawanie sytuacji przy wykorzystaniu dostępnych źródeł, gwarantujące"},
    {27, "Postawa etyczna", 1, "Wykonywanie obowiązków w sposób uczciwy, niebudzący podejrzeń o"},
    {28, "Stosunek do tajemnicy ustawowo chronionej", 1, "Brak dowodów lub przesłanek łamania tajemnicy służbowej. W"},
    {29, "Zarządzanie personelem", 11, "Motywowanie pracowników do osiągania wyższej skuteczności i jakości"},
    {30, "Myślenie strategiczne", 10, "Tworzenie planów lub koncepcji realizowania celów w oparciu"},
    {31, "Zarządzanie informacją/dzielenie się informacjami", 3,
     "Pozyskiwanie i przekazywanie informacji, które moga wpływać na"},
    {32, "Zarządzanie wprowadzaniem zmian", 9, "Wprowadzanie zmian w urzędzie przez:"},
    {33, "Zarządzanie środkami publicznymi", 1,
     "Kompetentne wykorzystywanie środków publicznych, zgodnie z ich przeznaczeniem."},
};

struct ExpectedGroup
{
    std::string_view name;
    std::string_view description;
    std::vector<int> members;
};

const std::vector<ExpectedGroup> kGroupTable = {
    {"Ustawowe",
     "Kryteria ustawowe czyli wynikające bezpośrednio z ustawy.",
     {3, 12, 33, 13, 14, 28, 19, 20, 15, 25, 27}},
    {"Kwalifikacyjne",
     "Kryteria kwalifikacyjne odnoszą się do tzw. \"twardej\" wiedzy i umiejętności, np. technicznej, prawnej, "
     "administracyjnej, itp.",
     {0, 1, 2, 3}},
    {"Efektywnościowe",
     "Kryteria efektywnościowe wiążą się z osiąganiem określonych rezultatów, poprzez wykonywanie przewidzianych w "
     "takich przypadkach działań.",
     {4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}},
    {"Osobowe",
     "Kryteria osobowe odnoszą się do postaw, zachowań i umiejętności jakie okazują pracownicy w codziennej pracy, "
     "głównie w związku z wchodzeniem w interakcje z innymi osobami; dotykają obszarów funkcjonowania pracownika "
     "niezależnych od wiedzy formalnej, uprawnień, wykształcenia, stażu czy też pozycji w hierarchii służbowej.",
     {15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28}},
    {"Zarządcze",
     "Kryteria zarządcze są ściśle powiązane z obowiązkami wynikającymi z uprawnień zarządczych dotyczących innych "
     "ludzi (podwładnych) - planowanie, organizowanie, motywowanie i kontrola.",
     {29, 30, 31, 32, 33}},
};

// The lines of a description: split at CR LF, which must be the only line ends in it.
std::vector<std::string_view> descriptionLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    for (std::size_t at = 0;;) {
        const std::size_t end = text.find("\r\n", at);
        lines.push_back(text.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at));
        if (end == std::string_view::npos)
            return lines;
        at = end + 2;
    }
}

} // namespace

TEST(CriteriaCatalogue, HoldsEveryCriterionOfTheTableWithItsDescriptionShape)
{
    ASSERT_EQ(criteria().size(), std::size(kTable));
    for (const Expected& expected : kTable) {
        SCOPED_TRACE(expected.number);
        const Criterion& criterion = criteria()[static_cast<std::size_t>(expected.number)];
        EXPECT_EQ(criterion.number, expected.number);
        EXPECT_EQ(criterion.name, expected.name);
        const std::vector<std::string_view> lines = descriptionLines(criterion.description);
        EXPECT_EQ(lines.size(), expected.lines);
        EXPECT_TRUE(lines.front().starts_with(expected.openingWords)) << lines.front();
        for (const std::string_view line : lines) {
            EXPECT_FALSE(line.empty());
            EXPECT_EQ(line.find_first_of("\r\n"), std::string_view::npos) << line;
        }
    }
}

TEST(CriteriaCatalogue, HoldsTheFiveGroupsInOrder)
{
    ASSERT_EQ(criteriaGroups().size(), kGroupTable.size());
    for (std::size_t i = 0; i < kGroupTable.size(); ++i) {
        const CriteriaGroup& group = criteriaGroups()[i];
        EXPECT_EQ(group.name, kGroupTable[i].name);
        EXPECT_EQ(group.description, kGroupTable[i].description);
        EXPECT_EQ(std::vector<int>(group.members.begin(), group.members.end()), kGroupTable[i].members) << group.name;
    }
}

TEST(CriteriaCatalogue, FindsACriterionByItsExactNameOrNumber)
{
    ASSERT_NE(findCriterion("Sumienność"), nullptr);
    EXPECT_EQ(findCriterion("Sumienność")->number, 25);
    EXPECT_EQ(findCriterion("Zarządzanie środkami publicznymi")->number, 33);
    EXPECT_EQ(findCriterion("sumienność"), nullptr);
    EXPECT_EQ(findCriterion("Sumienność "), nullptr);
    EXPECT_EQ(findCriterion(""), nullptr);
    EXPECT_EQ(criterionByNumber(0)->name, "Wiedza specjalistyczna");
    EXPECT_EQ(criterionByNumber(-1), nullptr);
    EXPECT_EQ(criterionByNumber(kCriterionCount), nullptr);
}
