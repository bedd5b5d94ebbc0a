#include "TErrorBoundary.h"

#include <QMessageBox>
#include <QString>
#include <cstdio>
#include <exception>

void TQtErrorBox::ShowError(const std::string& Text)
{
  QMessageBox Box(QMessageBox::Critical, QStringLiteral("Tavrelo"), QString::fromStdString(Text));
  Box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
  Box.exec();
}

void TStderrErrorBox::ShowError(const std::string& Text)
{
  std::fprintf(stderr, "tavrelo: %s\n", Text.c_str());
  std::fflush(stderr);
}

std::string ErrorBoxText(const std::string& Text)
{
  if (!Text.empty() && static_cast<unsigned char>(Text.back()) > static_cast<unsigned char>('.'))
    return Text + ".";
  return Text;
}

void TErrorBoundary::RenderRecords() noexcept
{
  try {
    if (FRender)
      FRender();
  } catch (...) {
    // A failing render must not stop the report of the handler's own error.
  }
}

bool TErrorBoundary::Run(const std::function<void()>& Handler) noexcept
{
  if (FEnding)
    return false;
  std::string Message;
  try {
    Handler();
    RenderRecords();
    return true;
  } catch (const TTerminating&) {
    return false;
  } catch (const std::exception& Error) {
    Message = Error.what();
  } catch (...) {
    Message = "Exception inconnue";
  }
  RenderRecords();
  try {
    FBox->ShowError(ErrorBoxText(Message));
  } catch (...) {
    // The box is the last resort; nothing is left to report to.
  }
  return false;
}
