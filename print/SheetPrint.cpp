#include "SheetPrint.h"

#include "SheetParts.h"

#include "TextCodec.h"

#include <array>

namespace taviro::print {
namespace {

using PartDrawer = void (*)(const SheetPage&);
constexpr std::array<PartDrawer, kPartCount> kParts = {drawPartA, drawPartB, drawPartC, drawPartD, drawPartE};

QString partLetter(int part)
{
    return QString(QChar(u'A' + part));
}

// The two lines every part begins with.
void drawHeading(PageDrawing& draw, int part)
{
    draw.text({500, 500, 9000, 200}, QStringLiteral("ARKUSZ OCENY OKRESOWEJ PRACOWNIKA SAMORZĄDOWEGO"), Align::Centre,
              150, FontStyle::Bold);
    draw.text({500, 800, 9000, 200}, QStringLiteral("Część ") + partLetter(part), Align::Left, 150);
}

} // namespace

QString partJobTitle(int part)
{
    return QStringLiteral("Wydruk części ") + partLetter(part) + QStringLiteral(" ...");
}

QString monthInLocative(const QString& storedValue)
{
    static const std::array<const char16_t*, 12> kMonths = {u"Styczniu", u"Lutym",        u"Marcu",       u"Kwietniu",
                                                            u"Maju",     u"Czerwcu",      u"Lipcu",       u"Sierpniu",
                                                            u"Wrześniu", u"Październiku", u"Listopadzie", u"Grudniu"};
    const auto month = parseInteger(storedValue.toStdString());
    if (!month || *month < 0 || *month >= static_cast<long long>(kMonths.size()))
        return {};
    return QString::fromUtf16(kMonths[static_cast<std::size_t>(*month)]);
}

void SheetPage::labelled(int labelX, int valueX, int valueWidth, int y, const QString& label,
                         std::string_view key) const
{
    draw.text({labelX, y, 9000, 200}, label, Align::Left, 140);
    draw.text({valueX, y, valueWidth, 200}, value(key), Align::Left, 140, FontStyle::Bold);
}

void SheetPage::captionStrip(const Area& area, const QString& caption) const
{
    draw.box(area);
    draw.text({area.x + 50, area.y + 25, area.w - 100, 200}, caption, Align::Left, 140);
}

void SheetPage::valueOver(const Area& valueArea, const Area& captionArea, std::string_view key,
                          const QString& caption) const
{
    draw.text(valueArea, value(key), Align::Centre, 140, FontStyle::Bold);
    draw.text(captionArea, caption, Align::Centre, 120);
}

void printSheet(PrintCanvas& canvas, const LoadedLines& record, int partsMask)
{
    PageDrawing draw(canvas);
    const SheetPage page{draw, record};
    for (int part = 0; part < kPartCount; ++part) {
        if ((partsMask & (1 << part)) == 0)
            continue;
        canvas.beginJob(partJobTitle(part), Orientation::Portrait);
        drawHeading(draw, part);
        kParts[static_cast<std::size_t>(part)](page);
        canvas.endJob();
    }
}

} // namespace taviro::print
