// The about dialog: program name, version, authors and producer.
#pragma once

#include "TaviroDialog.h"

class QLabel;

namespace taviro::ui {

class TTaviroAboutForm : public widgets::TaviroDialog
{
    Q_OBJECT

public:
    // Centred on the window of parent (the main window).
    explicit TTaviroAboutForm(QWidget* parent = nullptr);

    static QString versionText();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* m_authorText = nullptr;
    QLabel* m_producerText = nullptr;
};

} // namespace taviro::ui
