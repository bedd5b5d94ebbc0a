#include "PiconeBarreTache.h"

#include <cstring>
#include <map>

#include "Cp1252.h"
#include "TError.h"

namespace {

// The message windows by handle, so that a notification finds its window.
std::map<uint32_t, TPourHandle*>& Windows()
{
  static std::map<uint32_t, TPourHandle*> Table;
  return Table;
}

// Return a handle no live window holds.
uint32_t NewWindowHandle()
{
  static uint32_t Next = 0x20001;
  while (Windows().count(Next) != 0 || Next == 0)
    ++Next;
  return Next++;
}

} // namespace

TPourHandle::TPourHandle(TPiconeBarreTache& Owner, TTrayForm& Parent) : FOwner(Owner), FParent(Parent) {}

TPourHandle::~TPourHandle()
{
  if (FHandle != 0)
    Windows().erase(FHandle);
}

uint32_t TPourHandle::Handle()
{
  if (FHandle == 0) {
    FHandle = NewWindowHandle();
    Windows()[FHandle] = this;
  }
  return FHandle;
}

void TPourHandle::IconNotify(TMessage& Message)
{
  TPiconeBarreTache& C = FOwner;
  if (Message.LParam == static_cast<int32_t>(WM_RBUTTONDOWN)) {
    const TPoint Cursor = C.FShell.GetCursorPos();
    if (C.FMenuPop != nullptr)
      C.FMenuPop->Popup(Cursor.X, Cursor.Y);
  }
  if (Message.LParam == static_cast<int32_t>(WM_LBUTTONDOWN)) {
    if (C.FApplication.MainForm != nullptr)
      C.FApplication.MainForm->SetVisible(true);
    C.FShell.ShowWindow(C.FApplication.Handle, SW_SHOW);
  }
  Message.Result = 0;
}

bool TPourHandle::Dispatch(uint32_t Handle, TMessage& Message)
{
  auto It = Windows().find(Handle);
  if (It == Windows().end() || Message.Msg != TrayCallbackMessage)
    return false;
  It->second->IconNotify(Message);
  return true;
}

TPiconeBarreTache::TPiconeBarreTache(TTrayForm& Owner, TTrayApplication& Application, TTrayShell& Shell)
    : FApplication(Application), FShell(Shell), FIcone(), FPourHandle(*this, Owner), FOwnerForm(Owner)
{
  FIcone.Assign(FApplication.Icon);
  FIconData.hIcon = FIcone.Handle();

  FSavedOnClose = std::move(FOwnerForm.OnClose);
  FOwnerForm.OnClose = [this](void* Sender, TCloseAction& Action) { OwnerFormClose(Sender, Action); };
  FSavedOnActivate = std::move(FApplication.OnActivate);
  FApplication.OnActivate = [this](void* Sender) { ApplicationActivate(Sender); };
}

TPiconeBarreTache::~TPiconeBarreTache()
{
  if (FIconAdded) {
    FShell.Shell_NotifyIconA(NIM_DELETE, FIconData);
    FIconAdded = false;
  }
  FOwnerForm.OnClose = std::move(FSavedOnClose);
  FApplication.OnActivate = std::move(FSavedOnActivate);
}

void TPiconeBarreTache::FillIconData()
{
  FIconData.cbSize = sizeof(TNotifyIconData);
  FIconData.hWnd = FPourHandle.Handle();
  FIconData.uID = 1;
  FIconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  FIconData.uCallbackMessage = TrayCallbackMessage;
  FIconData.hIcon = FIcone.Handle();
}

void TPiconeBarreTache::Loaded()
{
  FillIconData();
  FLoadDone = true;
  if (FPetiteIconeVisible) {
    FShell.Shell_NotifyIconA(NIM_ADD, FIconData);
    FIconAdded = true;
  }
}

void TPiconeBarreTache::SetPetiteIconeVisible(bool Value)
{
  if (Value == FPetiteIconeVisible)
    return;
  FPetiteIconeVisible = Value;
  if (!FLoadDone)
    return;
  if (Value && !FIconAdded) {
    FillIconData();
    FShell.Shell_NotifyIconA(NIM_ADD, FIconData);
    FIconAdded = true;
  } else if (FIconAdded) {
    FShell.Shell_NotifyIconA(NIM_DELETE, FIconData);
    FIconAdded = false;
  }
}

void TPiconeBarreTache::SetGrandeIconeVisible(bool Value)
{
  FGrandeIconeVisible = Value;
  FShell.ShowWindow(FApplication.Handle, Value ? SW_SHOW : SW_HIDE);
}

void TPiconeBarreTache::SetApplicationCachee(bool Value)
{
  FApplicationCachee = Value;
  if (FApplication.MainForm != nullptr)
    FApplication.MainForm->SetVisible(!Value);
  else if (Value)
    FApplication.ShowMainForm = false;
}

void TPiconeBarreTache::SetIcone(const TIcon& Value)
{
  FIcone.Assign(Value);
  FIconData.hIcon = FIcone.Handle();
  if (FIconAdded)
    FShell.Shell_NotifyIconA(NIM_MODIFY, FIconData);
}

void TPiconeBarreTache::SetHint(const std::string& Value)
{
  FHint = Value;
  const std::string Bytes = Utf8ToCp1252(Value);
  if (Bytes.size() >= sizeof FIconData.szTip)
    throw TRangeError();
  std::memcpy(FIconData.szTip, Bytes.data(), Bytes.size());
  FIconData.szTip[Bytes.size()] = '\0';
  if (FIconAdded)
    FShell.Shell_NotifyIconA(NIM_MODIFY, FIconData);
}

void TPiconeBarreTache::OwnerFormClose(void* Sender, TCloseAction& Action)
{
  if (FSavedOnClose)
    FSavedOnClose(Sender, Action);
  if (FReduireSiFin) {
    FShell.ShowWindow(FApplication.Handle, SW_HIDE);
    FOwnerForm.SetVisible(false);
    Action = caNone;
  }
}

void TPiconeBarreTache::ApplicationActivate(void* Sender)
{
  if (FSavedOnActivate)
    FSavedOnActivate(Sender);
  if (!FGrandeIconeVisible)
    FShell.ShowWindow(FApplication.Handle, SW_HIDE);
}
