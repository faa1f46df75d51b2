#include "PrintChoiceForm.h"

#include <QCheckBox>
#include <QPushButton>
#include <QShowEvent>

#include <algorithm>

namespace taviro::print {
namespace {

constexpr int kWidth = 321;
constexpr int kMargin = 8;
constexpr int kBoxLeft = 16;
constexpr int kFirstBoxTop = 14;
constexpr int kBoxPitch = 24;
constexpr int kBoxHeight = 17;
constexpr int kButtonWidth = 81;
constexpr int kButtonHeight = 25;

} // namespace

PrintChoiceForm::PrintChoiceForm(const QString& prefix, const QString& caption, const QStringList& boxes,
                                 bool needsTick, Preview preview, QWidget* parent)
    : widgets::TaviroDialog(parent), m_needsTick(needsTick), m_showPreview(std::move(preview))
{
    setObjectName(prefix + QStringLiteral("Form"));
    setWindowTitle(caption);
    const int bevelTop = kFirstBoxTop + kBoxPitch * static_cast<int>(boxes.size()) + 4;
    const int buttonTop = bevelTop + 10;
    setFixedClientSize(kWidth, buttonTop + kButtonHeight + kMargin);

    for (qsizetype i = 0; i < boxes.size(); ++i) {
        auto* box = new QCheckBox(boxes[i], this);
        box->setObjectName(prefix + QStringLiteral("CheckBox%1").arg(i + 1));
        box->setGeometry(kBoxLeft, kFirstBoxTop + kBoxPitch * static_cast<int>(i), kWidth - 2 * kBoxLeft, kBoxHeight);
        connect(box, &QCheckBox::clicked, this, &PrintChoiceForm::updateButtons);
        m_boxes.push_back(box);
    }
    addBevel(prefix + QStringLiteral("ButtonsBevel"), QRect(kMargin, bevelTop, kWidth - 2 * kMargin, 2));
    const int cancelLeft = kWidth - kMargin - kButtonWidth;
    const int okLeft = cancelLeft - kMargin - kButtonWidth;
    m_preview = addButton(prefix + QStringLiteral("PreviewButton"), QStringLiteral("Podgląd"),
                          QRect(kMargin, buttonTop, kButtonWidth, kButtonHeight));
    m_ok = addButton(prefix + QStringLiteral("OkButton"), QStringLiteral("Drukuj"),
                     QRect(okLeft, buttonTop, kButtonWidth, kButtonHeight));
    m_cancel = addButton(prefix + QStringLiteral("CancelButton"), QStringLiteral("Rezygnuj"),
                         QRect(cancelLeft, buttonTop, kButtonWidth, kButtonHeight));
    m_ok->setDefault(true);
    m_preview->setAutoDefault(false);
    m_cancel->setAutoDefault(false);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_preview, &QPushButton::clicked, this, [this] {
        if (m_showPreview)
            m_showPreview(mask(), this);
    });
    tickAll();
    installKeyPreview();
}

void PrintChoiceForm::tickAll()
{
    for (QCheckBox* box : m_boxes)
        box->setChecked(true);
    updateButtons();
}

int PrintChoiceForm::mask() const
{
    int bits = 0;
    for (std::size_t i = 0; i < m_boxes.size(); ++i) {
        if (m_boxes[i]->isChecked())
            bits |= 1 << i;
    }
    return bits;
}

void PrintChoiceForm::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        centreOn(parentWidget());
        tickAll();
        m_ok->setFocus();
    }
    widgets::TaviroDialog::showEvent(event);
}

void PrintChoiceForm::updateButtons()
{
    const bool ticked = std::any_of(m_boxes.begin(), m_boxes.end(), [](QCheckBox* box) { return box->isChecked(); });
    m_ok->setEnabled(ticked || !m_needsTick);
    m_preview->setEnabled(ticked || !m_needsTick);
}

} // namespace taviro::print
