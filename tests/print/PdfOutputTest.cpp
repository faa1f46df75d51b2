// Real PDF files read back with pdftotext: the sheets of stored appraisals through the command-line
// export taviro-pdf, and the notification with its attachments through the printer canvas. The text
// must be searchable, Polish letters included. And the list's own wordings measured in the
// printer's Arial.
#include "PrintTestSupport.h"

#include "CriteriaList.h"
#include "NotificationPrint.h"
#include "PageDrawing.h"
#include "PainterCanvas.h"

#include "CriteriaCatalogue.h"

#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace taviro;
using namespace taviro::test;

namespace {

struct Finished
{
    int exitCode = -1;
    QString output;
};

Finished runProgram(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000))
        return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput())};
}

// The text of the PDF file, pages separated by form feeds.
QString pdfText(const QString& file)
{
    const Finished run = runProgram(QStringLiteral(TAVIRO_PDFTOTEXT),
                                    {QStringLiteral("-enc"), QStringLiteral("UTF-8"), file, QStringLiteral("-")});
    EXPECT_EQ(run.exitCode, 0) << "pdftotext (poppler-utils) must be installed";
    return run.output;
}

int pages(const QString& text)
{
    return static_cast<int>(text.count(QLatin1Char('\f')));
}

// The text with every line end and run of blanks as one blank, so that wrapped lines read on.
QString flowing(const QString& text)
{
    return text.simplified();
}

class PdfOutput : public ::testing::Test
{
protected:
    Finished exportSheets(const QStringList& request)
    {
        return runProgram(QStringLiteral(TAVIRO_PDF_PROGRAM),
                          QStringList{QStringLiteral("--data-dir"), QString::fromStdString(dir.directory().path())} +
                              request);
    }
    QString output(const char* name) const { return out.filePath(QString::fromLatin1(name)); }

    TemporaryDataDirectory dir;
    QTemporaryDir out;
};

} // namespace

TEST_F(PdfOutput, TheFivePartsOfAStoredAppraisalExportWithTheirTextsAndValues)
{
    writePrintedData(dir, {filledAppraisalRecord("000001")});
    ASSERT_EQ(exportSheets({"--employee", "5", "--appraisal", "1", output("sheet.pdf")}).exitCode, 0);
    const QString text = pdfText(output("sheet.pdf"));
    EXPECT_EQ(pages(text), 5);
    for (const char* expected :
         {"ARKUSZ OCENY OKRESOWEJ PRACOWNIKA SAMORZĄDOWEGO", "Część A", "Część B", "Część C", "Część D", "Część E",
          "I. Dane dotyczące ocenianego pracownika samorządowego", "Urząd Gminy Łęczyca", "Małgorzata", "Wiśniewska",
          "Referat Świadczeń", "Grudniu 2026", "Obsługa kasy", "Jerzy Gęślarz", "Chętnie pomaga współpracownikom.",
          "Pozytywną", "Zapoznałam/-łem się z oceną sporządzoną na piśmie przez:", "(podpis ocenianego)"})
        EXPECT_TRUE(flowing(text).contains(QString::fromUtf8(expected))) << expected;
}

TEST_F(PdfOutput, EveryLiveAppraisalOfAUnitGoesIntoOneFile)
{
    RecordLines deleted = filledAppraisalRecord("000003", "31-12-2020");
    std::replace(deleted.begin(), deleted.end(), std::string("DELETE=0"), std::string("DELETE=1"));
    writePrintedData(
        dir, {filledAppraisalRecord("000001", "31-12-2024"), deleted, filledAppraisalRecord("000002", "31-12-2026")});
    const Finished run = exportSheets({"--unit", "1", "--parts", "AD", output("unit.pdf")});
    ASSERT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output, QStringLiteral("sheets=2\n"));
    const QString text = pdfText(output("unit.pdf"));
    EXPECT_EQ(pages(text), 4);
    EXPECT_TRUE(text.contains(QStringLiteral("31-12-2024")));
    EXPECT_TRUE(text.contains(QStringLiteral("31-12-2026")));
    EXPECT_FALSE(text.contains(QStringLiteral("31-12-2020"))) << "a deleted appraisal is not archived";
}

TEST_F(PdfOutput, TheExportRefusesAnUnknownAppraisalAndAWrongRequest)
{
    writePrintedData(dir, {filledAppraisalRecord("000001")});
    EXPECT_EQ(exportSheets({"--employee", "5", "--appraisal", "7", output("none.pdf")}).exitCode, 1);
    EXPECT_EQ(exportSheets({"--employee", "5", output("none.pdf")}).exitCode, 64);
    EXPECT_EQ(exportSheets({"--unit", "1", "--parts", "F", output("none.pdf")}).exitCode, 64);
}

TEST_F(PdfOutput, TheNotificationAndItsAttachmentsPrintToAPdfWithTheirTexts)
{
    const print::LoadedLines data = {"CELLFIRM=Urząd Gminy Łęczyca", "CELLCITY=Łęczyca",
                                     "CELLPERSON=Zofia Żak",         "PERSONNAME=Małgorzata",
                                     "PERSONSURNAME=Wiśniewska",     "SECTIONAINFODATE=10-03-2026",
                                     "SECTIONAINFOTIME=09:30:00",    "SECTIONAINFODATE2=05-03-2026"};
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(output("notification.pdf"));
        print::PainterCanvas canvas(printer, print::PainterCanvas::Jobs::OneDocument);
        print::printNotification(canvas, data, print::kLetter | print::kAttachments);
        canvas.finish();
        ASSERT_TRUE(canvas.succeeded());
    }
    const QString text = pdfText(output("notification.pdf"));
    EXPECT_EQ(pages(text), 7);
    for (const char* expected : {"POWIADOMIENIE O PIERWSZEJ ROZMOWIE", "Łęczyca, dnia 05-03-2026",
                                 "Urząd Gminy Łęczyca", "Małgorzata Wiśniewska", "o godzinie 09:30 odbędzie",
                                 "Obowiązki pracownika samorządowego", "Wykaz kryteriów oceny", "KRYTERIA DO WYBORU",
                                 "Zarządzanie informacją/dzielenie się informacjami", "Umiejętności analityczne"})
        EXPECT_TRUE(flowing(text).contains(QString::fromUtf8(expected))) << expected;
}

namespace {

// Measures with the printer's fonts and counts the lines a paragraph draws; draws nothing.
class LineCounter : public print::PrintCanvas
{
public:
    explicit LineCounter(print::PainterCanvas& measure) : m_measure(measure) {}
    int pageWidth() const override { return m_measure.pageWidth(); }
    int pageHeight() const override { return m_measure.pageHeight(); }
    int resolutionX() const override { return m_measure.resolutionX(); }
    int resolutionY() const override { return m_measure.resolutionY(); }
    void beginJob(const QString&, print::Orientation) override {}
    void newPage() override {}
    void endJob() override {}
    void setFont(const print::CanvasFont& font) override { m_measure.setFont(font); }
    int textWidth(const QString& text) override { return m_measure.textWidth(text); }
    int textHeight(const QString& text) override { return m_measure.textHeight(text); }
    void fillWhite(const print::PixelRect&) override {}
    void line(QPoint, QPoint, int) override {}
    void clippedText(const print::PixelRect&, QPoint, const QString&) override {}
    void text(QPoint, const QString&) override { ++lines; }

    int lines = 0;

private:
    print::PainterCanvas& m_measure;
};

} // namespace

TEST_F(PdfOutput, EveryDescriptionOfTheListFitsItsRowInArial)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(output("measure.pdf"));
    print::PainterCanvas measure(printer, print::PainterCanvas::Jobs::OneDocument);
    LineCounter counter(measure);
    print::PageDrawing draw(counter);
    for (const print::CriteriaListRow& row : print::criteriaListRows()) {
        counter.lines = 0;
        draw.paragraph({3050, 0, 6400, 150}, row.description, print::Align::Left, print::kAllLines, 140);
        // The last line, 140 high, must end inside the row: 25 + 150 × (lines − 1) + 140.
        EXPECT_LE(25 + 150 * (counter.lines - 1) + 140, row.height)
            << row.name.toStdString() << ": " << counter.lines << " lines";
    }
}
