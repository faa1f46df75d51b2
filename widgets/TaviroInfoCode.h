// The information dialog: every message the program shows to the user.
#pragma once

#include "MessageForm.h"

class QPushButton;

namespace taviro::widgets {

class TTaviroInfoForm : public MessageForm
{
    Q_OBJECT
public:
    explicit TTaviroInfoForm(QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QPushButton* m_close = nullptr;
};

} // namespace taviro::widgets
