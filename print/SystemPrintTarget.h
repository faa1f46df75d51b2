// The platform's printer: QPrintDialog to choose it, QPrinter with the painter canvas to print, and
// QPrintPreviewDialog for the preview, all on one printer so that the preview shows its pages.
#pragma once

#include "PrintTarget.h"

#include <QPrinter>

namespace taviro::print {

class SystemPrintTarget : public PrintTarget
{
public:
    SystemPrintTarget();

    bool choosePrinter(QWidget* parent) override;
    // A printout that did not reach its printer or its file ends with an IoError naming it; an
    // incomplete PDF file is removed.
    void print(const Printout& printout) override;
    void preview(const Printout& printout, QWidget* parent) override;

protected:
    QPrinter& printer() { return m_printer; }

private:
    QPrinter m_printer;
};

} // namespace taviro::print
