// The question dialog: every yes/no confirmation the program asks for. "Rezygnuj" is the default,
// so Enter pressed at once answers no.
#pragma once

#include "TaviroDialog.h"

class QLabel;
class QPushButton;

namespace taviro::widgets {

class TTaviroQuestForm : public TaviroDialog
{
    Q_OBJECT

public:
    // Centred on the window of parent (the main window), or on the screen without one.
    explicit TTaviroQuestForm(QWidget* parent = nullptr);

    void setText(const QString& text);
    QString text() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* m_text = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace taviro::widgets
