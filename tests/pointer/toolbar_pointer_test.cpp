// The floating toolbar under the real pointer: opaque while the mouse is
// on it, fading once it has gone.
#include "support/MainFormFixture.h"

namespace {

using testing_support::MainFormTest;

TEST_F(MainFormTest, TheToolbarIsOpaqueUnderTheMouseAndFadesAfterItLeft) {
  data.Write("Lumivale/Lumivale.cfg", "[hmenu]\nx=1500\ny=600\n");
  Start();
  AddToolbarAndNotice();
  ASSERT_TRUE(toolbar->AlphaBlend());
  PointAt(toolbar->SpeedButton5, 10, 10);
  ASSERT_TRUE(ui::WaitUntil([&] { return !toolbar->AlphaBlend(); }, 3000));
  EXPECT_DOUBLE_EQ(toolbar->get_opacity(), 1.0);
  form->Timer1Timer();  // the mouse is inside: full alpha
  EXPECT_EQ(toolbar->AlphaBlendValue(), 255);

  PointAway();
  ASSERT_TRUE(ui::WaitUntil([&] { return toolbar->AlphaBlend(); }, 3000));
  // Ten ticks, and the window's own timer may have ticked meanwhile too.
  for (int tick = 0; tick < 10; ++tick) form->Timer1Timer();
  EXPECT_LE(toolbar->AlphaBlendValue(), 245);
  EXPECT_GE(toolbar->AlphaBlendValue(), 235);
  EXPECT_NEAR(toolbar->get_opacity(), toolbar->AlphaBlendValue() / 255.0, 0.01);
}

}  // namespace
