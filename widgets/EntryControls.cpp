#include "EntryControls.h"

#include "Appearance.h"
#include "FieldNote.h"

#include "TextCodec.h"

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
    connect(m_validator, &StorableTextValidator::refused, this,
            [this](const QStringList& characters) { showFieldNote(this, refusalNote(characters)); });
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

QString TaviroMemo::taken(const QString& text)
{
    const QStringList refused = refusedCharacters(text, m_rule);
    if (!refused.isEmpty())
        showFieldNote(this, refusalNote(refused));
    return storablePart(text, m_rule);
}

void TaviroMemo::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    if (!typed.isEmpty() && taken(typed) != typed) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TaviroMemo::inputMethodEvent(QInputMethodEvent* event)
{
    const QString commit = taken(event->commitString());
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
    insertPlainText(taken(text));
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

// ---- read-only boxes ----

namespace {

constexpr Qt::TextInteractionFlags kReadingFlags =
    Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard | Qt::LinksAccessibleByMouse;

} // namespace

void makeKeyboardReadable(QTextEdit& box)
{
    box.setReadOnly(true);
    box.setTextInteractionFlags(kReadingFlags);
    box.setFocusPolicy(Qt::StrongFocus);
}

void makeKeyboardReadable(QPlainTextEdit& box)
{
    box.setReadOnly(true);
    box.setTextInteractionFlags(kReadingFlags);
    box.setFocusPolicy(Qt::StrongFocus);
}

} // namespace taviro::widgets
