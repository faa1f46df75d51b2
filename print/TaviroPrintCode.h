// The print-parts dialog: which parts A to E of the appraisal sheet to print. "Drukuj" only while
// a part is ticked.
#pragma once

#include "PrintChoiceForm.h"

namespace taviro::print {

class TTaviroPrintForm : public PrintChoiceForm
{
    Q_OBJECT
public:
    explicit TTaviroPrintForm(Preview preview = {}, QWidget* parent = nullptr);

    // The parts mask of the ticked boxes (bit 1 part A … bit 16 part E).
    int partsMask() const { return mask(); }
};

} // namespace taviro::print
