#include "TaviroQuestCode.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>

namespace taviro::widgets {

TTaviroQuestForm::TTaviroQuestForm(QWidget* parent) : TaviroDialog(parent)
{
    setObjectName(QStringLiteral("TaviroQuestForm"));
    setWindowTitle(QStringLiteral("Pytanie"));
    setFixedClientSize(352, 109);

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("TaviroQuestImage"));
    icon->setGeometry(16, 16, 33, 33);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion, nullptr, this).pixmap(32, 32));
    icon->setAlignment(Qt::AlignCenter);

    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("TaviroQuestText"));
    m_text->setGeometry(64, 14, 281, 41);
    m_text->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_text->setWordWrap(true);
    m_text->setTextFormat(Qt::PlainText);

    addBevel(QStringLiteral("TaviroQuestButtonsBevel"), QRect(8, 66, 336, 2));

    m_ok = addButton(QStringLiteral("TaviroQuestOkButton"), QStringLiteral("Akceptuj"), QRect(176, 76, 81, 25));
    m_cancel = addButton(QStringLiteral("TaviroQuestCancelButton"), QStringLiteral("Rezygnuj"), QRect(264, 76, 81, 25));
    m_cancel->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    installKeyPreview();
}

void TTaviroQuestForm::setText(const QString& text)
{
    m_text->setText(text);
}

QString TTaviroQuestForm::text() const
{
    return m_text->text();
}

void TTaviroQuestForm::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        centreOn(parentWidget());
        // The focus starts on the default button: a push button with the focus takes Enter for
        // itself, so starting on "Akceptuj" would make Enter answer yes.
        m_cancel->setFocus();
    }
    TaviroDialog::showEvent(event);
}

} // namespace taviro::widgets
