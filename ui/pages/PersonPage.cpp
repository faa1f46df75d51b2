#include "PersonPage.h"

#include "EntryControls.h"

#include <algorithm>

namespace taviro::ui {
namespace {

// Places inside the group boxes besides the common grid, in pixels.
constexpr int kColumnGap = 8;
constexpr int kDateRowHeight = 28;
constexpr int kPickerLeft = 300; // the least left edge of the date pickers

constexpr int kDataGroupTop = ContentPage::kFirstGroupTop;
constexpr int kDateRowsTop = kGrid.firstLabelTop + 2 * kGrid.rowHeight + 4;
constexpr int kDataGroupHeight = kDateRowsTop + kDateRowHeight + kGrid.fieldHeight + kGrid.groupBottomPadding;
constexpr int kDutyGroupTop = kDataGroupTop + kDataGroupHeight + ContentPage::kGroupGap;
// The duties fill what is left above the hint box.
constexpr int kDutyGroupBottom = ContentPage::kHintTop - ContentPage::kGroupGap;

// A value read from the file with its line breaks decoded, as its one line holds it.
QString oneLineText(const std::string& value)
{
    QString text = QString::fromStdString(value);
    text.replace(QLatin1Char('\r'), QLatin1Char('#'));
    text.replace(QLatin1Char('\n'), QLatin1Char('$'));
    return text;
}

// The one-line values, in the order of their fields.
constexpr std::array<std::string Employee::*, PersonPage::kFieldCount> kFieldValues = {
    &Employee::firstName, &Employee::surname, &Employee::position};

} // namespace

PersonPage::PersonPage(QWidget* parent)
    : RegisterPage(QStringLiteral("Person"), QStringLiteral("TaviroPersonMemo3"), parent)
{
    m_dataGroup = new QGroupBox(QStringLiteral("Dane pracownika"), this);
    const QString labels[] = {QStringLiteral("Imię"), QStringLiteral("Nazwisko"), QStringLiteral("Stanowisko")};
    for (int i = 0; i < kFieldCount; ++i) {
        m_editLabels[i] = new QLabel(labels[i], m_dataGroup);
        m_edits[i] = new widgets::TaviroLineEdit(QStringLiteral("TaviroPersonEdit%1").arg(i + 1), m_dataGroup);
        m_editLabels[i]->setBuddy(m_edits[i]);
    }
    m_dateLabel = new QLabel(QStringLiteral("Data"), m_dataGroup);
    m_appointment = new QRadioButton(QStringLiteral("mianowania"), m_dataGroup);
    m_appointment->setObjectName(QStringLiteral("TaviroPersonRadioButton1"));
    m_contract = new QRadioButton(QStringLiteral("zatrudnienia"), m_dataGroup);
    m_contract->setObjectName(QStringLiteral("TaviroPersonRadioButton2"));
    m_postLabel = new QLabel(QStringLiteral("na stanowisku urzędniczym"), m_dataGroup);
    m_dates[0] = new widgets::TaviroDatePicker(QStringLiteral("TaviroPersonDateTimePicker1"), m_dataGroup);
    m_date2Label = new QLabel(QStringLiteral("Data rozpoczęcia pracy na obecnym stanowisku"), m_dataGroup);
    m_dates[1] = new widgets::TaviroDatePicker(QStringLiteral("TaviroPersonDateTimePicker2"), m_dataGroup);
    m_date2Label->setBuddy(m_dates[1]);

    m_dutyGroup = new QGroupBox(QStringLiteral("Obowiązki, zadania i uprawnienia pracownika"), this);
    const QString memoLabels[] = {QStringLiteral("Bieżące"), QStringLiteral("Dodatkowe w trakcie ocenianego okresu")};
    for (int i = 0; i < 2; ++i) {
        m_memoLabels[i] = new QLabel(memoLabels[i], m_dutyGroup);
        m_memos[i] = new widgets::TaviroMemo(QStringLiteral("TaviroPersonMemo%1").arg(i + 1), m_dutyGroup);
        m_memoLabels[i]->setBuddy(m_memos[i]);
    }
    addEntries({m_edits[0], m_edits[1], m_edits[2], m_appointment, m_contract, m_dates[0], m_dates[1], m_memos[0],
                m_memos[1]});
}

widgets::TaviroLineEdit* PersonPage::edit(int number) const
{
    return m_edits.at(static_cast<std::size_t>(number - 1));
}

widgets::TaviroMemo* PersonPage::memo(int number) const
{
    return m_memos.at(static_cast<std::size_t>(number - 1));
}

widgets::TaviroDatePicker* PersonPage::datePicker(int number) const
{
    return m_dates.at(static_cast<std::size_t>(number - 1));
}

QWidget* PersonPage::firstField() const
{
    return m_edits[0];
}

void PersonPage::clear(const QDate& today)
{
    m_appointment->setChecked(true);
    RegisterPage::clear(today);
}

void PersonPage::load(const Employee& employee)
{
    for (std::size_t i = 0; i < kFieldValues.size(); ++i)
        m_edits[i]->setStoredText(oneLineText(employee.*kFieldValues[i]));
    // Only "0" means a contract; the import may bring other values, which count as appointment.
    if (employee.employ == "0")
        m_contract->setChecked(true);
    else
        m_appointment->setChecked(true);
    m_dates[0]->setStoredDate(employee.date1);
    m_dates[1]->setStoredDate(employee.date2);
    m_memos[0]->setStoredText(employee.duty1);
    m_memos[1]->setStoredText(employee.duty2);
    updateSaveButton();
}

Employee PersonPage::stored() const
{
    Employee employee;
    for (std::size_t i = 0; i < kFieldValues.size(); ++i)
        employee.*kFieldValues[i] = m_edits[i]->trimmedText();
    employee.employ.assign(1, m_appointment->isChecked() ? '1' : '0');
    employee.date1 = m_dates[0]->storedDate();
    employee.date2 = m_dates[1]->storedDate();
    employee.duty1 = m_memos[0]->trimmedText();
    employee.duty2 = m_memos[1]->trimmedText();
    return employee;
}

void PersonPage::updateSaveButton()
{
    bool filled = true;
    for (const widgets::TaviroLineEdit* field : m_edits)
        filled = filled && !field->trimmedText().empty();
    okButton()->setEnabled(filled);
}

void PersonPage::layOutGroups(int width, int)
{
    const int groupWidth = width - 2 * kMargin;
    const int fieldWidth = groupWidth - kGrid.fieldLeft - kGrid.fieldRightMargin;
    const int halfWidth = (fieldWidth - kColumnGap) / 2;
    m_dataGroup->setGeometry(kMargin, kDataGroupTop, groupWidth, kDataGroupHeight);

    // First name and surname side by side, the position below them over the whole width.
    const int secondColumn = kGrid.fieldLeft + halfWidth + kColumnGap;
    m_editLabels[0]->setGeometry(kGrid.fieldLeft, kGrid.firstLabelTop, halfWidth, kGrid.labelToField);
    m_edits[0]->setGeometry(kGrid.fieldLeft, kGrid.firstLabelTop + kGrid.labelToField, halfWidth, kGrid.fieldHeight);
    m_editLabels[1]->setGeometry(secondColumn, kGrid.firstLabelTop, fieldWidth - halfWidth - kColumnGap,
                                 kGrid.labelToField);
    m_edits[1]->setGeometry(secondColumn, kGrid.firstLabelTop + kGrid.labelToField, fieldWidth - halfWidth - kColumnGap,
                            kGrid.fieldHeight);
    const int positionTop = kGrid.firstLabelTop + kGrid.rowHeight;
    m_editLabels[2]->setGeometry(kGrid.fieldLeft, positionTop, fieldWidth, kGrid.labelToField);
    m_edits[2]->setGeometry(kGrid.fieldLeft, positionTop + kGrid.labelToField, fieldWidth, kGrid.fieldHeight);

    // The line reads on as a sentence, so each part is as wide as its text in the page's font;
    // both pickers stand in one column after the longer of the two lines.
    const auto textWidth = [](const QWidget* widget) { return widget->sizeHint().width() + 4; };
    int left = kGrid.fieldLeft;
    const int firstRow = kDateRowsTop;
    for (QWidget* part : std::initializer_list<QWidget*>{m_dateLabel, m_appointment, m_contract, m_postLabel}) {
        part->setGeometry(left, firstRow, textWidth(part), kGrid.fieldHeight);
        left += textWidth(part);
    }
    const int secondRow = firstRow + kDateRowHeight;
    m_date2Label->setGeometry(kGrid.fieldLeft, secondRow, textWidth(m_date2Label), kGrid.fieldHeight);
    const int pickerLeft = std::max({kPickerLeft, left + kColumnGap, m_date2Label->geometry().right() + kColumnGap});
    m_dates[0]->setGeometry(pickerLeft, firstRow, kGrid.dateWidth, kGrid.fieldHeight);
    m_dates[1]->setGeometry(pickerLeft, secondRow, kGrid.dateWidth, kGrid.fieldHeight);

    // The two duty memos side by side, filling the group.
    m_dutyGroup->setGeometry(kMargin, kDutyGroupTop, groupWidth, kDutyGroupBottom - kDutyGroupTop);
    const int memoTop = kGrid.firstLabelTop + kGrid.labelToField;
    const int memoHeight = m_dutyGroup->height() - memoTop - kGrid.groupBottomPadding;
    for (int i = 0; i < 2; ++i) {
        const int memoLeft = i == 0 ? kGrid.fieldLeft : secondColumn;
        const int memoWidth = i == 0 ? halfWidth : fieldWidth - halfWidth - kColumnGap;
        m_memoLabels[i]->setGeometry(memoLeft, kGrid.firstLabelTop, memoWidth, kGrid.labelToField);
        m_memos[i]->setGeometry(memoLeft, memoTop, memoWidth, memoHeight);
    }
}

} // namespace taviro::ui
