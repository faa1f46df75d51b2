// What the unit page and the employee page share: the hint box, the buttons "Pomoc", "Zapisz" and
// "Rezygnuj", the mode (new and correct editable; view read-only with "Zamknij" and no "Zapisz"),
// and Enter working the default button. A register page is a view: it loads its values from a
// record structure and gives them back; its controller does the reading and writing.
#pragma once

#include "ContentPage.h"
#include "SessionState.h"

#include <QDate>

#include <vector>

namespace taviro::ui {

// Places inside the group boxes of the register pages, in pixels: a label above each field, fields
// with a fixed margin to the group's right edge.
struct RegisterGrid
{
    int fieldLeft = 12;
    int fieldRightMargin = 12;
    int firstLabelTop = 18;
    int labelToField = 16;
    int rowHeight = 42;
    int fieldHeight = 21;
    int dateWidth = 110;
    int groupBottomPadding = 11;
};
inline constexpr RegisterGrid kGrid{};

class RegisterPage : public ContentPage
{
    Q_OBJECT
public:
    // area: "Cell" or "Person", the middle of every control name (TaviroCellPanel, TaviroCellOkButton …).
    RegisterPage(const QString& area, const QString& hintName, QWidget* parent);

    QPushButton* okButton() const { return button(ButtonRole::Save); }
    QPushButton* cancelButton() const { return button(ButtonRole::Last); }
    QPushButton* helpButton() const { return button(ButtonRole::Help); }

    void setMode(PageMode mode, const QString& title);
    // Empties every field; date pickers show today.
    virtual void clear(const QDate& today);
    // The control that has the focus when the page opens.
    virtual QWidget* firstField() const = 0;
    // "Zapisz" is enabled exactly when the required fields are filled in.
    virtual void updateSaveButton() = 0;

protected:
    // The entry controls of the page, in their order: the mode makes them read-only or editable,
    // clear() empties them, and a change of any text updates "Zapisz".
    void addEntries(std::initializer_list<QWidget*> entries);
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::vector<QWidget*> m_entries;
};

} // namespace taviro::ui
