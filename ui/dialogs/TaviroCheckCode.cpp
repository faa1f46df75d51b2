#include "TaviroCheckCode.h"

#include "EntryControls.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>

namespace taviro::ui {

TTaviroCheckForm::TTaviroCheckForm(const QStringList& lines, QWidget* parent) : widgets::TaviroDialog(parent)
{
    setObjectName(QStringLiteral("TaviroCheckForm"));
    setWindowTitle(QStringLiteral("Sprawdzenie danych"));
    setFixedClientSize(592, 340);

    m_report = new QPlainTextEdit(this);
    m_report->setObjectName(QStringLiteral("TaviroCheckMemo"));
    m_report->setGeometry(8, 8, 576, 284);
    // Read-only, but with a text cursor: the arrow and page keys scroll the report.
    widgets::makeKeyboardReadable(*m_report);
    // A finding names its file and line first; a long one wraps rather than hiding its end.
    m_report->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_report->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_report->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_report->setPlainText(lines.join(QLatin1Char('\n')));

    addBevel(QStringLiteral("TaviroCheckBevel"), QRect(8, 299, 576, 2));
    QPushButton* close =
        addButton(QStringLiteral("TaviroCheckCloseButton"), QStringLiteral("Zamknij"), QRect(503, 308, 81, 25));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    installKeyPreview();
}

void TTaviroCheckForm::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        centreOn(parentWidget());
        // The report is what there is to read: it takes the keys for scrolling at once.
        m_report->setFocus();
    }
    widgets::TaviroDialog::showEvent(event);
}

} // namespace taviro::ui
