#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "log/activity_log.h"
#include "tests/fakes/fake_system.h"

namespace vexa {
namespace {

const std::string kSep = std::string(39, '~') + "\r\n";
constexpr wchar_t kPath[] = L"C:\\T\\VexaLog.Log";

struct Log : ::testing::Test {
  fakes::FakeFileSystem files;
  fakes::FakeClock clock;
  ActivityLog log{files, clock, L"C:\\T"};
};

TEST_F(Log, EveryEntryOfTheCatalogueAsStored) {
  const struct Case {
    const wchar_t* date;
    std::vector<LogLine> lines;
    std::string bytes;
  } cases[] = {
      {L"05/12/2026", {log_entry::JunkItem(L"a.tmp", L"C:\\T\\a.tmp")}, "05/12/2026a.tmpC:\\T\\a.tmp\r\n"},
      {L"2026-12-05", {log_entry::JunkItem(L"caf\u00e9\u4e2d", L"C:\\\u4e2d")}, "2026-12-05caf\xe9?C:\\?\r\n"},
      {L"05/12/2026", log_entry::KeyloggerBlocked(L"spy.exe"),
       kSep + "05/12/2026Keylogger Has Blockedspy.exe\r\n" + kSep},
      {L"05/12/2026", log_entry::KeyloggerNotBlocked(L"spy.exe"),
       kSep + "05/12/2026Keylogger Could Not Be Blockedspy.exe\r\n" + kSep},
      {L"05/12/2026", log_entry::RegistryRepair(),
       kSep + "05/12/2026Scan Registry : HKEY_CLASSES_ROOT\r\n05/12/2026Scan Registry : HKEY_CURRENT_USER\r\n" +
           "05/12/2026Scan Registry : HKEY_LOCAL_MACHINE\r\n" + kSep + std::string(17, '~') + " DONE " +
           std::string(18, '~') + "\r\n" + kSep},
      {L"05/12/2026", log_entry::UrlShortened(L"http://e.com/a", L"https://is.gd/x\r\nhttps://t.ly/y\r\n"),
       kSep + "05/12/2026Long URL :http://e.com/aTo :https://is.gd/x\r\nhttps://t.ly/y\r\n\r\n" + kSep},
  };
  for (const Case& c : cases) {
    files.Put(kPath, "");
    clock.shortDate = c.date;
    EXPECT_TRUE(log.AppendToLog(c.lines));
    EXPECT_EQ(files.Read(kPath), c.bytes);
  }
}

TEST_F(Log, TheHeaderIsWrittenOnlyIntoANewLog) {
  log.CreateLogIfMissing();
  EXPECT_EQ(files.Read(kPath), "[VexaTools Utility]\r\n");
  files.Put(L"C:\\T\\vexalog.log", "old\r\n");
  files.existsSaysMissing = true;  // a wrong answer must not empty it
  log.CreateLogIfMissing();
  EXPECT_EQ(files.Read(kPath), "old\r\n");
}

TEST_F(Log, AnotherSpellingOfTheNameGoesToThatName) {
  log.AppendToLog(L"VexaLog.log", log_entry::KeyloggerBlocked(L"k.exe"));
  EXPECT_EQ(files.appends, std::vector<std::wstring>{L"C:\\T\\VexaLog.log"});
}

TEST_F(Log, AFailedAppendLosesThatEntryOnly) {
  log.CreateLogIfMissing();
  files.denied.insert(fakes::FakeFileSystem::Key(kPath));
  EXPECT_FALSE(log.AppendToLog({log_entry::JunkItem(L"lost", L"C:\\lost")}));
  files.denied.clear();
  EXPECT_TRUE(log.AppendToLog({log_entry::JunkItem(L"kept", L"C:\\kept")}));
  EXPECT_EQ(files.Read(kPath), "[VexaTools Utility]\r\n05/12/2026keptC:\\kept\r\n");
}

}  // namespace
}  // namespace vexa
