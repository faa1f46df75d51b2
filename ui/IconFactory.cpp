#include "IconFactory.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <algorithm>
#include <cmath>

namespace taviro::ui {
namespace {

constexpr int kSize = 32;

const QColor kInk(40, 60, 110);
const QColor kPaper(250, 250, 245);
const QColor kGreen(40, 140, 60);
const QColor kRed(190, 40, 40);
const QColor kGold(220, 170, 40);

void drawSheet(QPainter& p)
{
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(kPaper);
    QPainterPath sheet;
    sheet.moveTo(7, 3);
    sheet.lineTo(20, 3);
    sheet.lineTo(26, 9);
    sheet.lineTo(26, 29);
    sheet.lineTo(7, 29);
    sheet.closeSubpath();
    p.drawPath(sheet);
    p.drawLine(20, 3, 20, 9);
    p.drawLine(20, 9, 26, 9);
    p.setPen(QPen(QColor(150, 160, 180), 1));
    for (int y = 13; y <= 25; y += 4)
        p.drawLine(10, y, 23, y);
}

void drawPerson(QPainter& p, QPointF at, double scale, const QColor& colour)
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(at + QPointF(-4 * scale, -12 * scale), 8 * scale, 8 * scale);
    p.drawRoundedRect(QRectF(at + QPointF(-7 * scale, -3 * scale), QSizeF(14 * scale, 11 * scale)), 4 * scale,
                      4 * scale);
}

void drawBadge(QPainter& p, const QColor& colour, const QString& text)
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(QRectF(16, 16, 15, 15));
    p.setPen(QPen(Qt::white, 2.5, Qt::SolidLine, Qt::RoundCap));
    if (text == "+") {
        p.drawLine(QPointF(23.5, 19.5), QPointF(23.5, 27.5));
        p.drawLine(QPointF(19.5, 23.5), QPointF(27.5, 23.5));
    } else if (text == "x") {
        p.drawLine(QPointF(20.5, 20.5), QPointF(26.5, 26.5));
        p.drawLine(QPointF(26.5, 20.5), QPointF(20.5, 26.5));
    } else if (text == ">") {
        p.drawLine(QPointF(19.5, 23.5), QPointF(27.5, 23.5));
        p.drawLine(QPointF(24, 20), QPointF(27.5, 23.5));
        p.drawLine(QPointF(24, 27), QPointF(27.5, 23.5));
    }
}

void drawMagnifier(QPainter& p)
{
    p.setPen(QPen(kInk, 3, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(QColor(200, 225, 250));
    p.drawEllipse(QRectF(14, 14, 11, 11));
    p.drawLine(QPointF(24, 24), QPointF(30, 30));
}

void drawPencil(QPainter& p)
{
    p.save();
    p.translate(22, 22);
    p.rotate(45);
    p.setPen(QPen(kInk, 1));
    p.setBrush(kGold);
    p.drawRect(QRectF(-3, -12, 6, 16));
    QPainterPath tip;
    tip.moveTo(-3, 4);
    tip.lineTo(3, 4);
    tip.lineTo(0, 9);
    tip.closeSubpath();
    p.setBrush(QColor(240, 210, 170));
    p.drawPath(tip);
    p.restore();
}

void drawPrinter(QPainter& p)
{
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(kPaper);
    p.drawRect(QRectF(9, 3, 14, 10));
    p.setBrush(QColor(170, 180, 195));
    p.drawRoundedRect(QRectF(3, 12, 26, 11), 2, 2);
    p.setBrush(kPaper);
    p.drawRect(QRectF(9, 19, 14, 10));
    p.setBrush(kGreen);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(23, 15, 3, 3));
}

void drawDoor(QPainter& p)
{
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(QColor(160, 110, 60));
    p.drawRect(QRectF(6, 3, 14, 26));
    p.setBrush(kGold);
    p.drawEllipse(QRectF(16, 15, 3, 3));
    p.setPen(QPen(kRed, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(22, 16), QPointF(30, 16));
    p.drawLine(QPointF(26, 12), QPointF(30, 16));
    p.drawLine(QPointF(26, 20), QPointF(30, 16));
}

void drawLetterInCircle(QPainter& p, const QColor& colour, const QString& letter)
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(QRectF(3, 3, 26, 26));
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setBold(true);
    font.setPixelSize(19);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(3, 3, 26, 26), Qt::AlignCenter, letter);
}

void drawGlobe(QPainter& p)
{
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(QColor(120, 180, 230));
    p.drawEllipse(QRectF(3, 3, 26, 26));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(10, 3, 12, 26));
    p.drawLine(QPointF(3, 16), QPointF(29, 16));
    p.drawLine(QPointF(5, 9.5), QPointF(27, 9.5));
    p.drawLine(QPointF(5, 22.5), QPointF(27, 22.5));
}

void drawEnvelope(QPainter& p)
{
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(kPaper);
    p.drawRect(QRectF(3, 8, 26, 17));
    p.drawLine(QPointF(3, 8), QPointF(16, 18));
    p.drawLine(QPointF(29, 8), QPointF(16, 18));
}

void drawKey(QPainter& p)
{
    p.setPen(QPen(kGold.darker(130), 3, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(4, 4, 11, 11));
    p.drawLine(QPointF(13, 13), QPointF(28, 28));
    p.drawLine(QPointF(22, 22), QPointF(26, 18));
    p.drawLine(QPointF(25, 25), QPointF(29, 21));
}

void drawBuilding(QPainter& p)
{
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(QColor(215, 205, 185));
    p.drawRect(QRectF(5, 10, 22, 19));
    QPainterPath roof;
    roof.moveTo(3, 11);
    roof.lineTo(16, 3);
    roof.lineTo(29, 11);
    roof.closeSubpath();
    p.setBrush(kRed);
    p.drawPath(roof);
    p.setBrush(QColor(120, 170, 220));
    for (int x = 8; x <= 20; x += 6)
        p.drawRect(QRectF(x, 14, 4, 5));
    p.setBrush(QColor(160, 110, 60));
    p.drawRect(QRectF(14, 22, 5, 7));
}

void drawSheetWithStar(QPainter& p)
{
    drawSheet(p);
    p.setPen(Qt::NoPen);
    p.setBrush(kGold);
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const double radius = i % 2 == 0 ? 8 : 3.5;
        const double angle = -M_PI / 2 + i * M_PI / 5;
        const QPointF point(23 + radius * std::cos(angle), 23 + radius * std::sin(angle));
        i == 0 ? star.moveTo(point) : star.lineTo(point);
    }
    star.closeSubpath();
    p.drawPath(star);
}

void paint(QPainter& p, IconKind kind)
{
    switch (kind) {
    case IconKind::Administration:
        drawKey(p);
        break;
    case IconKind::Exit:
        drawDoor(p);
        break;
    case IconKind::New:
        drawSheet(p);
        drawBadge(p, kGreen, "+");
        break;
    case IconKind::View:
        drawSheet(p);
        drawMagnifier(p);
        break;
    case IconKind::Correct:
        drawSheet(p);
        drawPencil(p);
        break;
    case IconKind::Delete:
        drawSheet(p);
        drawBadge(p, kRed, "x");
        break;
    case IconKind::Move:
        drawPerson(p, QPointF(12, 18), 1.0, kInk);
        drawBadge(p, kGreen, ">");
        break;
    case IconKind::Print:
        drawPrinter(p);
        break;
    case IconKind::Continue:
        drawSheet(p);
        drawBadge(p, QColor(40, 100, 190), ">");
        break;
    case IconKind::Document:
        drawSheet(p);
        break;
    case IconKind::Help:
        drawLetterInCircle(p, QColor(40, 100, 190), QStringLiteral("?"));
        break;
    case IconKind::Internet:
        drawGlobe(p);
        break;
    case IconKind::Mail:
        drawEnvelope(p);
        break;
    case IconKind::About:
        drawLetterInCircle(p, kGreen, QStringLiteral("i"));
        break;
    case IconKind::Units:
        drawBuilding(p);
        break;
    case IconKind::Employees:
        drawPerson(p, QPointF(11, 19), 0.9, QColor(110, 130, 170));
        drawPerson(p, QPointF(20, 22), 1.0, kInk);
        break;
    case IconKind::Appraisals:
        drawSheetWithStar(p);
        break;
    }
}

// The program icon on a grid of 64 units: a sheet of paper with a folded corner, lines of text, and
// a green tick in a gold seal at the lower right.
void drawProgramIcon(QPainter& p, int size)
{
    p.scale(size / 64.0, size / 64.0);
    const double pen = std::max(2.0, 64.0 / size);
    QPainterPath sheet;
    sheet.moveTo(10, 3);
    sheet.lineTo(40, 3);
    sheet.lineTo(54, 17);
    sheet.lineTo(54, 61);
    sheet.lineTo(10, 61);
    sheet.closeSubpath();
    p.setPen(QPen(kInk, pen, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(kPaper);
    p.drawPath(sheet);
    QPainterPath corner;
    corner.moveTo(40, 3);
    corner.lineTo(40, 17);
    corner.lineTo(54, 17);
    p.setBrush(QColor(215, 220, 232));
    p.drawPath(corner);
    if (size >= 24) {
        p.setPen(QPen(QColor(120, 135, 165), pen, Qt::SolidLine, Qt::FlatCap));
        for (int y = 24; y <= 40; y += 8)
            p.drawLine(QPointF(17, y), QPointF(y == 24 ? 36 : 47, y));
    }
    p.setPen(QPen(kGold.darker(140), pen));
    p.setBrush(kGold);
    p.drawEllipse(QRectF(30, 38, 26, 26));
    p.setPen(QPen(kGreen.darker(110), std::max(5.0, 3 * 64.0 / size), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath tick;
    tick.moveTo(36.5, 51);
    tick.lineTo(41.5, 56.5);
    tick.lineTo(50, 45);
    p.drawPath(tick);
}

} // namespace

QPixmap programPixmap(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    drawProgramIcon(painter, size);
    painter.end();
    return pixmap;
}

QIcon programIcon()
{
    QIcon icon;
    for (const int size : kProgramIconSizes)
        icon.addPixmap(programPixmap(size));
    return icon;
}

QIcon commandIcon(IconKind kind)
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    paint(painter, kind);
    painter.end();
    return QIcon(pixmap);
}

} // namespace taviro::ui
