#include "TaviroInfoCode.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>

namespace taviro::widgets {

TTaviroInfoForm::TTaviroInfoForm(QWidget* parent) : TaviroDialog(parent)
{
    setObjectName(QStringLiteral("TaviroInfoForm"));
    setWindowTitle(QStringLiteral("Informacja"));
    setFixedClientSize(352, 109);

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("TaviroInfoImage"));
    icon->setGeometry(16, 16, 33, 33);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation, nullptr, this).pixmap(32, 32));
    icon->setAlignment(Qt::AlignCenter);

    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("TaviroInfoText"));
    m_text->setGeometry(64, 14, 281, 41);
    m_text->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_text->setWordWrap(true);
    // Messages carry user data (names, file names): never read them as markup.
    m_text->setTextFormat(Qt::PlainText);

    addBevel(QStringLiteral("TaviroInfoButtonsBevel"), QRect(8, 66, 336, 2));

    m_close = addButton(QStringLiteral("TaviroInfoCloseButton"), QStringLiteral("Zamknij"), QRect(264, 76, 81, 25));
    m_close->setDefault(true);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);

    installKeyPreview();
}

void TTaviroInfoForm::setText(const QString& text)
{
    m_text->setText(text);
}

QString TTaviroInfoForm::text() const
{
    return m_text->text();
}

void TTaviroInfoForm::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        centreOnScreen();
        m_close->setFocus();
    }
    TaviroDialog::showEvent(event);
}

} // namespace taviro::widgets
