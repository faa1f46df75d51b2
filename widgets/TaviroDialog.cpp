#include "TaviroDialog.h"

#include "Appearance.h"
#include "EntryControls.h"

#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>

namespace taviro::widgets {

TaviroDialog::TaviroDialog(QWidget* parent) : QDialog(parent)
{
    setFont(windowFont());
    setModal(true);
}

void TaviroDialog::setFixedClientSize(int width, int height)
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(width, height);
    setSizeGripEnabled(false);
}

void TaviroDialog::installKeyPreview()
{
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
    for (QTextEdit* box : findChildren<QTextEdit*>()) {
        if (box->isReadOnly())
            makeKeyboardReadable(*box);
    }
    for (QPlainTextEdit* box : findChildren<QPlainTextEdit*>()) {
        if (box->isReadOnly())
            makeKeyboardReadable(*box);
    }
}

void TaviroDialog::centreOnScreen()
{
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame(QPoint(0, 0), size());
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

void TaviroDialog::centreOn(const QWidget* reference)
{
    const QWidget* window = reference ? reference->window() : nullptr;
    if (!window || !window->isVisible()) {
        centreOnScreen();
        return;
    }
    QRect frame(QPoint(0, 0), size());
    frame.moveCenter(window->geometry().center());
    move(frame.topLeft());
}

QFrame* TaviroDialog::addBevel(const QString& objectName, const QRect& geometry)
{
    auto* bevel = new QFrame(this);
    bevel->setObjectName(objectName);
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(geometry);
    return bevel;
}

QPushButton* TaviroDialog::addButton(const QString& objectName, const QString& caption, const QRect& geometry)
{
    auto* button = new QPushButton(caption, this);
    button->setObjectName(objectName);
    button->setGeometry(geometry);
    return button;
}

bool TaviroDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (handleEscape(event))
        return true;
    return QDialog::eventFilter(watched, event);
}

void TaviroDialog::keyPressEvent(QKeyEvent* event)
{
    if (!handleEscape(event))
        QDialog::keyPressEvent(event);
}

void TaviroDialog::keyReleaseEvent(QKeyEvent* event)
{
    if (!handleEscape(event))
        QDialog::keyReleaseEvent(event);
}

bool TaviroDialog::handleEscape(QEvent* event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Escape)
        return false;
    // The press is swallowed so that the dialog closes on the release: closing on the press
    // would hand the release to the window underneath, which may be a dialog that closes on it.
    if (event->type() == QEvent::KeyRelease && !key->isAutoRepeat())
        reject();
    event->accept();
    return true;
}

} // namespace taviro::widgets
