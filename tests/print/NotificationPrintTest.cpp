// The notification of the first interview on a recording canvas: its jobs for each selection, the
// letter's first line and summons, the rows of the list of criteria, its printed wording, and the
// print data assembled from the unit, the employee and the dates of page A.
#include "NotificationPrint.h"
#include "CriteriaList.h"
#include "NotificationData.h"
#include "PageDrawing.h"
#include "RecordingCanvas.h"

#include "CriteriaCatalogue.h"
#include "Register.h"

#include <gtest/gtest.h>

using namespace taviro;
using namespace taviro::print;
using taviro::test::CanvasOperation;
using taviro::test::RecordingCanvas;

namespace {

const LoadedLines kLetterData = {
    "CELLCITY=Kraków",   "CELLFIRM=Urząd Miasta",       "CELLPERSON=Zofia Żak",      "PERSONNAME=Jan",
    "PERSONSURNAME=Kos", "SECTIONAINFODATE=12-03-2024", "SECTIONAINFOTIME=09:30:00", "SECTIONAINFODATE2=05-03-2024"};

RecordingCanvas printed(const LoadedLines& data, int selection)
{
    RecordingCanvas canvas;
    printNotification(canvas, data, selection);
    return canvas;
}

int fills(const std::vector<CanvasOperation>& operations)
{
    return static_cast<int>(std::count_if(operations.begin(), operations.end(), [](const CanvasOperation& operation) {
        return operation.kind == CanvasOperation::Kind::Fill;
    }));
}

} // namespace

TEST(NotificationPrint, TheSelectionGivesTheLetterTheAttachmentsBothOrNothing)
{
    EXPECT_EQ(printed(kLetterData, 0).operations.size(), 0u);
    EXPECT_EQ(printed(kLetterData, kLetter).jobTitles(), QStringList{letterJobTitle()});
    EXPECT_EQ(printed(kLetterData, kAttachments).jobTitles().size(), 6);
    const QStringList both = printed(kLetterData, kLetter | kAttachments).jobTitles();
    EXPECT_EQ(both, (QStringList{letterJobTitle(), letterJobTitle(), attachmentsJobTitle(), attachmentsJobTitle(),
                                 attachmentsJobTitle(), attachmentsJobTitle(), attachmentsJobTitle()}));
}

TEST(NotificationPrint, TheListOfCriteriaHasItsRowsOnFivePagesEachFramedWithTitleAndHeader)
{
    const RecordingCanvas canvas = printed(kLetterData, kAttachments);
    const int rowsPerPage[] = {14, 9, 4, 6, 1};
    const char* titles[] = {"Wykaz kryteriów oceny", "Wykaz kryteriów oceny", "KRYTERIA DO WYBORU",
                            "KRYTERIA DO WYBORU", "KRYTERIA DO WYBORU"};
    for (int page = 0; page < kCriteriaListPages; ++page) {
        // The frame, the title box and the two boxes of the header; then two boxes per row.
        EXPECT_EQ((fills(canvas.job(page + 1)) - 4) / 2, rowsPerPage[page]) << "page " << page + 1;
        EXPECT_TRUE(canvas.findText(page + 1, QString::fromUtf8(titles[page])));
        EXPECT_TRUE(canvas.findText(page + 1, QStringLiteral("Opis kryterium")));
    }
    EXPECT_EQ(canvas.job(1).at(0).rect, (PixelRect{220, 319, 220 + 4358, 319 + 6160})) << "the page frame";
}

TEST(NotificationPrint, TheListPrintsTheCataloguesDescriptionsOrItsOwnWordingOfTheGivenShape)
{
    // Rows that word their description themselves: row, lines, opening words.
    const std::vector<std::tuple<int, int, const char*>> ownWording = {
        {13, 3, "Pozyskiwanie i przekazywanie informacji, które mogą wpływać na"},
        {14, 6, "Formułowanie wypowiedzi w sposób gwarantujący ich zrozumienie, przez:"},
        {15, 6, "Zaspokajanie potrzeb obywatela, przez:"},
        {16, 5, "Umiejętność budowania kontaktu z inną osobą, przez:"},
        {17, 5, "Formułowanie wypowiedzi w sposób gwarantujący zrozumienie, przez:"},
        {19, 5, "Znajomość języka obcego na poziomie odpowiednim do realizowanych"},
        {21, 6, "Realizacja zadań w zespole, przez:"},
        {22, 8, "Wypracowywanie stanowiska akceptowanego przez zainteresowanych, dzięki:"},
        {24, 11, "Motywowanie pracowników do osiągania wyższej skuteczności i jakości"},
        {25, 6, "Nadzorowanie prowadzonych działań w celu uzyskiwania pożądanych efektów,"},
        {26, 9, "Wprowadzanie zmian w urzędzie przez:"},
        {27, 6, "Osiąganie zakładanych celów, doprowadzanie działań do końca, przez:"},
        {28, 6, "Umiejętność podejmowania decyzji w sposób bezstronny i obiektywny,"},
        {29, 8, "Pokonywanie sytuacji kryzysowych oraz rozwiązywanie skomplikowanych problemów, przez:"},
        {30, 1, "Zdolność do samodzielnego wyszukiwania i zdobywania informacji, formułowania"},
        {31, 3, "- umiejętność i wola poszukiwania obszarów wymagających zmian"},
        {32, 7, "Wykorzystywanie umiejętności i wyobraźni do tworzenia nowych rozwiązań"},
        {33, 10, "Tworzenie planów lub koncepcji realizowania celów w oparciu"},
        {34, 7, "Umiejętne stawianie hipotez, wyciąganie wniosków przez analizowanie i"},
    };
    const auto rows = criteriaListRows();
    ASSERT_EQ(rows.size(), 34u);
    std::vector<bool> own(rows.size(), false);
    for (const auto& [row, lines, opening] : ownWording) {
        const QString& description = rows[static_cast<std::size_t>(row - 1)].description;
        own[static_cast<std::size_t>(row - 1)] = true;
        EXPECT_EQ(description.split(QStringLiteral("\r\n")).size(), lines) << "row " << row;
        EXPECT_TRUE(description.startsWith(QString::fromUtf8(opening))) << "row " << row;
        const Criterion* catalogue = criterionByNumber(rows[static_cast<std::size_t>(row - 1)].catalogueNumber);
        EXPECT_NE(description.toStdString(), catalogue->description) << "row " << row;
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (own[i])
            continue;
        EXPECT_EQ(rows[i].description.toStdString(), criterionByNumber(rows[i].catalogueNumber)->description)
            << "row " << i + 1;
    }
    EXPECT_EQ(rows[19].name, QStringLiteral("Nastawienie na własny rozwój, podnoszenie umiejętności i kwalifikacji"));
}

TEST(NotificationPrint, TheLetterDatesItselfAtTheRightEdgeAndSummonsWithoutSeconds)
{
    RecordingCanvas canvas = printed(kLetterData, kLetter);
    PageDrawing units(canvas);
    const auto* first = canvas.findText(0, QStringLiteral("Kraków, dnia 05-03-2024"));
    ASSERT_TRUE(first);
    const int width = static_cast<int>(first->text.size()) * first->font.height / 2;
    EXPECT_EQ(first->from.x() + width, units.px(500) + units.px(9000));
    EXPECT_TRUE(summonsSentence(kLetterData).contains(QStringLiteral(" 12-03-2024 o godzinie 09:30 odbędzie")));
}

TEST(NotificationPrint, TheSummonsWrapsAtBlanksFromY2600InStepsOf150)
{
    RecordingCanvas canvas = printed(kLetterData, kLetter);
    PageDrawing units(canvas);
    QStringList summons;
    int expectedTop = units.py(2600);
    for (const CanvasOperation& operation : canvas.job(0)) {
        if (operation.kind != CanvasOperation::Kind::Text || operation.from.y() >= units.py(3300))
            continue;
        EXPECT_EQ(operation.from.y(), expectedTop);
        EXPECT_EQ(operation.from.x(), units.px(500));
        expectedTop += units.py(150);
        summons << operation.text;
    }
    EXPECT_GE(summons.size(), 2);
    EXPECT_EQ(summons.join(QLatin1Char(' ')), summonsSentence(kLetterData));
}

TEST(NotificationPrint, ThePrintDataHoldTheUnitTheEmployeeAndThePageDates)
{
    Unit unit{"000001", "Urząd Gminy", "Łęczyca", "Referat", "Zofia Żak", "Kierownik", "01-02-2015"};
    Employee employee{"000005", "", "Wiśniewska", "Inspektor", "1", "", "", "", ""};
    const LoadedLines data = notificationData(unit, employee, {"10-03-2026", "14:05:00", "05-03-2026"});
    EXPECT_EQ(loadedValue(data, "CELLFIRM="), QStringLiteral("Urząd Gminy"));
    EXPECT_EQ(loadedValue(data, "CELLPERSON="), QStringLiteral("Zofia Żak"));
    EXPECT_EQ(loadedValue(data, "PERSONSURNAME="), QStringLiteral("Wiśniewska"));
    EXPECT_EQ(loadedValue(data, "SECTIONAINFOTIME="), QStringLiteral("14:05:00"));
    EXPECT_EQ(loadedValue(data, "SECTIONAINFODATE2="), QStringLiteral("05-03-2026"));
    EXPECT_TRUE(printed(data, kLetter).findText(0, QStringLiteral(" Wiśniewska")))
        << "without a first name the blank and the surname still print";
    EXPECT_EQ(notificationData(std::nullopt, std::nullopt, {"a", "b", "c"}).size(), 3u);
}
