#pragma once
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>
#include <QWidget>

#include "PiconeBarreTache.h"
#include "TTrayShell.h"

// The tray shell over QSystemTrayIcon: NIM_ADD shows the icon, NIM_MODIFY
// sets its image and tooltip, NIM_DELETE hides it; a right press and a left
// press (trigger) reach the component's message window as WM_RBUTTONDOWN and
// WM_LBUTTONDOWN.  The taskbar entry is the skip-taskbar state of one window
// on X11; on other platforms showing or hiding it does nothing.
class TQtTrayShell : public QObject, public TTrayShell {
  Q_OBJECT

public:
  // Build the shell with a hidden tray icon.
  explicit TQtTrayShell(QObject* Parent = nullptr);

  // Set the window whose taskbar entry ShowWindow shows and hides.
  void SetTaskbarWindow(QWidget* Window);
  // Add, update or remove the icon Data describes.
  bool Shell_NotifyIconA(uint32_t Message, const TNotifyIconData& Data) override;
  // Show or hide the taskbar entry of the taskbar window.
  bool ShowWindow(uint32_t Handle, int32_t Command) override;
  // Return the cursor position in screen coordinates.
  TPoint GetCursorPos() override;
  // Return the tray icon object.
  QSystemTrayIcon& TrayIcon() { return FTray; }
  // Send the press Reason to the window named in the last record added.
  void Notify(QSystemTrayIcon::ActivationReason Reason);

  // Set or clear the skip-taskbar state of Window on X11; answer false elsewhere.
  static bool SetSkipTaskbar(QWidget* Window, bool Skip);

private:
  QSystemTrayIcon FTray;
  QPointer<QWidget> FTaskbarWindow;
  uint32_t FWnd = 0;
  uint32_t FID = 0;
  uint32_t FCallbackMessage = 0;
  bool FAdded = false;
  int FTaskbarShown = -1;
};

// A Qt popup menu as the component's MenuPop.
class TQtPopupMenu : public TTrayMenu {
public:
  // Wrap Menu, which must outlive this object.
  explicit TQtPopupMenu(QMenu* Menu) : FMenu(Menu) {}
  // Pop the menu up at (X, Y).
  void Popup(int32_t X, int32_t Y) override { FMenu->popup(QPoint(X, Y)); }

private:
  QMenu* FMenu;
};
