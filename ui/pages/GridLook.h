// The look the program's grids share: a fixed header row with centred texts, whole-row selection,
// a fixed row height, no editing in place, Tab leaving the grid, and a fixed first column filled like
// the header with its number right-aligned 3 pixels inside the cell.
#pragma once

#include <QStyledItemDelegate>

class QTableView;

namespace taviro::ui {

// Draws the cells of one column as fixed cells; selection does not colour them.
class FixedColumnDelegate : public QStyledItemDelegate
{
public:
    FixedColumnDelegate(int column, QObject* parent) : QStyledItemDelegate(parent), m_column(column) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    int m_column;
};

// Applies the shared look to a grid whose column fixedColumn is the fixed first column.
void applyGridLook(QTableView* grid, int rowHeight, int fixedColumn);

} // namespace taviro::ui
