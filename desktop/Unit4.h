#pragma once
#include <QWidget>
#include <cstdint>

class QPlainTextEdit;
class QTimer;

// Opacity of the help window when it appears, and where its fade stops, of 255.
inline constexpr int32_t HelpStartOpacity = 10;
inline constexpr int32_t HelpFullOpacity = 200;

// The help window "Je vous dois des ex-complications": the help text, fading in at each show.
class TForm4 : public QWidget {
  Q_OBJECT
public:
  // Build the window hidden, with its help text and its fade timer running.
  TForm4();
  // Clear the application-wide reference.
  ~TForm4() override;

  // Start the fade again from its first opacity.
  void FormShow();
  // Raise the opacity by one step until it reaches its full value.
  void Timer1Timer();
  // Answer the opacity, of 255.
  int32_t AlphaBlendValue() const { return FAlphaBlendValue; }

  QPlainTextEdit* Memo1;
  QTimer* Timer1;

protected:
  // Run FormShow when the window goes from hidden to shown, centred on the screen.
  void showEvent(QShowEvent* Event) override;

private:
  // Apply the opacity to the window.
  void SetAlphaBlendValue(int32_t Value);

  int32_t FAlphaBlendValue = HelpStartOpacity;
};

// The help window, set once when it is built.
extern TForm4* Form4;
