#pragma once
#include <QWidget>

#include "TDesktopServices.h"

class TGauge;

// The enlarged gauge window "Jauge": one vertical gauge of the throughput.
class TForm3 : public QWidget {
  Q_OBJECT
public:
  // Build the window hidden, its gauge yellow on blue at 0.
  explicit TForm3(TDesktopServices& Services);
  // Clear the application-wide reference.
  ~TForm3() override;

  // Show the gauge's display record.
  void Render();

  TGauge* Gauge1;

protected:
  // Centre the window on the screen each time it appears.
  void showEvent(QShowEvent* Event) override;
  // Keep the gauge over the whole client area.
  void resizeEvent(QResizeEvent* Event) override;

private:
  TDesktopServices& FServices;
};

// The enlarged gauge window, set once when it is built.
extern TForm3* Form3;
