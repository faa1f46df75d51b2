#include "MessageForm.h"

#include <QLabel>

namespace taviro::widgets {

MessageForm::MessageForm(const QString& area, const QString& title, QStyle::StandardPixmap icon, QWidget* parent)
    : TaviroDialog(parent)
{
    setObjectName(QStringLiteral("Taviro%1Form").arg(area));
    setWindowTitle(title);
    setFixedClientSize(352, 109);

    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("Taviro%1Image").arg(area));
    image->setGeometry(16, 16, 33, 33);
    image->setPixmap(style()->standardIcon(icon, nullptr, this).pixmap(32, 32));
    image->setAlignment(Qt::AlignCenter);

    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("Taviro%1Text").arg(area));
    m_text->setGeometry(64, 14, 281, 41);
    m_text->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_text->setWordWrap(true);
    // Messages carry user data (names, file names): never read them as markup.
    m_text->setTextFormat(Qt::PlainText);

    addBevel(QStringLiteral("Taviro%1ButtonsBevel").arg(area), QRect(8, 66, 336, 2));
}

void MessageForm::setText(const QString& text)
{
    m_text->setText(text);
}

QString MessageForm::text() const
{
    return m_text->text();
}

} // namespace taviro::widgets
