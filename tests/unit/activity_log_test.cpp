#include "log/activity_log.h"

#include <gtest/gtest.h>

#include "platform/text.h"
#include "tests/fakes/fake_platform.h"

namespace vexa {
namespace {

class ActivityLogTest : public ::testing::Test {
 protected:
  fakes::FakeFileSystem files;
  fakes::FakeClock clock;
  ActivityLog log{files, clock, L"C:\\T"};
  std::string Bytes() const { return files.Read(L"C:\\T\\VexaLog.Log"); }
};

TEST_F(ActivityLogTest, LivesBesideTheExecutable) { EXPECT_EQ(log.FilePath(), L"C:\\T\\VexaLog.Log"); }

TEST_F(ActivityLogTest, FirstStartWritesExactlyTheHeader) {
  log.CreateLogIfMissing();
  EXPECT_EQ(Bytes(), "[VexaTools Utility]\r\n");
}

TEST_F(ActivityLogTest, SecondStartWritesNothing) {
  files.Put(L"C:\\T\\vexalog.log", "old\r\n");  // names compare without case
  log.CreateLogIfMissing();
  EXPECT_EQ(Bytes(), "old\r\n");
  EXPECT_EQ(files.opens, 0);
}

TEST_F(ActivityLogTest, JunkItemRunsDateNameAndPathTogether) {
  log.CreateLogIfMissing();
  log.AppendToLog({log_entry::JunkItem(L"a.tmp", L"C:\\T\\a.tmp")});
  EXPECT_EQ(Bytes(), "[VexaTools Utility]\r\n05/12/2026a.tmpC:\\T\\a.tmp\r\n");
}

TEST_F(ActivityLogTest, DateFollowsTheUsersShortDateForm) {
  clock.shortDate = L"2026-12-05";
  log.AppendToLog({log_entry::JunkItem(L"x", L"y")});
  EXPECT_EQ(Bytes(), "2026-12-05xy\r\n");
}

TEST_F(ActivityLogTest, KeyloggerBlockIsThreeLines) {
  log.AppendToLog(log_entry::KeyloggerBlocked(L"spy.exe"));
  EXPECT_EQ(Bytes(),
            "~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~\r\n"
            "05/12/2026Keylogger Has Blockedspy.exe\r\n"
            "~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~\r\n");
}

TEST_F(ActivityLogTest, RegistryRepairBlockIsSevenLines) {
  log.AppendToLog(log_entry::RegistryRepair());
  const std::string sep = "~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~\r\n";
  EXPECT_EQ(Bytes(), sep +
                         "05/12/2026Scan Registry : HKEY_CLASSES_ROOT\r\n"
                         "05/12/2026Scan Registry : HKEY_CURRENT_USER\r\n"
                         "05/12/2026Scan Registry : HKEY_LOCAL_MACHINE\r\n" +
                         sep + "~~~~~~~~~~~~~~~~~ DONE ~~~~~~~~~~~~~~~~~~\r\n" + sep);
  EXPECT_EQ(std::string(sep).size(), 41u);  // 39 tildes and CR LF
  EXPECT_EQ(std::wstring(kLogDone).size(), 41u);
}

TEST_F(ActivityLogTest, UrlBlockCarriesTheOutputBoxLines) {
  log.AppendToLog(log_entry::UrlShortened(L"http://example.com/a", L"https://is.gd/x\r\nhttps://t.ly/y\r\n"));
  EXPECT_EQ(Bytes(),
            "~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~\r\n"
            "05/12/2026Long URL :http://example.com/aTo :https://is.gd/x\r\nhttps://t.ly/y\r\n\r\n"
            "~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~\r\n");
}

TEST_F(ActivityLogTest, TextOutsideTheCodePageBecomesQuestionMarks) {
  log.AppendToLog({log_entry::JunkItem(L"caf\u00e9\u4e2d.tmp", L"C:\\\u4e2d")});
  EXPECT_EQ(Bytes(), "05/12/2026caf\xe9?.tmpC:\\?\r\n");
}

TEST_F(ActivityLogTest, UnwritableLogLosesOnlyThatEntry) {
  log.CreateLogIfMissing();
  files.DenyWrites(log.FilePath());
  EXPECT_FALSE(log.AppendToLog({log_entry::JunkItem(L"lost", L"C:\\lost")}));
  files.AllowWrites(log.FilePath());
  EXPECT_TRUE(log.AppendToLog({log_entry::JunkItem(L"kept", L"C:\\kept")}));
  EXPECT_EQ(Bytes(), "[VexaTools Utility]\r\n05/12/2026keptC:\\kept\r\n");
}

TEST_F(ActivityLogTest, DeletedLogIsRecreatedWithoutHeader) {
  log.CreateLogIfMissing();
  files.Remove(log.FilePath());
  log.AppendToLog(log_entry::KeyloggerBlocked(L"k.exe"));
  EXPECT_EQ(Bytes().rfind("~~~", 0), 0u);
}

TEST_F(ActivityLogTest, BatchWritesTheSameBytesWithOneOpen) {
  fakes::FakeFileSystem other;
  ActivityLog one{other, clock, L"C:\\T"};
  for (int i = 0; i < 3; ++i) one.AppendToLog({log_entry::JunkItem(L"f" + std::to_wstring(i), L"p")});
  {
    ActivityLog::Batch batch(log);
    for (int i = 0; i < 3; ++i) batch.Add(log_entry::JunkItem(L"f" + std::to_wstring(i), L"p"));
  }
  EXPECT_EQ(Bytes(), other.Read(L"C:\\T\\VexaLog.Log"));
  EXPECT_EQ(files.opens, 1);
}

TEST(TextTest, BlankMeansOnlySpaces) {
  EXPECT_TRUE(IsBlank(L""));
  EXPECT_TRUE(IsBlank(L"   "));
  EXPECT_FALSE(IsBlank(L" a "));
  EXPECT_EQ(Trim(L"  Long URL "), L"Long URL");
}

TEST(TextTest, Utf8RoundTrip) {
  std::wstring w = FromUtf8("a\xc3\xa9\xe4\xb8\xad\xf0\x9f\x98\x80");
  EXPECT_EQ(ToUtf8(w), "a\xc3\xa9\xe4\xb8\xad\xf0\x9f\x98\x80");
}

}  // namespace
}  // namespace vexa

namespace vexa {
namespace {

TEST(OpenLogViewer, OpensTheLogByNameFromTheAppFolder) {
  fakes::FakeFileSystem files;
  fakes::FakeClock clock;
  fakes::FakeShell shell;
  ActivityLog log(files, clock, L"C:\\Apps\\Vexa");
  OpenLogViewer(log, shell);
  EXPECT_TRUE(shell.opened.empty());  // no log: nothing happens
  log.CreateLogIfMissing();
  OpenLogViewer(log, shell);
  ASSERT_EQ(shell.opened.size(), 1u);
  EXPECT_EQ(shell.opened[0].file, L"VexaLog.log");
  EXPECT_EQ(shell.opened[0].folder, L"C:\\Apps\\Vexa");
}

}  // namespace
}  // namespace vexa
