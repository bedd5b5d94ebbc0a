#pragma once
#include <functional>
#include <string>

// Port to the box that reports an error to the user.
class TErrorBox {
public:
  virtual ~TErrorBox() = default;
  // Show Text, already in its final form, and wait for the user.
  virtual void ShowError(const std::string& Text) = 0;
};

// The modal critical message box titled "Tavrelo".
class TQtErrorBox : public TErrorBox {
public:
  // Show Text in the critical box; its nested loop keeps the timers firing.
  void ShowError(const std::string& Text) override;
};

// Reports errors on stderr, for when the program is ending and no box may block.
class TStderrErrorBox : public TErrorBox {
public:
  // Print Text on stderr.
  void ShowError(const std::string& Text) override;
};

// Raised out of a dialog once the program is ending, to stop the running handler quietly.
struct TTerminating {};

// Answer Text as the error box shows it: a full stop appended when its last character sorts after ".".
std::string ErrorBoxText(const std::string& Text);

// The one place where errors of event handlers are caught: a handler runs,
// the display records are rendered, and an error is shown in the error box.
class TErrorBoundary {
public:
  // Report errors in Box.
  explicit TErrorBoundary(TErrorBox& Box) : FBox(&Box) {}

  // Set what renders the display records after each handler.
  void SetRender(std::function<void()> Render) { FRender = std::move(Render); }
  // Report further errors in Box.
  void SetBox(TErrorBox& Box) { FBox = &Box; }
  // Run Handler, render, and show any error it raised; answer whether it ran to its end.
  bool Run(const std::function<void()>& Handler) noexcept;
  // Mark the program as ending: handlers no longer start and open dialogs stop theirs.
  void BeginTermination() { FEnding = true; }
  // Answer whether the program is ending.
  bool Ending() const { return FEnding; }

private:
  // Render the display records, swallowing what the rendering itself raises.
  void RenderRecords() noexcept;

  TErrorBox* FBox;
  std::function<void()> FRender;
  bool FEnding = false;
};
