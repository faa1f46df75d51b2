#include "GradeEPage.h"

#include "EntryControls.h"

#include <algorithm>

namespace taviro::ui {

GradeEPage::GradeEPage(QWidget* parent)
    : SheetPage(QStringLiteral("GradeE"), QStringLiteral("Arkusz oceny okresowej pracownika samorządowego - część E"),
                QStringLiteral("TaviroGradeEMemo1"), Buttons::Back, parent)
{
    m_group = makeGroup(QStringLiteral(" Zapoznałam/-łem się z oceną sporządzoną na piśmie przez: "), 1);
    const QString captions[] = {QStringLiteral("Panią/Pana"), QStringLiteral("Miejscowość")};
    std::string Appraisal::*const values[] = {&Appraisal::acknowledgedBy, &Appraisal::acknowledgedPlace};
    for (std::size_t i = 0; i < m_edits.size(); ++i) {
        m_edits[i] = new widgets::TaviroLineEdit(QStringLiteral("TaviroGradeEEdit%1").arg(i + 1), m_group);
        m_captions[i] = makeCaption(captions[i], m_edits[i], m_group);
        bind(m_edits[i], values[i]);
    }
}

QWidget* GradeEPage::firstField() const
{
    return m_edits[0];
}

void GradeEPage::layOutGroups(int width, int)
{
    m_group->setGeometry(kMargin, kFirstGroupTop, width - 2 * kMargin, sheetGroupHeight(2));
    const int captionWidth = std::max(m_captions[0]->sizeHint().width(), m_captions[1]->sizeHint().width());
    const int fieldLeft = kSheet.inset + captionWidth + kSheet.gap;
    for (int row = 0; row < 2; ++row) {
        placeCaption(m_captions[row], kSheet.inset, sheetRowTop(row));
        place(m_edits[row], fieldLeft, sheetRowTop(row), rowEnd(m_group) - fieldLeft);
    }
}

} // namespace taviro::ui
