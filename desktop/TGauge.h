#pragma once
#include <QColor>
#include <QString>
#include <QWidget>
#include <cstdint>

#include "TDisplay.h"

// A bar gauge: a back colour, a bar of the fore colour in proportion to
// Progress within MinValue..MaxValue, an optional centred percentage text and
// an optional one-pixel frame.  A disabled gauge lets the mouse through.
class TGauge : public QWidget {
  Q_OBJECT

public:
  // Direction the bar grows in: from the left, or from the bottom.
  enum TGaugeKind { gkHorizontalBar, gkVerticalBar };
  // Frame around the gauge.
  enum TGaugeBorder { bsNone, bsSingle };

  // Build a horizontal gauge 0..100 at 0, clGreen back colour, no fore colour, no text, no frame.
  explicit TGauge(QWidget* Parent = nullptr);

  // Return the direction of the bar.
  TGaugeKind Kind() const { return FKind; }
  // Set the direction of the bar.
  void SetKind(TGaugeKind Value);
  // Return the frame style.
  TGaugeBorder BorderStyle() const { return FBorderStyle; }
  // Set the frame style.
  void SetBorderStyle(TGaugeBorder Value);
  // Return whether the percentage text is drawn.
  bool ShowText() const { return FShowText; }
  // Draw the percentage text or not.
  void SetShowText(bool Value);

  // Return the lower bound.
  int32_t MinValue() const { return FMinValue; }
  // Set the lower bound; MaxValue and Progress are raised to it when below.
  void SetMinValue(int32_t Value);
  // Return the upper bound.
  int32_t MaxValue() const { return FMaxValue; }
  // Set the upper bound; MinValue and Progress are lowered to it when above.
  void SetMaxValue(int32_t Value);
  // Return the position, always within MinValue..MaxValue.
  int32_t Progress() const { return FProgress; }
  // Set the position, clamped into MinValue..MaxValue.
  void SetProgress(int32_t Value);

  // Return the bar colour, 0x00BBGGRR or clNone.
  int32_t ForeColor() const { return FForeColor; }
  // Set the bar colour; clNone paints no bar.
  void SetForeColor(int32_t Value);
  // Return the background colour, 0x00BBGGRR or clNone.
  int32_t BackColor() const { return FBackColor; }
  // Set the background colour; clNone paints no background.
  void SetBackColor(int32_t Value);

  // Apply bounds, position and colours from a display record.
  void Render(const TGaugeState& State);

  // Return (Progress - MinValue) * 100 / (MaxValue - MinValue), 0 when the bounds are equal.
  int32_t PercentDone() const;
  // Return the percentage text as drawn, e.g. "42%".
  QString Text() const;

  // Convert a 0x00BBGGRR colour to a QColor; clNone gives an invalid QColor.
  static QColor ColorOf(int32_t Color);

protected:
  // Paint the background, the bar, the text and the frame.
  void paintEvent(QPaintEvent* Event) override;
  // Let the mouse through while disabled.
  void changeEvent(QEvent* Event) override;

private:
  TGaugeKind FKind = gkHorizontalBar;
  TGaugeBorder FBorderStyle = bsNone;
  bool FShowText = false;
  int32_t FMinValue = 0;
  int32_t FMaxValue = 100;
  int32_t FProgress = 0;
  int32_t FForeColor = clNone;
  int32_t FBackColor = clGreen;
};
