#include "RegisterFields.h"

#include "../Appearance.h"

#include "RecordFieldValidator.h"

#include "TextCodec.h"

#include <QKeyEvent>

namespace taviro::ui {
namespace {

// The record-field rule, except that the line-break marks a loaded value already holds are let
// through (no more of them than it had).
class LoadedValueValidator : public RecordFieldValidator
{
public:
    explicit LoadedValueValidator(QObject* parent) : RecordFieldValidator(parent) {}

    void setLoadedText(const QString& text)
    {
        m_hashes = text.count(QLatin1Char('#'));
        m_dollars = text.count(QLatin1Char('$'));
    }

    State validate(QString& input, int& /*position*/) const override
    {
        if (input.count(QLatin1Char('#')) > m_hashes || input.count(QLatin1Char('$')) > m_dollars)
            return Invalid;
        QString rest = input;
        rest.remove(QLatin1Char('#'));
        rest.remove(QLatin1Char('$'));
        return isAcceptable(rest) ? Acceptable : Invalid;
    }

private:
    qsizetype m_hashes = 0;
    qsizetype m_dollars = 0;
};

} // namespace

QLineEdit* makeRecordField(const QString& objectName, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    edit->setValidator(new LoadedValueValidator(edit));
    applyEntryBackground(edit);
    return edit;
}

void setFieldText(QLineEdit& field, const QString& text)
{
    if (auto* validator =
            const_cast<LoadedValueValidator*>(dynamic_cast<const LoadedValueValidator*>(field.validator())))
        validator->setLoadedText(text);
    field.setText(text);
}

QDateEdit* makeDatePicker(const QString& objectName, QWidget* parent)
{
    auto* picker = new QDateEdit(parent);
    picker->setObjectName(objectName);
    picker->setCalendarPopup(true);
    picker->setDisplayFormat(QStringLiteral("dd-MM-yyyy"));
    // The widest range the picker can show; stored years are four digits.
    picker->setDateRange(QDate(100, 1, 1), QDate(9999, 12, 31));
    picker->setDate(QDate::currentDate());
    applyEntryBackground(picker);
    return picker;
}

void setStoredDate(QDateEdit& picker, const std::string& stored)
{
    const auto date = parseDate(stored);
    if (!date)
        return;
    const QDate value(date->year, date->month, date->day);
    if (value.isValid() && value >= picker.minimumDate() && value <= picker.maximumDate())
        picker.setDate(value);
}

std::string storedDate(const QDateEdit& picker)
{
    const QDate date = picker.date();
    return formatDate(Date{date.year(), date.month(), date.day()});
}

QString oneLineText(const std::string& value)
{
    QString text = QString::fromStdString(value);
    text.replace(QLatin1Char('\r'), QLatin1Char('#'));
    text.replace(QLatin1Char('\n'), QLatin1Char('$'));
    return text;
}

std::string trimmedText(const QString& text)
{
    return trimmed(text.toStdString());
}

bool pressDefaultButton(QKeyEvent* event, QPushButton* defaultButton)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    if ((event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    event->accept();
    if (defaultButton && defaultButton->isEnabled())
        defaultButton->click();
    return true;
}

} // namespace taviro::ui
