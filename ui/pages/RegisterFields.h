// Controls and value conversions shared by the unit page and the employee page.
#pragma once

#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>

#include <exception>
#include <string>

class QKeyEvent;

namespace taviro::ui {

// A one-line field: refuses what a record line cannot hold (characters outside Windows-1250,
// and "#" and "$", which the files use for line breaks); pale yellow.
QLineEdit* makeRecordField(const QString& objectName, QWidget* parent);
// Puts a stored value into a field made by makeRecordField. A "#" or "$" that the value already
// holds (an imported name, say) stays and the field stays editable around it; only new ones are
// refused.
void setFieldText(QLineEdit& field, const QString& text);

// A date picker: calendar pop-up, dd-MM-yyyy, pale yellow.
QDateEdit* makeDatePicker(const QString& objectName, QWidget* parent);

// Sets the picker to a stored dd-mm-yyyy date (read by character position). A value that is no
// valid date within the picker's range leaves the picker as it is, which is today's date on a
// freshly prepared page.
void setStoredDate(QDateEdit& picker, const std::string& stored);
// The picker's date as stored: dd-mm-yyyy.
std::string storedDate(const QDateEdit& picker);

// A value as the record file has it on its line. An employee record is read with its line breaks
// decoded; in a one-line field they are shown as the "#" and "$" that stand for them in the file,
// so an unchanged value is written back exactly as it was.
QString oneLineText(const std::string& value);

// Text of a field as the record keeps it: UTF-8, trimmed.
std::string trimmedText(const QString& text);

// Enter on a page works the page's default button, as long as that button is enabled; it also
// works when the button is hidden (view mode), where it just closes the page. Returns whether
// the key was used.
bool pressDefaultButton(QKeyEvent* event, QPushButton* defaultButton);

} // namespace taviro::ui
