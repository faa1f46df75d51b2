#include "GradeB2Page.h"

#include <algorithm>

namespace taviro::ui {
namespace {

constexpr int kDocumentRowTop = kSheet.untitledTop;
constexpr int kDocumentRowPitch = 29;
constexpr int kDocumentGroupHeight = kDocumentRowTop + kDocumentRowPitch + ContentPage::kButtonHeight + 8;
constexpr int kDocumentGroupTop = ContentPage::kHintTop - ContentPage::kGroupGap - kDocumentGroupHeight;

} // namespace

GradeB2Page::GradeB2Page(QWidget* parent)
    : SheetPage(QStringLiteral("GradeB2"),
                QStringLiteral("Wyjaśnienia dotyczące obowiązkowej rozmowy przed wyborem kryteriów"),
                QStringLiteral("TaviroGradeB2Memo2"), Buttons::Return, parent)
{
    m_explanation = makeExplanationBox(
        QStringLiteral(" Wyjaśnienia dotyczące skorzystania z kwestionariusza rozmowy wspomagającego wybór kryteriów "),
        QStringLiteral("TaviroGradeB2Memo1"), 1);
    m_documentGroup = makeGroup(QString(), 2);
    m_captions[0] =
        makeCaption(QStringLiteral("Kwestionariusz rozmowy wspomagający wybór kryteriów"), nullptr, m_documentGroup);
    m_buttons[0] = makeButton(QStringLiteral("OpenButton"), QStringLiteral("Otwórz"), m_documentGroup);
    m_captions[1] = makeCaption(QStringLiteral("Kwestionariusz rozmowy wspomagający wybór kryteriów - przykład"),
                                nullptr, m_documentGroup);
    m_buttons[1] = makeButton(QStringLiteral("ViewButton"), QStringLiteral("Zobacz"), m_documentGroup);
    connect(m_buttons[0], &QPushButton::clicked, this, &GradeB2Page::openRequested);
    connect(m_buttons[1], &QPushButton::clicked, this, &GradeB2Page::viewRequested);
}

QWidget* GradeB2Page::firstField() const
{
    return m_explanation;
}

void GradeB2Page::layOutGroups(int width, int)
{
    const int groupWidth = width - 2 * kMargin;
    placeExplanationBox(m_explanation,
                        QRect(kMargin, kFirstGroupTop, groupWidth, kDocumentGroupTop - kGroupGap - kFirstGroupTop));
    m_documentGroup->setGeometry(kMargin, kDocumentGroupTop, groupWidth, kDocumentGroupHeight);
    // Both buttons in one column after the longer caption.
    const int buttonLeft =
        kSheet.inset + std::max(m_captions[0]->sizeHint().width(), m_captions[1]->sizeHint().width()) + 2 * kSheet.gap;
    for (int row = 0; row < 2; ++row) {
        const int top = kDocumentRowTop + row * kDocumentRowPitch;
        m_captions[row]->setGeometry(kSheet.inset, top, buttonLeft - kSheet.inset, kButtonHeight);
        m_buttons[row]->setGeometry(buttonLeft, top, kButtonWidth, kButtonHeight);
    }
}

} // namespace taviro::ui
