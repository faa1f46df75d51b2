#include "TaviroMoveCode.h"

#include "EntryControls.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

namespace taviro::ui {

TTaviroMoveForm::TTaviroMoveForm(const std::vector<Target>& targets, QWidget* parent) : widgets::TaviroDialog(parent)
{
    setObjectName(QStringLiteral("TaviroMoveForm"));
    setWindowTitle(QStringLiteral("Przenoszenie pracownika"));
    setFixedClientSize(400, 109);

    auto* label =
        new QLabel(QStringLiteral("Przenieś pracownika z aktualnej komórki organizacyjnej do komórki:"), this);
    label->setObjectName(QStringLiteral("TaviroMoveLabel1"));
    label->setGeometry(12, 12, 376, 16);

    m_units = new widgets::TaviroComboBox(QStringLiteral("TaviroMoveComboBox"), this);
    m_units->setGeometry(12, 32, 376, 21);
    m_units->setMaxVisibleItems(16);
    label->setBuddy(m_units);
    for (const auto& [name, id] : targets)
        m_units->addItem(name, id);
    m_units->setCurrentIndex(-1);

    addBevel(QStringLiteral("TaviroMoveButtonsBevel"), QRect(8, 66, 384, 2));
    m_ok = addButton(QStringLiteral("TaviroMoveOkButton"), QStringLiteral("Przenieś"), QRect(224, 76, 81, 25));
    m_cancel = addButton(QStringLiteral("TaviroMoveCancelButton"), QStringLiteral("Rezygnuj"), QRect(312, 76, 81, 25));
    m_cancel->setDefault(true);
    m_ok->setAutoDefault(false);
    m_ok->setEnabled(false);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_units, &QComboBox::currentIndexChanged, this, &TTaviroMoveForm::TaviroMoveComboBoxChange);

    installKeyPreview();
}

std::optional<int> TTaviroMoveForm::targetUnitId() const
{
    if (m_units->currentIndex() < 0)
        return std::nullopt;
    return m_units->currentData().toInt();
}

void TTaviroMoveForm::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        centreOn(parentWidget());
        m_units->setCurrentIndex(-1);
        m_units->setFocus();
    }
    widgets::TaviroDialog::showEvent(event);
}

void TTaviroMoveForm::TaviroMoveComboBoxChange()
{
    m_ok->setEnabled(m_units->currentIndex() >= 0);
}

} // namespace taviro::ui
