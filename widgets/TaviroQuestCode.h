// The question dialog: every yes/no confirmation the program asks for. "Rezygnuj" is the default,
// so Enter pressed at once answers no. Centred on the window of its parent (the main window), or on
// the screen without one.
#pragma once

#include "MessageForm.h"

class QPushButton;

namespace taviro::widgets {

class TTaviroQuestForm : public MessageForm
{
    Q_OBJECT
public:
    explicit TTaviroQuestForm(QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QPushButton* m_cancel = nullptr;
};

} // namespace taviro::widgets
