#include "RegisterPage.h"

#include "EntryControls.h"

#include <QKeyEvent>
#include <QRadioButton>

namespace taviro::ui {

RegisterPage::RegisterPage(const QString& area, const QString& hintName, QWidget* parent)
    : ContentPage(QStringLiteral("Taviro%1Panel").arg(area), QStringLiteral("Taviro%1TitlePanel").arg(area), parent)
{
    addHintBox(hintName);
    addButton(ButtonRole::Help, QStringLiteral("Taviro%1HelpButton").arg(area), QStringLiteral("Pomoc"));
    addButton(ButtonRole::Save, QStringLiteral("Taviro%1OkButton").arg(area), QStringLiteral("Zapisz"));
    addButton(ButtonRole::Last, QStringLiteral("Taviro%1CancelButton").arg(area), QStringLiteral("Rezygnuj"));
    for (QPushButton* pushButton : {helpButton(), okButton(), cancelButton()})
        pushButton->setAutoDefault(true);
    okButton()->setDefault(true);
}

void RegisterPage::addEntries(std::initializer_list<QWidget*> entries)
{
    for (QWidget* entry : entries) {
        m_entries.push_back(entry);
        if (auto* line = qobject_cast<QLineEdit*>(entry))
            connect(line, &QLineEdit::textChanged, this, &RegisterPage::updateSaveButton);
        else if (auto* memo = qobject_cast<QPlainTextEdit*>(entry))
            connect(memo, &QPlainTextEdit::textChanged, this, &RegisterPage::updateSaveButton);
    }
}

void RegisterPage::setMode(PageMode mode, const QString& title)
{
    const bool view = mode == PageMode::View;
    setTitle(title);
    for (QWidget* entry : m_entries) {
        if (auto* line = qobject_cast<QLineEdit*>(entry))
            line->setReadOnly(view);
        else if (auto* memo = qobject_cast<QPlainTextEdit*>(entry))
            memo->setReadOnly(view);
        else
            entry->setEnabled(!view); // date pickers and choices
    }
    okButton()->setVisible(!view);
    cancelButton()->setText(view ? QStringLiteral("Zamknij") : QStringLiteral("Rezygnuj"));
}

void RegisterPage::clear(const QDate& today)
{
    for (QWidget* entry : m_entries) {
        if (auto* line = qobject_cast<widgets::TaviroLineEdit*>(entry))
            line->setStoredText(QString());
        else if (auto* memo = qobject_cast<QPlainTextEdit*>(entry))
            memo->clear();
        else if (auto* picker = qobject_cast<QDateEdit*>(entry))
            picker->setDate(today);
    }
    updateSaveButton();
}

// Enter also works "Zapisz" when it is hidden (view mode), where it just closes the page.
void RegisterPage::keyPressEvent(QKeyEvent* event)
{
    if (!pressDefaultButton(event, okButton()))
        ContentPage::keyPressEvent(event);
}

} // namespace taviro::ui
