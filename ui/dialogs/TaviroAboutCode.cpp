#include "TaviroAboutCode.h"

#include <QApplication>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>

namespace taviro::ui {

namespace {

QLabel* makeLabel(QWidget* parent, const QString& objectName, const QRect& geometry)
{
    auto* label = new QLabel(parent);
    label->setObjectName(objectName);
    label->setGeometry(geometry);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QLabel* makeHeading(QWidget* parent, const QString& objectName, const QString& text, const QRect& geometry)
{
    QLabel* label = makeLabel(parent, objectName, geometry);
    label->setText(text);
    QFont font = label->font();
    font.setUnderline(true);
    label->setFont(font);
    return label;
}

} // namespace

TTaviroAboutForm::TTaviroAboutForm(QWidget* parent) : widgets::TaviroDialog(parent)
{
    setObjectName(QStringLiteral("TaviroAboutForm"));
    setWindowTitle(QStringLiteral("O programie ..."));
    setFixedClientSize(372, 202);

    QLabel* icon = makeLabel(this, QStringLiteral("TaviroAboutImage"), QRect(16, 16, 33, 33));
    QIcon programIcon = QApplication::windowIcon();
    if (programIcon.isNull())
        programIcon = style()->standardIcon(QStyle::SP_ComputerIcon, nullptr, this);
    icon->setPixmap(programIcon.pixmap(32, 32));
    icon->setAlignment(Qt::AlignCenter);

    QLabel* title = makeLabel(this, QStringLiteral("TaviroAboutTitle"), QRect(64, 16, 292, 16));
    title->setText(QStringLiteral("Rizuvura variv kwalifikacyjna"));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);

    QLabel* version = makeLabel(this, QStringLiteral("TaviroAboutVersion"), QRect(64, 36, 292, 16));
    version->setText(versionText());

    makeHeading(this, QStringLiteral("TaviroAboutAuthorHeading"), QStringLiteral("Autor"), QRect(64, 64, 292, 16));
    m_authorText = makeLabel(this, QStringLiteral("TaviroAboutAuthorText"), QRect(64, 82, 292, 30));
    makeHeading(this, QStringLiteral("TaviroAboutProducerHeading"), QStringLiteral("Producent"),
                QRect(64, 118, 292, 16));
    m_producerText = makeLabel(this, QStringLiteral("TaviroAboutProducerText"), QRect(64, 136, 292, 16));

    addBevel(QStringLiteral("TaviroAboutBevel"), QRect(8, 159, 356, 2));
    QPushButton* close =
        addButton(QStringLiteral("TaviroAboutCloseButton"), QStringLiteral("Zamknij"), QRect(283, 169, 81, 25));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    installKeyPreview();
}

QString TTaviroAboutForm::versionText()
{
    const QString version = QCoreApplication::applicationVersion();
    return version.isEmpty() ? QStringLiteral("Wersja") : QStringLiteral("Wersja ") + version;
}

void TTaviroAboutForm::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        m_authorText->setText(QStringLiteral("Zespół programistów Taviro\nVelmora, 2026"));
        m_producerText->setText(QStringLiteral("Velmora sp. z o.o."));
        centreOn(parentWidget());
    }
    widgets::TaviroDialog::showEvent(event);
}

} // namespace taviro::ui
