// The documents delivered in data/ for every new data directory: help texts, templates, the
// regulations, the statute guide and the sample import file. They must be clean Windows-1250 RTF
// that our reader shows whole, with its Polish letters, and an import file the import accepts.
#include "DataDirectory.h"
#include "Deadlines.h"
#include "HelpText.h"
#include "RtfReader.h"
#include "RtfTestSupport.h"
#include "TextCodec.h"

#include <QDir>
#include <QFile>
#include <QTextDocument>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <vector>

using namespace taviro;
using namespace taviro::test;

namespace {

struct Delivered
{
    const char* file;
    const char* opening; // near the start of the text
    const char* closing; // near its end: a reader that stops early loses it
};

const Delivered kHelpTexts[] = {
    {"Start.hlp", "Ocena okresowa pracownika samorządowego – pomoc do programu", "drukuje ten tekst"},
    {"Cell.hlp", "Dane komórki organizacyjnej", "opis całego programu"},
    {"Person.hlp", "Dane pracownika", "przejdą razem z nim"},
    {"GradeA.hlp", "Część A – dane pracownika i rozmowa przed wyborem kryteriów", "„Dalej” (lub Enter) – część B"},
    {"GradeB.hlp", "Część B – kryteria oceny i termin jej sporządzenia", "„Wstecz” – część A; „Dalej” – część C"},
    {"GradeB1.hlp", "Wybór kryteriów oceny", "opis programu"},
    {"GradeB21.hlp", "Kwestionariusz rozmowy wspomagający wybór kryteriów", "przenieś potem do części B"},
    {"GradeB22.hlp", "Po co jest rozmowa przed wyborem kryteriów", "gdy zrezygnujesz z zapisu oceny"},
    {"GradeC.hlp", "Część C – opinia o wykonywaniu obowiązków", "„Wstecz” – część B; „Dalej” – część D"},
    {"GradeC11.hlp", "Narzędzia do rozmowy oceniającej", "nie dołącza się ich do akt osobowych"},
    {"GradeC12.hlp", "Rozmowa oceniająca", "„Powrót” – do części C"},
    {"GradeD.hlp", "Część D – poziomy kryteriów i ocena", "„Wstecz” – część C; „Dalej” – część E"},
    {"GradeE.hlp", "Część E – zapoznanie się z oceną", "„Wstecz” – część D"},
    {"Terminy.hlp", "Terminy ocen okresowych", "„Zamknij” – powrót do menu"},
};

const Delivered kDocuments[] = {
    {"GradeA1.wzo", "KWESTIONARIUSZ ROZMOWY WSPOMAGAJĄCY WYBÓR KRYTERIÓW OCENY",
     "potwierdza zapoznanie się z nimi w części B arkusza oceny"},
    {"GradeA2.wzo", "PRZYKŁAD WYPEŁNIENIA", "potwierdza zapoznanie się z nimi w części B arkusza oceny"},
    {"GradeC1.wzo", "PRZYKŁAD OPINII BEZPOŚREDNIEGO PRZEŁOŻONEGO", "sprzeczności z poziomami nadanymi w części D"},
    {"GradeC11.wzo", "ARKUSZ POMOCNICZY PRZED SPORZĄDZENIEM OPINII",
     "Cele, potrzeby szkoleniowe, wsparcie ze strony przełożonego."},
    {"GradeC12.wzo", "SCHEMAT ROZMOWY OCENIAJĄCEJ", "Notatka z ustaleń"},
    {"GradeC13.wzo", "W ZAKRESIE ASPEKTÓW EMOCJONALNYCH PROWADZENIA ROZMOWY OCENIAJĄCEJ", "to jego prawo"},
    {"GradeC14.wzo", "PRZEKAZYWANIA POZYTYWNEJ I NEGATYWNEJ INFORMACJI ZWROTNEJ", "powiedz, co z nimi zrobisz"},
    {"Regulamin.rtf", "REGULAMIN PRZEPROWADZANIA OKRESOWYCH OCEN PRACOWNIKÓW SAMORZĄDOWYCH", "V. Kryteria zarządcze"},
    {"Ustawa.rtf", "USTAWA Z DNIA 21 LISTOPADA 2008 R. O PRACOWNIKACH SAMORZĄDOWYCH", "zasady ustalane w jednostce"},
};

const char* const kImportFile = "Przyklad-import.txt";
const char* const kDeadlinesFile = "Terminy.ini";

std::vector<Delivered> everyRtfFile()
{
    std::vector<Delivered> all(std::begin(kHelpTexts), std::end(kHelpTexts));
    all.insert(all.end(), std::begin(kDocuments), std::end(kDocuments));
    return all;
}

QString dataFolder()
{
    return QStringLiteral(TAVIRO_DATA_FOLDER);
}

QByteArray readDelivered(const char* name)
{
    QFile file(dataFolder() + QLatin1Char('/') + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// Depth of the group structure: never below zero inside the file and back at zero exactly at
// its last closing brace (a stray brace ends the reader's work early or leaves text unread).
::testing::AssertionResult groupsBalance(const QByteArray& rtf)
{
    int depth = 0;
    qsizetype lastClose = -1;
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        const char c = rtf[i];
        if (c == '\\') {
            ++i; // \{ \} \\ and the first letter of a control word are not structure
        } else if (c == '{') {
            if (depth == 0 && lastClose >= 0)
                return ::testing::AssertionFailure() << "a second top-level group at byte " << i;
            ++depth;
        } else if (c == '}') {
            if (--depth < 0)
                return ::testing::AssertionFailure() << "unmatched } at byte " << i;
            lastClose = i;
        }
    }
    if (depth != 0)
        return ::testing::AssertionFailure() << depth << " groups left open";
    if (rtf.mid(lastClose + 1).trimmed().size() != 0)
        return ::testing::AssertionFailure() << "text after the closing brace";
    return ::testing::AssertionSuccess();
}

bool hasPolishLetter(const QString& text)
{
    for (const QChar c : QStringLiteral("ąćęłńóśźżĄĆĘŁŃÓŚŹŻ"))
        if (text.contains(c))
            return true;
    return false;
}

} // namespace

TEST(DeliveredDocuments, TheDataFolderHoldsExactlyTheDeliveredFiles)
{
    std::set<QString> expected{QString::fromLatin1(kImportFile), QString::fromLatin1(kDeadlinesFile)};
    for (const Delivered& document : everyRtfFile())
        expected.insert(QString::fromLatin1(document.file));
    const QStringList present = QDir(dataFolder()).entryList(QDir::Files);
    const std::set<QString> found(present.begin(), present.end());
    EXPECT_EQ(found, expected) << "a misnamed file is never found by the program";
}

TEST(DeliveredDocuments, EveryDocumentIsPureAsciiRtfInWindows1250)
{
    for (const Delivered& document : everyRtfFile()) {
        SCOPED_TRACE(document.file);
        const QByteArray rtf = readDelivered(document.file);
        ASSERT_FALSE(rtf.isEmpty());
        EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1250"));
        EXPECT_TRUE(rtf.contains("\\fcharset238")) << "fonts must be declared Central European";
        EXPECT_TRUE(RtfReader::looksLikeRtf(rtf));
        for (const char byte : rtf)
            ASSERT_TRUE(static_cast<unsigned char>(byte) < 0x80) << "Polish letters go as \\'hh escapes";
        EXPECT_TRUE(groupsBalance(rtf));
    }
}

TEST(DeliveredDocuments, TheReaderShowsTheWholeTextWithPolishLettersAndNoMarkup)
{
    for (const Delivered& document : everyRtfFile()) {
        SCOPED_TRACE(document.file);
        const auto text = readRtf(readDelivered(document.file))->toPlainText();
        EXPECT_FALSE(text.contains(QLatin1Char('\\'))) << "a control word leaked into the text";
        EXPECT_FALSE(text.contains(QLatin1Char('{')));
        EXPECT_FALSE(text.contains(QLatin1Char('}')));
        for (const char* leak : {"Arial", "Times New Roman", "fcharset", "PAGE"})
            EXPECT_FALSE(text.contains(QLatin1String(leak))) << leak << " comes from a table, not the text";
        EXPECT_FALSE(text.contains(QChar(QChar::ReplacementCharacter)));
        EXPECT_TRUE(hasPolishLetter(text));

        const qsizetype opening = text.indexOf(QString::fromUtf8(document.opening));
        const qsizetype closing = text.lastIndexOf(QString::fromUtf8(document.closing));
        EXPECT_GE(opening, 0) << document.opening;
        EXPECT_GT(closing, opening) << document.closing;
        EXPECT_LT(text.size() - closing, 400) << "the closing phrase stands near the end";
    }
}

TEST(DeliveredDocuments, HelpTextsShowFormattedAndShortInTheHintBox)
{
    const DataDirectory directory(DataDirectory::withTrailingSeparator(
        QDir::toNativeSeparators(dataFolder()).toStdString(), QDir::separator().toLatin1()));
    for (const Delivered& help : kHelpTexts) {
        SCOPED_TRACE(help.file);
        QTextEdit box;
        box.setReadOnly(true);
        HelpText::load(directory, QString::fromLatin1(help.file), box);
        const QString opening = QString::fromUtf8(help.opening);
        EXPECT_TRUE(box.toPlainText().startsWith(opening)) << "every help text opens with its heading";
        EXPECT_TRUE(box.toPlainText().contains(QString::fromUtf8(help.closing)));
        EXPECT_TRUE(runWith(*box.document(), opening).bold());
        for (const TextRun& run : runsOf(*box.document()))
            EXPECT_FALSE(run.format.hasProperty(QTextFormat::FontPointSize)) << "the box's own font size serves";
        // The overview in the help dialog may be longer; a page's hint must fit a small box.
        const int limit = QLatin1String(help.file) == QLatin1String("Start.hlp") ? 60 : 40;
        EXPECT_LE(box.document()->blockCount(), limit);
    }
}

TEST(SampleImportFile, EveryLineHasElevenWindows1250FieldsTheImportTakes)
{
    const QByteArray bytes = readDelivered(kImportFile);
    ASSERT_FALSE(bytes.isEmpty());
    ASSERT_TRUE(bytes.endsWith("\r\n"));
    const std::string text = cp1250ToUtf8(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    EXPECT_TRUE(hasPolishLetter(QString::fromStdString(text)));

    std::set<std::string> units;
    std::set<std::tuple<std::string, std::string, std::string>> employees;
    std::set<std::string> bodies;
    int lines = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        ASSERT_NE(end, std::string::npos);
        const std::string line = text.substr(start, end - start);
        start = end + 2;
        SCOPED_TRACE(line);
        ASSERT_EQ(line.find_first_of("\r\n"), std::string::npos) << "line ends are CR LF only";
        ASSERT_FALSE(line.empty());
        ++lines;

        std::vector<std::string> fields;
        std::size_t from = 0;
        for (std::size_t tab = line.find('\t'); tab != std::string::npos; tab = line.find('\t', from)) {
            fields.push_back(line.substr(from, tab - from));
            from = tab + 1;
        }
        fields.push_back(line.substr(from));
        ASSERT_EQ(fields.size(), 11u) << "exactly ten tabs";
        for (const std::string& field : fields) {
            EXPECT_FALSE(field.empty());
            EXPECT_EQ(field, trimmed(field)) << "the import takes fields untrimmed";
            EXPECT_LE(field.size(), 255u);
        }
        bodies.insert(fields[0] + "\t" + fields[1]);
        units.insert(polishUpper(fields[2]));
        EXPECT_NE(fields[3].find(' '), std::string::npos) << "the appraiser is first name and surname";
        EXPECT_TRUE(fields[8] == "0" || fields[8] == "1");
        const auto employed = parseDate(fields[9]);
        const auto inPosition = parseDate(fields[10]);
        ASSERT_TRUE(employed && inPosition);
        EXPECT_EQ(formatDate(*employed), fields[9]) << "dd-mm-yyyy";
        EXPECT_EQ(formatDate(*inPosition), fields[10]);
        EXPECT_LE(std::tie(employed->year, employed->month, employed->day),
                  std::tie(inPosition->year, inPosition->month, inPosition->day))
            << "the present position cannot start before the employment";
        EXPECT_TRUE(employees.insert({polishUpper(fields[2]), polishUpper(fields[5]), polishUpper(fields[6])}).second)
            << "the import would silently drop a second employee of the same name in one unit";
    }
    EXPECT_EQ(bodies.size(), 1u) << "one local-government body";
    EXPECT_GE(units.size(), 4u);
    EXPECT_LE(units.size(), 5u);
    EXPECT_GE(lines, 25);
}

TEST(DeliveredDocuments, TheDeadlinesFileIsTheTemplateWithTheDefaults)
{
    EXPECT_EQ(readDelivered(kDeadlinesFile).toStdString(), utf8ToCp1250(deadlinePeriodsTemplate()))
        << "what an office edits states every period the program uses";
}
