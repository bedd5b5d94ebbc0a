#include <cerrno>
#include <gtest/gtest.h>

#include "CheckedInt.h"
#include "Convert.h"
#include "Cp1252.h"
#include "TError.h"

TEST(StrToInt, ConvertsOrRaisesWithTheText)
{
  struct TCase {
    const char* Text;
    bool Converts;
    int32_t Value;
  };
  const TCase Cases[] = {
      {"0", true, 0},           {"42", true, 42},       {"  7", true, 7},         {"-5", true, -5},
      {"+5", true, 5},          {"007", true, 7},       {"2147483647", true, INT32_MAX},
      {"-2147483648", true, INT32_MIN},                 {"2147483648", false, 0}, {"-2147483649", false, 0},
      {"99999999999999999999", false, 0},               {"", false, 0},           {" ", false, 0},
      {"-", false, 0},          {"12 ", false, 0},      {"1a", false, 0},         {"abc", false, 0},
      {"1.5", false, 0},        {"$10", false, 0},      {"\t1", false, 0},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Text);
    if (Case.Converts) {
      EXPECT_EQ(StrToInt(Case.Text), Case.Value);
    } else {
      try {
        StrToInt(Case.Text);
        ADD_FAILURE() << "converted";
      } catch (const TConvertError& Error) {
        EXPECT_EQ(Error.what(), "'" + std::string(Case.Text) + "' n'est pas une valeur entière correcte");
      }
    }
  }
}

TEST(Trim, RemovesCodesUpTo32AtBothEnds)
{
  EXPECT_EQ(Trim("  a b \t\r\n"), "a b");
  EXPECT_EQ(Trim(std::string("\0\x01x\x1f", 4)), "x");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(Trim("é"), "é"); // bytes above 127 are kept
}

TEST(CheckedInt, RaisesOverflowAndRange)
{
  EXPECT_EQ(CheckedAdd(INT32_MAX - 1, 1), INT32_MAX);
  EXPECT_THROW(CheckedAdd(INT32_MAX, 1), TIntOverflowError);
  EXPECT_THROW(CheckedSub(INT32_MIN, 1), TIntOverflowError);
  EXPECT_EQ(CheckedMul(46340, 46340), 2147395600);
  EXPECT_THROW(CheckedMul(46341, 46341), TIntOverflowError);
  EXPECT_EQ(CheckedRange(2147483647.9), INT32_MAX);
  EXPECT_THROW(CheckedRange(2147483648.0), TRangeError);
  EXPECT_STREQ(TIntOverflowError().what(), "Débordement d'entier");
  EXPECT_STREQ(TRangeError().what(), "Erreur de vérification d'étendue");
}

TEST(TInOutError, TextsFollowErrno)
{
  const std::pair<int, const char*> Cases[] = {
      {ENOENT, "Fichier introuvable"},     {EMFILE, "Trop de fichiers ouverts"},
      {ENFILE, "Trop de fichiers ouverts"}, {EACCES, "Accès au fichier refusé"},
      {EPERM, "Accès au fichier refusé"},   {EROFS, "Accès au fichier refusé"},
      {ENOSPC, "Disque plein"},             {EDQUOT, "Disque plein"},
      {EIO, "Erreur E/S 5"},                {EISDIR, "Erreur E/S 21"},
  };
  for (const auto& [Code, Text] : Cases) {
    EXPECT_STREQ(TInOutError(Code).what(), Text);
    EXPECT_EQ(TInOutError(Code).Code(), Code);
  }
}

TEST(Cp1252, RoundTripsAndReplacesWhatItCannotHold)
{
  EXPECT_EQ(Cp1252ToUtf8("\xE9t\xE9 \x80"), "été €");
  EXPECT_EQ(Utf8ToCp1252("été €"), "\xE9t\xE9 \x80");
  EXPECT_EQ(Utf8ToCp1252("日"), "?");
  EXPECT_EQ(Cp1252ToUtf8("\x81"), "\xEF\xBF\xBD");
}
