// The pages of the appraisal sheet, each filled with a sample appraisal, for the screenshot program.
#pragma once

#include <QSize>
#include <QString>

#include <functional>

class QWidget;

namespace taviro::test {

// Shows every sheet page at the size of the main window's content area and hands it to save.
void renderSheetPages(const QSize& pageSize, const std::function<void(QWidget*, const QString&)>& save);

} // namespace taviro::test
