#include "TFakePorts.h"

TDialogAnswer TFakeDialogs::Next()
{
  if (Script.empty())
    return TDialogAnswer{false, "", nullptr};
  TDialogAnswer Answer = std::move(Script.front());
  Script.pop_front();
  return Answer;
}

void TFakeDialogs::ShowMessage(const std::string& Text)
{
  Shown.push_back({"message", "Tavrelo", Text, ""});
  if (!Script.empty() && Script.front().While) {
    TDialogAnswer Answer = Next();
    Answer.While();
  }
}

bool TFakeDialogs::Confirm(const std::string& Text)
{
  Shown.push_back({"confirm", "Confirmation", Text, ""});
  if (Script.empty())
    return true;
  TDialogAnswer Answer = Next();
  if (Answer.While)
    Answer.While();
  return Answer.Accept;
}

bool TFakeDialogs::InputQuery(const std::string& Caption, const std::string& Prompt, std::string& Value)
{
  Shown.push_back({"input", Caption, Prompt, Value});
  TDialogAnswer Answer = Next();
  if (Answer.While)
    Answer.While();
  if (Answer.Accept)
    Value = Answer.Text.substr(0, 255);
  return Answer.Accept;
}
