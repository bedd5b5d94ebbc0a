#pragma once
#include <QColor>
#include <QFont>
#include <QString>
#include <cstdint>
#include <string>

class QWidget;
class TGauge;
struct TGaugeState;

// Show Window, not modal, and bring it to the front; a shown window is only brought forward.
void ShowInFront(QWidget* Window);
// Move Window so that its frame is centred on its screen.
void CentreOnScreen(QWidget* Window);
// Answer the forms' font: "MS Sans Serif" where present, else a sans font, PixelSize high.
QFont FormFont(int PixelSize = 11);
// Answer a 0x00BBGGRR window-system colour as a QColor.
QColor ColorFromValue(int32_t Value);
// Answer a UTF-8 text as a QString.
inline QString ToQString(const std::string& Text)
{
  return QString::fromUtf8(Text.data(), static_cast<qsizetype>(Text.size()));
}
// Answer whether Gauge already shows what State holds.
bool GaugeShows(const TGauge& Gauge, const TGaugeState& State);
// Answer the text of an embedded resource, or an empty text when there is none.
std::string ResourceText(std::string_view Name);
