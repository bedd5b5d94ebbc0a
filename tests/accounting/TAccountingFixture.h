#pragma once
#include <dirent.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

#include "Convert.h"
#include "TAccounting.h"
#include "TError.h"
#include "TTextFile.h"
#include "TAccountingRig.h"

// An accounting over fakes, in a fresh temporary directory that is the
// current directory for the length of the test.
class TAccountingFixture : public ::testing::Test, public TAccountingRig {
protected:
  void SetUp() override
  {
    char Template[] = "/tmp/tavrelo-acct-XXXXXX";
    ASSERT_NE(::mkdtemp(Template), nullptr);
    Dir = Template;
    OldDir = std::filesystem::current_path();
    std::filesystem::current_path(Dir);
    IpHelper.IfRows = {MakeIfRow(1, "lo"), MakeIfRow(2, "WAN Miniport (PPP)")};
    Monitor.CaptureMIBData(true);
    Accounting.PrepareState();
  }
  void TearDown() override
  {
    std::filesystem::current_path(OldDir);
    std::error_code Ignored;
    std::filesystem::remove_all(Dir, Ignored);
  }

  // Run Count ticks with the link up or down.
  void Tick(bool Up, int Count = 1)
  {
    Connected.Connected = Up;
    for (int i = 0; i < Count; ++i)
      Accounting.Timer1Timer();
  }
  // Write Bytes as the file Name of the current directory.
  static void Put(const std::string& Name, const std::string& Bytes)
  {
    std::ofstream(Name, std::ios::binary | std::ios::trunc) << Bytes;
  }
  // Answer the bytes of the file Name, or "<missing>".
  static std::string Get(const std::string& Name)
  {
    std::ifstream In(Name, std::ios::binary);
    if (!In)
      return "<missing>";
    return std::string(std::istreambuf_iterator<char>(In), {});
  }
  // Write a counter file of three lines.
  static void PutCounter(const std::string& Start, const std::string& Seconds, const std::string& Plan)
  {
    Put(CounterFileName, Start + "\r\n" + Seconds + "\r\n" + Plan + "\r\n");
  }
  // Answer the names in the current directory, sorted.
  static std::vector<std::string> Names()
  {
    std::vector<std::string> Found;
    for (const auto& Entry : std::filesystem::directory_iterator("."))
      Found.push_back(Entry.path().filename().string());
    std::sort(Found.begin(), Found.end());
    return Found;
  }
  // Answer the number of descriptors the process holds open.
  static int OpenDescriptors()
  {
    int Count = 0;
    for ([[maybe_unused]] const auto& Entry : std::filesystem::directory_iterator("/proc/self/fd"))
      ++Count;
    return Count;
  }
  // Run Handler and answer the text of the error it raised, or "" when none.
  template <typename THandler>
  static std::string ErrorOf(THandler Handler)
  {
    try {
      Handler();
    } catch (const TError& Error) {
      return Error.what();
    }
    return "";
  }

  std::string Dir;
  std::filesystem::path OldDir;
};

// Text of the conversion error for Text.
inline std::string NotInteger(const std::string& Text) { return "'" + Text + "' n'est pas une valeur entière correcte"; }
