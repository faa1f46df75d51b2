// The report of the data check started from the administration page: what the check found, one
// finding a line, and its closing summary, in a read-only box read with the keyboard.
#pragma once

#include "TaviroDialog.h"

#include <QStringList>

class QPlainTextEdit;

namespace taviro::ui {

class TTaviroCheckForm : public widgets::TaviroDialog
{
    Q_OBJECT

public:
    // lines: the report as the admin tool prints it, the summary last. Centred on parent's window.
    explicit TTaviroCheckForm(const QStringList& lines, QWidget* parent = nullptr);

    QPlainTextEdit* report() const { return m_report; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QPlainTextEdit* m_report = nullptr;
};

} // namespace taviro::ui
