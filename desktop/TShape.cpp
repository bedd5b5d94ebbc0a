#include "TShape.h"

#include <QPainter>

#include "WindowHelpers.h"

TShape::TShape(QWidget* Parent, int32_t BrushColor, bool Outline)
    : QWidget(Parent), FBrushColor(BrushColor), FOutline(Outline)
{
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TShape::Render(const TShapeState& State)
{
  if (State.BrushColor != FBrushColor) {
    FBrushColor = State.BrushColor;
    update();
  }
  if (State.Visible != isVisibleTo(parentWidget()))
    setVisible(State.Visible);
}

void TShape::paintEvent(QPaintEvent*)
{
  QPainter Painter(this);
  Painter.fillRect(rect(), ColorFromValue(FBrushColor));
  if (FOutline) {
    Painter.setPen(Qt::black);
    Painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }
}
