// What the information and the question dialog share: the fixed size, the icon at the left, the
// message and the bevel above the buttons.
#pragma once

#include "TaviroDialog.h"

#include <QStyle>

class QLabel;

namespace taviro::widgets {

class MessageForm : public TaviroDialog
{
    Q_OBJECT
public:
    void setText(const QString& text);
    QString text() const;

protected:
    // area: "Info" or "Quest", the middle of the control names (TaviroInfoText …).
    MessageForm(const QString& area, const QString& title, QStyle::StandardPixmap icon, QWidget* parent);

private:
    QLabel* m_text = nullptr;
};

} // namespace taviro::widgets
