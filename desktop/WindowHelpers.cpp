#include "WindowHelpers.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "TGauge.h"
#include "TResources.h"

void ShowInFront(QWidget* Window)
{
  if (Window == nullptr)
    return;
  Window->show();
  Window->raise();
  Window->activateWindow();
}

void CentreOnScreen(QWidget* Window)
{
  QScreen* Screen = Window->screen() != nullptr ? Window->screen() : QGuiApplication::primaryScreen();
  if (Screen == nullptr)
    return;
  const QRect Area = Screen->geometry();
  QRect Frame = Window->frameGeometry();
  Frame.moveCenter(Area.center());
  Window->move(Frame.topLeft());
}

QFont FormFont(int PixelSize)
{
  QFont Font(QStringLiteral("MS Sans Serif"));
  // Fonts of the same width where it is missing, so the banner's texts keep to their places.
  Font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                    QStringLiteral("Nimbus Sans"), QStringLiteral("Helvetica")});
  Font.setStyleHint(QFont::SansSerif);
  Font.setPixelSize(PixelSize);
  return Font;
}

QColor ColorFromValue(int32_t Value)
{
  const auto Bits = static_cast<uint32_t>(Value);
  return QColor(static_cast<int>(Bits & 0xFF), static_cast<int>((Bits >> 8) & 0xFF),
                static_cast<int>((Bits >> 16) & 0xFF));
}

std::string ResourceText(std::string_view Name)
{
  const TResource* Found = FindResource(Name);
  if (Found == nullptr)
    return {};
  return std::string(reinterpret_cast<const char*>(Found->Data), Found->Size);
}

bool GaugeShows(const TGauge& Gauge, const TGaugeState& State)
{
  return Gauge.MinValue() == State.MinValue && Gauge.MaxValue() == State.MaxValue &&
         Gauge.Progress() == State.Progress && Gauge.ForeColor() == State.ForeColor &&
         Gauge.BackColor() == State.BackColor;
}
