// What the two print dialogs share: a column of check boxes, all ticked whenever the dialog shows,
// "Podgląd" (the print preview of what the ticked boxes print), "Drukuj" (the default) and
// "Rezygnuj"; Esc closes as "Rezygnuj". The ticked boxes give a mask, bit 1 for the first box.
#pragma once

#include "TaviroDialog.h"

#include <QStringList>

#include <functional>
#include <vector>

class QCheckBox;
class QPushButton;

namespace taviro::print {

class PrintChoiceForm : public widgets::TaviroDialog
{
    Q_OBJECT
public:
    // Shows the print preview of what the mask selects, over the dialog.
    using Preview = std::function<void(int mask, QWidget* over)>;

    int mask() const;

protected:
    // prefix names the controls: prefix + "CheckBox1" …, prefix + "OkButton", "CancelButton",
    // "PreviewButton". needsTick: "Drukuj" and "Podgląd" only while a box is ticked.
    PrintChoiceForm(const QString& prefix, const QString& caption, const QStringList& boxes, bool needsTick,
                    Preview preview, QWidget* parent);

    void showEvent(QShowEvent* event) override;

private:
    void tickAll();
    void updateButtons();

    std::vector<QCheckBox*> m_boxes;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_preview = nullptr;
    bool m_needsTick = false;
    Preview m_showPreview;
};

} // namespace taviro::print
