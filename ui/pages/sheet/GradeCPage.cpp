#include "GradeCPage.h"

#include "EntryControls.h"

#include <QSignalBlocker>

#include <algorithm>

namespace taviro::ui {
namespace {

constexpr int kInterviewTop = ContentPage::kFirstGroupTop;
constexpr int kOpinionTop = kInterviewTop + sheetGroupHeight(1) + ContentPage::kGroupGap;
// The opinion fills what is left above the hint box.
constexpr int kOpinionBottom = ContentPage::kHintTop - ContentPage::kGroupGap;
constexpr int kSampleHeight = 38; // the two lines of "Przykład opinii"

constexpr std::array<std::string Appraisal::*, 3> kEditValues = {
    &Appraisal::evaluatorFirstName, &Appraisal::evaluatorSurname, &Appraisal::evaluatorPosition};

} // namespace

GradeCPage::GradeCPage(QWidget* parent)
    : SheetPage(QStringLiteral("GradeC"), QStringLiteral("Arkusz oceny okresowej pracownika samorządowego - część C"),
                QStringLiteral("TaviroGradeCMemo2"), Buttons::BackAndNext, parent)
{
    buildInterviewGroup();
    buildOpinionGroup();
    for (std::size_t i = 0; i < m_edits.size(); ++i)
        bind(m_edits[i], kEditValues[i]);
    bind(m_date, &Appraisal::evaluatorDate);
    bind(m_opinion, &Appraisal::opinion);
    addActions({m_interview, m_sample});
    connect(m_date, &QDateEdit::dateChanged, this, &GradeCPage::evaluatorDateChanged);
}

void GradeCPage::buildInterviewGroup()
{
    m_interviewGroup = makeGroup(QStringLiteral(" Rozmowa oceniająca "), 1);
    m_interviewCaption =
        makeCaption(QStringLiteral("Instrukcje jak przeprowadzić rozmowę oceniającą"), nullptr, m_interviewGroup);
    m_interview = makeButton(QStringLiteral("EditButton"), QStringLiteral("Rozmowa"), m_interviewGroup);
    connect(m_interview, &QPushButton::clicked, this, &GradeCPage::interviewRequested);
}

void GradeCPage::buildOpinionGroup()
{
    QGroupBox* group = m_opinionGroup =
        makeGroup(QStringLiteral(" Opinia dotycząca wykonywania obowiązków przez ocenianego "), 2);
    const QString captions[] = {QStringLiteral("Dane dotyczące oceniającego           Imię/imiona"),
                                QStringLiteral("Nazwisko"), QStringLiteral("Stanowisko")};
    for (std::size_t i = 0; i < m_edits.size(); ++i) {
        m_edits[i] = new widgets::TaviroLineEdit(QStringLiteral("TaviroGradeCEdit%1").arg(i + 1), group);
        m_captions[i] = makeCaption(captions[i], m_edits[i], group);
        m_captions[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    m_date = new widgets::TaviroDatePicker(QStringLiteral("TaviroGradeCDateTimePicker1"), group);
    m_captions[3] = makeCaption(QStringLiteral("Data rozpoczęcia pracy na obecnym stanowisku"), m_date, group);
    m_captions[3]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_guidance = makeCaption(
        QStringLiteral(
            "Należy napisać, w jaki sposób oceniany wykonywał obowiązki w okresie, w którym podlegał ocenie, "
            "czy spełniał ustawowe kryteria oceny. Jeżeli pracownik wykonywał w okresie, w którym podlegał "
            "ocenie, dodatkowe zadania, które nie wynikają z opisu zajmowanego przez niego stanowiska, "
            "należy je wskazać."),
        nullptr, group);
    m_guidance->setWordWrap(true);
    m_guidance->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_opinion = new widgets::TaviroMemo(QStringLiteral("TaviroGradeCMemo1"), group);
    m_guidance->setBuddy(m_opinion);
    m_sample = makeButton(QStringLiteral("ExampleButton"), QStringLiteral("Przykład \nopinii"), group);
    connect(m_sample, &QPushButton::clicked, this, &GradeCPage::sampleOpinionRequested);
}

QWidget* GradeCPage::firstField() const
{
    return m_edits[0];
}

void GradeCPage::setEvaluatorDate(const QDate& date)
{
    if (date == m_date->date())
        return;
    const QSignalBlocker quiet(m_date);
    m_date->setDate(date);
}

void GradeCPage::layOutGroups(int width, int)
{
    const int groupWidth = width - 2 * kMargin;
    m_interviewGroup->setGeometry(kMargin, kInterviewTop, groupWidth, sheetGroupHeight(1));
    const int left = placeCaption(m_interviewCaption, kSheet.inset, sheetRowTop(0));
    m_interview->setGeometry(left, sheetRowTop(0) - 2, kButtonWidth, kButtonHeight);
    m_opinionGroup->setGeometry(kMargin, kOpinionTop, groupWidth, kOpinionBottom - kOpinionTop);
    layOutOpinionGroup();
}

void GradeCPage::layOutOpinionGroup()
{
    // The captions right-aligned in one column, the fields after it.
    int captionWidth = 0;
    for (const QLabel* caption : m_captions)
        captionWidth = std::max(captionWidth, caption->sizeHint().width());
    const int fieldLeft = kSheet.inset + captionWidth + kSheet.gap;
    const int end = rowEnd(m_opinionGroup);
    for (int row = 0; row < 4; ++row) {
        m_captions[row]->setGeometry(kSheet.inset, sheetRowTop(row), captionWidth, kSheet.fieldHeight);
        QWidget* field = row < 3 ? static_cast<QWidget*>(m_edits[row]) : m_date;
        place(field, fieldLeft, sheetRowTop(row), row < 3 ? end - fieldLeft : pickerWidth(m_date));
    }
    const int textWidth = end - kSheet.inset;
    const int guidanceTop = sheetRowTop(4) + 2;
    m_guidance->setGeometry(kSheet.inset, guidanceTop, textWidth, m_guidance->heightForWidth(textWidth));
    // The opinion below the guidance, the sample opinion at its right.
    const int memoTop = m_guidance->geometry().bottom() + 1 + kSheet.gap;
    const int memoWidth = textWidth - kButtonWidth - kSheet.gap;
    m_opinion->setGeometry(kSheet.inset, memoTop, memoWidth, m_opinionGroup->height() - kSheet.bottomPadding - memoTop);
    m_sample->setGeometry(end - kButtonWidth, memoTop, kButtonWidth, kSampleHeight);
}

} // namespace taviro::ui
