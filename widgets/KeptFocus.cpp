#include "KeptFocus.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>

namespace taviro::widgets {
namespace {

class KeptFocus : public QObject
{
public:
    KeptFocus(QWidget* panel, QWidget* area) : QObject(panel), m_panel(panel), m_area(area)
    {
        panel->installEventFilter(this);
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
            if (now && m_panel->isAncestorOf(now))
                m_last = now;
        });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_panel && event->type() == QEvent::EnabledChange && m_panel->isEnabled())
            restore();
        return false;
    }

private:
    void restore()
    {
        const QWidget* focus = m_panel->window()->focusWidget();
        const bool resting = focus && focus->isVisible() && focus->isEnabled() && m_area &&
                             (focus == m_area || m_area->isAncestorOf(focus));
        if (resting || !m_last || !m_last->isVisible() || !m_last->isEnabled())
            return;
        m_last->setFocus(Qt::OtherFocusReason);
    }

    QWidget* m_panel;
    QPointer<QWidget> m_area;
    QPointer<QWidget> m_last;
};

} // namespace

void keepFocusAcrossDisabling(QWidget* panel, QWidget* area)
{
    new KeptFocus(panel, area);
}

} // namespace taviro::widgets
