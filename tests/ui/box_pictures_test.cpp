#include "ui/box_pictures.h"

#include <QImage>
#include <gtest/gtest.h>

namespace kelvo {
namespace {

TEST(BoxPicturesTest, EachPictureIsDrawnAtItsSizeAndLooksDifferent) {
    const QImage question = drawBoxPicture(BoxPicture::Question, 32).toImage();
    const QImage information = drawBoxPicture(BoxPicture::Information, 32).toImage();
    const QImage error = drawBoxPicture(BoxPicture::Error, 32).toImage();
    for (const QImage* image : {&question, &information, &error}) {
        EXPECT_EQ(image->size(), QSize(32, 32));
        // Corners stay clear around the round picture; its middle is drawn.
        EXPECT_EQ(qAlpha(image->pixel(0, 0)), 0);
        EXPECT_EQ(qAlpha(image->pixel(8, 16)), 255);
    }
    EXPECT_NE(question, information);
    EXPECT_NE(question, error);
    EXPECT_NE(information, error);
}

} // namespace
} // namespace kelvo
