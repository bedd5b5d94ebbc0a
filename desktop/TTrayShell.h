#pragma once
#include <QIcon>
#include <cstddef>
#include <cstdint>
#include <map>

// Operations of the notification-icon call.
inline constexpr uint32_t NIM_ADD = 0;
inline constexpr uint32_t NIM_MODIFY = 1;
inline constexpr uint32_t NIM_DELETE = 2;
// Members of the icon record that the call uses.
inline constexpr uint32_t NIF_MESSAGE = 1;
inline constexpr uint32_t NIF_ICON = 2;
inline constexpr uint32_t NIF_TIP = 4;
// Commands for the taskbar entry.
inline constexpr int32_t SW_HIDE = 0;
inline constexpr int32_t SW_SHOW = 5;
// Window messages carried by icon notifications.
inline constexpr uint32_t WM_USER = 0x400;
inline constexpr uint32_t WM_LBUTTONDOWN = 513;
inline constexpr uint32_t WM_RBUTTONDOWN = 516;

// The record handed to the shell for one notification-area icon, 88 bytes.
struct TNotifyIconData {
  uint32_t cbSize = 0;
  uint32_t hWnd = 0;
  uint32_t uID = 0;
  uint32_t uFlags = 0;
  uint32_t uCallbackMessage = 0;
  uint32_t hIcon = 0;
  char szTip[64] = {};
};
static_assert(sizeof(TNotifyIconData) == 88);
static_assert(offsetof(TNotifyIconData, cbSize) == 0);
static_assert(offsetof(TNotifyIconData, hWnd) == 4);
static_assert(offsetof(TNotifyIconData, uID) == 8);
static_assert(offsetof(TNotifyIconData, uFlags) == 12);
static_assert(offsetof(TNotifyIconData, uCallbackMessage) == 16);
static_assert(offsetof(TNotifyIconData, hIcon) == 20);
static_assert(offsetof(TNotifyIconData, szTip) == 24);

// A point in screen coordinates.
struct TPoint {
  int32_t X = 0;
  int32_t Y = 0;
};

// An icon object with a 32-bit handle of its own, given at construction and
// kept across assignments, so that a record can name it and the shell can
// find its image again.
class TIcon {
public:
  // Build an empty icon with a fresh handle.
  TIcon() : FHandle(NextHandle()++) { Table()[FHandle] = this; }
  // Build a copy of Other's image with a fresh handle.
  TIcon(const TIcon& Other) : TIcon() { FImage = Other.FImage; }
  // Copy Other's image, keeping this icon's handle.
  TIcon& operator=(const TIcon& Other)
  {
    FImage = Other.FImage;
    return *this;
  }
  // Release the handle.
  ~TIcon() { Table().erase(FHandle); }

  // Return the handle that names this icon.
  uint32_t Handle() const { return FHandle; }
  // Return the image.
  const QIcon& Image() const { return FImage; }
  // Replace the image.
  void SetImage(const QIcon& Image) { FImage = Image; }
  // Copy Other's image, keeping this icon's handle.
  void Assign(const TIcon& Other) { FImage = Other.FImage; }
  // Return the icon named by Handle, or nullptr when there is none.
  static const TIcon* FromHandle(uint32_t Handle)
  {
    auto It = Table().find(Handle);
    return It == Table().end() ? nullptr : It->second;
  }

private:
  static std::map<uint32_t, TIcon*>& Table()
  {
    static std::map<uint32_t, TIcon*> Icons;
    return Icons;
  }
  static uint32_t& NextHandle()
  {
    static uint32_t Next = 0x10001;
    return Next;
  }

  uint32_t FHandle;
  QIcon FImage;
};

// Port to the shell and window-system calls the tray icon component makes.
class TTrayShell {
public:
  virtual ~TTrayShell() = default;
  // Add (NIM_ADD), update (NIM_MODIFY) or remove (NIM_DELETE) the icon Data describes.
  virtual bool Shell_NotifyIconA(uint32_t Message, const TNotifyIconData& Data) = 0;
  // Show (SW_SHOW) or hide (SW_HIDE) the taskbar entry of the application window Handle.
  virtual bool ShowWindow(uint32_t Handle, int32_t Command) = 0;
  // Return the mouse cursor position in screen coordinates.
  virtual TPoint GetCursorPos() = 0;
};
