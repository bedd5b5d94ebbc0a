#include <QAction>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <gtest/gtest.h>

#include "TDesktopRig.h"
#include "TGauge.h"
#include "TShape.h"
#include "Unit1.h"
#include "Unit2.h"

namespace {

class Banner : public ::testing::Test {
protected:
  void SetUp() override
  {
    TDesktopRig::WriteLines(ResetDayFileName, {"5"});
    Rig.Build();
    // The tests drive the timers' handlers themselves.
    Form1->Timer1->stop();
    Form1->Timer2->stop();
  }

  TDesktopRig Rig;
};

TEST_F(Banner, ShapeIsTheFortyEightRectanglesAndElementsSitAtTheirPlacesInStackingOrder)
{
  const QRegion& Shape = Form1->mask();
  EXPECT_EQ(Shape.rectCount(), 48);
  EXPECT_EQ(Shape.boundingRect(), QRect(QPoint(12, 0), QPoint(263, 85)));
  EXPECT_TRUE(Shape.contains(QPoint(176, 0)));
  EXPECT_FALSE(Shape.contains(QPoint(175, 0)));
  EXPECT_TRUE(Shape.contains(QPoint(45, 85)));
  EXPECT_FALSE(Shape.contains(QPoint(46, 85)));
  EXPECT_EQ(Shape, Form1->Region());

  struct TPlace {
    QWidget* Element;
    const char* Name;
    QRect Geometry; // an empty size: sized to its text, only the corner is checked
  };
  const TPlace Places[] = {
      {Form1->Gauge1, "Gauge1", QRect(178, 2, 63, 7)},   {Form1->Label3, "Label3", QRect(141, 16, 0, 0)},
      {Form1->Label2, "Label2", QRect(192, 16, 0, 0)},   {Form1->Label7, "Label7", QRect(230, 16, 0, 0)},
      {Form1->origine, "origine", QRect(30, 48, 31, 37)}, {Form1->Label1, "Label1", QRect(22, 32, 235, 13)},
      {Form1->Label8, "Label8", QRect(32, 16, 111, 15)},  {Form1->Shape1, "Shape1", QRect(40, 74, 11, 17)},
      {Form1->Shape2, "Shape2", QRect(16, 48, 65, 65)},
  };
  QStringList Stacking;
  for (QObject* Child : Form1->children())
    if (Child->isWidgetType() && !Child->inherits("QMenu"))
      Stacking << Child->objectName();
  QStringList Expected;
  for (const TPlace& Place : Places) {
    Expected << Place.Name;
    if (Place.Geometry.isEmpty())
      EXPECT_EQ(Place.Element->pos(), Place.Geometry.topLeft()) << Place.Name;
    else
      EXPECT_EQ(Place.Element->geometry(), Place.Geometry) << Place.Name;
  }
  EXPECT_EQ(Stacking, Expected);

  EXPECT_EQ(Form1->Label3->text(), "Débit E/S:");
  EXPECT_EQ(Form1->Label7->text(), "o/s ");
  EXPECT_EQ(Form1->Label8->text(), "Déconnecté");
  EXPECT_EQ(Form1->Label1->font().pixelSize(), 11);
  EXPECT_EQ(Form1->Label1->palette().color(QPalette::WindowText), QColor(255, 255, 0));
  EXPECT_FALSE(Form1->Label1->autoFillBackground());
  EXPECT_FALSE(Form1->Shape2->isVisibleTo(Form1));
  EXPECT_EQ(Form1->Shape1->BrushColor(), clGreen);
  EXPECT_FALSE(Form1->Gauge1->isEnabled());
  EXPECT_TRUE(Form1->Gauge1->testAttribute(Qt::WA_TransparentForMouseEvents));
  EXPECT_EQ(Form1->Gauge1->MaxValue(), 10);
  EXPECT_TRUE(Form1->windowFlags().testFlag(Qt::FramelessWindowHint));
  EXPECT_TRUE(Form1->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(Banner, MarqueeMovesOnePixelWrapsAtTheScreenWidthAndCyclesTheGauge)
{
  struct TCase {
    int Left;
    int After;
  };
  for (const TCase& Case : {TCase{0, 1}, TCase{788, 789}, TCase{789, 0}, TCase{900, 0}}) {
    Form1->move(Case.Left, Form1->y());
    Form1->Timer2Timer();
    EXPECT_EQ(Form1->x(), Case.After) << Case.Left;
    EXPECT_EQ(Form1->y(), -48);
  }
  Rig.Shell.Taskbar.clear();
  Click(Form1->origine, QPoint(5, 5));
  std::vector<int> Progress;
  for (int Tick = 0; Tick < 12; ++Tick) {
    Form1->Timer2Timer();
    Progress.push_back(Form1->Gauge1->Progress());
  }
  EXPECT_EQ(Progress, (std::vector<int>{5, 6, 7, 8, 9, 10, 0, 1, 2, 3, 4, 5}));
  // Every marquee tick hides the taskbar entry again.
  EXPECT_EQ(Rig.Shell.Taskbar, std::vector<int32_t>(12, SW_HIDE));

  // Tucked, the bar is above the screen: the gauge keeps counting and is drawn once it shows again.
  SendMouse(Form1, QEvent::MouseMove, QPoint(60, 10), Qt::NoButton, Qt::NoButton);
  Form1->Timer2Timer();
  Form1->Timer2Timer();
  EXPECT_EQ(Rig.Display.Form1.Gauge1.Progress, 7);
  EXPECT_EQ(Form1->Gauge1->Progress(), 5);
  Click(Form1->origine, QPoint(5, 5));
  EXPECT_EQ(Form1->Gauge1->Progress(), 7);
}

TEST_F(Banner, MouseTucksRevealsAndCtrlPressShowsTheConnectionWindow)
{
  struct TStep {
    const char* What;
    QWidget* Target;
    QEvent::Type Type;
    Qt::MouseButton Button;
    Qt::KeyboardModifiers Modifiers;
    int Top;
    bool Form2Shown;
  };
  const TStep Steps[] = {
      {"left press on the handle", Form1->origine, QEvent::MouseButtonPress, Qt::LeftButton, Qt::NoModifier, -48, false},
      {"left release on the handle", Form1->origine, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoModifier, 48, false},
      {"move over a label", Form1->Label1, QEvent::MouseMove, Qt::NoButton, Qt::NoModifier, 48, false},
      {"move over the state marker", Form1->Shape1, QEvent::MouseMove, Qt::NoButton, Qt::NoModifier, 48, false},
      {"move over the bare skin", Form1, QEvent::MouseMove, Qt::NoButton, Qt::NoModifier, -48, false},
      {"move over the bare skin again", Form1, QEvent::MouseMove, Qt::NoButton, Qt::NoModifier, -48, false},
      {"left press on the marker", Form1->Shape1, QEvent::MouseButtonPress, Qt::LeftButton, Qt::NoModifier, -48, false},
      {"left release on the marker", Form1->Shape1, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoModifier, -48, false},
      {"right press on the handle", Form1->origine, QEvent::MouseButtonPress, Qt::RightButton, Qt::NoModifier, -48, false},
      {"ctrl right press on the handle", Form1->origine, QEvent::MouseButtonPress, Qt::RightButton, Qt::ControlModifier, -48, true},
  };
  for (const TStep& Step : Steps) {
    const Qt::MouseButtons Held = Step.Type == QEvent::MouseButtonPress ? Qt::MouseButtons(Step.Button) : Qt::NoButton;
    SendMouse(Step.Target, Step.Type, QPoint(5, 5), Step.Button, Held, Step.Modifiers);
    EXPECT_EQ(Form1->y(), Step.Top) << Step.What;
    EXPECT_EQ(Form2->isVisible(), Step.Form2Shown) << Step.What;
  }
  // A release away from the handle is no click.
  SendMouse(Form1->origine, QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton, Qt::LeftButton);
  SendMouse(Form1->origine, QEvent::MouseButtonRelease, QPoint(200, 5), Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(Form1->y(), -48);
}

TEST_F(Banner, DragOnTheSkinMovesTheWindowAndTheNextMoveTucksItWhereDropped)
{
  Click(Form1->origine, QPoint(5, 5));
  ASSERT_EQ(Form1->y(), 48);
  const QPoint Grab(120, 40);
  const QPoint Start = Form1->mapToGlobal(Grab);
  SendMouse(Form1, QEvent::MouseButtonPress, Grab, Qt::LeftButton, Qt::LeftButton);
  QMouseEvent Drag(QEvent::MouseMove, QPointF(Grab), QPointF(Start + QPoint(300, 20)), Qt::NoButton, Qt::LeftButton,
                   Qt::NoModifier);
  QApplication::sendEvent(Form1, &Drag);
  EXPECT_EQ(Form1->pos(), QPoint(300, 68));
  SendMouse(Form1, QEvent::MouseButtonRelease, Grab, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(Form1->pos(), QPoint(300, 68));
  SendMouse(Form1, QEvent::MouseMove, Grab, Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(Form1->pos(), QPoint(300, -48));
}

TEST_F(Banner, RightClickAnywhereOpensThePopupMenuAtThePointer)
{
  for (QWidget* Target : std::initializer_list<QWidget*>{Form1, Form1->Label1, Form1->origine, Form1->Shape1}) {
    QContextMenuEvent Event(QContextMenuEvent::Mouse, QPoint(3, 3), QPoint(250, 30));
    QApplication::sendEvent(Target, &Event);
    EXPECT_TRUE(Form1->PopupMenu1->isVisible()) << Target->objectName().toStdString();
    Form1->PopupMenu1->hide();
  }
}

TEST_F(Banner, PopupMenuHasItsFourteenItemsInOrder)
{
  struct TItem {
    const char* Name;
    const char* Caption;
  };
  const TItem Top[] = {
      {"Voirledtaildesconnexions1", "Voir le détail des connexions"},
      {"VoirJaugeAgrandie1", "Voir Jauge Agrandie"},
      {"Rinitialiserlecompteur1", "Réinitialiser le compteur"},
      {"JourdeRAZ1", "Jour de R.A.Z."},
      {"Fixerleforfait1", "Fixer le forfait"},
      {"Rduite1", "Masquer"},
      {"Aproposde1", "A propos de ..."},
      {"VersionInfo1", "Version Info"},
      {"Unpetitcoupdemain1", "Un petit coup de main"},
      {"Dcrocher1", "Décrocher"},
      {"Raccrocher1", "Raccrocher"},
      {"Quitter1", "Quitter"},
  };
  const TItem Sub[] = {{"Changer1", "Changer"}, {"Voir1", "Voir"}};
  auto Check = [](QMenu* Menu, const TItem* Items, size_t Count) {
    const QList<QAction*> Actions = Menu->actions();
    ASSERT_EQ(static_cast<size_t>(Actions.size()), Count);
    for (size_t I = 0; I < Count; ++I) {
      QAction* Item = Actions[static_cast<qsizetype>(I)];
      EXPECT_EQ(Item->objectName(), Items[I].Name);
      EXPECT_EQ(Item->text(), QString::fromUtf8(Items[I].Caption));
      EXPECT_FALSE(Item->isSeparator());
      EXPECT_TRUE(Item->isEnabled());
      EXPECT_FALSE(Item->isChecked());
    }
  };
  Check(Form1->PopupMenu1, Top, std::size(Top));
  ASSERT_EQ(Form1->PopupMenu1->actions()[3]->menu(), Form1->JourdeRAZ1);
  Check(Form1->JourdeRAZ1, Sub, std::size(Sub));
  EXPECT_EQ(Form1->PiconeBarreTache1->MenuPop() != nullptr, true);
}

TEST_F(Banner, MenuCommandsReachTheirHandlersAndWindows)
{
  Form1->Voirledtaildesconnexions1->trigger();
  Form1->VoirJaugeAgrandie1->trigger();
  Form1->Dcrocher1->trigger();
  Form1->Raccrocher1->trigger();
  EXPECT_TRUE(Form2->isVisible());
  EXPECT_TRUE(Form1->isVisible());
  EXPECT_EQ(Rig.Dialler.Calls, (std::vector<std::string>{"dial", "hangup"}));
  Form1->Aproposde1->trigger();
  ASSERT_EQ(Rig.Dialogs.Shown.size(), 1u);
  const std::string& About = Rig.Dialogs.Shown[0].Text;
  EXPECT_EQ(Rig.Dialogs.Shown[0].Kind, "message");
  EXPECT_EQ(std::count(About.begin(), About.end(), '\n'), 10);
  EXPECT_NE(About.find("(temps mort arbitraire = 10 Secondes)\r\n\r\nQuoi de neuf dans cette version"),
            std::string::npos);
  EXPECT_NE(About.back(), '\n');
  // The quit command, refused while the banner shows the link up.
  Rig.Display.Form1.Color = clRed;
  Form1->Quitter1->trigger();
  EXPECT_EQ(Rig.App.Terminated, 0);
  Rig.Display.Form1.Color = clGreen;
  Form1->Quitter1->trigger();
  EXPECT_EQ(Rig.App.Terminated, 1);
}

TEST_F(Banner, MasquerTogglesByItsMarkEvenAfterTheTrayShowedTheBanner)
{
  Form1->Rduite1->trigger();
  EXPECT_FALSE(Form1->isVisible());
  EXPECT_TRUE(Form1->Rduite1->isChecked());
  Form1->Rduite1->trigger();
  EXPECT_TRUE(Form1->isVisible());
  EXPECT_FALSE(Form1->Rduite1->isChecked());

  Form1->Rduite1->trigger();
  ASSERT_FALSE(Form1->isVisible());
  TMessage Press{TrayCallbackMessage, 1, static_cast<int32_t>(WM_LBUTTONDOWN), 0};
  ASSERT_TRUE(TPourHandle::Dispatch(Form1->PiconeBarreTache1->IconData().hWnd, Press));
  EXPECT_TRUE(Form1->isVisible());
  EXPECT_TRUE(Form1->Rduite1->isChecked());
  Form1->Rduite1->trigger();
  EXPECT_TRUE(Form1->isVisible());
  EXPECT_FALSE(Form1->Rduite1->isChecked());
  Form1->Rduite1->trigger();
  EXPECT_FALSE(Form1->isVisible());
  EXPECT_TRUE(Form1->Rduite1->isChecked());
}

TEST_F(Banner, CloseRequestsAreRefusedAndOtherWindowsOnlyHide)
{
  EXPECT_FALSE(Form1->close());
  EXPECT_TRUE(Form1->isVisible());
  Form1->showMinimized();
  EXPECT_EQ(Form1->windowState(), Qt::WindowNoState);
  Form2->show();
  EXPECT_TRUE(Form2->close());
  EXPECT_FALSE(Form2->isVisible());
  ASSERT_NE(Form2, nullptr);
  Form2->show();
  EXPECT_TRUE(Form2->isVisible());
}

TEST_F(Banner, TicksRenderTheCoreRecordsAndAnimateTheTrayIcon)
{
  Rig.ConnectLink();
  Rig.Monitor.CaptureMIBData(true);
  Rig.Shell.Calls.clear();
  std::vector<qint64> Icons;
  for (int Tick = 0; Tick < 4; ++Tick) {
    Form1->Timer1Timer();
    ASSERT_FALSE(Rig.Shell.Calls.empty());
    EXPECT_EQ(Rig.Shell.Calls.back().Message, NIM_MODIFY);
    Icons.push_back(Rig.Shell.Calls.back().Image);
  }
  const auto& Frames = Form1->ImageList1;
  const qint64 Frame[] = {Frames[0].Image().cacheKey(), Frames[1].Image().cacheKey(), Frames[2].Image().cacheKey()};
  EXPECT_EQ(Icons, (std::vector<qint64>{Frame[0], Frame[1], Frame[2], Frame[0]}));
  EXPECT_NE(Frame[0], Frame[1]);
  EXPECT_EQ(Form1->Label8->text(), "0h0m14s");
  EXPECT_EQ(Form1->Shape1->BrushColor(), clRed);
  EXPECT_FALSE(Form1->Dcrocher1->isEnabled());
  EXPECT_TRUE(Form1->Raccrocher1->isEnabled());

  Rig.Connected.Connected = false;
  Form1->Timer1Timer();
  EXPECT_EQ(Rig.Shell.Calls.back().Image, Rig.Windows->TrayApplication().Icon.Image().cacheKey());
  EXPECT_EQ(Form1->Label8->text(), "Déconnecté");
  EXPECT_EQ(TDesktopRig::ReadLines(CounterFileName)[1], "14");
  // An unchanged icon is not handed to the shell again.
  const size_t Before = Rig.Shell.Calls.size();
  Form1->Timer1Timer();
  EXPECT_EQ(Rig.Shell.Calls.size(), Before);
}

} // namespace
