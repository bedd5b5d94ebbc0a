#include "TGauge.h"

#include <QEvent>
#include <QPainter>

TGauge::TGauge(QWidget* Parent) : QWidget(Parent) {}

void TGauge::SetKind(TGaugeKind Value)
{
  FKind = Value;
  update();
}

void TGauge::SetBorderStyle(TGaugeBorder Value)
{
  FBorderStyle = Value;
  update();
}

void TGauge::SetShowText(bool Value)
{
  FShowText = Value;
  update();
}

void TGauge::SetMinValue(int32_t Value)
{
  FMinValue = Value;
  if (FMaxValue < Value)
    FMaxValue = Value;
  SetProgress(FProgress);
}

void TGauge::SetMaxValue(int32_t Value)
{
  FMaxValue = Value;
  if (FMinValue > Value)
    FMinValue = Value;
  SetProgress(FProgress);
}

void TGauge::SetProgress(int32_t Value)
{
  FProgress = Value < FMinValue ? FMinValue : Value > FMaxValue ? FMaxValue : Value;
  update();
}

void TGauge::SetForeColor(int32_t Value)
{
  FForeColor = Value;
  update();
}

void TGauge::SetBackColor(int32_t Value)
{
  FBackColor = Value;
  update();
}

void TGauge::Render(const TGaugeState& State)
{
  FMinValue = State.MinValue;
  FMaxValue = State.MaxValue < State.MinValue ? State.MinValue : State.MaxValue;
  FForeColor = State.ForeColor;
  FBackColor = State.BackColor;
  SetProgress(State.Progress);
}

int32_t TGauge::PercentDone() const
{
  const int64_t Span = int64_t(FMaxValue) - FMinValue;
  if (Span <= 0)
    return 0;
  return static_cast<int32_t>((int64_t(FProgress) - FMinValue) * 100 / Span);
}

QString TGauge::Text() const
{
  return QString::number(PercentDone()) + QLatin1Char('%');
}

QColor TGauge::ColorOf(int32_t Color)
{
  if (Color == clNone)
    return QColor();
  return QColor(Color & 0xFF, (Color >> 8) & 0xFF, (Color >> 16) & 0xFF);
}

void TGauge::paintEvent(QPaintEvent*)
{
  QPainter Painter(this);
  QRect Inner = rect();
  if (FBorderStyle == bsSingle)
    Inner.adjust(1, 1, -1, -1);

  const QColor Back = ColorOf(FBackColor);
  const QColor Fore = ColorOf(FForeColor);
  if (Back.isValid())
    Painter.fillRect(Inner, Back);

  // The bar in whole pixels, in proportion to Progress within the bounds.
  const int64_t Span = int64_t(FMaxValue) - FMinValue;
  const int64_t Done = int64_t(FProgress) - FMinValue;
  QRect Bar;
  if (FKind == gkHorizontalBar) {
    const int Width = Span > 0 ? static_cast<int>(Inner.width() * Done / Span) : 0;
    Bar = QRect(Inner.left(), Inner.top(), Width, Inner.height());
  } else {
    const int Height = Span > 0 ? static_cast<int>(Inner.height() * Done / Span) : 0;
    Bar = QRect(Inner.left(), Inner.bottom() + 1 - Height, Inner.width(), Height);
  }
  if (Fore.isValid() && !Bar.isEmpty())
    Painter.fillRect(Bar, Fore);

  if (FShowText) {
    // Over the bar the text takes the back colour, elsewhere the fore colour.
    const QColor Plain = palette().color(QPalette::WindowText);
    QRegion Rest = QRegion(Inner).subtracted(Bar);
    Painter.setClipRegion(Rest);
    Painter.setPen(Fore.isValid() ? Fore : Plain);
    Painter.drawText(Inner, Qt::AlignCenter, Text());
    if (!Bar.isEmpty()) {
      Painter.setClipRect(Bar);
      Painter.setPen(Back.isValid() ? Back : Plain);
      Painter.drawText(Inner, Qt::AlignCenter, Text());
    }
    Painter.setClipping(false);
  }

  if (FBorderStyle == bsSingle) {
    Painter.setPen(Qt::black);
    Painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }
}

void TGauge::changeEvent(QEvent* Event)
{
  if (Event->type() == QEvent::EnabledChange)
    setAttribute(Qt::WA_TransparentForMouseEvents, !isEnabled());
  QWidget::changeEvent(Event);
}
