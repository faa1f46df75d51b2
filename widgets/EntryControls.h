// The entry controls every page and dialog uses: one-line field, memo, date and time pickers and
// drop-down list. Each is pale yellow, carries its given name as objectName, and keeps to the one rule of
// what the data files can hold (StorableText.h).
#pragma once

#include "StorableText.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
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
// taken when typed and are dropped from pasted or dropped text.
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
    StorableRule m_rule;
};

// A date picker with its calendar, showing dd-MM-yyyy.
class TaviroDatePicker : public QDateEdit
{
    Q_OBJECT
public:
    TaviroDatePicker(const QString& objectName, QWidget* parent);

    // Sets the picker to a stored dd-mm-yyyy date (read by character position). A value that is no
    // valid date within the picker's range leaves the picker as it is.
    void setStoredDate(const std::string& stored);
    // The picker's date as stored: dd-mm-yyyy.
    std::string storedDate() const;
};

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

// A drop-down list the user can only pick from.
class TaviroComboBox : public QComboBox
{
    Q_OBJECT
public:
    TaviroComboBox(const QString& objectName, QWidget* parent);
};

} // namespace taviro::widgets
