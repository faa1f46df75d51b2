// What the pages of the appraisal sheet share: the title strip, the " Podpowiedź " hint box, the
// bottom buttons of a section of the sheet ("Pomoc", "Wstecz", "Dalej", "Zapisz", "Rezygnuj") or of a
// side page ("Pomoc", "Powrót"), the fields bound to the appraisal, the view mode, and Enter working
// the default button. A sheet page is a view: it loads its fields from the appraisal, stores them
// back, and hands everything else to its controller through its signals.
#pragma once

#include "pages/ContentPage.h"

#include "AppraisalRecord.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace taviro::widgets {
class TaviroDatePicker;
class TaviroLineEdit;
class TaviroMemo;
class TaviroTimePicker;
} // namespace taviro::widgets

namespace taviro::ui {

// Places inside the group boxes of the sheet pages, in pixels: rows of a caption followed by its
// field, the captions as wide as their texts.
struct SheetGrid
{
    int inset = 8;        // the first control from the group's left edge, the last from its right edge
    int firstRowTop = 23; // the first row below the group's caption
    int untitledTop = 7;  // the first row of a group box without a caption
    int rowPitch = 24;    // from one row to the next
    int fieldHeight = 21;
    int bottomPadding = 6; // below the last row
    int gap = 6;           // between a caption and its field, and between the fields of one row
    int dateWidth = 81;    // the least width of a date or time; wider where its text needs it
    int dateInset = 89;    // a date at the right end of its group starts this far from the group's right edge
};
inline constexpr SheetGrid kSheet{};

// The top of a row of a group box, counted from 0.
constexpr int sheetRowTop(int row)
{
    return kSheet.firstRowTop + row * kSheet.rowPitch;
}

// The height of a group box of that many rows.
constexpr int sheetGroupHeight(int rows)
{
    return sheetRowTop(rows - 1) + kSheet.fieldHeight + kSheet.bottomPadding;
}

class SheetPage : public ContentPage
{
    Q_OBJECT
public:
    // The bottom buttons besides "Pomoc": a section of the sheet has "Zapisz" and "Rezygnuj" and the
    // moves it offers; a side page has only "Powrót".
    enum class Buttons
    {
        Next,
        BackAndNext,
        Back,
        Return,
    };

    // Shows the appraisal's values of this page's fields; the page's own signals stay quiet.
    virtual void load(const Appraisal& appraisal);
    // Puts this page's fields into the appraisal: texts trimmed, memos with CR LF line breaks,
    // dates dd-mm-yyyy, the time hh:mm:ss. Every other field of the appraisal stays as it was.
    virtual void store(Appraisal& appraisal) const;
    // View: texts read-only, choices, pickers and the page's actions disabled, "Zapisz" hidden and
    // disabled, the last button "Zamknij". Otherwise all editable, "Zapisz" shown, "Rezygnuj".
    virtual void setMode(bool viewOnly);
    // The control that gets the focus when the page is shown.
    virtual QWidget* firstField() const = 0;

    QPushButton* defaultButton() const { return m_default; }

signals:
    void helpRequested();
    void backRequested();
    void nextRequested();
    void saveRequested();
    void abandonRequested();
    void returnRequested();

protected:
    // area: "GradeA" … "GradeE", the middle of every control name (TaviroGradeAPanel …).
    SheetPage(const QString& area, const QString& title, const QString& hintName, Buttons buttons, QWidget* parent);

    // "Taviro" + area + suffix.
    QString controlName(const QString& suffix) const;

    // Fields bound to the appraisal: loaded, stored and switched by the mode together.
    void bind(widgets::TaviroLineEdit* edit, std::string Appraisal::*value);
    void bind(widgets::TaviroMemo* memo, std::string Appraisal::*value);
    void bind(widgets::TaviroDatePicker* picker, std::string Appraisal::*value);
    void bind(widgets::TaviroTimePicker* picker, std::string Appraisal::*value);
    // Further controls the mode makes read-only (texts) or disables (everything else).
    void addEntries(std::initializer_list<QWidget*> entries);
    // Buttons of the page that view mode disables.
    void addActions(std::initializer_list<QWidget*> actions);

    QGroupBox* makeGroup(const QString& title, int number);
    // Makes the group's caption bold and keeps its contents in the page's font.
    static void boldCaption(QGroupBox* group);
    static QLabel* makeCaption(const QString& text, QWidget* buddy, QWidget* parent);
    QPushButton* makeButton(const QString& suffix, const QString& text, QWidget* parent);
    // A read-only rich-text box in a group box of its own, like the hint box.
    QTextEdit* makeExplanationBox(const QString& title, const QString& memoName, int groupNumber);
    // Puts such a box's group where it belongs and the text inside it as the hint text is.
    static void placeExplanationBox(QTextEdit* text, const QRect& group);

    // Puts a caption as wide as its text on a row; returns where the next control may start.
    static int placeCaption(QWidget* caption, int left, int top);
    static void place(QWidget* control, int left, int top, int width);
    // The right edge of the last control of a row of the group.
    static int rowEnd(const QWidget* group);
    // The width of a date or time picker: kSheet.dateWidth, or what its text needs in the page's font.
    static int pickerWidth(const QWidget* picker);
    // A date or time at the right end of its group: dateInset in, or further when it needs more room.
    static void placeAtRightEnd(QWidget* picker, int top);

    void keyPressEvent(QKeyEvent* event) override;

private:
    template <typename Control> struct Binding
    {
        Control* control;
        std::string Appraisal::*value;
    };

    void addSheetButtons(Buttons buttons);
    void addReturnButton();

    QString m_area;
    bool m_sheetPart = true;
    QPushButton* m_default = nullptr;
    std::vector<QWidget*> m_entries;
    std::vector<QWidget*> m_actions;
    std::vector<Binding<widgets::TaviroLineEdit>> m_edits;
    std::vector<Binding<widgets::TaviroMemo>> m_memos;
    std::vector<Binding<widgets::TaviroDatePicker>> m_dates;
    std::vector<Binding<widgets::TaviroTimePicker>> m_times;
};

} // namespace taviro::ui
