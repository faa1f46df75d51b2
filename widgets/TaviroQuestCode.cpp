#include "TaviroQuestCode.h"

#include <QPushButton>
#include <QShowEvent>

namespace taviro::widgets {

TTaviroQuestForm::TTaviroQuestForm(QWidget* parent)
    : MessageForm(QStringLiteral("Quest"), QStringLiteral("Pytanie"), QStyle::SP_MessageBoxQuestion, parent)
{
    auto* ok = addButton(QStringLiteral("TaviroQuestOkButton"), QStringLiteral("Akceptuj"), QRect(176, 76, 81, 25));
    m_cancel = addButton(QStringLiteral("TaviroQuestCancelButton"), QStringLiteral("Rezygnuj"), QRect(264, 76, 81, 25));
    m_cancel->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    installKeyPreview();
}

void TTaviroQuestForm::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        centreOn(parentWidget());
        // The focus starts on the default button: a push button with the focus takes Enter for
        // itself, so starting on "Akceptuj" would make Enter answer yes.
        m_cancel->setFocus();
    }
    MessageForm::showEvent(event);
}

} // namespace taviro::widgets
