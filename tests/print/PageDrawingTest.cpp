// The drawing primitives on a recording canvas of 4800 by 6800 pixels: page units to pixels, the
// box with its line widths, the text in its rectangle and the paragraph with its wrapping rule.
#include "PageDrawing.h"
#include "RecordingCanvas.h"

#include <gtest/gtest.h>

using namespace taviro;
using namespace taviro::print;
using taviro::test::CanvasOperation;
using taviro::test::RecordingCanvas;
using Kind = CanvasOperation::Kind;

namespace {

std::vector<CanvasOperation> ofKind(const RecordingCanvas& canvas, Kind kind)
{
    std::vector<CanvasOperation> found;
    for (const CanvasOperation& operation : canvas.operations) {
        if (operation.kind == kind)
            found.push_back(operation);
    }
    return found;
}

struct Line
{
    QPoint from;
    QPoint to;
    int width;
    bool operator==(const Line&) const = default;
};

std::vector<Line> lines(const RecordingCanvas& canvas)
{
    std::vector<Line> found;
    for (const CanvasOperation& operation : ofKind(canvas, Kind::Line))
        found.push_back({operation.from, operation.to, operation.width});
    return found;
}

// The paragraph lines drawn: their texts and top-left corners.
std::vector<std::pair<QString, QPoint>> paragraphLines(const RecordingCanvas& canvas)
{
    std::vector<std::pair<QString, QPoint>> found;
    for (const CanvasOperation& operation : ofKind(canvas, Kind::Text))
        found.emplace_back(operation.text, operation.from);
    return found;
}

// A paragraph column 1000 units in and 1000 down, 1000 wide: 480 pixels, so at size 100 (68 pixels,
// characters 34 wide) fourteen characters fit and fifteen do not. Lines are 102 pixels apart.
constexpr Column kColumn{1000, 1000, 1000, 150};

} // namespace

TEST(PageDrawing, UnitsMultiplyBeforeTheyDivideAndARightEdgeIsTheLeftEdgePlusTheWidth)
{
    RecordingCanvas canvas(4803, 4803);
    PageDrawing draw(canvas);
    EXPECT_EQ(draw.px(333), 159);
    EXPECT_EQ(draw.py(9999), 4802);
    draw.box({333, 333, 333, 333});
    const auto fills = ofKind(canvas, Kind::Fill);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].rect, (PixelRect{159, 159, 318, 318})) << "159 + 159, not px(666) = 319";
}

TEST(PageDrawing, ABoxIsFilledWhiteAndEdgedWithLinesAsWideAsTheResolutionGives)
{
    RecordingCanvas canvas;
    PageDrawing(canvas).box({500, 1000, 9000, 250});
    EXPECT_EQ(ofKind(canvas, Kind::Fill).at(0).rect, (PixelRect{240, 680, 4560, 850}));
    EXPECT_EQ(lines(canvas), (std::vector<Line>{{{240, 680}, {4560, 680}, 8},
                                                {{240, 850}, {4560, 850}, 8},
                                                {{240, 680}, {240, 850}, 8},
                                                {{4560, 680}, {4560, 850}, 8}}))
        << "600 dpi gives lines 8 pixels wide";

    RecordingCanvas uneven(4800, 6800, 600, 300);
    PageDrawing(uneven).box({500, 1000, 9000, 250});
    const auto edges = lines(uneven);
    ASSERT_EQ(edges.size(), 4u);
    EXPECT_EQ(edges[0].width, 8) << "top: the horizontal resolution";
    EXPECT_EQ(edges[1].width, 8) << "bottom";
    EXPECT_EQ(edges[2].width, 4) << "left: the vertical resolution";
    EXPECT_EQ(edges[3].width, 4) << "right";
}

TEST(PageDrawing, ATextIsPlacedByItsAlignmentCentredInItsHeightAndCutToItsRectangle)
{
    RecordingCanvas canvas;
    PageDrawing draw(canvas);
    // Size 150 is 102 pixels high; "ABCD" is 204 wide in a rectangle of 4320 by 136.
    draw.text({500, 500, 9000, 200}, QStringLiteral("ABCD"), Align::Centre, 150, FontStyle::Bold);
    draw.text({500, 500, 9000, 200}, QStringLiteral("ABCD"), Align::Right, 150);
    draw.text({500, 500, 9000, 200}, QStringLiteral("ABCD"), Align::Left, 150);
    draw.text({500, 500, 9000, 200}, QString(), Align::Left, 150);
    const auto texts = ofKind(canvas, Kind::ClippedText);
    ASSERT_EQ(texts.size(), 3u) << "an empty text draws nothing";
    EXPECT_EQ(texts[0].from, QPoint(240 + (4320 - 204) / 2, 340 + (136 - 102) / 2));
    EXPECT_EQ(texts[0].font, (CanvasFont{QStringLiteral("ARIAL"), 238, 102, FontStyle::Bold}));
    EXPECT_EQ(texts[1].from, QPoint(240 + 4320 - 204, 357));
    EXPECT_EQ(texts[2].from, QPoint(240, 357));
    EXPECT_EQ(texts[2].rect, (PixelRect{240, 340, 4560, 476}));
    EXPECT_EQ(ofKind(canvas, Kind::Font).size(), 3u);

    // Wider and higher than its rectangle: still cut to it, and the centring truncates toward zero.
    canvas.operations.clear();
    draw.text({1000, 1000, 100, 101}, QStringLiteral("ABCDEFGH"), Align::Left, 149);
    const auto tall = ofKind(canvas, Kind::ClippedText).at(0);
    EXPECT_EQ(tall.rect, (PixelRect{480, 680, 528, 748}));
    EXPECT_EQ(tall.from.y(), 680 + (68 - 101) / 2) << "-33 / 2 is -16";
}

TEST(PageDrawing, AParagraphWrapsAtTheLastBlankThatFitsAndTrimsItsLines)
{
    RecordingCanvas canvas;
    PageDrawing(canvas).paragraph(kColumn, QStringLiteral("aaaa bbbb ccccc dd"), Align::Centre, kAllLines, 100);
    // "aaaa bbbb ccccc" is fifteen characters: the line goes back to the blank before "ccccc".
    const std::vector<std::pair<QString, QPoint>> expected = {
        {QStringLiteral("aaaa bbbb"), {480 + (480 - 9 * 34) / 2, 680}},
        {QStringLiteral("ccccc dd"), {480 + (480 - 8 * 34) / 2, 782}},
    };
    EXPECT_EQ(paragraphLines(canvas), expected);
}

TEST(PageDrawing, AParagraphEndsALineAtEachLineFeedAndDropsCarriageReturns)
{
    RecordingCanvas canvas;
    PageDrawing(canvas).paragraph(kColumn, QStringLiteral("ab\r\ncd\n\nef"), Align::Left, kAllLines, 100);
    const std::vector<std::pair<QString, QPoint>> expected = {
        {QStringLiteral("ab"), {480, 680}},
        {QStringLiteral("cd"), {480, 782}},
        {QString(), {480, 884}},
        {QStringLiteral("ef"), {480, 986}},
    };
    EXPECT_EQ(paragraphLines(canvas), expected);
}

TEST(PageDrawing, AParagraphDrawsNoLinesBeyondItsMaximum)
{
    RecordingCanvas canvas;
    PageDrawing(canvas).paragraph(kColumn, QStringLiteral("a\nb\nc\nd\ne"), Align::Left, 3, 100);
    const auto drawn = paragraphLines(canvas);
    ASSERT_EQ(drawn.size(), 3u);
    EXPECT_EQ(drawn[2].first, QStringLiteral("c"));
}

TEST(PageDrawing, AWordLongerThanTheColumnEndsWithTheCharacterThatMadeItTooWide)
{
    RecordingCanvas canvas;
    PageDrawing(canvas).paragraph(kColumn, QStringLiteral("abcdefghijklmnopqrstuvwxyz"), Align::Left, kAllLines, 100);
    const std::vector<std::pair<QString, QPoint>> expected = {
        {QStringLiteral("abcdefghijklmno"), {480, 680}},
        {QStringLiteral("pqrstuvwxyz"), {480, 782}},
    };
    EXPECT_EQ(paragraphLines(canvas), expected);
}
