#include "StartPage.h"

#include "Appearance.h"

#include <QPainter>

namespace taviro::ui {

StartPage::StartPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TaviroStartPanel"));
    widgets::applyEntryBackground(this);
}

QString StartPage::text()
{
    return QStringLiteral("Ocena\nokresowa\npracownika\nsamorządowego");
}

void StartPage::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), widgets::kEntryBackground);
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    font.setPixelSize(48);
    painter.setFont(font);
    const int flags = Qt::AlignCenter | Qt::TextWordWrap;
    // The shadow lies to the upper right of the letters.
    painter.setPen(palette().color(QPalette::Shadow).lighter(160));
    painter.drawText(rect().translated(3, -3), flags, text());
    painter.setPen(palette().color(QPalette::Button));
    painter.drawText(rect(), flags, text());
}

} // namespace taviro::ui
