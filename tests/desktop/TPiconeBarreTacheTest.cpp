#include <QGuiApplication>
#include <QPixmap>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "PiconeBarreTache.h"
#include "TError.h"
#include "TQtTrayShell.h"

namespace {

// Every call the component makes, in order, as text.
using TLog = std::vector<std::string>;

// A shell that records its calls and the records it was handed.
class TFakeShell : public TTrayShell {
public:
  explicit TFakeShell(TLog& Log) : FLog(Log) {}
  bool Shell_NotifyIconA(uint32_t Message, const TNotifyIconData& Data) override
  {
    static const char* const Names[] = {"NIM_ADD", "NIM_MODIFY", "NIM_DELETE"};
    FLog.push_back(Message < 3 ? Names[Message] : "NIM_?");
    Records.push_back(Data);
    return true;
  }
  bool ShowWindow(uint32_t Handle, int32_t Command) override
  {
    FLog.push_back("ShowWindow " + std::to_string(Handle) + " " + std::to_string(Command));
    return true;
  }
  TPoint GetCursorPos() override
  {
    FLog.push_back("GetCursorPos");
    return Cursor;
  }
  std::vector<TNotifyIconData> Records;
  TPoint Cursor{321, 7};

private:
  TLog& FLog;
};

// A form that records visibility changes.
class TFakeForm : public TTrayForm {
public:
  TFakeForm(TLog& Log, const std::string& Name) : FLog(Log), FName(Name) {}
  bool Visible() const override { return FVisible; }
  void SetVisible(bool Value) override
  {
    FLog.push_back(FName + ".Visible " + (Value ? "true" : "false"));
    FVisible = Value;
  }

private:
  TLog& FLog;
  std::string FName;
  bool FVisible = true;
};

// A menu that records where it popped up.
class TFakeMenu : public TTrayMenu {
public:
  explicit TFakeMenu(TLog& Log) : FLog(Log) {}
  void Popup(int32_t X, int32_t Y) override { FLog.push_back("Popup " + std::to_string(X) + "," + std::to_string(Y)); }

private:
  TLog& FLog;
};

QIcon Solid(Qt::GlobalColor Colour)
{
  QPixmap Pixmap(16, 16);
  Pixmap.fill(Colour);
  return QIcon(Pixmap);
}

std::string Repeat(const std::string& Text, int Times)
{
  std::string Out;
  for (int I = 0; I < Times; ++I)
    Out += Text;
  return Out;
}

std::string TipOf(const TNotifyIconData& Data)
{
  return std::string(Data.szTip, strnlen(Data.szTip, sizeof Data.szTip));
}

// The banner's tray component, before or after Loaded.
struct TRig {
  TLog Log;
  TFakeShell Shell{Log};
  TFakeForm Form{Log, "Form1"};
  TFakeMenu Menu{Log};
  TTrayApplication Application;
  std::unique_ptr<TPiconeBarreTache> Tray;

  explicit TRig(bool Load = true, bool Small = true)
  {
    Application.Handle = 77;
    Application.Icon.SetImage(Solid(Qt::red));
    Application.MainForm = &Form;
    Tray = std::make_unique<TPiconeBarreTache>(Form, Application, Shell);
    // The stored values, in their order, as the main window applies them.
    Tray->SetMenuPop(&Menu);
    Tray->SetReduireSiFin(false);
    Tray->SetPetiteIconeVisible(Small);
    Tray->SetGrandeIconeVisible(false);
    Tray->SetApplicationCachee(false);
    Tray->SetHint("Tavrelo");
    if (Load)
      Tray->Loaded();
    Log.clear();
    Shell.Records.clear();
  }
  // Deliver a notification with LParam to the component's window.
  bool Press(int32_t LParam)
  {
    TMessage Message{TrayCallbackMessage, 1, LParam, 99};
    const bool Delivered = TPourHandle::Dispatch(Tray->IconData().hWnd, Message);
    EXPECT_EQ(Message.Result, Delivered ? 0 : 99);
    return Delivered;
  }
};

} // namespace

TEST(TPiconeBarreTache, StoredValuesReachTheShellOnlyAtLoaded)
{
  for (bool Small : {true, false}) {
    SCOPED_TRACE(Small);
    TRig Rig(false, Small);
    Rig.Form.SetVisible(true);
    Rig.Log.clear();
    EXPECT_FALSE(Rig.Tray->LoadDone());
    EXPECT_FALSE(Rig.Tray->PourHandle().HandleAllocated());
    Rig.Tray->Loaded();
    EXPECT_TRUE(Rig.Tray->LoadDone());
    EXPECT_EQ(Rig.Tray->IconAdded(), Small);
    EXPECT_EQ(Rig.Log, Small ? TLog{"NIM_ADD"} : TLog{});
    if (!Small)
      continue;

    const TNotifyIconData& Data = Rig.Shell.Records.at(0);
    unsigned char Bytes[88];
    std::memcpy(Bytes, &Data, sizeof Bytes);
    auto Word = [&](int At) { return uint32_t(Bytes[At]) | Bytes[At + 1] << 8 | Bytes[At + 2] << 16 | uint32_t(Bytes[At + 3]) << 24; };
    EXPECT_EQ(Word(0), 88u);
    EXPECT_EQ(Word(4), Rig.Tray->PourHandle().Handle());
    EXPECT_NE(Word(4), 0u);
    EXPECT_EQ(Word(8), 1u);
    EXPECT_EQ(Word(12), 7u);
    EXPECT_EQ(Word(16), 1124u);
    EXPECT_EQ(Word(20), Rig.Tray->Icone().Handle());
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(Bytes + 24)), "Tavrelo");
    // The component copied the application icon into its own object.
    EXPECT_NE(Rig.Tray->Icone().Handle(), Rig.Application.Icon.Handle());
    EXPECT_EQ(Rig.Tray->Icone().Image().cacheKey(), Rig.Application.Icon.Image().cacheKey());
  }
}

TEST(TPiconeBarreTache, PetiteIconeVisibleAddsAndDeletesOnChangesOnly)
{
  TRig Rig;
  Rig.Tray->SetPetiteIconeVisible(true);
  EXPECT_EQ(Rig.Log, TLog{});
  Rig.Tray->SetPetiteIconeVisible(false);
  Rig.Tray->SetPetiteIconeVisible(false);
  EXPECT_EQ(Rig.Log, TLog{"NIM_DELETE"});
  EXPECT_FALSE(Rig.Tray->IconAdded());

  // Changes while the icon is away wait for the next add.
  TIcon Frame;
  Frame.SetImage(Solid(Qt::green));
  Rig.Tray->SetIcone(Frame);
  Rig.Tray->SetHint("Tavrelo, connecté");
  EXPECT_EQ(Rig.Log, TLog{"NIM_DELETE"});
  Rig.Tray->SetPetiteIconeVisible(true);
  EXPECT_EQ(Rig.Log, (TLog{"NIM_DELETE", "NIM_ADD"}));
  const TNotifyIconData& Added = Rig.Shell.Records.back();
  EXPECT_EQ(Added.uID, 1u);
  EXPECT_EQ(Added.hIcon, Rig.Tray->Icone().Handle());
  EXPECT_EQ(Rig.Tray->Icone().Image().cacheKey(), Frame.Image().cacheKey());
  EXPECT_EQ(TipOf(Added), "Tavrelo, connect\xE9"); // Windows-1252 bytes
  EXPECT_TRUE(Rig.Tray->IconAdded());
}

TEST(TPiconeBarreTache, IconeAndHintModifyTheShownIcon)
{
  TRig Rig;
  TIcon Frame;
  Frame.SetImage(Solid(Qt::blue));
  Rig.Tray->SetIcone(Frame);
  Rig.Tray->SetHint("");
  EXPECT_EQ(Rig.Log, (TLog{"NIM_MODIFY", "NIM_MODIFY"}));
  EXPECT_EQ(Rig.Shell.Records[0].hIcon, Rig.Tray->Icone().Handle());
  EXPECT_EQ(Rig.Tray->Icone().Image().cacheKey(), Frame.Image().cacheKey());
  EXPECT_EQ(TipOf(Rig.Shell.Records[1]), "");
}

TEST(TPiconeBarreTache, HintHoldsAtMost63Bytes)
{
  const std::string Long63(63, 'x');
  const struct {
    std::string Hint;
    bool Fits;
    std::string Tip;
  } Cases[] = {
      {"", true, ""},
      {Long63, true, Long63},
      {std::string(21, 'a') + Repeat("é", 21) + std::string(21, 'b'), true,
       std::string(21, 'a') + std::string(21, '\xE9') + std::string(21, 'b')}, // 63 characters, 84 UTF-8 bytes
      {Repeat("é", 64), false, "previous"},
      {Long63 + "y", false, "previous"},
      {std::string(200, 'z'), false, "previous"},
  };
  for (const auto& Case : Cases) {
    SCOPED_TRACE(Case.Hint.size());
    TRig Rig;
    Rig.Tray->SetHint("previous");
    Rig.Log.clear();
    if (Case.Fits) {
      Rig.Tray->SetHint(Case.Hint);
      EXPECT_EQ(Rig.Log, TLog{"NIM_MODIFY"});
    } else {
      EXPECT_THROW(Rig.Tray->SetHint(Case.Hint), TRangeError);
      EXPECT_EQ(Rig.Log, TLog{});
    }
    EXPECT_EQ(Rig.Tray->Hint(), Case.Hint);
    EXPECT_EQ(TipOf(Rig.Tray->IconData()), Case.Tip);
  }
}

TEST(TPiconeBarreTache, GrandeIconeVisibleShowsOrHidesOnEveryCall)
{
  TRig Rig;
  Rig.Tray->SetGrandeIconeVisible(false);
  Rig.Tray->SetGrandeIconeVisible(false);
  Rig.Tray->SetGrandeIconeVisible(true);
  EXPECT_EQ(Rig.Log, (TLog{"ShowWindow 77 0", "ShowWindow 77 0", "ShowWindow 77 5"}));
  EXPECT_TRUE(Rig.Tray->GrandeIconeVisible());
}

TEST(TPiconeBarreTache, ApplicationCacheeHidesTheMainFormOrDefersIt)
{
  TRig Rig;
  Rig.Tray->SetApplicationCachee(true);
  Rig.Tray->SetApplicationCachee(false);
  EXPECT_EQ(Rig.Log, (TLog{"Form1.Visible false", "Form1.Visible true"}));

  Rig.Application.MainForm = nullptr;
  Rig.Log.clear();
  Rig.Tray->SetApplicationCachee(false);
  EXPECT_TRUE(Rig.Application.ShowMainForm);
  Rig.Tray->SetApplicationCachee(true);
  EXPECT_FALSE(Rig.Application.ShowMainForm);
  EXPECT_EQ(Rig.Log, TLog{});
}

TEST(TPiconeBarreTache, IconNotifyHandlesTheTwoPressesOnly)
{
  const struct {
    int32_t LParam;
    bool WithMenu;
    TLog Calls;
  } Cases[] = {
      {516, true, {"GetCursorPos", "Popup 321,7"}},
      {516, false, {"GetCursorPos"}},
      {513, true, {"Form1.Visible true", "ShowWindow 77 5"}},
      {512, true, {}}, // move
      {514, true, {}}, // left release
      {515, true, {}}, // left double click
      {517, true, {}}, // right release
      {519, true, {}}, // middle press
  };
  for (const auto& Case : Cases) {
    SCOPED_TRACE(Case.LParam);
    TRig Rig;
    if (!Case.WithMenu)
      Rig.Tray->SetMenuPop(nullptr);
    EXPECT_TRUE(Rig.Press(Case.LParam));
    EXPECT_EQ(Rig.Log, Case.Calls);
  }

  TRig Rig;
  TMessage Other{TrayCallbackMessage + 1, 1, 516, 0};
  EXPECT_FALSE(TPourHandle::Dispatch(Rig.Tray->IconData().hWnd, Other));
  TMessage Nowhere{TrayCallbackMessage, 1, 516, 0};
  EXPECT_FALSE(TPourHandle::Dispatch(Rig.Tray->IconData().hWnd + 1000, Nowhere));
  EXPECT_EQ(Rig.Log, TLog{});
}

TEST(TPiconeBarreTache, ChainsTheHandlersItTakesOver)
{
  TLog Log;
  TFakeShell Shell(Log);
  TFakeForm Form(Log, "Form1");
  TTrayApplication Application;
  Application.Handle = 77;
  Application.MainForm = &Form;
  void* const Me = &Form;
  Form.OnClose = [&](void* Sender, TCloseAction& Action) {
    Log.push_back(std::string("saved close ") + (Sender == Me ? "sender" : "other") + " " + std::to_string(Action));
    Action = 2;
  };
  Application.OnActivate = [&](void* Sender) { Log.push_back(std::string("saved activate ") + (Sender == Me ? "sender" : "other")); };

  {
    TPiconeBarreTache Tray(Form, Application, Shell);
    const struct {
      bool Reduire;
      TLog Calls;
      TCloseAction Action;
    } Closes[] = {
        {false, {"saved close sender 1"}, 2},
        {true, {"saved close sender 1", "ShowWindow 77 0", "Form1.Visible false"}, caNone},
    };
    for (const auto& Case : Closes) {
      Tray.SetReduireSiFin(Case.Reduire);
      Log.clear();
      TCloseAction Action = 1;
      Form.OnClose(Me, Action);
      EXPECT_EQ(Log, Case.Calls);
      EXPECT_EQ(Action, Case.Action);
    }

    for (bool Large : {false, true}) {
      Tray.SetGrandeIconeVisible(Large);
      Log.clear();
      Application.OnActivate(Me);
      EXPECT_EQ(Log, Large ? TLog{"saved activate sender"} : (TLog{"saved activate sender", "ShowWindow 77 0"}));
    }
    Log.clear();
  }
  // Destroying a component whose icon was never added calls nothing, and
  // puts the handlers back.
  EXPECT_EQ(Log, TLog{});
  TCloseAction Action = 1;
  Form.OnClose(Me, Action);
  Application.OnActivate(Me);
  EXPECT_EQ(Log, (TLog{"saved close sender 1", "saved activate sender"}));

  // Without handlers of their own, the takeovers run alone.
  Form.OnClose = nullptr;
  Application.OnActivate = nullptr;
  TPiconeBarreTache Tray(Form, Application, Shell);
  Tray.SetReduireSiFin(true);
  Log.clear();
  Action = 1;
  Form.OnClose(Me, Action);
  Application.OnActivate(Me);
  EXPECT_EQ(Action, caNone);
  EXPECT_EQ(Log, (TLog{"ShowWindow 77 0", "Form1.Visible false", "ShowWindow 77 0"}));
}

TEST(TPiconeBarreTache, DestroyDeletesOnlyAnAddedIcon)
{
  for (bool Hide : {false, true}) {
    TRig Rig;
    if (Hide)
      Rig.Tray->SetPetiteIconeVisible(false);
    Rig.Log.clear();
    Rig.Tray.reset();
    EXPECT_EQ(Rig.Log, Hide ? TLog{} : TLog{"NIM_DELETE"});
  }
}

TEST(TQtTrayShell, CarriesTheIconAndThePresses)
{
  TLog Log;
  TQtTrayShell Shell;
  TFakeForm Form(Log, "Form1");
  TFakeMenu Menu(Log);
  TTrayApplication Application;
  Application.MainForm = &Form;
  Application.Icon.SetImage(Solid(Qt::red));
  auto Tray = std::make_unique<TPiconeBarreTache>(Form, Application, Shell);
  Tray->SetMenuPop(&Menu);
  Tray->SetPetiteIconeVisible(true);
  Tray->SetHint("Tavrelo, l'équipe");
  EXPECT_FALSE(Shell.TrayIcon().isVisible());
  Tray->Loaded();
  EXPECT_TRUE(Shell.TrayIcon().isVisible());
  EXPECT_EQ(Shell.TrayIcon().toolTip(), QString::fromUtf8("Tavrelo, l'équipe"));
  EXPECT_EQ(Shell.TrayIcon().icon().cacheKey(), Application.Icon.Image().cacheKey());

  TIcon Frame;
  Frame.SetImage(Solid(Qt::green));
  Tray->SetIcone(Frame);
  EXPECT_EQ(Shell.TrayIcon().icon().cacheKey(), Frame.Image().cacheKey());

  Form.SetVisible(false);
  Log.clear();
  Shell.Notify(QSystemTrayIcon::Trigger);
  Shell.Notify(QSystemTrayIcon::DoubleClick);
  Shell.Notify(QSystemTrayIcon::Context);
  ASSERT_EQ(Log.size(), 2u);
  EXPECT_EQ(Log[0], "Form1.Visible true");
  EXPECT_EQ(Log[1].rfind("Popup ", 0), 0u);

  // Off X11 there is no taskbar entry to govern.
  QWidget Banner;
  Shell.SetTaskbarWindow(&Banner);
  EXPECT_EQ(Shell.ShowWindow(Application.Handle, SW_HIDE), QGuiApplication::platformName() == "xcb");

  Tray.reset();
  EXPECT_FALSE(Shell.TrayIcon().isVisible());
  Log.clear();
  Shell.Notify(QSystemTrayIcon::Trigger);
  EXPECT_EQ(Log, TLog{});
}
