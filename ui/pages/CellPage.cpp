#include "CellPage.h"

#include "EntryControls.h"

namespace taviro::ui {
namespace {

// The height of a group box of that many rows of label and field.
constexpr int groupHeight(int rows)
{
    return kGrid.firstLabelTop + (rows - 1) * kGrid.rowHeight + kGrid.labelToField + kGrid.fieldHeight +
           kGrid.groupBottomPadding;
}
constexpr int kBodyGroupTop = ContentPage::kFirstGroupTop;
constexpr int kUnitGroupTop = kBodyGroupTop + groupHeight(2) + ContentPage::kGroupGap;

// The values of the five text fields, in their order.
constexpr std::array<std::string Unit::*, CellPage::kFieldCount> kFieldValues = {&Unit::firm, &Unit::city, &Unit::name,
                                                                                 &Unit::person, &Unit::position};

} // namespace

CellPage::CellPage(QWidget* parent) : RegisterPage(QStringLiteral("Cell"), QStringLiteral("TaviroCellMemo1"), parent)
{
    m_bodyGroup = new QGroupBox(QStringLiteral("Jednostka samorządu terytorialnego"), this);
    m_unitGroup = new QGroupBox(QStringLiteral("Komórka organizacyjna"), this);
    const QString labels[] = {
        QStringLiteral("Nazwa"),      QStringLiteral("Miejscowość"),
        QStringLiteral("Nazwa"),      QStringLiteral("Imię i nazwisko oceniającego"),
        QStringLiteral("Stanowisko"), QStringLiteral("Data rozpoczęcia pracy na obecnym stanowisku")};
    for (int i = 0; i < kFieldCount; ++i) {
        QGroupBox* group = i < 2 ? m_bodyGroup : m_unitGroup;
        m_labels[i] = new QLabel(labels[i], group);
        m_edits[i] = new widgets::TaviroLineEdit(QStringLiteral("TaviroCellEdit%1").arg(i + 1), group);
        m_labels[i]->setBuddy(m_edits[i]);
    }
    m_labels[kFieldCount] = new QLabel(labels[kFieldCount], m_unitGroup);
    m_date = new widgets::TaviroDatePicker(QStringLiteral("TaviroCellEdit6"), m_unitGroup);
    m_labels[kFieldCount]->setBuddy(m_date);
    addEntries({m_edits[0], m_edits[1], m_edits[2], m_edits[3], m_edits[4], m_date});
}

widgets::TaviroLineEdit* CellPage::edit(int number) const
{
    return m_edits.at(static_cast<std::size_t>(number - 1));
}

QWidget* CellPage::firstField() const
{
    return m_edits[0];
}

void CellPage::load(const Unit& unit)
{
    for (std::size_t i = 0; i < kFieldValues.size(); ++i)
        m_edits[i]->setStoredText(QString::fromStdString(unit.*kFieldValues[i]));
    m_date->setStoredDate(unit.date);
    updateSaveButton();
}

Unit CellPage::stored() const
{
    Unit unit;
    for (std::size_t i = 0; i < kFieldValues.size(); ++i)
        unit.*kFieldValues[i] = m_edits[i]->trimmedText();
    unit.date = m_date->storedDate();
    return unit;
}

void CellPage::updateSaveButton()
{
    okButton()->setEnabled(!m_edits[0]->trimmedText().empty());
}

void CellPage::layOutGroups(int width, int)
{
    const int groupWidth = width - 2 * kMargin;
    const int fieldWidth = groupWidth - kGrid.fieldLeft - kGrid.fieldRightMargin;
    m_bodyGroup->setGeometry(kMargin, kBodyGroupTop, groupWidth, groupHeight(2));
    m_unitGroup->setGeometry(kMargin, kUnitGroupTop, groupWidth, groupHeight(4));
    for (int i = 0; i <= kFieldCount; ++i) {
        const int row = i < 2 ? i : i - 2;
        const int labelTop = kGrid.firstLabelTop + row * kGrid.rowHeight;
        m_labels[i]->setGeometry(kGrid.fieldLeft, labelTop, fieldWidth, kGrid.labelToField);
        QWidget* field = i < kFieldCount ? static_cast<QWidget*>(m_edits[i]) : m_date;
        field->setGeometry(kGrid.fieldLeft, labelTop + kGrid.labelToField,
                           i < kFieldCount ? fieldWidth : kGrid.dateWidth, kGrid.fieldHeight);
    }
}

} // namespace taviro::ui
