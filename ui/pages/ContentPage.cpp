#include "ContentPage.h"

#include "Appearance.h"
#include "EntryControls.h"

#include <QFrame>
#include <QKeyEvent>
#include <QResizeEvent>

namespace taviro::ui {

ContentPage::ContentPage(const QString& objectName, const QString& titleObjectName, QWidget* parent) : QWidget(parent)
{
    setObjectName(objectName);
    m_title = new QLabel(this);
    m_title->setObjectName(titleObjectName);
    m_title->setAlignment(Qt::AlignCenter);
    m_title->setAutoFillBackground(true);
    QPalette palette = m_title->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Dark));
    palette.setColor(QPalette::WindowText, Qt::white);
    m_title->setPalette(palette);
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);

    m_bevel = new QFrame(this);
    m_bevel->setFrameShape(QFrame::HLine);
    m_bevel->setFrameShadow(QFrame::Sunken);
}

void ContentPage::setTitle(const QString& title)
{
    m_title->setText(title);
}

QTextEdit* ContentPage::addHintBox(const QString& memoName)
{
    m_hintBox = new QGroupBox(QStringLiteral(" Podpowiedź "), this);
    m_hintText = new QTextEdit(m_hintBox);
    m_hintText->setObjectName(memoName);
    widgets::makeKeyboardReadable(*m_hintText);
    m_hintText->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    widgets::applyEntryBackground(m_hintText);
    return m_hintText;
}

QPushButton* ContentPage::addButton(ButtonRole role, const QString& objectName, const QString& text)
{
    auto* button = new QPushButton(text, this);
    button->setObjectName(objectName);
    m_buttons[role] = button;
    return button;
}

QPushButton* ContentPage::button(ButtonRole role) const
{
    const auto found = m_buttons.find(role);
    return found == m_buttons.end() ? nullptr : found->second;
}

int ContentPage::buttonLeft(ButtonRole role, int width)
{
    switch (role) {
    case ButtonRole::Help:
        return kMargin;
    case ButtonRole::Back:
        return width - 317;
    case ButtonRole::Next:
        return width - 239;
    case ButtonRole::Save:
        return width - 161;
    case ButtonRole::Last:
        return width - 83;
    }
    return kMargin;
}

void ContentPage::layOutPage()
{
    const int width = this->width();
    const int height = this->height();
    m_title->setGeometry(0, 0, width, kTitleHeight);
    layOutGroups(width, height);
    if (m_hintBox) {
        const int hintHeight = height - kHintShorterThanPage;
        const int hintTop = height - kBevelAboveBottom - kHintAboveBevel - hintHeight;
        m_hintBox->setGeometry(kMargin, hintTop, width - 2 * kMargin, hintHeight);
        m_hintText->setGeometry(8, 16, m_hintBox->width() - 16, m_hintBox->height() - 24);
    }
    m_bevel->setGeometry(kMargin, height - kBevelAboveBottom, width - 2 * kMargin, 2);
    for (const auto& [role, button] : m_buttons) {
        // A hidden button (width 0) keeps its place in the rule but stays invisible.
        button->setGeometry(buttonLeft(role, width), height - kButtonsAboveBottom,
                            button->isHidden() ? 0 : kButtonWidth, kButtonHeight);
    }
}

void ContentPage::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layOutPage();
}

void ContentPage::layOutGroups(int, int) {}

bool ContentPage::pressDefaultButton(QKeyEvent* event, QPushButton* defaultButton)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    if ((event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    event->accept();
    if (defaultButton && defaultButton->isEnabled())
        defaultButton->click();
    return true;
}

} // namespace taviro::ui
