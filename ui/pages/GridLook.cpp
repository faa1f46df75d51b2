#include "GridLook.h"

#include "Appearance.h"

#include <QHeaderView>
#include <QPainter>
#include <QTableView>

namespace taviro::ui {

void FixedColumnDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    if (index.column() != m_column) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const QPalette& palette = option.palette;
    painter->save();
    painter->fillRect(option.rect, palette.color(QPalette::Button));
    painter->setPen(palette.color(QPalette::Mid));
    painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
    painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
    painter->setPen(palette.color(QPalette::WindowText));
    painter->drawText(option.rect.adjusted(0, 0, -3, 0), Qt::AlignRight | Qt::AlignVCenter,
                      index.data(Qt::DisplayRole).toString());
    painter->restore();
}

void applyGridLook(QTableView* grid, int rowHeight, int fixedColumn)
{
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setMinimumSectionSize(rowHeight);
    grid->verticalHeader()->setDefaultSectionSize(rowHeight);
    QHeaderView* header = grid->horizontalHeader();
    header->setDefaultAlignment(Qt::AlignCenter);
    header->setHighlightSections(false);
    header->setSectionsClickable(false);
    header->setFixedHeight(rowHeight + 2);
    header->setMinimumSectionSize(0);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setTabKeyNavigation(false);
    grid->setWordWrap(false);
    grid->setItemDelegate(new FixedColumnDelegate(fixedColumn, grid));
    widgets::applyEntryBackground(grid);
}

} // namespace taviro::ui
