#include "TaviroInfoCode.h"

#include <QPushButton>
#include <QShowEvent>

namespace taviro::widgets {

TTaviroInfoForm::TTaviroInfoForm(QWidget* parent)
    : MessageForm(QStringLiteral("Info"), QStringLiteral("Informacja"), QStyle::SP_MessageBoxInformation, parent)
{
    m_close = addButton(QStringLiteral("TaviroInfoCloseButton"), QStringLiteral("Zamknij"), QRect(264, 76, 81, 25));
    m_close->setDefault(true);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    installKeyPreview();
}

void TTaviroInfoForm::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        centreOnScreen();
        m_close->setFocus();
    }
    MessageForm::showEvent(event);
}

} // namespace taviro::widgets
