#include <gtest/gtest.h>

#include "TError.h"
#include "TErrorBoundary.h"
#include "TDesktopRig.h"

namespace {

struct TTextCase {
  const char* Raw;
  const char* Shown;
};

TEST(ErrorBoxText, AppendsAFullStopWhenTheLastCharacterSortsAfterIt)
{
  const TTextCase Cases[] = {
      {"Débordement d'entier", "Débordement d'entier."},
      {"Fichier introuvable.", "Fichier introuvable."},
      {"'' n'est pas une valeur entière correcte", "'' n'est pas une valeur entière correcte."},
      {"Erreur E/S 5/", "Erreur E/S 5/."}, // '/' comes right after '.'
      {"Attention !", "Attention !"},      // '!' sorts before '.'
      {"(fin)", "(fin)"},
      {"Réseau-", "Réseau-"},              // '-' sorts before '.'
      {"étendue é", "étendue é."},         // a non-ASCII last character sorts after '.'
      {"", ""},
  };
  for (const TTextCase& Case : Cases)
    EXPECT_EQ(ErrorBoxText(Case.Raw), Case.Shown) << Case.Raw;
}

TEST(ErrorBoundary, RendersWhatWasDoneBeforeTheFailingStepThenShowsTheBox)
{
  TRecordingErrorBox Box;
  TErrorBoundary Boundary(Box);
  std::string State = "rest";
  std::string Rendered;
  std::string RenderedWhenShown;
  Boundary.SetRender([&] { Rendered = State; });
  Box.While = [&] { RenderedWhenShown = Rendered; };

  EXPECT_FALSE(Boundary.Run([&] {
    State = "step 1 done";
    throw TIntOverflowError();
  }));
  EXPECT_EQ(RenderedWhenShown, "step 1 done");
  ASSERT_EQ(Box.Texts.size(), 1u);
  EXPECT_EQ(Box.Texts[0], "Débordement d'entier.");

  EXPECT_FALSE(Boundary.Run([] { throw std::runtime_error("plain"); }));
  EXPECT_FALSE(Boundary.Run([] { throw 42; }));
  ASSERT_EQ(Box.Texts.size(), 3u);
  EXPECT_EQ(Box.Texts[1], "plain.");
  EXPECT_FALSE(Box.Texts[2].empty());

  State = "ok";
  EXPECT_TRUE(Boundary.Run([] {}));
  EXPECT_EQ(Rendered, "ok");
  EXPECT_EQ(Box.Texts.size(), 3u);
}

TEST(ErrorBoundary, HandlersRunWhileTheBoxIsOpenAndNoneOnceEnding)
{
  TRecordingErrorBox Box;
  TErrorBoundary Boundary(Box);
  int Ticks = 0;
  // A tick that comes while the box of a failed tick is open runs, and may fail in its turn.
  Box.While = [&] {
    Box.While = nullptr;
    Boundary.Run([&] {
      ++Ticks;
      throw TRangeError();
    });
  };
  Boundary.Run([] { throw TError("Fichier introuvable"); });
  EXPECT_EQ(Ticks, 1);
  EXPECT_EQ(Box.Texts, (std::vector<std::string>{"Fichier introuvable.", "Erreur de vérification d'étendue."}));

  // A handler stopped by the end of the program shows no box.
  EXPECT_FALSE(Boundary.Run([] { throw TTerminating{}; }));
  Boundary.BeginTermination();
  EXPECT_FALSE(Boundary.Run([&] { ++Ticks; }));
  EXPECT_EQ(Ticks, 1);
  EXPECT_EQ(Box.Texts.size(), 2u);
}

} // namespace
