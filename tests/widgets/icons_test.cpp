// Every toolbar icon loads from the program's resources and is drawn, at each size and at the
// pixel ratio of a high-density screen, from its SVG rather than from an enlarged small picture.
#include <QIcon>
#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

#include "widgets/icons.h"

namespace ztv {
namespace {

int painted_pixels(const QImage& image) {
    int painted = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) painted += qAlpha(image.pixel(x, y)) > 0;
    return painted;
}

TEST(ToolIcons, EveryIconIsDrawnAtEachSizeAndPixelRatio) {
    for (int i = 0; i <= static_cast<int>(ToolIcon::Program); ++i) {
        const QIcon icon = tool_icon(static_cast<ToolIcon>(i));
        ASSERT_FALSE(icon.isNull()) << i;
        for (const int size : {16, 32, 64}) {
            const QImage image = icon.pixmap(QSize(size, size)).toImage();
            ASSERT_EQ(image.size(), QSize(size, size)) << i << " at " << size;
            EXPECT_GT(painted_pixels(image), size * size / 10) << i << " at " << size;
        }
        // At a pixel ratio of 2, 32 logical pixels are the 64-pixel drawing, not 32 pixels enlarged.
        const QPixmap sharp = icon.pixmap(QSize(32, 32), 2.0);
        EXPECT_EQ(sharp.devicePixelRatio(), 2.0) << i;
        EXPECT_EQ(sharp.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
                  icon.pixmap(QSize(64, 64)).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied))
            << i;
    }
}

}  // namespace
}  // namespace ztv
