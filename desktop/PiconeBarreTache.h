#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "TTrayShell.h"

// Close action of a form's close handler; caNone keeps the form open.
using TCloseAction = int32_t;
inline constexpr TCloseAction caNone = 0;
// Close handler: the sender and the close action, passed by reference.
using TCloseEvent = std::function<void(void* Sender, TCloseAction& Action)>;
// Plain event handler taking the sender.
using TNotifyEvent = std::function<void(void* Sender)>;

// Callback message the shell sends for icon notifications (WM_USER + 100).
inline constexpr uint32_t TrayCallbackMessage = WM_USER + 100;

// A form as the tray icon component sees it.  The form's adapter calls
// OnClose (when set) on every close request and keeps the window open
// when the action comes back caNone.
class TTrayForm {
public:
  virtual ~TTrayForm() = default;
  // Return whether the form is shown.
  virtual bool Visible() const = 0;
  // Show or hide the form.
  virtual void SetVisible(bool Value) = 0;
  // Handler run on every close request; may be empty.
  TCloseEvent OnClose;
};

// The application object as the tray icon component sees it.  Its owner
// calls OnActivate (when set) each time the application becomes active.
class TTrayApplication {
public:
  // Return the application icon.
  TIcon Icon;
  // Handle of the window that carries the program's taskbar entry.
  uint32_t Handle = 1;
  // Main form, nullptr until there is one.
  TTrayForm* MainForm = nullptr;
  // Whether the main form is shown at start.
  bool ShowMainForm = true;
  // Handler run on activation; may be empty.
  TNotifyEvent OnActivate;
};

// A popup menu the component can open at a screen position.
class TTrayMenu {
public:
  virtual ~TTrayMenu() = default;
  // Pop the menu up with its top-left corner at (X, Y).
  virtual void Popup(int32_t X, int32_t Y) = 0;
};

// A window message as delivered to the component's message window.
struct TMessage {
  uint32_t Msg = 0;
  uint32_t WParam = 0;
  int32_t LParam = 0;
  int32_t Result = 0;
};

class TPiconeBarreTache;

// The component's message window: receives the shell's icon notifications.
// Its handle is a small id of its own, made when it is first asked for.
class TPourHandle {
public:
  // Build the message window of Owner, a child of the owner form.
  TPourHandle(TPiconeBarreTache& Owner, TTrayForm& Parent);
  // Release the handle.
  ~TPourHandle();
  TPourHandle(const TPourHandle&) = delete;
  TPourHandle& operator=(const TPourHandle&) = delete;

  // Return the handle, making it on the first call.
  uint32_t Handle();
  // Return whether the handle has been made.
  bool HandleAllocated() const { return FHandle != 0; }
  // Return the owner form this window is a child of.
  TTrayForm& Parent() const { return FParent; }
  // Handle a TrayCallbackMessage: a right press pops the menu up at the
  // cursor, a left press shows the main form and the taskbar entry; the
  // result is 0.
  void IconNotify(TMessage& Message);
  // Deliver Message to the window named Handle; answer false when no such
  // window exists or the message is not TrayCallbackMessage.
  static bool Dispatch(uint32_t Handle, TMessage& Message);

private:
  TPiconeBarreTache& FOwner;
  TTrayForm& FParent;
  uint32_t FHandle = 0;
};

// The notification-area icon component.  Use, as the main window does:
//   construct with the owner form, the application and the shell (it copies
//   Application.Icon, takes over the form's OnClose and Application.OnActivate,
//   keeping the handlers found there and calling them first), then apply the
//   stored values in this order: SetMenuPop, SetReduireSiFin,
//   SetPetiteIconeVisible, SetGrandeIconeVisible, SetApplicationCachee,
//   SetHint; then call Loaded(), which adds the icon.  The shell delivers
//   presses through TPourHandle::Dispatch(IconData().hWnd, ...).
// The destructor deletes an added icon and puts both saved handlers back.
class TPiconeBarreTache {
public:
  // Build the component for Owner within Application, making its calls through Shell.
  TPiconeBarreTache(TTrayForm& Owner, TTrayApplication& Application, TTrayShell& Shell);
  // Delete the icon when added and restore the saved handlers.
  ~TPiconeBarreTache();
  TPiconeBarreTache(const TPiconeBarreTache&) = delete;
  TPiconeBarreTache& operator=(const TPiconeBarreTache&) = delete;

  // Finish loading: fill IconData and add the icon when PetiteIconeVisible.
  void Loaded();

  // Return the menu popped up on a right press, or nullptr.
  TTrayMenu* MenuPop() const { return FMenuPop; }
  // Set the menu popped up on a right press; it must outlive the component.
  void SetMenuPop(TTrayMenu* Value) { FMenuPop = Value; }
  // Return whether a close request on the owner form hides it instead.
  bool ReduireSiFin() const { return FReduireSiFin; }
  // Set whether a close request on the owner form hides it instead.
  void SetReduireSiFin(bool Value) { FReduireSiFin = Value; }
  // Return whether the icon is wanted in the notification area.
  bool PetiteIconeVisible() const { return FPetiteIconeVisible; }
  // Add or delete the icon; nothing when the value is unchanged or before Loaded.
  void SetPetiteIconeVisible(bool Value);
  // Return whether the taskbar entry is wanted.
  bool GrandeIconeVisible() const { return FGrandeIconeVisible; }
  // Record the value and show or hide the taskbar entry, on every call.
  void SetGrandeIconeVisible(bool Value);
  // Return whether the main form is to be hidden.
  bool ApplicationCachee() const { return FApplicationCachee; }
  // Hide or show the main form (before there is one, only hiding is recorded).
  void SetApplicationCachee(bool Value);
  // Return the component's own icon object.
  const TIcon& Icone() const { return FIcone; }
  // Copy Value into the component's icon and update the shown icon when added.
  void SetIcone(const TIcon& Value);
  // Return the tooltip text last set (UTF-8).
  const std::string& Hint() const { return FHint; }
  // Record the tooltip text and copy it into szTip (Windows-1252, NUL after
  // it), then update the shown icon when added.  Over 63 bytes the text is
  // still recorded, szTip keeps its previous text and TRangeError is raised.
  void SetHint(const std::string& Value);

  // Close handler installed on the owner form.
  void OwnerFormClose(void* Sender, TCloseAction& Action);
  // Activation handler installed on the application.
  void ApplicationActivate(void* Sender);

  // Return the record handed to the shell.
  const TNotifyIconData& IconData() const { return FIconData; }
  // Return whether the icon is in the notification area.
  bool IconAdded() const { return FIconAdded; }
  // Return whether Loaded has run.
  bool LoadDone() const { return FLoadDone; }
  // Return the message window.
  TPourHandle& PourHandle() { return FPourHandle; }

private:
  friend class TPourHandle;
  // Set every member of IconData but szTip.
  void FillIconData();

  TTrayApplication& FApplication;
  TTrayShell& FShell;
  TIcon FIcone;
  TPourHandle FPourHandle;
  TTrayForm& FOwnerForm;
  TNotifyIconData FIconData;
  TCloseEvent FSavedOnClose;
  TNotifyEvent FSavedOnActivate;
  TTrayMenu* FMenuPop = nullptr;
  std::string FHint;
  bool FIconAdded = false;
  bool FLoadDone = false;
  bool FReduireSiFin = false;
  bool FPetiteIconeVisible = false;
  bool FGrandeIconeVisible = false;
  bool FApplicationCachee = false;
};
