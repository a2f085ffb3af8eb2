// Windows that may never open decode nothing at start: the about box makes its
// contents when first shown, and shell pictures are held only while shown.
#include <gtest/gtest.h>

#include <QLabel>

#include "app/shell/about_form.h"
#include "app/shell/shell_pictures.h"

namespace tiko {
namespace {

bool HasPicture(const QLabel* label) {
  return !label->pixmap().isNull();
}

TEST(PictureOnShow, TheAboutBoxIsMadeWhenFirstShownAndKeepsNoPictureClosed) {
  TAboutForm about;
  EXPECT_EQ(about.findChild<QLabel*>("im_picture"), nullptr);
  EXPECT_EQ(about.size(), QSize(397, 176));
  about.show();
  auto* picture = about.findChild<QLabel*>("im_picture");
  ASSERT_NE(picture, nullptr);
  EXPECT_TRUE(picture->isVisible());
  EXPECT_TRUE(HasPicture(picture));
  EXPECT_TRUE(about.findChild<QLabel*>("la_name_2")->isVisible());
  about.hide();
  EXPECT_FALSE(HasPicture(picture));
  about.show();  // made once: the same label, its picture back
  EXPECT_EQ(about.findChildren<QLabel*>("im_picture").size(), 1);
  EXPECT_TRUE(HasPicture(picture));
}

TEST(PictureOnShow, AHiddenLabelOfAShownWindowWaitsForItsOwnShow) {
  QWidget window;
  auto* shown = new QLabel(&window);
  auto* hidden = new QLabel(&window);
  hidden->hide();
  SetPixmapWhenShown(shown, ShellPicture::kPlay);
  SetPixmapWhenShown(hidden, ShellPicture::kPlayDisabled);
  EXPECT_FALSE(HasPicture(shown));
  window.show();
  EXPECT_TRUE(HasPicture(shown));
  EXPECT_FALSE(HasPicture(hidden));
  hidden->show();
  EXPECT_TRUE(HasPicture(hidden));
}

}  // namespace
}  // namespace tiko
