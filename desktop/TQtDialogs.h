#pragma once
#include "TDialogs.h"

class TErrorBoundary;

// The dialog port as Qt boxes; each runs a nested event loop, so every timer keeps firing.
class TQtDialogs : public TDialogs {
public:
  // Build the boxes; once Boundary is ending, a box that returns stops the running handler.
  explicit TQtDialogs(TErrorBoundary& Boundary) : FBoundary(Boundary) {}
  // Show Text in a plain box titled "Tavrelo" with "OK".
  void ShowMessage(const std::string& Text) override;
  // Ask Text with a question icon, titled "Confirmation", "&Oui" by default, "&Non" on Escape.
  bool Confirm(const std::string& Text) override;
  // Ask for one line of at most 255 characters, starting with Value selected, with "OK" and "Annuler".
  bool InputQuery(const std::string& Caption, const std::string& Prompt, std::string& Value) override;

private:
  // Stop the running handler when the program began to end while a box was open.
  void StopIfEnding() const;

  TErrorBoundary& FBoundary;
};
