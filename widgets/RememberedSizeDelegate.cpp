#include "RememberedSizeDelegate.h"

namespace taviro::widgets {
namespace {

// More texts than a tree of the largest office shows; past it the sizes are worked out afresh.
constexpr qsizetype kMostRemembered = 20000;

} // namespace

QSize RememberedSizeDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    if (option.font != m_font || m_sizes.size() > kMostRemembered) {
        m_sizes.clear();
        m_font = option.font;
    }
    const QString text = index.data(Qt::DisplayRole).toString();
    if (const auto known = m_sizes.constFind(text); known != m_sizes.constEnd())
        return *known;
    const QSize size = QStyledItemDelegate::sizeHint(option, index);
    m_sizes.insert(text, size);
    return size;
}

} // namespace taviro::widgets
