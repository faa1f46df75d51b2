// The entry controls every page and dialog uses: one-line field, memo, date and time pickers and
// drop-down list. Each is pale yellow, carries its given name as objectName, and keeps to the one rule of
// what the data files can hold (StorableText.h); what a field does not take, it says at the field
// (FieldNote.h).
#pragma once

#include "StorableText.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QTimeEdit>

#include <string>

namespace taviro::widgets {

class TaviroLineEdit : public QLineEdit
{
    Q_OBJECT
public:
    TaviroLineEdit(const QString& objectName, QWidget* parent, StorableRule rule = kRecordLine);

    // Shows asterisks on every platform, not the style's own bullets.
    void setPasswordMode();
    // Puts a stored value into the field. A "#" or "$" the value already holds stays and the field
    // stays editable around it; only new ones are refused.
    void setStoredText(const QString& text);
    // The text as a record keeps it: UTF-8, trimmed.
    std::string trimmedText() const;

private:
    StorableTextValidator* m_validator;
};

// A multi-line field: Enter makes a new line, Tab moves on. Characters the rule refuses are not
// taken when typed and are left out of pasted or dropped text, with a note at the field.
class TaviroMemo : public QPlainTextEdit
{
    Q_OBJECT
public:
    TaviroMemo(const QString& objectName, QWidget* parent, StorableRule rule = kRecordMemo);

    // Shows a decoded stored value (line breaks as CR LF, CR or LF).
    void setStoredText(const std::string& text);
    std::string trimmedText() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    // Takes the storable part of text; what was left out is said at the field.
    QString taken(const QString& text);

    StorableRule m_rule;
};

// A date picker with its calendar, showing dd-MM-yyyy. Whichever way the keyboard brings the focus
// in, it starts at the day, so a date is typed as it is read: "05032024" is 05-03-2024. It shows
// any date, also one stored wrong earlier, but only a date within kFirstYear–kLastYear can be
// stored: it says so at the field when such a date is left, and datesAcceptable() refuses the save.
class TaviroDatePicker : public QDateEdit
{
    Q_OBJECT
public:
    static constexpr int kFirstYear = 1900;
    static constexpr int kLastYear = 2100;

    TaviroDatePicker(const QString& objectName, QWidget* parent);

    // Sets the picker to a stored dd-mm-yyyy date (read by character position). A value that is no
    // valid date within the picker's range leaves the picker as it is.
    void setStoredDate(const std::string& stored);
    // The picker's date as stored: dd-mm-yyyy.
    std::string storedDate() const;

    // Whether the date can be stored, and if not, why (in Polish; empty when it can).
    bool isAcceptable() const;
    QString refusal() const;
    // When the date cannot be stored: says why at the field, gives it the focus and returns true.
    bool sayIfRefused();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Typing takes a section's digits one by one (a day or month is complete with two digits, or
    // with one that no second can follow; a year with four) and then goes on to the next section.
    // The picker shows a valid date all along: a typed day that the shown month has not (31 while
    // February is shown) waits, shown as the month's last day, until month and year are typed.
    void typeDigit(int digit);
    void finishSection();
    void showTyped();

    Section m_typedSection = NoSection;
    QString m_typedDigits;
    int m_wantedDay = 0; // the day as typed; 0 while none is
    bool m_showingTyped = false;
};

// The save check of a page or dialog: the first enabled date picker inside container whose date
// cannot be stored says why and takes the focus. True when every date can be stored.
bool datesAcceptable(const QWidget& container);

// A time picker showing hh:mm:ss.
class TaviroTimePicker : public QTimeEdit
{
    Q_OBJECT
public:
    TaviroTimePicker(const QString& objectName, QWidget* parent);

    // Sets the picker to a stored hh:mm:ss time (read by character position). A value that is no
    // valid time of day leaves the picker as it is.
    void setStoredTime(const std::string& stored);
    // The picker's time as stored: hh:mm:ss.
    std::string storedTime() const;
};

// A drop-down list the user can only pick from, drawn as an entry field. Its list opens below it,
// no wider than half the screen (or the field, when that is wider), with long texts cut in the
// middle and shown whole in a tool tip; the field shows its whole text in a tool tip when it is cut.
class TaviroComboBox : public QComboBox
{
    Q_OBJECT
public:
    TaviroComboBox(const QString& objectName, QWidget* parent);

    void showPopup() override;

protected:
    bool event(QEvent* event) override;
};

// Read-only text boxes (hints, help, explanations) are read from the keyboard too: with the focus
// in them the arrows, Page Up, Page Down and Ctrl+Home / Ctrl+End move through the text.
void makeKeyboardReadable(QTextEdit& box);
void makeKeyboardReadable(QPlainTextEdit& box);

} // namespace taviro::widgets
