#pragma once
#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QWidget>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TAccounting.h"
#include "TDesktopServices.h"
#include "TErrorBoundary.h"
#include "TFakeIpHelper.h"
#include "TFakePorts.h"
#include "TQtAppPort.h"
#include "TTrayShell.h"
#include "TWindowSet.h"

// Tray shell that records every call.
class TRecordingTrayShell : public TTrayShell {
public:
  struct TCall {
    uint32_t Message;
    TNotifyIconData Data;
    qint64 Image; // cache key of the image the record names, 0 when none
  };
  // Record the icon call with the image it names at that moment.
  bool Shell_NotifyIconA(uint32_t Message, const TNotifyIconData& Data) override
  {
    const TIcon* Icon = TIcon::FromHandle(Data.hIcon);
    Calls.push_back({Message, Data, Icon != nullptr ? Icon->Image().cacheKey() : 0});
    return true;
  }
  // Record the taskbar command.
  bool ShowWindow(uint32_t, int32_t Command) override
  {
    Taskbar.push_back(Command);
    return true;
  }
  // Answer a fixed cursor position.
  TPoint GetCursorPos() override { return {300, 20}; }

  std::vector<TCall> Calls;
  std::vector<int32_t> Taskbar;
};

// Error box that records the texts and runs While as its nested loop would.
class TRecordingErrorBox : public TErrorBox {
public:
  // Record Text and run While.
  void ShowError(const std::string& Text) override
  {
    Texts.push_back(Text);
    const std::function<void()> Act = While;
    if (Act)
      Act();
  }
  std::vector<std::string> Texts;
  std::function<void()> While;
};

// Application port over the real windows that only records the termination.
class TTestAppPort : public TQtAppPort {
public:
  // Count the request instead of leaving the event loop.
  void Terminate() override { ++Terminated; }
  int Terminated = 0;
};

// The core over fakes, run in an empty temporary directory, and the window set built over it.
struct TDesktopRig {
  // Enter an empty temporary directory.
  TDesktopRig() : Previous(std::filesystem::current_path()) { std::filesystem::current_path(Dir.path().toStdString()); }
  // Destroy the windows and go back to the previous directory.
  ~TDesktopRig()
  {
    Windows.reset();
    std::filesystem::current_path(Previous);
  }

  // Build the window set.
  void Build() { Windows = std::make_unique<TWindowSet>(Services); }
  // Write a file of the current directory, each line ended by CR LF.
  static void WriteLines(const std::string& Name, const std::vector<std::string>& Lines)
  {
    std::ofstream Out(Name, std::ios::binary);
    for (const std::string& Line : Lines)
      Out << Line << "\r\n";
  }
  // Answer the lines of a file of the current directory, without their CR LF.
  static std::vector<std::string> ReadLines(const std::string& Name)
  {
    std::ifstream In(Name, std::ios::binary);
    std::vector<std::string> Lines;
    for (std::string Line; std::getline(In, Line);) {
      if (!Line.empty() && Line.back() == '\r')
        Line.pop_back();
      Lines.push_back(Line);
    }
    return Lines;
  }
  // Make the link look up: connected, with a WAN adapter.
  void ConnectLink()
  {
    IpHelper.IfRows = {MakeIfRow(2, "wan0", {0, 1, 2, 3, 4, 5}, 1000, 2000)};
    Connected.Connected = true;
  }

  QTemporaryDir Dir;
  std::filesystem::path Previous;
  TFakeIpHelper IpHelper;
  TFakeConnectedState Connected;
  TNetMonitor Monitor{IpHelper, Connected};
  TDisplay Display;
  TCounterState State;
  TFakeClock Clock;
  TFakeDialogs Dialogs;
  TFakeBeep Beep;
  TFakeDialler Dialler;
  TTestAppPort App;
  TRecordingErrorBox Box;
  TErrorBoundary Boundary{Box};
  TAccounting Accounting{State, Display, Monitor, Clock, Dialogs, Beep, Dialler, App};
  TRecordingTrayShell Shell;
  TDesktopServices Services{Display, Monitor, Accounting, Dialogs, Boundary, Shell, "/proc/self/exe", [] { return 1024; }};
  std::unique_ptr<TWindowSet> Windows;
};

// Send a mouse event to Target at its local point At.
inline void SendMouse(QWidget* Target, QEvent::Type Type, QPoint At, Qt::MouseButton Button,
                      Qt::MouseButtons Buttons, Qt::KeyboardModifiers Modifiers = Qt::NoModifier)
{
  QMouseEvent Event(Type, QPointF(At), QPointF(Target->mapToGlobal(At)), Button, Buttons, Modifiers);
  QApplication::sendEvent(Target, &Event);
}

// Press and release the left button on Target at At.
inline void Click(QWidget* Target, QPoint At, Qt::KeyboardModifiers Modifiers = Qt::NoModifier)
{
  SendMouse(Target, QEvent::MouseButtonPress, At, Qt::LeftButton, Qt::LeftButton, Modifiers);
  SendMouse(Target, QEvent::MouseButtonRelease, At, Qt::LeftButton, Qt::NoButton, Modifiers);
}
