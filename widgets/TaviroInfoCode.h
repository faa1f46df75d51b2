// The information dialog: every message the program shows to the user.
#pragma once

#include "TaviroDialog.h"

class QLabel;
class QPushButton;

namespace taviro::widgets {

class TTaviroInfoForm : public TaviroDialog
{
    Q_OBJECT

public:
    explicit TTaviroInfoForm(QWidget* parent = nullptr);

    void setText(const QString& text);
    QString text() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* m_text = nullptr;
    QPushButton* m_close = nullptr;
};

} // namespace taviro::widgets
