// The enlarged preview follows the real pointer over the tab strip.
#include "support/MainFormFixture.h"

namespace {

using testing_support::MainFormTest;

TEST_F(MainFormTest, HoveringAThumbnailShowsTheEnlargedPreviewUnderIt) {
  Start();
  form->sbdodajClick();
  browsers[1]->FinishLoad("http://b.example/", "Page B");
  form->WebBrowserTitleChange("Page B");
  auto& thumb = *form->tab[1].thumb;
  PointAt(thumb, 20, 20);
  ui::WaitUntil([this] { return form->pads.get_visible(); }, 3000);
  EXPECT_TRUE(form->pads.get_visible());
  EXPECT_EQ(form->pads.get_margin_start(), 118);
  EXPECT_EQ(form->pads.get_margin_top(), 76);
  EXPECT_EQ(form->Panel7Caption.get_text(), " Page B");
  EXPECT_TRUE(form->ipads.HasPicture());

  PointAt(form->eurl, 5, 5);
  ui::WaitUntil([this] { return !form->pads.get_visible(); }, 3000);
  EXPECT_FALSE(form->pads.get_visible());
  EXPECT_EQ(thumb.KodaI(), 0);

  form->ThumbZoom = false;
  PointAt(thumb, 20, 20);
  ui::WaitWithMessages(200);
  EXPECT_FALSE(form->pads.get_visible());
}

}  // namespace
