#include "LevelGrid.h"

#include "pages/GridLook.h"

#include <QHeaderView>
#include <QKeyEvent>

namespace taviro::ui {
namespace {

enum Column
{
    NumberColumn,
    NameColumn,
    LevelColumn,
    ColumnCount
};
constexpr int kRowHeight = 16;
constexpr int kWidths[ColumnCount] = {28, 530, 100};
constexpr int kLevelRole = Qt::UserRole;

QTableWidgetItem* cell(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

// The level a key gives: 1 to 4 for the digits (also on the keypad), 0 for any other key.
int keyedLevel(const QKeyEvent* event)
{
    if ((event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return 0;
    const int key = event->key();
    return key >= Qt::Key_1 && key <= Qt::Key_4 ? key - Qt::Key_0 : 0;
}

} // namespace

QStringList LevelGrid::levelTexts()
{
    return {QStringLiteral("Wybierz ?"), QStringLiteral("Niezadowalający"), QStringLiteral("Zadowalający"),
            QStringLiteral("Dobry"), QStringLiteral("Bardzo dobry")};
}

LevelGrid::LevelGrid(const QString& objectName, QWidget* parent) : QTableWidget(0, ColumnCount, parent)
{
    setObjectName(objectName);
    setHorizontalHeaderLabels({QStringLiteral("Lp."), QStringLiteral("Kryterium"), QStringLiteral("Poziom oceny")});
    applyGridLook(this, kRowHeight, NumberColumn);
    for (int column = 0; column < ColumnCount; ++column)
        setColumnWidth(column, kWidths[column]);
    // The columns fit the page; a vertical scroll bar may cover the end of the level column.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void LevelGrid::setRows(const std::vector<CriterionRow>& rows)
{
    setRowCount(static_cast<int>(rows.size()));
    for (int row = 0; row < rowCount(); ++row) {
        setItem(row, NumberColumn, cell(QString::number(row + 1)));
        setItem(row, NameColumn, cell(QString::fromStdString(rows[static_cast<std::size_t>(row)].name)));
        setItem(row, LevelColumn, cell(QString()));
        setLevel(row, rows[static_cast<std::size_t>(row)].level);
    }
}

std::vector<CriterionRow> LevelGrid::rows() const
{
    std::vector<CriterionRow> rows;
    for (int row = 0; row < rowCount(); ++row)
        rows.push_back({item(row, NameColumn)->text().toStdString(), level(row)});
    return rows;
}

int LevelGrid::level(int row) const
{
    const QTableWidgetItem* levelCell = item(row, LevelColumn);
    return levelCell ? levelCell->data(kLevelRole).toInt() : 0;
}

void LevelGrid::setLevel(int row, int level)
{
    QTableWidgetItem* levelCell = item(row, LevelColumn);
    if (!levelCell)
        return;
    const bool known = level >= 1 && level <= kHighestLevel;
    levelCell->setText(known ? levelTexts().at(level) : QString());
    levelCell->setData(kLevelRole, level);
}

void LevelGrid::keyPressEvent(QKeyEvent* event)
{
    const int level = keyedLevel(event);
    if (level == 0) {
        QTableWidget::keyPressEvent(event);
        return;
    }
    // A level key is no search for a row, also while the levels cannot be changed.
    event->accept();
    if (!m_levelKeys || currentRow() < 0)
        return;
    setLevel(currentRow(), level);
    emit levelKeyed();
}

} // namespace taviro::ui
