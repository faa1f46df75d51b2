// The help dialog.
#include "TaviroHelpCode.h"

#include "Appearance.h"
#include "EntryControls.h"
#include "HelpText.h"
#include "TextPrinter.h"
#include "UserSettings.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPalette>
#include <QPushButton>
#include <QShowEvent>
#include <QTextEdit>
#include <QVBoxLayout>

#include <utility>

namespace taviro {

TTaviroHelpForm::TTaviroHelpForm(DataDirectory directory, UserSettings& settings, TextPrinter& printer, QWidget* parent)
    : widgets::TaviroDialog(parent), m_directory(std::move(directory)), m_settings(settings), m_printer(printer)
{
    setObjectName(QStringLiteral("TaviroHelpForm"));
    setWindowTitle(QStringLiteral("Pomoc"));
    resize(600, 450);

    m_richEdit = new QTextEdit(this);
    m_richEdit->setObjectName(QStringLiteral("TaviroHelpRichEdit"));
    widgets::makeKeyboardReadable(*m_richEdit);
    m_richEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_richEdit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    m_helpAtStart = new QCheckBox(QStringLiteral("Czy wyświetlać to okienko przy starcie programu ?"), this);
    m_helpAtStart->setObjectName(QStringLiteral("TaviroHelpCheckBox"));

    m_print = new QPushButton(QStringLiteral("Drukuj"), this);
    m_print->setObjectName(QStringLiteral("TaviroHelpPrintButton"));
    m_print->setAutoDefault(false);

    m_close = new QPushButton(QStringLiteral("Zamknij"), this);
    m_close->setObjectName(QStringLiteral("TaviroHelpCloseButton"));
    m_close->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_helpAtStart);
    buttons->addStretch();
    buttons->addWidget(m_print);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_richEdit);
    layout->addLayout(buttons);

    // clicked, not toggled: only the user's click stores the setting, not filling the box.
    connect(m_helpAtStart, &QCheckBox::clicked, this, &TTaviroHelpForm::helpAtStartClicked);
    connect(m_print, &QPushButton::clicked, this, &TTaviroHelpForm::printClicked);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    widgets::applyEntryBackground(m_richEdit);
    installKeyPreview();
}

QString TTaviroHelpForm::printFileName()
{
    return QStringLiteral("Pomoc.pdf");
}

QString TTaviroHelpForm::printJobTitle()
{
    return QStringLiteral("Wydruk pomocy do programu \"Roreduva vizir uroradadudazaz azivavuzed idadorizodoza\" ...");
}

void TTaviroHelpForm::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        HelpText::load(m_directory, QStringLiteral("Start.hlp"), *m_richEdit);
        m_helpAtStart->setChecked(helpAtStart(m_settings));
    }
    widgets::TaviroDialog::showEvent(event);
}

void TTaviroHelpForm::helpAtStartClicked(bool checked)
{
    setHelpAtStart(m_settings, checked);
}

void TTaviroHelpForm::printClicked()
{
    m_printer.print(*m_richEdit->document(), printJobTitle(), printFileName(), this);
}

} // namespace taviro
