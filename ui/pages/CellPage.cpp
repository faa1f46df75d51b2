#include "CellPage.h"

#include <QKeyEvent>

namespace taviro::ui {
namespace {

// Places inside the group boxes, in pixels; fields keep a fixed margin to the group's right edge.
constexpr int kFieldLeft = 12;
constexpr int kFieldRightMargin = 12;
constexpr int kFirstLabelTop = 18;
constexpr int kLabelToField = 16;
constexpr int kRowHeight = 42;
constexpr int kFieldHeight = 21;
constexpr int kDateWidth = 110;
constexpr int kGroupBottomPadding = 11;

constexpr int kBodyGroupTop = ContentPage::kTitleHeight + 8;
constexpr int kBodyGroupHeight = kFirstLabelTop + kRowHeight + kLabelToField + kFieldHeight + kGroupBottomPadding;
constexpr int kUnitGroupTop = kBodyGroupTop + kBodyGroupHeight + 8;
constexpr int kUnitGroupHeight = kFirstLabelTop + 3 * kRowHeight + kLabelToField + kFieldHeight + kGroupBottomPadding;

} // namespace

CellPage::CellPage(QWidget* parent)
    : ContentPage(QStringLiteral("TaviroCellPanel"), QStringLiteral("TaviroCellTitlePanel"), parent)
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
        m_edits[i] = makeRecordField(QStringLiteral("TaviroCellEdit%1").arg(i + 1), group);
        m_labels[i]->setBuddy(m_edits[i]);
        connect(m_edits[i], &QLineEdit::textChanged, this, &CellPage::updateSaveButton);
    }
    m_labels[kFieldCount] = new QLabel(labels[kFieldCount], m_unitGroup);
    m_date = makeDatePicker(QStringLiteral("TaviroCellEdit6"), m_unitGroup);
    m_labels[kFieldCount]->setBuddy(m_date);

    addHintBox(QStringLiteral("TaviroCellMemo1"));
    addButton(ButtonRole::Help, QStringLiteral("TaviroCellHelpButton"), QStringLiteral("Pomoc"));
    addButton(ButtonRole::Save, QStringLiteral("TaviroCellOkButton"), QStringLiteral("Zapisz"));
    addButton(ButtonRole::Last, QStringLiteral("TaviroCellCancelButton"), QStringLiteral("Rezygnuj"));
    for (QPushButton* pushButton : {helpButton(), okButton(), cancelButton()})
        pushButton->setAutoDefault(true);
    okButton()->setDefault(true);
}

QLineEdit* CellPage::edit(int number) const
{
    return m_edits.at(static_cast<std::size_t>(number - 1));
}

void CellPage::prepare(PageMode mode, const QString& title)
{
    const bool view = mode == PageMode::View;
    setTitle(title);
    for (QLineEdit* field : m_edits) {
        setFieldText(*field, QString());
        field->setReadOnly(view);
    }
    m_date->setDate(QDate::currentDate());
    m_date->setEnabled(!view);
    okButton()->setVisible(!view);
    cancelButton()->setText(view ? QStringLiteral("Zamknij") : QStringLiteral("Rezygnuj"));
    updateSaveButton();
}

void CellPage::showUnit(const Unit& unit)
{
    const std::string* values[] = {&unit.firm, &unit.city, &unit.name, &unit.person, &unit.position};
    for (int i = 0; i < kFieldCount; ++i)
        setFieldText(*m_edits[i], oneLineText(*values[i]));
    setStoredDate(*m_date, unit.date);
    updateSaveButton();
}

Unit CellPage::enteredUnit() const
{
    Unit unit;
    unit.firm = trimmedText(m_edits[0]->text());
    unit.city = trimmedText(m_edits[1]->text());
    unit.name = trimmedText(m_edits[2]->text());
    unit.person = trimmedText(m_edits[3]->text());
    unit.position = trimmedText(m_edits[4]->text());
    unit.date = storedDate(*m_date);
    return unit;
}

void CellPage::updateSaveButton()
{
    okButton()->setEnabled(!trimmedText(m_edits[0]->text()).empty());
}

void CellPage::layOutGroups(int width, int)
{
    const int groupWidth = width - 16;
    const int fieldWidth = groupWidth - kFieldLeft - kFieldRightMargin;
    m_bodyGroup->setGeometry(kMargin, kBodyGroupTop, groupWidth, kBodyGroupHeight);
    m_unitGroup->setGeometry(kMargin, kUnitGroupTop, groupWidth, kUnitGroupHeight);
    for (int i = 0; i <= kFieldCount; ++i) {
        const int row = i < 2 ? i : i - 2;
        const int labelTop = kFirstLabelTop + row * kRowHeight;
        m_labels[i]->setGeometry(kFieldLeft, labelTop, fieldWidth, kLabelToField);
        QWidget* field = i < kFieldCount ? static_cast<QWidget*>(m_edits[i]) : m_date;
        field->setGeometry(kFieldLeft, labelTop + kLabelToField, i < kFieldCount ? fieldWidth : kDateWidth,
                           kFieldHeight);
    }
}

void CellPage::keyPressEvent(QKeyEvent* event)
{
    if (!pressDefaultButton(event, okButton()))
        ContentPage::keyPressEvent(event);
}

} // namespace taviro::ui
