#include <QImage>
#include <gtest/gtest.h>

#include "TGauge.h"

namespace {

// Count the pixels of Column (or Row, for a horizontal scan) that have Colour.
int CountColumn(const QImage& Image, int Column, QColor Colour)
{
  int Count = 0;
  for (int Y = 0; Y < Image.height(); ++Y)
    Count += Image.pixelColor(Column, Y) == Colour;
  return Count;
}

QImage Grab(TGauge& Gauge)
{
  return Gauge.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

TEST(TGauge, KeepsProgressWithinTheBounds)
{
  const struct {
    int32_t Min, Max, Set;
    int32_t Progress;
  } Cases[] = {
      {0, 10, 5, 5}, {0, 10, 11, 10}, {0, 10, -1, 0}, {-5, 5, -9, -5}, {7, 7, 3, 7}, {0, 100, INT32_MAX, 100},
  };
  for (const auto& Case : Cases) {
    TGauge Gauge;
    Gauge.SetMaxValue(Case.Max);
    Gauge.SetMinValue(Case.Min);
    Gauge.SetProgress(Case.Set);
    EXPECT_EQ(Gauge.Progress(), Case.Progress) << Case.Min << ".." << Case.Max << " set " << Case.Set;
  }

  // Moving a bound drags the position, and the other bound, along.
  TGauge Gauge;
  Gauge.SetProgress(80);
  Gauge.SetMaxValue(50);
  EXPECT_EQ(Gauge.Progress(), 50);
  Gauge.SetMinValue(60);
  EXPECT_EQ(Gauge.MaxValue(), 60);
  EXPECT_EQ(Gauge.Progress(), 60);
  Gauge.SetMaxValue(-3);
  EXPECT_EQ(Gauge.MinValue(), -3);
  EXPECT_EQ(Gauge.Progress(), -3);

  TGaugeState State{0, 10, 0, clNone, clGreen};
  State.SetProgress(12);
  Gauge.Render(State);
  EXPECT_EQ(Gauge.MinValue(), 0);
  EXPECT_EQ(Gauge.MaxValue(), 10);
  EXPECT_EQ(Gauge.Progress(), 10);
  EXPECT_EQ(Gauge.ForeColor(), clNone);
  EXPECT_EQ(Gauge.BackColor(), clGreen);
}

TEST(TGauge, PercentageText)
{
  const struct {
    int32_t Min, Max, Progress;
    const char* Text;
  } Cases[] = {
      {0, 100, 0, "0%"},       {0, 100, 42, "42%"},         {0, 100, 100, "100%"},  {0, 3, 2, "66%"},
      {-50, 50, 0, "50%"},     {10, 10, 10, "0%"},          {0, 2000000000, 1000000000, "50%"},
      {INT32_MIN, INT32_MAX, INT32_MAX, "100%"},            {INT32_MIN, INT32_MAX, 0, "50%"},
  };
  for (const auto& Case : Cases) {
    TGauge Gauge;
    Gauge.SetMinValue(Case.Min);
    Gauge.SetMaxValue(Case.Max);
    Gauge.SetMinValue(Case.Min);
    Gauge.SetProgress(Case.Progress);
    EXPECT_EQ(Gauge.Text().toStdString(), Case.Text) << Case.Min << ".." << Case.Max << " at " << Case.Progress;
  }
}

TEST(TGauge, PaintsTheBarFromTheLeftOrFromTheBottom)
{
  const QColor Red = TGauge::ColorOf(clRed);
  const QColor Blue = TGauge::ColorOf(clBlue);
  ASSERT_EQ(Red, QColor(255, 0, 0));
  ASSERT_EQ(Blue, QColor(0, 0, 255));
  ASSERT_FALSE(TGauge::ColorOf(clNone).isValid());

  TGauge Gauge;
  Gauge.resize(20, 100);
  Gauge.SetKind(TGauge::gkVerticalBar);
  Gauge.SetForeColor(clRed);
  Gauge.SetBackColor(clBlue);
  for (int32_t Progress : {0, 30, 100}) {
    Gauge.SetProgress(Progress);
    const QImage Image = Grab(Gauge);
    EXPECT_EQ(CountColumn(Image, 10, Red), Progress) << Progress;
    EXPECT_EQ(CountColumn(Image, 10, Blue), 100 - Progress) << Progress;
    if (Progress > 0) {
      EXPECT_EQ(Image.pixelColor(10, 99), Red);
    }
    if (Progress < 100) {
      EXPECT_EQ(Image.pixelColor(10, 0), Blue);
    }
  }

  Gauge.SetKind(TGauge::gkHorizontalBar);
  Gauge.resize(100, 8);
  Gauge.SetProgress(25);
  QImage Image = Grab(Gauge);
  EXPECT_EQ(Image.pixelColor(0, 4), Red);
  EXPECT_EQ(Image.pixelColor(24, 4), Red);
  EXPECT_EQ(Image.pixelColor(25, 4), Blue);

  // A single frame insets the bar by one pixel on every side.
  Gauge.SetBorderStyle(TGauge::bsSingle);
  Image = Grab(Gauge);
  EXPECT_EQ(Image.pixelColor(0, 0), QColor(Qt::black));
  EXPECT_EQ(Image.pixelColor(99, 7), QColor(Qt::black));
  EXPECT_EQ(Image.pixelColor(1, 4), Red);
  EXPECT_EQ(Image.pixelColor(24, 4), Red); // 98 * 25 / 100 = 24 pixels, from x 1
  EXPECT_EQ(Image.pixelColor(25, 4), Blue);
}

TEST(TGauge, PaintsNothingForClNone)
{
  TGauge Gauge;
  Gauge.resize(50, 10);
  Gauge.SetForeColor(clNone);
  Gauge.SetBackColor(clGreen);
  Gauge.SetProgress(100);
  EXPECT_EQ(Grab(Gauge).pixelColor(25, 5), TGauge::ColorOf(clGreen)); // no bar over the back colour

  Gauge.SetForeColor(clRed);
  Gauge.SetBackColor(clNone);
  Gauge.SetProgress(50);
  const QImage Image = Grab(Gauge);
  EXPECT_EQ(Image.pixelColor(10, 5), TGauge::ColorOf(clRed));
  EXPECT_EQ(Image.pixelColor(40, 5), Gauge.palette().color(QPalette::Window)); // the window shows through
}

TEST(TGauge, DrawsTheTextOnlyWhenAsked)
{
  TGauge Gauge;
  Gauge.resize(80, 30);
  Gauge.SetForeColor(clYellow);
  Gauge.SetBackColor(clBlue);
  Gauge.SetProgress(50);
  const QImage Plain = Grab(Gauge);
  Gauge.SetShowText(true);
  const QImage Text = Grab(Gauge);
  EXPECT_NE(Plain, Text);
  // Text pixels on the bar take the back colour, beside it the fore colour.
  int BlueOnBar = 0, YellowBeside = 0;
  for (int Y = 0; Y < 30; ++Y)
    for (int X = 0; X < 80; ++X) {
      BlueOnBar += X < 40 && Text.pixelColor(X, Y) == TGauge::ColorOf(clBlue);
      YellowBeside += X >= 40 && Text.pixelColor(X, Y) == TGauge::ColorOf(clYellow);
    }
  EXPECT_GT(BlueOnBar, 0);
  EXPECT_GT(YellowBeside, 0);
}

TEST(TGauge, LetsTheMouseThroughWhileDisabled)
{
  TGauge Gauge;
  EXPECT_FALSE(Gauge.testAttribute(Qt::WA_TransparentForMouseEvents));
  Gauge.setEnabled(false);
  EXPECT_TRUE(Gauge.testAttribute(Qt::WA_TransparentForMouseEvents));
  Gauge.setEnabled(true);
  EXPECT_FALSE(Gauge.testAttribute(Qt::WA_TransparentForMouseEvents));
}
