#pragma once
#include <string>

// Port to the framework's modal boxes.  Each runs a nested event loop, so
// timers keep firing while it is open.
class TDialogs {
public:
  virtual ~TDialogs() = default;
  // Show Text in a plain box titled with the application title, with "OK".
  virtual void ShowMessage(const std::string& Text) = 0;
  // Ask Text in a box titled "Confirmation" with "&Oui" (default) and "&Non";
  // answer true for Oui only.
  virtual bool Confirm(const std::string& Text) = 0;
  // Ask for a line of at most 255 characters, starting with Value selected;
  // on "OK" store the text in Value and answer true, else leave it and answer false.
  virtual bool InputQuery(const std::string& Caption, const std::string& Prompt, std::string& Value) = 0;
};
