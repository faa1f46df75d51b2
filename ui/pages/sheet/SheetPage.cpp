#include "SheetPage.h"

#include "Appearance.h"
#include "EntryControls.h"

#include <QKeyEvent>
#include <QSignalBlocker>

#include <algorithm>

namespace taviro::ui {
namespace {

// A memo's text as the appraisal keeps it: trimmed, every line break CR LF.
std::string memoText(const widgets::TaviroMemo* memo)
{
    std::string text;
    for (const char c : memo->trimmedText()) {
        if (c == '\n')
            text += '\r';
        text += c;
    }
    return text;
}

} // namespace

SheetPage::SheetPage(const QString& area, const QString& title, const QString& hintName, Buttons buttons,
                     QWidget* parent)
    : ContentPage(QStringLiteral("Taviro%1Panel").arg(area), QStringLiteral("Taviro%1TitlePanel").arg(area), parent),
      m_area(area)
{
    setTitle(title);
    addHintBox(hintName);
    auto* help = addButton(ButtonRole::Help, controlName(QStringLiteral("HelpButton")), QStringLiteral("Pomoc"));
    connect(help, &QPushButton::clicked, this, &SheetPage::helpRequested);
    if (buttons == Buttons::Return)
        addReturnButton();
    else
        addSheetButtons(buttons);
    for (ButtonRole role : {ButtonRole::Help, ButtonRole::Back, ButtonRole::Next, ButtonRole::Save, ButtonRole::Last}) {
        if (QPushButton* bottom = button(role))
            bottom->setAutoDefault(true);
    }
    m_default->setDefault(true);
}

void SheetPage::addSheetButtons(Buttons buttons)
{
    if (buttons != Buttons::Next) {
        auto* back = addButton(ButtonRole::Back, controlName(QStringLiteral("BackButton")), QStringLiteral("Wstecz"));
        connect(back, &QPushButton::clicked, this, &SheetPage::backRequested);
    }
    if (buttons != Buttons::Back) {
        m_default = addButton(ButtonRole::Next, controlName(QStringLiteral("NextButton")), QStringLiteral("Dalej"));
        connect(m_default, &QPushButton::clicked, this, &SheetPage::nextRequested);
    }
    auto* save = addButton(ButtonRole::Save, controlName(QStringLiteral("OkButton")), QStringLiteral("Zapisz"));
    connect(save, &QPushButton::clicked, this, &SheetPage::saveRequested);
    auto* last = addButton(ButtonRole::Last, controlName(QStringLiteral("CancelButton")), QStringLiteral("Rezygnuj"));
    connect(last, &QPushButton::clicked, this, &SheetPage::abandonRequested);
    // The last section has no "Dalej": Enter saves the sheet there.
    if (!m_default)
        m_default = save;
}

void SheetPage::addReturnButton()
{
    m_sheetPart = false;
    m_default = addButton(ButtonRole::Last, controlName(QStringLiteral("OkButton")), QStringLiteral("Powrót"));
    connect(m_default, &QPushButton::clicked, this, &SheetPage::returnRequested);
}

QString SheetPage::controlName(const QString& suffix) const
{
    return QStringLiteral("Taviro") + m_area + suffix;
}

void SheetPage::bind(widgets::TaviroLineEdit* edit, std::string Appraisal::*value)
{
    m_edits.push_back({edit, value});
    m_entries.push_back(edit);
}

void SheetPage::bind(widgets::TaviroMemo* memo, std::string Appraisal::*value)
{
    m_memos.push_back({memo, value});
    m_entries.push_back(memo);
}

void SheetPage::bind(widgets::TaviroDatePicker* picker, std::string Appraisal::*value)
{
    m_dates.push_back({picker, value});
    m_entries.push_back(picker);
}

void SheetPage::bind(widgets::TaviroTimePicker* picker, std::string Appraisal::*value)
{
    m_times.push_back({picker, value});
    m_entries.push_back(picker);
}

void SheetPage::addEntries(std::initializer_list<QWidget*> entries)
{
    m_entries.insert(m_entries.end(), entries);
}

void SheetPage::addActions(std::initializer_list<QWidget*> actions)
{
    m_actions.insert(m_actions.end(), actions);
}

void SheetPage::load(const Appraisal& appraisal)
{
    for (const auto& [edit, value] : m_edits)
        edit->setStoredText(QString::fromStdString(appraisal.*value));
    for (const auto& [memo, value] : m_memos)
        memo->setStoredText(appraisal.*value);
    // A loaded date is no change the user made: the pages it is linked to keep theirs.
    for (const auto& [picker, value] : m_dates) {
        const QSignalBlocker quiet(picker);
        picker->setStoredDate(appraisal.*value);
    }
    for (const auto& [picker, value] : m_times)
        picker->setStoredTime(appraisal.*value);
}

void SheetPage::store(Appraisal& appraisal) const
{
    for (const auto& [edit, value] : m_edits)
        appraisal.*value = edit->trimmedText();
    for (const auto& [memo, value] : m_memos)
        appraisal.*value = memoText(memo);
    for (const auto& [picker, value] : m_dates)
        appraisal.*value = picker->storedDate();
    for (const auto& [picker, value] : m_times)
        appraisal.*value = picker->storedTime();
}

void SheetPage::setMode(bool viewOnly)
{
    for (QWidget* entry : m_entries) {
        if (auto* line = qobject_cast<QLineEdit*>(entry))
            line->setReadOnly(viewOnly);
        else if (auto* memo = qobject_cast<QPlainTextEdit*>(entry))
            memo->setReadOnly(viewOnly);
        else
            entry->setEnabled(!viewOnly);
    }
    for (QWidget* action : m_actions)
        action->setEnabled(!viewOnly);
    if (m_sheetPart) {
        button(ButtonRole::Save)->setVisible(!viewOnly);
        button(ButtonRole::Save)->setEnabled(!viewOnly);
        button(ButtonRole::Last)->setText(viewOnly ? QStringLiteral("Zamknij") : QStringLiteral("Rezygnuj"));
    }
    layOutPage();
}

QGroupBox* SheetPage::makeGroup(const QString& title, int number)
{
    auto* group = new QGroupBox(title, this);
    group->setObjectName(controlName(QStringLiteral("GroupBox%1").arg(number)));
    return group;
}

void SheetPage::boldCaption(QGroupBox* group)
{
    // Only the weight is set, so everything else still comes from the page's font.
    QFont bold;
    bold.setBold(true);
    group->setFont(bold);
    QFont normal;
    normal.setBold(false);
    for (QWidget* child : group->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        child->setFont(normal);
}

QLabel* SheetPage::makeCaption(const QString& text, QWidget* buddy, QWidget* parent)
{
    auto* caption = new QLabel(text, parent);
    if (buddy)
        caption->setBuddy(buddy);
    return caption;
}

QPushButton* SheetPage::makeButton(const QString& suffix, const QString& text, QWidget* parent)
{
    auto* made = new QPushButton(text, parent);
    made->setObjectName(controlName(suffix));
    made->setAutoDefault(true);
    return made;
}

QTextEdit* SheetPage::makeExplanationBox(const QString& title, const QString& memoName, int groupNumber)
{
    QGroupBox* group = makeGroup(title, groupNumber);
    auto* text = new QTextEdit(group);
    text->setObjectName(memoName);
    text->setReadOnly(true);
    widgets::applyEntryBackground(text);
    return text;
}

void SheetPage::placeExplanationBox(QTextEdit* text, const QRect& group)
{
    text->parentWidget()->setGeometry(group);
    text->setGeometry(8, 16, group.width() - 16, group.height() - 24);
}

int SheetPage::placeCaption(QWidget* caption, int left, int top)
{
    const int width = caption->sizeHint().width();
    caption->setGeometry(left, top, width, kSheet.fieldHeight);
    return left + width + kSheet.gap;
}

void SheetPage::place(QWidget* control, int left, int top, int width)
{
    control->setGeometry(left, top, width, kSheet.fieldHeight);
}

int SheetPage::rowEnd(const QWidget* group)
{
    return group->width() - kSheet.inset;
}

int SheetPage::pickerWidth(const QWidget* picker)
{
    return std::max(kSheet.dateWidth, picker->sizeHint().width());
}

void SheetPage::placeAtRightEnd(QWidget* picker, int top)
{
    const int width = pickerWidth(picker);
    const int right = picker->parentWidget()->width() - kSheet.dateInset + kSheet.dateWidth;
    place(picker, right - width, top, width);
}

void SheetPage::keyPressEvent(QKeyEvent* event)
{
    if (!pressDefaultButton(event, m_default))
        ContentPage::keyPressEvent(event);
}

} // namespace taviro::ui
