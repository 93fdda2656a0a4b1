#include "AppTestSupport.h"
#include "app/TCompletionAnimation.h"

#include <QImageReader>
#include <QMovie>

using namespace kavio;
using app::TCompletionAnimation;

TEST(CompletionAnimationTest, StepSizesRoundHalfToEven) {
  struct TCase {
    const char* Name;
    int H, K, Side;
  } const cases[] = {
      {"first_step_of_120", 120, 1, 2},  // 2.4
      {"half_way", 120, 25, 60},        {"full_grown", 120, 50, 120}, {"gone", 120, 0, 0},
      {"half_down_to_even", 125, 1, 2},  // 2.5
      {"half_up_to_even", 125, 3, 8},    // 7.5
      {"half_down_again", 125, 5, 12},   // 12.5
      {"more_than_half", 120, 49, 118},  // 117.6
  };
  for (const auto& c : cases) EXPECT_EQ(TCompletionAnimation::StepSize(c.H, c.K), c.Side) << c.Name;
}

TEST(CompletionAnimationTest, TheLoopingPicture) {
  QImageReader reader(QStringLiteral(":/kavio/ComplAnim.gif"));
  ASSERT_TRUE(reader.canRead());
  EXPECT_EQ(reader.imageCount(), 15);
  EXPECT_EQ(reader.loopCount(), -1);  // for ever
  int frames = 0, loopMs = 0;
  QImage frame;
  while (reader.read(&frame)) {
    EXPECT_EQ(frame.size(), QSize(128, 128));
    loopMs += reader.nextImageDelay();
    ++frames;
  }
  EXPECT_EQ(frames, 15);
  EXPECT_EQ(loopMs, 1900);
  EXPECT_TRUE(QMovie(QStringLiteral(":/kavio/ComplAnim.gif")).isValid());
}

TEST_F(FormMainTest, AnimationGrowsThenShrinks) {
  TCompletionAnimation& animation = Form.Animation();
  QList<int> sides;
  animation.OnStep = [&](int ASide) { sides.append(ASide); };
  QWidget* picture = Control("JvGIFAnimator1");
  QWidget* button = Control("ButtonDoIt");
  const int h = Control("GroupBox1")->height();

  animation.Start();
  ASSERT_EQ(sides.size(), 50);
  EXPECT_EQ(sides.first(), TCompletionAnimation::StepSize(h, 1));
  EXPECT_EQ(sides.last(), h);
  EXPECT_TRUE(std::is_sorted(sides.begin(), sides.end()));
  EXPECT_TRUE(picture->isVisible());
  EXPECT_EQ(picture->geometry(), QRect(button->x() - h - 10, 1, h, h));
  EXPECT_EQ(animation.Movie->state(), QMovie::Running);
  EXPECT_TRUE(animation.TimerAnimation->isActive());
  EXPECT_EQ(animation.TimerAnimation->interval(), 3000);
  EXPECT_EQ(Form.findChild<QTimer*>("TimerAnimation"), animation.TimerAnimation);

  sides.clear();
  animation.TimerAnimationTimer();
  ASSERT_EQ(sides.size(), 51);
  EXPECT_EQ(sides.first(), h);
  EXPECT_EQ(sides.last(), 0);
  EXPECT_TRUE(std::is_sorted(sides.rbegin(), sides.rend()));
  EXPECT_FALSE(picture->isVisible());
  EXPECT_FALSE(animation.TimerAnimation->isActive());
  EXPECT_NE(animation.Movie->state(), QMovie::Running);
}

TEST_F(FormMainTest, AnimationAtTheDesignedSize) {
  // With the designed group height the first step is 2 × 2 pixels and the square 120 × 120.
  if (Form.Dpi().Factor() != 1.0) GTEST_SKIP() << "screen not at 96 dpi";
  QList<int> sides;
  Form.Animation().OnStep = [&](int ASide) { sides.append(ASide); };
  Form.Animation().Start();
  Form.Animation().TimerAnimationTimer();
  ASSERT_EQ(sides.size(), 101);
  EXPECT_EQ(sides[0], 2);
  EXPECT_EQ(sides[49], 120);
  EXPECT_EQ(sides[100], 0);
}
