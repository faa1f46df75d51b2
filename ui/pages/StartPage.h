// The start page: the program's name in large letters on the pale-yellow background.
#pragma once

#include <QWidget>

namespace taviro::ui {

class StartPage : public QWidget
{
    Q_OBJECT
public:
    explicit StartPage(QWidget* parent = nullptr);
    static QString text();

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace taviro::ui
