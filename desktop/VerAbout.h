#pragma once
#include <QWidget>
#include <cstdint>
#include <string>

#include "TVersionInfo.h"

class QLabel;
class QPushButton;
class QTimer;

// The about box "A propos": icon, product name, version and credit read from
// the program's version information; also the start-up splash.
class TVerAboutBox : public QWidget {
  Q_OBJECT
public:
  // Build the box hidden over the executable file ExePath and start its timer.
  explicit TVerAboutBox(std::string ExePath);
  // Clear the application-wide reference.
  ~TVerAboutBox() override;

  // Start the 2000 ms timer, never stopped afterwards.
  void FormCreate();
  // Reset the tick count and fill the labels afresh from the version information.
  void FormShow();
  // Count a tick and close the box on the second one since it was shown.
  void Timer1Timer();
  // Hide the box, then close it.
  void Button1Click();
  // Store the value of Key in Value when the lookup succeeds; leave Value otherwise.
  void GetVersionValue(TInfo Key, std::string& Value) const;

  // Answer the timer ticks since the box was last shown.
  int32_t ShowTicks() const { return FShowTicks; }

  QWidget* pnlCadre;
  QLabel* imgProgramIcon;
  QLabel* lblProductName;
  QLabel* lblVersion;
  QLabel* lblCopyright;
  QPushButton* Button1;
  QTimer* Timer1;

protected:
  // Run FormShow when the box goes from hidden to shown, centred on the screen.
  void showEvent(QShowEvent* Event) override;

private:
  std::string FExePath;
  int32_t FShowTicks = 0;
};

// The about box, set once when it is built.
extern TVerAboutBox* VerAboutBox;
