#include "SheetArchive.h"

#include "PainterCanvas.h"
#include "SheetPrint.h"

#include "Register.h"

#include <QPageSize>
#include <QPrinter>

namespace taviro::print {

std::vector<StoredAppraisal> liveAppraisalsOfUnit(EmployeeRegister& employees, AppraisalRegister& appraisals,
                                                  const std::string& unitId)
{
    std::vector<StoredAppraisal> sheets;
    for (const EmployeeEntry& employee : employees.liveEmployees(unitId)) {
        for (const AppraisalEntry& appraisal : appraisals.liveAppraisals(employee.id))
            sheets.push_back({employee.id, appraisal.id});
    }
    return sheets;
}

bool writeSheetsPdf(AppraisalRegister& appraisals, const std::vector<StoredAppraisal>& sheets, int partsMask,
                    const QString& path)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setCreator(QStringLiteral("Taviro"));
    PainterCanvas canvas(printer, PainterCanvas::Jobs::OneDocument);
    for (const StoredAppraisal& sheet : sheets)
        printSheet(canvas, printedRecord(appraisals, sheet.employeeId, sheet.appraisalId), partsMask);
    canvas.finish();
    return canvas.succeeded() && isCompletePdf(path);
}

} // namespace taviro::print
