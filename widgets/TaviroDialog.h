// What every dialog of the desktop program shares: the font, the fixed border, Esc on release
// closing with the cancel result whichever control has the focus, read-only text boxes read from
// the keyboard, and centring.
#pragma once

#include <QDialog>

class QFrame;
class QPushButton;

namespace taviro::widgets {

class TaviroDialog : public QDialog
{
    Q_OBJECT

protected:
    explicit TaviroDialog(QWidget* parent);

    // A fixed single border with the system menu and close button only (no help button), and a
    // client area of exactly this size.
    void setFixedClientSize(int width, int height);
    // Call once every control exists: key events of all controls pass the dialog first, and every
    // read-only text box scrolls from the keyboard (makeKeyboardReadable).
    void installKeyPreview();

    // Moves the window so that its client area sits in the middle of the screen, or of the
    // window of reference when there is one.
    void centreOnScreen();
    void centreOn(const QWidget* reference);

    // A horizontal sunken line (the bevel above the buttons).
    QFrame* addBevel(const QString& objectName, const QRect& geometry);
    QPushButton* addButton(const QString& objectName, const QString& caption, const QRect& geometry);

    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    // True when the event was the Esc key and has been dealt with.
    bool handleEscape(QEvent* event);
};

} // namespace taviro::widgets
