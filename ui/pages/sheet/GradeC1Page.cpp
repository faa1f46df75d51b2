#include "GradeC1Page.h"

#include "Appearance.h"

namespace taviro::ui {
namespace {

constexpr int kDocumentCount = 4;
constexpr int kListTop = kSheet.untitledTop;
constexpr int kListHeight = kDocumentCount * 16 + 6;
constexpr int kDocumentGroupHeight = kListTop + kListHeight + 8;
constexpr int kDocumentGroupTop = ContentPage::kHintTop - ContentPage::kGroupGap - kDocumentGroupHeight;

} // namespace

GradeC1Page::GradeC1Page(QWidget* parent)
    : SheetPage(QStringLiteral("GradeC1"), QStringLiteral("Instrukcje jak przeprowadzić rozmowę oceniającą"),
                QStringLiteral("TaviroGradeC1Memo2"), Buttons::Return, parent)
{
    m_explanation =
        makeExplanationBox(QStringLiteral(" Wyjaśnienia dotyczące skorzystania z narzędzi do rozmowy oceniającej "),
                           QStringLiteral("TaviroGradeC1Memo1"), 1);
    m_documentGroup = makeGroup(QString(), 2);
    m_documents = new QListWidget(m_documentGroup);
    m_documents->setObjectName(QStringLiteral("TaviroGradeC1ListBox1"));
    m_documents->addItems({QStringLiteral("Arkusz pomocniczy przed sporządzeniem opinii"),
                           QStringLiteral("Schemat rozmowy oceniającej"),
                           QStringLiteral("Instrukcje dla oceniającego w zakresie aspektów emocjonalnych prowadzenia "
                                          "rozmowy oceniającej"),
                           QStringLiteral("Procedura postępowania w zakresie przekazywania pozytywnej i negatywnej "
                                          "informacji zwrotnej")});
    widgets::applyEntryBackground(m_documents);
    m_open = makeButton(QStringLiteral("OpenButton"), QStringLiteral("Otwórz"), m_documentGroup);
    connect(m_open, &QPushButton::clicked, this, &GradeC1Page::open);
}

void GradeC1Page::load(const Appraisal& appraisal)
{
    SheetPage::load(appraisal);
    m_documents->setCurrentRow(0);
}

QWidget* GradeC1Page::firstField() const
{
    return m_explanation;
}

void GradeC1Page::open()
{
    const QList<QListWidgetItem*> selected = m_documents->selectedItems();
    if (!selected.isEmpty())
        emit openRequested(m_documents->row(selected.first()));
}

void GradeC1Page::layOutGroups(int width, int)
{
    const int groupWidth = width - 2 * kMargin;
    placeExplanationBox(m_explanation,
                        QRect(kMargin, kFirstGroupTop, groupWidth, kDocumentGroupTop - kGroupGap - kFirstGroupTop));
    m_documentGroup->setGeometry(kMargin, kDocumentGroupTop, groupWidth, kDocumentGroupHeight);
    const int buttonLeft = rowEnd(m_documentGroup) - kButtonWidth;
    m_documents->setGeometry(kSheet.inset, kListTop, buttonLeft - kSheet.gap - kSheet.inset, kListHeight);
    m_open->move(buttonLeft, kListTop);
    m_open->resize(kButtonWidth, kButtonHeight);
}

} // namespace taviro::ui
