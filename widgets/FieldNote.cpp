#include "FieldNote.h"

#include "Appearance.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QStatusTipEvent>
#include <QTimer>

#include <algorithm>

namespace taviro::widgets {
namespace {

// A label in a tool-tip window of its own: unlike a tool tip it stays while the user goes on
// typing (a tool tip goes at the next key, which may be the release of the very key refused).
class NoteLabel : public QLabel
{
public:
    NoteLabel(QWidget* field, const QString& text)
        : QLabel(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus), m_field(field)
    {
        setObjectName(QStringLiteral("TaviroFieldNote"));
        setAttribute(Qt::WA_DeleteOnClose);
        setAttribute(Qt::WA_ShowWithoutActivating);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setForegroundRole(QPalette::ToolTipText);
        setBackgroundRole(QPalette::ToolTipBase);
        setAutoFillBackground(true);
        setFrameShape(QFrame::Box);
        setMargin(4);
        setWordWrap(true);
        setTextFormat(Qt::PlainText);
        setFont(windowFont());
        setText(text);
        setMaximumWidth(360);
        field->installEventFilter(this);
        QTimer::singleShot(kFieldNoteMs, this, &QWidget::close);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_field && (event->type() == QEvent::FocusOut || event->type() == QEvent::Hide))
            close();
        return QLabel::eventFilter(watched, event);
    }

    void closeEvent(QCloseEvent* event) override
    {
        // The status bar says it no longer either: a note about a date long mended must not stay.
        if (m_field) {
            QStatusTipEvent gone{QString()};
            QCoreApplication::sendEvent(m_field, &gone);
        }
        QLabel::closeEvent(event);
    }

private:
    QPointer<QWidget> m_field;
};

QPointer<NoteLabel>& currentNote()
{
    static QPointer<NoteLabel> note;
    return note;
}

QPoint placeBelow(const QWidget* field, const QSize& size)
{
    QPoint at = field->mapToGlobal(QPoint(0, field->height() + 2));
    if (const QScreen* screen = field->screen()) {
        const QRect available = screen->availableGeometry();
        at.setX(std::clamp(at.x(), available.left(), std::max(available.left(), available.right() - size.width())));
        if (at.y() + size.height() > available.bottom())
            at.setY(field->mapToGlobal(QPoint(0, 0)).y() - size.height() - 2);
    }
    return at;
}

} // namespace

void showFieldNote(QWidget* field, const QString& text)
{
    if (!field)
        return;
    if (currentNote())
        currentNote()->close();
    auto* note = new NoteLabel(field, text);
    note->adjustSize();
    note->move(placeBelow(field, note->size()));
    note->show();
    currentNote() = note;
    QStatusTipEvent tip(text);
    QCoreApplication::sendEvent(field, &tip);
}

QString shownFieldNote()
{
    const QPointer<NoteLabel>& note = currentNote();
    return note && note->isVisible() ? note->text() : QString();
}

} // namespace taviro::widgets
