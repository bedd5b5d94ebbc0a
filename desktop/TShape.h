#pragma once
#include <QWidget>
#include <cstdint>

#include "TDisplay.h"

// A filled rectangle with an optional one-pixel black outline.
class TShape : public QWidget {
  Q_OBJECT
public:
  // Build a shape filled with BrushColor, outlined when Outline is true.
  TShape(QWidget* Parent, int32_t BrushColor, bool Outline);

  // Answer the fill colour, 0x00BBGGRR.
  int32_t BrushColor() const { return FBrushColor; }
  // Apply the fill colour and visibility of a display record.
  void Render(const TShapeState& State);

protected:
  // Paint the fill and the outline.
  void paintEvent(QPaintEvent* Event) override;

private:
  int32_t FBrushColor;
  bool FOutline;
};
