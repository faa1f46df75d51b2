#include "GradeAPage.h"

#include "EntryControls.h"

#include <algorithm>

namespace taviro::ui {
namespace {

constexpr int kUnitTop = ContentPage::kFirstGroupTop;
constexpr int kEmployeeTop = kUnitTop + sheetGroupHeight(1) + ContentPage::kGroupGap;
constexpr int kPreviousTop = kEmployeeTop + sheetGroupHeight(6) + ContentPage::kGroupGap;
constexpr int kPlaceTop = kPreviousTop + sheetGroupHeight(1) + ContentPage::kGroupGap;
constexpr int kInterviewTop = kPlaceTop + sheetGroupHeight(1) + ContentPage::kGroupGap;
// The rows of the five groups.
constexpr int kGroupRows[] = {1, 6, 1, 1, 2};
// The caption column of group I: the captions of the one-line fields stand in it.
constexpr int kEmployeeCaptionWidth = 70;

// The one-line fields TaviroGradeAEdit1 … 8 and their values.
constexpr std::array<std::string Appraisal::*, 8> kEditValues = {
    &Appraisal::firm,     &Appraisal::firstName,     &Appraisal::surname,      &Appraisal::cell,
    &Appraisal::position, &Appraisal::previousGrade, &Appraisal::previousDate, &Appraisal::city};
// The dates TaviroGradeADateTimePicker1 … 6 (the fifth is the time) and their values.
constexpr std::array<std::string Appraisal::*, 6> kPickerValues = {
    &Appraisal::employmentDate, &Appraisal::positionDate,  &Appraisal::date,
    &Appraisal::interviewDate,  &Appraisal::interviewTime, &Appraisal::notificationDate};

} // namespace

GradeAPage::GradeAPage(QWidget* parent)
    : SheetPage(QStringLiteral("GradeA"), QStringLiteral("Arkusz oceny okresowej pracownika samorządowego - część A"),
                QStringLiteral("TaviroGradeAMemo1"), Buttons::Next, parent)
{
    buildUnitGroup();
    buildEmployeeGroup();
    buildPreviousGroup();
    buildPlaceGroup();
    buildInterviewGroup();
    for (std::size_t i = 0; i < m_edits.size(); ++i)
        bind(m_edits[i], kEditValues[i]);
    for (std::size_t i = 0; i < m_pickers.size(); ++i) {
        if (auto* time = qobject_cast<widgets::TaviroTimePicker*>(m_pickers[i]))
            bind(time, kPickerValues[i]);
        else
            bind(static_cast<widgets::TaviroDatePicker*>(m_pickers[i]), kPickerValues[i]);
    }
    addEntries({m_appointment, m_contract});
    addActions({m_print});
}

void GradeAPage::buildUnitGroup()
{
    m_groups[0] = makeGroup(QStringLiteral("Nazwa jednostki"), 1);
    m_edits[0] = new widgets::TaviroLineEdit(QStringLiteral("TaviroGradeAEdit1"), m_groups[0]);
}

void GradeAPage::buildEmployeeGroup()
{
    QGroupBox* group = m_groups[1] =
        makeGroup(QStringLiteral("I. Dane dotyczące ocenianego pracownika samorządowego"), 2);
    const QString captions[] = {QStringLiteral("Imię"), QStringLiteral("Nazwisko"), QStringLiteral("Komórka"),
                                QStringLiteral("Stanowisko")};
    for (int i = 1; i <= 4; ++i) {
        m_edits[i] = new widgets::TaviroLineEdit(QStringLiteral("TaviroGradeAEdit%1").arg(i + 1), group);
        m_editCaptions[i] = makeCaption(captions[i - 1], m_edits[i], group);
    }
    m_pickerCaptions[0] = makeCaption(QStringLiteral("Data"), nullptr, group);
    m_appointment = new QRadioButton(QStringLiteral("mianowania"), group);
    m_appointment->setObjectName(QStringLiteral("TaviroGradeARadioButton1"));
    m_contract = new QRadioButton(QStringLiteral("zatrudnienia"), group);
    m_contract->setObjectName(QStringLiteral("TaviroGradeARadioButton2"));
    m_appointment->setChecked(true);
    m_postCaption = makeCaption(QStringLiteral("na stanowisku urzędniczym"), nullptr, group);
    m_pickers[0] = new widgets::TaviroDatePicker(QStringLiteral("TaviroGradeADateTimePicker1"), group);
    m_pickers[1] = new widgets::TaviroDatePicker(QStringLiteral("TaviroGradeADateTimePicker2"), group);
    m_pickerCaptions[1] =
        makeCaption(QStringLiteral("Data rozpoczęcia pracy na obecnym stanowisku"), m_pickers[1], group);
}

void GradeAPage::buildPreviousGroup()
{
    QGroupBox* group = m_groups[2] = makeGroup(QStringLiteral("II. Dane dotyczące poprzedniej oceny"), 3);
    m_edits[5] = new widgets::TaviroLineEdit(QStringLiteral("TaviroGradeAEdit6"), group);
    m_editCaptions[5] = makeCaption(QStringLiteral("Ocena/poziom"), m_edits[5], group);
    m_edits[6] = new widgets::TaviroLineEdit(QStringLiteral("TaviroGradeAEdit7"), group);
    m_editCaptions[6] = makeCaption(QStringLiteral("Data sporządzenia"), m_edits[6], group);
}

void GradeAPage::buildPlaceGroup()
{
    QGroupBox* group = m_groups[3] = makeGroup(QStringLiteral("Miejscowość, data"), 4);
    m_edits[7] = new widgets::TaviroLineEdit(QStringLiteral("TaviroGradeAEdit8"), group);
    m_editCaptions[7] = makeCaption(QStringLiteral("Miejscowość"), m_edits[7], group);
    m_pickers[2] = new widgets::TaviroDatePicker(QStringLiteral("TaviroGradeADateTimePicker3"), group);
    m_pickerCaptions[2] = makeCaption(QStringLiteral("Data"), m_pickers[2], group);
}

void GradeAPage::buildInterviewGroup()
{
    QGroupBox* group = m_groups[4] = makeGroup(QStringLiteral("Rozmowa przed wyborem kryteriów"), 5);
    m_pickers[5] = new widgets::TaviroDatePicker(QStringLiteral("TaviroGradeADateTimePicker6"), group);
    m_pickerCaptions[5] = makeCaption(QStringLiteral("Powiadomienie pracownika z dnia"), m_pickers[5], group);
    m_pickers[3] = new widgets::TaviroDatePicker(QStringLiteral("TaviroGradeADateTimePicker4"), group);
    m_pickerCaptions[3] = makeCaption(QStringLiteral("o rozmowie która odbędzie się dnia"), m_pickers[3], group);
    m_pickers[4] = new widgets::TaviroTimePicker(QStringLiteral("TaviroGradeADateTimePicker5"), group);
    m_pickerCaptions[4] = makeCaption(QStringLiteral("o godzinie"), m_pickers[4], group);
    m_print = makeButton(QStringLiteral("PrintButton"), QStringLiteral("Drukuj"), group);
    connect(m_print, &QPushButton::clicked, this, &GradeAPage::printRequested);
}

void GradeAPage::load(const Appraisal& appraisal)
{
    SheetPage::load(appraisal);
    (appraisal.appointment ? m_appointment : m_contract)->setChecked(true);
}

void GradeAPage::store(Appraisal& appraisal) const
{
    SheetPage::store(appraisal);
    appraisal.appointment = m_appointment->isChecked();
}

QWidget* GradeAPage::firstField() const
{
    return m_edits[0];
}

void GradeAPage::layOutGroups(int width, int)
{
    const int groupWidth = width - 2 * kMargin;
    const int tops[] = {kUnitTop, kEmployeeTop, kPreviousTop, kPlaceTop, kInterviewTop};
    for (std::size_t i = 0; i < m_groups.size(); ++i)
        m_groups[i]->setGeometry(kMargin, tops[i], groupWidth, sheetGroupHeight(kGroupRows[i]));
    const int top = sheetRowTop(0);
    place(m_edits[0], kSheet.inset, top, rowEnd(m_groups[0]) - kSheet.inset);
    layOutEmployeeGroup();

    // The previous appraisal: two fields sharing the row.
    const int half = groupWidth / 2;
    int left = placeCaption(m_editCaptions[5], kSheet.inset, top);
    place(m_edits[5], left, top, half - kSheet.gap - left);
    left = placeCaption(m_editCaptions[6], half + kSheet.gap, top);
    place(m_edits[6], left, top, rowEnd(m_groups[2]) - left);

    // The place, and the date at the right end.
    left = placeCaption(m_editCaptions[7], kSheet.inset, top);
    placeAtRightEnd(m_pickers[2], top);
    const int dateCaptionLeft = m_pickers[2]->x() - kSheet.gap - m_pickerCaptions[2]->sizeHint().width();
    placeCaption(m_pickerCaptions[2], dateCaptionLeft, top);
    place(m_edits[7], left, top, dateCaptionLeft - kSheet.gap - left);
    layOutInterviewGroup();
}

void GradeAPage::layOutEmployeeGroup()
{
    const int fieldLeft = kSheet.inset + kEmployeeCaptionWidth;
    for (int i = 1; i <= 4; ++i) {
        const int top = sheetRowTop(i - 1);
        placeCaption(m_editCaptions[i], kSheet.inset, top);
        place(m_edits[i], fieldLeft, top, rowEnd(m_groups[1]) - fieldLeft);
    }
    // "Data (o) mianowania (o) zatrudnienia na stanowisku urzędniczym" reads as one sentence.
    int left = kSheet.inset;
    for (QWidget* piece :
         std::initializer_list<QWidget*>{m_pickerCaptions[0], m_appointment, m_contract, m_postCaption})
        left = placeCaption(piece, left, sheetRowTop(4));
    placeAtRightEnd(m_pickers[0], sheetRowTop(4));
    placeCaption(m_pickerCaptions[1], kSheet.inset, sheetRowTop(5));
    placeAtRightEnd(m_pickers[1], sheetRowTop(5));
}

void GradeAPage::layOutInterviewGroup()
{
    // "Powiadomienie pracownika z dnia [date]" above "o rozmowie która odbędzie się dnia [date] o
    // godzinie [time]", the two dates in one column, and "Drukuj" at the right end.
    const int captionWidth = std::max(m_pickerCaptions[5]->sizeHint().width(), m_pickerCaptions[3]->sizeHint().width());
    const int pickerLeft = kSheet.inset + captionWidth + kSheet.gap;
    std::size_t row = 0;
    for (const std::size_t i : {5u, 3u}) {
        const int top = sheetRowTop(static_cast<int>(row++));
        placeCaption(m_pickerCaptions[i], kSheet.inset, top);
        place(m_pickers[i], pickerLeft, top, pickerWidth(m_pickers[i]));
    }
    const int timeCaptionLeft = pickerLeft + pickerWidth(m_pickers[3]) + 2 * kSheet.gap;
    const int timeLeft = placeCaption(m_pickerCaptions[4], timeCaptionLeft, sheetRowTop(1));
    place(m_pickers[4], timeLeft, sheetRowTop(1), pickerWidth(m_pickers[4]));
    m_print->setGeometry(rowEnd(m_groups[4]) - kButtonWidth, sheetRowTop(1) - 2, kButtonWidth, kButtonHeight);
}

} // namespace taviro::ui
