#include "EntryControls.h"

#include "Appearance.h"

#include "TextCodec.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>

namespace taviro::widgets {

// ---- TaviroLineEdit ----

TaviroLineEdit::TaviroLineEdit(const QString& objectName, QWidget* parent, StorableRule rule)
    : QLineEdit(parent), m_validator(new StorableTextValidator(rule, this))
{
    setObjectName(objectName);
    setValidator(m_validator);
    applyEntryBackground(this);
}

void TaviroLineEdit::setPasswordMode()
{
    setEchoMode(QLineEdit::Password);
    setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
}

void TaviroLineEdit::setStoredText(const QString& text)
{
    m_validator->allowLineMarksOf(text);
    setText(text);
}

std::string TaviroLineEdit::trimmedText() const
{
    return trimmed(text().toStdString());
}

// ---- TaviroMemo ----

TaviroMemo::TaviroMemo(const QString& objectName, QWidget* parent, StorableRule rule)
    : QPlainTextEdit(parent), m_rule(rule)
{
    setObjectName(objectName);
    setTabChangesFocus(true);
    applyEntryBackground(this);
}

void TaviroMemo::setStoredText(const std::string& text)
{
    QString lines = QString::fromStdString(text);
    lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    setPlainText(lines);
}

std::string TaviroMemo::trimmedText() const
{
    return trimmed(toPlainText().toStdString());
}

void TaviroMemo::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    if (!typed.isEmpty() && storablePart(typed, m_rule) != typed) {
        event->accept();
        QApplication::beep();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TaviroMemo::inputMethodEvent(QInputMethodEvent* event)
{
    const QString commit = storablePart(event->commitString(), m_rule);
    if (commit == event->commitString()) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent filtered(event->preeditString(), event->attributes());
    filtered.setCommitString(commit, event->replacementStart(), event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&filtered);
}

void TaviroMemo::insertFromMimeData(const QMimeData* source)
{
    if (!source || !source->hasText())
        return;
    // Only the plain text is taken; line breaks of any kind become the memo's own.
    QString text = source->text();
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    insertPlainText(storablePart(text, m_rule));
}

// ---- TaviroDatePicker ----

TaviroDatePicker::TaviroDatePicker(const QString& objectName, QWidget* parent) : QDateEdit(parent)
{
    setObjectName(objectName);
    setCalendarPopup(true);
    setDisplayFormat(QStringLiteral("dd-MM-yyyy"));
    // The widest range the picker can show; stored years are four digits.
    setDateRange(QDate(100, 1, 1), QDate(9999, 12, 31));
    applyEntryBackground(this);
}

void TaviroDatePicker::setStoredDate(const std::string& stored)
{
    const auto date = parseDate(stored);
    if (!date)
        return;
    const QDate value(date->year, date->month, date->day);
    if (value.isValid() && value >= minimumDate() && value <= maximumDate())
        setDate(value);
}

std::string TaviroDatePicker::storedDate() const
{
    const QDate value = date();
    return formatDate(Date{value.year(), value.month(), value.day()});
}

// ---- TaviroTimePicker ----

TaviroTimePicker::TaviroTimePicker(const QString& objectName, QWidget* parent) : QTimeEdit(parent)
{
    setObjectName(objectName);
    setDisplayFormat(QStringLiteral("HH:mm:ss"));
    applyEntryBackground(this);
}

void TaviroTimePicker::setStoredTime(const std::string& stored)
{
    if (const auto time = parseTime(stored))
        setTime(QTime(time->hour, time->minute, time->second));
}

std::string TaviroTimePicker::storedTime() const
{
    const QTime value = time();
    return formatTime(TimeOfDay{value.hour(), value.minute(), value.second()});
}

// ---- TaviroComboBox ----

TaviroComboBox::TaviroComboBox(const QString& objectName, QWidget* parent) : QComboBox(parent)
{
    setObjectName(objectName);
    setEditable(false);
    applyEntryBackground(this);
}

} // namespace taviro::widgets
