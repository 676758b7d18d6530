#include "app/copies_seen.h"

#include <gtest/gtest.h>

namespace app {
namespace {

// This copy: process 10 of session 1, started at time 100.
const ProcessSeen kSelf{10, L"rntool.exe", 1, 100};

TEST(AnotherCopyAmong, OnlyAnEarlierProcessOfTheSameNameInTheSameSessionCounts) {
  struct Case {
    const char* what;
    ProcessSeen other;
    bool counts;
  } cases[] = {
      {"an earlier copy in this session", {20, L"rntool.exe", 1, 90}, true},
      {"another program of the same name", {21, L"rntool.exe", 1, 50}, true},
      {"one whose start can't be read", {22, L"rntool.exe", 1, std::nullopt}, true},
      {"another user's copy, in session 2", {23, L"rntool.exe", 2, 90}, false},
      {"one whose session can't be read", {24, L"rntool.exe", std::nullopt, 90}, false},
      {"a copy starting at the same moment, later", {25, L"rntool.exe", 1, 101}, false},
      {"a name differing in case", {26, L"RnTool.exe", 1, 90}, false},
      {"another name", {27, L"notepad.exe", 1, 90}, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AnotherCopyAmong({kSelf, c.other}, kSelf), c.counts) << c.what;
  }
  EXPECT_FALSE(AnotherCopyAmong({kSelf}, kSelf));
  EXPECT_FALSE(AnotherCopyAmong({}, kSelf));  // no snapshot
  ProcessSeen unknownStart = kSelf;
  unknownStart.started.reset();
  EXPECT_TRUE(AnotherCopyAmong({unknownStart, {20, L"rntool.exe", 1, 200}}, unknownStart));
}

}  // namespace
}  // namespace app
