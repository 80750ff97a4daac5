#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QString>

#include "platform/LogCapture.h"
#include "platform/TempFolder.h"
#include "ui/DrawnImage.h"
#include "ui/FullScreenDrawViewController.h"
#include "ui/PortTestDesktop.h"
#include "ui/qtimage/QtImageRenderer.h"

namespace wexo::ui::testing {
namespace {

TEST(FullScreenDrawTest, StatesArrowsAndTheAutoScrollAnchor) {
    PortTestDesktop port;
    FullScreenDrawViewController overlay;
    overlay.loadViewIfNeeded();
    // Emphasizer, anchor and name label shown per state.
    const std::vector<std::array<bool, 3>> shown{
        {false, true, false}, {true, false, false}, {true, true, false}, {false, false, true}};
    for (int state = 0; state < 4; ++state) {
        overlay.setViewsState(state);
        EXPECT_EQ(
            (std::array<bool, 3>{!overlay.drawEmphasizer.isHidden(), !overlay.anchorView.isHidden(),
                                 !overlay.displayNameLabel.isHidden()}),
            shown[state])
            << "state " << state;
    }

    overlay.readyForDragSettings({10, 10});
    overlay.drawLineWithPosition({10, 60});
    for (std::uint64_t d : {1, 4, 2, 3, 7}) overlay.foundDirection(d);
    EXPECT_EQ(overlay.linesView.lastLine()->path(),
              (std::vector<platform::Point>{{10, 10}, {10, 60}}));
    EXPECT_EQ(overlay.gestureDirections(), (std::vector<std::uint64_t>{1, 4, 2, 3, 7}));
    EXPECT_EQ(overlay.directionTextField.stringValue(),
              "\u2B06\uFE0F\uFE0F\u27A1\uFE0F\uFE0F\u2B07\uFE0F\uFE0F\u2B05\uFE0F\uFE0F");
    overlay.removeAllLines();
    EXPECT_TRUE(overlay.linesView.lines().empty());
    EXPECT_EQ(overlay.directionTextField.stringValue(), "");
    EXPECT_TRUE(overlay.gestureDirections().empty());

    overlay.setAutoScrollAnchorPoint({500, 400});
    EXPECT_EQ(overlay.anchorView.frame(), platform::Rect(480, 380, 40, 40));
    EXPECT_EQ(overlay.drawEmphasizer.borderColor(), Color::clear());
    EXPECT_EQ(overlay.drawEmphasizer.backgroundColor(), Color::clear());
}

// A thick blue stroke low on the left of a grey 100 x 100 drawing, made a
// 40 x 40 JPEG: blue there, grey elsewhere, so the y axis was turned and
// the colours kept.
TEST(ThumbnailTest, AStrokeIsScaledIntoA40By40JpegRightSideUp) {
    qtimage::QtImageRenderer renderer;
    SharedInstallation<ImageRenderer> installed(&renderer);
    platform::TempFolder folder;
    Drawing drawing{{100, 100},
                    Color::backgroundGray(),
                    {Stroke{{{20, 10}, {20, 30}}, Color::smurfBlue(), 10}}};
    const std::string path = (folder.path() / "1.jpg").string();
    auto thumbnail = DrawnImage::withDrawing(drawing).resizeTo({40, 40});
    ASSERT_TRUE(thumbnail);
    EXPECT_EQ(thumbnail->size(), (platform::Size{40, 40}));
    ASSERT_TRUE(thumbnail->saveAsJpegWithName(path));

    QImage written(QString::fromStdString(path));
    ASSERT_EQ(written.size(), QSize(40, 40));
    // The stroke's middle: x 20 -> 8, y 20 from the bottom -> 40 - 8 = 32.
    const QColor stroke = written.pixelColor(8, 32);
    EXPECT_NEAR(stroke.red(), 26, 12);
    EXPECT_NEAR(stroke.green(), 117, 12);
    EXPECT_NEAR(stroke.blue(), 171, 12);
    for (QPoint p : {QPoint(8, 4), QPoint(32, 32)}) EXPECT_NEAR(written.pixelColor(p).red(), 51, 6);
}

TEST(ThumbnailTest, AnImageThatCouldNotBeMadeIsInvalid) {
    platform::LogCapture log;
    Drawing drawing{{100, 100}, Color::backgroundGray(), {}};
    // No renderer installed.
    EXPECT_FALSE(DrawnImage::withDrawing(drawing).resizeTo({40, 40}));
    qtimage::QtImageRenderer renderer;
    SharedInstallation<ImageRenderer> installed(&renderer);
    EXPECT_FALSE(DrawnImage::withDrawing(Drawing{{0, 100}, std::nullopt, {}}).resizeTo({40, 40}));
    EXPECT_FALSE(DrawnImage::withDrawing(drawing).resizeTo({0, 40}));
    std::size_t invalid = 0;
    for (const auto& line : log.lines()) invalid += line.message == "Invalid Image";
    EXPECT_EQ(invalid, 3u);
    // A folder that does not exist takes no file.
    EXPECT_FALSE(DrawnImage::withDrawing(drawing).saveAsJpegWithName("/nonexistent/dir/1.jpg"));
}

}  // namespace
}  // namespace wexo::ui::testing
