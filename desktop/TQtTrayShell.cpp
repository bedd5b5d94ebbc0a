#include "TQtTrayShell.h"

#include <QCursor>
#include <QGuiApplication>
#include <cstring>
#include <string>
#include <vector>

#include "Cp1252.h"

// Xlib last: its macros clash with Qt's names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {

// Return the tooltip text held in a record, which may lack its NUL.
QString TipOf(const TNotifyIconData& Data)
{
  const std::string Bytes(Data.szTip, strnlen(Data.szTip, sizeof Data.szTip));
  return QString::fromStdString(Cp1252ToUtf8(Bytes));
}

// Return the X display Qt draws on, or nullptr off X11.
Display* XDisplay()
{
  if (QGuiApplication::platformName() != QLatin1String("xcb"))
    return nullptr;
  auto* X11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
  return X11 != nullptr ? X11->display() : nullptr;
}

// Answer whether a window manager announces itself on the root window.
bool HasWindowManager(Display* D)
{
  const Atom Check = XInternAtom(D, "_NET_SUPPORTING_WM_CHECK", False);
  Atom Type = 0;
  int Format = 0;
  unsigned long Count = 0, After = 0;
  unsigned char* Data = nullptr;
  const bool Found = XGetWindowProperty(D, DefaultRootWindow(D), Check, 0, 1, False, XA_WINDOW, &Type, &Format, &Count,
                                        &After, &Data) == Success &&
                     Type == XA_WINDOW && Count == 1;
  if (Data != nullptr)
    XFree(Data);
  return Found;
}

// Add or remove State in the _NET_WM_STATE property of Win.
void ChangeStateProperty(Display* D, Window Win, Atom NetWmState, Atom State, bool Set)
{
  Atom Type = 0;
  int Format = 0;
  unsigned long Count = 0, After = 0;
  unsigned char* Data = nullptr;
  std::vector<Atom> States;
  if (XGetWindowProperty(D, Win, NetWmState, 0, 64, False, XA_ATOM, &Type, &Format, &Count, &After, &Data) == Success &&
      Type == XA_ATOM && Format == 32)
    for (unsigned long I = 0; I < Count; ++I)
      if (reinterpret_cast<Atom*>(Data)[I] != State)
        States.push_back(reinterpret_cast<Atom*>(Data)[I]);
  if (Data != nullptr)
    XFree(Data);
  if (Set)
    States.push_back(State);
  XChangeProperty(D, Win, NetWmState, XA_ATOM, 32, PropModeReplace, reinterpret_cast<unsigned char*>(States.data()),
                  static_cast<int>(States.size()));
}

} // namespace

TQtTrayShell::TQtTrayShell(QObject* Parent) : QObject(Parent)
{
  connect(&FTray, &QSystemTrayIcon::activated, this, &TQtTrayShell::Notify);
}

void TQtTrayShell::SetTaskbarWindow(QWidget* Window)
{
  FTaskbarWindow = Window;
  FTaskbarShown = -1;
}

bool TQtTrayShell::Shell_NotifyIconA(uint32_t Message, const TNotifyIconData& Data)
{
  if (Message == NIM_DELETE) {
    if (!FAdded)
      return false;
    FTray.hide();
    FAdded = false;
    return true;
  }
  if (Message != NIM_ADD && Message != NIM_MODIFY)
    return false;
  if ((Message == NIM_ADD) == FAdded)
    return false;
  FWnd = Data.hWnd;
  FID = Data.uID;
  if (Data.uFlags & NIF_MESSAGE)
    FCallbackMessage = Data.uCallbackMessage;
  if (Data.uFlags & NIF_ICON) {
    const TIcon* Icon = TIcon::FromHandle(Data.hIcon);
    FTray.setIcon(Icon != nullptr ? Icon->Image() : QIcon());
  }
  if (Data.uFlags & NIF_TIP)
    FTray.setToolTip(TipOf(Data));
  if (Message == NIM_ADD) {
    FTray.show();
    FAdded = true;
  }
  return true;
}

bool TQtTrayShell::ShowWindow(uint32_t, int32_t Command)
{
  const int Shown = Command == SW_HIDE ? 0 : 1;
  QWidget* Window = FTaskbarWindow.data();
  if (Window == nullptr)
    return false;
  // The state is set again only when it, or the window's mapping, has changed.
  const int Key = Shown | (Window->isVisible() ? 2 : 0);
  if (Key == FTaskbarShown)
    return true;
  if (!SetSkipTaskbar(Window, Shown == 0))
    return false;
  FTaskbarShown = Key;
  return true;
}

TPoint TQtTrayShell::GetCursorPos()
{
  const QPoint P = QCursor::pos();
  return TPoint{P.x(), P.y()};
}

void TQtTrayShell::Notify(QSystemTrayIcon::ActivationReason Reason)
{
  constexpr int32_t WM_LBUTTONDBLCLK = 515;
  constexpr int32_t WM_MBUTTONDOWN = 519;
  TMessage Message;
  Message.Msg = FCallbackMessage;
  Message.WParam = FID;
  switch (Reason) {
  case QSystemTrayIcon::Context:
    Message.LParam = WM_RBUTTONDOWN;
    break;
  case QSystemTrayIcon::Trigger:
    Message.LParam = WM_LBUTTONDOWN;
    break;
  case QSystemTrayIcon::DoubleClick:
    Message.LParam = WM_LBUTTONDBLCLK;
    break;
  case QSystemTrayIcon::MiddleClick:
    Message.LParam = WM_MBUTTONDOWN;
    break;
  default:
    return;
  }
  if (FAdded)
    TPourHandle::Dispatch(FWnd, Message);
}

bool TQtTrayShell::SetSkipTaskbar(QWidget* Widget, bool Skip)
{
  Display* D = XDisplay();
  if (D == nullptr || Widget == nullptr)
    return false;
  const Window Win = static_cast<Window>(Widget->winId());
  const Atom NetWmState = XInternAtom(D, "_NET_WM_STATE", False);
  const Atom SkipTaskbar = XInternAtom(D, "_NET_WM_STATE_SKIP_TASKBAR", False);
  if (Widget->isVisible() && HasWindowManager(D)) {
    // A mapped window asks the window manager, which owns the property.
    XEvent Event;
    std::memset(&Event, 0, sizeof Event);
    Event.xclient.type = ClientMessage;
    Event.xclient.window = Win;
    Event.xclient.message_type = NetWmState;
    Event.xclient.format = 32;
    Event.xclient.data.l[0] = Skip ? 1 : 0; // add or remove
    Event.xclient.data.l[1] = static_cast<long>(SkipTaskbar);
    Event.xclient.data.l[3] = 1; // from an application
    XSendEvent(D, DefaultRootWindow(D), False, SubstructureRedirectMask | SubstructureNotifyMask, &Event);
  } else {
    ChangeStateProperty(D, Win, NetWmState, SkipTaskbar, Skip);
  }
  XFlush(D);
  return true;
}
