#include "WholeTextTips.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QToolTip>

namespace taviro::widgets {
namespace {

class WholeTextTips : public QObject
{
public:
    explicit WholeTextTips(QAbstractItemView* view) : QObject(view), m_view(view) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::ToolTip || watched != m_view->viewport())
            return false;
        const auto* help = static_cast<QHelpEvent*>(event);
        const QModelIndex index = m_view->indexAt(help->pos());
        const QString text = index.data(Qt::DisplayRole).toString();
        if (!index.isValid() || !isCut(index)) {
            QToolTip::hideText();
            event->ignore();
            return true;
        }
        QToolTip::showText(help->globalPos(), text, m_view->viewport(), m_view->visualRect(index));
        return true;
    }

private:
    // Whether the item needs more room than the part of it that can be seen.
    bool isCut(const QModelIndex& index) const
    {
        const QRect cell = m_view->visualRect(index);
        const QRect visible = cell.intersected(m_view->viewport()->rect());
        QStyleOptionViewItem option;
        option.initFrom(m_view);
        option.font = m_view->font();
        option.rect = cell;
        const int needed = m_view->itemDelegateForIndex(index)->sizeHint(option, index).width();
        return cell.left() < visible.left() || cell.left() + needed > visible.right() + 1;
    }

    QAbstractItemView* m_view;
};

} // namespace

void showWholeTextOfCutItems(QAbstractItemView* view)
{
    view->viewport()->installEventFilter(new WholeTextTips(view));
}

} // namespace taviro::widgets
