// The notification dialog: whether to print the notification of the first interview, its
// attachments or both. "Drukuj" stays enabled with both cleared; nothing prints then.
#pragma once

#include "PrintChoiceForm.h"

namespace taviro::print {

class TTaviroSendForm : public PrintChoiceForm
{
    Q_OBJECT
public:
    explicit TTaviroSendForm(Preview preview = {}, QWidget* parent = nullptr);

    // The print selection: 1 the letter, 2 the attachments.
    int selection() const { return mask(); }
};

} // namespace taviro::print
