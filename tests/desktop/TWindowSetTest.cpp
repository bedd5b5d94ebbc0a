#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QTimer>
#include <gtest/gtest.h>

#include "TDesktopRig.h"
#include "TGauge.h"
#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"
#include "Unit4.h"
#include "VerAbout.h"

namespace {

TEST(WindowSet, BuildsTheFiveWindowsInOrderWithTheBannerTuckedAndTheSplashShown)
{
  TDesktopRig Rig;
  Rig.IpHelper.IfRows = {MakeIfRow(1, "lo")};
  Rig.Build();
  ASSERT_NE(Form1, nullptr);

  EXPECT_EQ(Rig.Windows->StartupSteps(),
            (std::vector<std::string>{"VerAboutBox", "VerAboutBox shown", "Form2", "Form4", "Title", "Form1", "Form3"}));
  EXPECT_EQ(QCoreApplication::applicationName(), "Tavrelo");
  EXPECT_TRUE(VerAboutBox->isVisible());
  EXPECT_FALSE(Form2->isVisible());
  EXPECT_FALSE(Form3->isVisible());
  EXPECT_TRUE(Form1->isVisible());
  EXPECT_EQ(Form1->geometry(), QRect(0, -48, 1024, 740));
  EXPECT_TRUE(Form1->Timer1->isActive());
  EXPECT_TRUE(Form1->Timer2->isActive());
  EXPECT_TRUE(VerAboutBox->Timer1->isActive());
  EXPECT_EQ(Rig.Windows->TrayApplication().MainForm, Form1);

  // FormCreate rebuilt the grid under the header row that Form2 wrote.
  EXPECT_FALSE(Rig.Monitor.sgmib.Cell(0, 0).empty());
  EXPECT_NE(Rig.Monitor.sgmib.Cell(0, 1).find("lo"), std::string::npos);
  EXPECT_EQ(Rig.State.PreviousLinkState, LinkDisconnected);

  // The first reload created the counter file and showed the help window for the missing reset day.
  EXPECT_EQ(TDesktopRig::ReadLines(CounterFileName), (std::vector<std::string>{"05/03/2026 21:07:45", "0", "1"}));
  EXPECT_TRUE(Form4->isVisible());
  EXPECT_EQ(Rig.Display.Form2.Label2.Caption, "0/3");
  EXPECT_EQ(Form2->Label2->text(), "0/3");

  // The tray icon was added once, with the application icon and its hint.
  ASSERT_EQ(Rig.Shell.Calls.size(), 1u);
  EXPECT_EQ(Rig.Shell.Calls[0].Message, NIM_ADD);
  EXPECT_STREQ(Rig.Shell.Calls[0].Data.szTip, TrayHint);
  EXPECT_EQ(Rig.Shell.Calls[0].Data.hIcon, Form1->PiconeBarreTache1->Icone().Handle());
  EXPECT_TRUE(Rig.Box.Texts.empty());
}

TEST(WindowSet, ReferencesAreSetWhileTheBannerIsBuiltAndClearedAfterwards)
{
  TDesktopRig Rig;
  TDesktopRig::WriteLines(ResetDayFileName, {"5"});
  TDesktopRig::WriteLines(CounterFileName, {"05/01/2026 10:00:00", "3700", "20"});
  Rig.Clock.Time.Day = 6;
  // The monthly reminder is due: while it is open the banner exists and Form3 does not yet.
  bool Seen = false;
  Rig.Dialogs.Then({true, "", [&] {
                      Seen = true;
                      EXPECT_NE(Form1, nullptr);
                      EXPECT_NE(Form2, nullptr);
                      EXPECT_NE(Form4, nullptr);
                      EXPECT_EQ(Form3, nullptr);
                      // A tick inside the reminder's loop renders without the gauge window.
                      Form1->Timer1Timer();
                    }});
  Rig.Build();
  EXPECT_TRUE(Seen);
  ASSERT_EQ(Rig.Dialogs.Shown.size(), 1u);
  EXPECT_EQ(Rig.Dialogs.Shown[0].Text,
            "Demander la réinitialisation du compteur car la date de forfait est dépassée de plus d'un mois");
  EXPECT_FALSE(Form4->isVisible());
  EXPECT_EQ(Form2->Label2->text(), "5/1");
  EXPECT_EQ(Form1->Label1->text().toStdString(), "1h1m40s, depuis 05/01/2026 10:00:00");
  EXPECT_TRUE(Rig.Box.Texts.empty());
  Rig.Windows.reset();
  EXPECT_EQ(Form1, nullptr);
  EXPECT_EQ(Form2, nullptr);
  EXPECT_EQ(Form3, nullptr);
  EXPECT_EQ(Form4, nullptr);
  EXPECT_EQ(VerAboutBox, nullptr);
}

TEST(WindowSet, AFailingFirstReloadIsShownAndStartUpGoesOn)
{
  TDesktopRig Rig;
  TDesktopRig::WriteLines(CounterFileName, {"05/03/2026 21:07:45", "0", "vingt"});
  Rig.Build();
  ASSERT_EQ(Rig.Box.Texts.size(), 1u);
  EXPECT_EQ(Rig.Box.Texts[0].back(), '.');
  EXPECT_NE(Rig.Box.Texts[0].find("vingt"), std::string::npos);
  // Steps 1 to 8 of FormCreate were done; the banner and the gauge window still came.
  EXPECT_TRUE(Form1->isVisible());
  EXPECT_TRUE(Form1->Timer1->isActive());
  EXPECT_EQ(Form1->y(), -48);
  ASSERT_NE(Form3, nullptr);
  EXPECT_EQ(Form2->Label2->text(), "Label2");
}

} // namespace
