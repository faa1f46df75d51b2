// An item delegate that works out the size of each item text once.
#pragma once

#include <QFont>
#include <QHash>
#include <QStyledItemDelegate>

namespace taviro::widgets {

// A view sized to its contents (QHeaderView::ResizeToContents) asks for the size of every row at
// every layout, and laying a text out is most of what a large tree costs to show: this delegate
// keeps the size of each text for as long as the font stays the same. Only for views whose items
// differ in nothing but their text (no icons, check boxes or fonts of their own).
class RememberedSizeDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    mutable QHash<QString, QSize> m_sizes;
    mutable QFont m_font; // the font the sizes were worked out in
};

} // namespace taviro::widgets
