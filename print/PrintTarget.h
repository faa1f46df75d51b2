// Where a printout goes: the platform's print dialog, the printer chosen in it, and the print
// preview. The desktop program uses the platform's; tests record what would have been printed.
#pragma once

#include <functional>

class QWidget;

namespace taviro::print {

class PrintCanvas;

// Draws every job of one printout on a canvas.
using Printout = std::function<void(PrintCanvas& canvas)>;

class PrintTarget
{
public:
    virtual ~PrintTarget() = default;
    // The platform's print dialog: the user picks the printer (or a PDF file). False when given up.
    virtual bool choosePrinter(QWidget* parent) = 0;
    // Prints on the printer chosen last.
    virtual void print(const Printout& printout) = 0;
    // Shows the pages of the printout as they will print, over parent, until the user closes it.
    virtual void preview(const Printout& printout, QWidget* parent) = 0;
};

} // namespace taviro::print
