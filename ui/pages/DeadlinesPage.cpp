#include "DeadlinesPage.h"

#include "GridLook.h"

#include "Appearance.h"
#include "EntryControls.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>

#include <algorithm>

namespace taviro::ui {
namespace {

constexpr int kRowHeight = 18;
constexpr int kFiltersHeight = 52;
// The unit, the name and the position share what the fixed columns leave; their whole text is in
// the tool tip of the cell.
constexpr int kWidths[DeadlinesPage::ColumnCount] = {36, 0, 0, 0, 80, 100, 140, 110};

QString text(const std::string& value)
{
    return QString::fromStdString(value);
}

// Overdue rows red, rows due soon or in their reappraisal window amber.
QColor rowColour(DueState state)
{
    switch (state) {
    case DueState::Overdue:
        return QColor(255, 200, 200);
    case DueState::DueSoon:
    case DueState::ReappraisalWindow:
        return QColor(255, 230, 170);
    case DueState::OnTime:
    case DueState::NotYetDue:
        break;
    }
    return {};
}

} // namespace

DeadlinesPage::DeadlinesPage(QWidget* parent)
    : ContentPage(QStringLiteral("TaviroDuePanel"), QStringLiteral("TaviroDueTitlePanel"), parent)
{
    setTitle(QStringLiteral("Terminy ocen okresowych"));
    buildFilters();
    buildGrid();
    addHintBox(QStringLiteral("TaviroDueMemo1"));
    connect(addButton(ButtonRole::Help, QStringLiteral("TaviroDueHelpButton"), QStringLiteral("Pomoc")),
            &QPushButton::clicked, this, &DeadlinesPage::helpRequested);
    connect(addButton(ButtonRole::Next, QStringLiteral("TaviroDuePrintButton"), QStringLiteral("Drukuj")),
            &QPushButton::clicked, this, &DeadlinesPage::printRequested);
    connect(addButton(ButtonRole::Save, QStringLiteral("TaviroDueExportButton"), QStringLiteral("Eksportuj")),
            &QPushButton::clicked, this, &DeadlinesPage::exportRequested);
    auto* close = addButton(ButtonRole::Last, QStringLiteral("TaviroDueCloseButton"), QStringLiteral("Zamknij"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &DeadlinesPage::closeRequested);
}

void DeadlinesPage::buildFilters()
{
    m_filters = new QGroupBox(QStringLiteral("Pokaż"), this);
    auto* caption = new QLabel(QStringLiteral("Komórka"), m_filters);
    caption->setObjectName(QStringLiteral("TaviroDueUnitLabel"));
    m_unit = new widgets::TaviroComboBox(QStringLiteral("TaviroDueComboBox"), m_filters);
    caption->setBuddy(m_unit);
    caption->setGeometry(8, 20, 60, 21);
    m_unit->setGeometry(70, 20, 300, 21);
    m_action = new QCheckBox(QStringLiteral("tylko wymagające działania"), m_filters);
    m_action->setObjectName(QStringLiteral("TaviroDueCheckBox"));
    m_action->setGeometry(390, 20, 260, 21);
    connect(m_unit, qOverload<int>(&QComboBox::currentIndexChanged), this, [this] { showRows(); });
    connect(m_action, &QCheckBox::toggled, this, [this] { showRows(); });
}

void DeadlinesPage::buildGrid()
{
    m_grid = new QTableWidget(0, ColumnCount, this);
    m_grid->setObjectName(QStringLiteral("TaviroDueStringGrid"));
    m_grid->setHorizontalHeaderLabels({QStringLiteral("Lp."), QStringLiteral("Komórka"),
                                       QStringLiteral("Imię i nazwisko"), QStringLiteral("Stanowisko"),
                                       QStringLiteral("Ostatnia ocena"), QStringLiteral("Poziom"),
                                       QStringLiteral("Termin"), QStringLiteral("Stan")});
    applyGridLook(m_grid, kRowHeight, NumberColumn);
    QHeaderView* header = m_grid->horizontalHeader();
    for (int column = 0; column < ColumnCount; ++column) {
        if (kWidths[column] > 0)
            m_grid->setColumnWidth(column, kWidths[column]);
        else
            header->setSectionResizeMode(column, QHeaderView::Stretch);
    }
    widgets::applyEntryBackground(m_grid);
    connect(m_grid, &QTableWidget::cellDoubleClicked, this, [this](int row) { chooseRow(row); });
}

void DeadlinesPage::setRows(std::vector<DueRow> rows)
{
    m_rows = std::move(rows);
    fillUnitFilter();
    showRows();
}

void DeadlinesPage::fillUnitFilter()
{
    const QSignalBlocker blocker(m_unit);
    m_unit->clear();
    m_unit->addItem(QStringLiteral("wszystkie"), QString());
    for (const DueRow& row : m_rows) {
        if (m_unit->findData(text(row.unit.id)) < 0)
            m_unit->addItem(text(row.unit.name), text(row.unit.id));
    }
    m_unit->setCurrentIndex(0);
}

void DeadlinesPage::showRows()
{
    const QString unit = m_unit->currentData().toString();
    m_shown.clear();
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if ((unit.isEmpty() || text(m_rows[i].unit.id) == unit) && (!m_action->isChecked() || needsAction(m_rows[i])))
            m_shown.push_back(i);
    }
    m_grid->clearContents();
    m_grid->setRowCount(static_cast<int>(m_shown.size()));
    for (int r = 0; r < static_cast<int>(m_shown.size()); ++r) {
        const DueRow& row = m_rows[m_shown[static_cast<std::size_t>(r)]];
        static_assert(ColumnCount == kDueCellCount + 1);
        QString cells[ColumnCount] = {QString::number(r + 1)};
        const auto shown = dueCells(row);
        std::transform(shown.begin(), shown.end(), cells + 1, text);
        const QColor colour = rowColour(row.deadline.state);
        for (int column = 0; column < ColumnCount; ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setToolTip(cells[column]);
            if (colour.isValid() && column != NumberColumn)
                item->setBackground(colour);
            m_grid->setItem(r, column, item);
        }
    }
}

std::vector<DueRow> DeadlinesPage::shownRows() const
{
    std::vector<DueRow> rows;
    for (const std::size_t i : m_shown)
        rows.push_back(m_rows[i]);
    return rows;
}

QString DeadlinesPage::filterText() const
{
    QString filters = QStringLiteral("Komórka: ") + m_unit->currentText();
    if (m_action->isChecked())
        filters += QStringLiteral("; tylko wymagające działania");
    return filters;
}

void DeadlinesPage::chooseRow(int row)
{
    if (row < 0 || row >= static_cast<int>(m_shown.size()))
        return;
    const DueRow& chosen = m_rows[m_shown[static_cast<std::size_t>(row)]];
    emit employeeChosen(chosen.unit.id, chosen.employee.id);
}

void DeadlinesPage::keyPressEvent(QKeyEvent* event)
{
    // Enter on a row of the grid goes to the employee, as a double click does; on a button it
    // presses that button, as on Windows; anywhere else it closes the page.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && m_grid->hasFocus()) {
        chooseRow(m_grid->currentRow());
        event->accept();
        return;
    }
    auto* focused = qobject_cast<QPushButton*>(focusWidget());
    if (!pressDefaultButton(event, focused ? focused : button(ButtonRole::Last)))
        ContentPage::keyPressEvent(event);
}

void DeadlinesPage::layOutGroups(int width, int)
{
    const int groupWidth = width - 2 * kMargin;
    m_filters->setGeometry(kMargin, kFirstGroupTop, groupWidth, kFiltersHeight);
    const int gridTop = kFirstGroupTop + kFiltersHeight + kGroupGap;
    m_grid->setGeometry(kMargin, gridTop, groupWidth, kHintTop - kGroupGap - gridTop);
}

} // namespace taviro::ui
