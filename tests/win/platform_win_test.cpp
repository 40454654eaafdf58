#include <gtest/gtest.h>

#include <string>

#include "log/activity_log.h"
#include "platform/text.h"
#include "platform/win32/win32_platform.h"

namespace vexa {
namespace {

std::wstring TempFolder(const std::wstring& name) {
  wchar_t buf[MAX_PATH];
  GetTempPathW(MAX_PATH, buf);
  std::wstring dir = std::wstring(buf) + name;
  CreateDirectoryW(dir.c_str(), nullptr);
  return dir;
}

std::string ReadAll(const std::wstring& path) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                         nullptr);
  if (h == INVALID_HANDLE_VALUE) return "<missing>";
  std::string out(GetFileSize(h, nullptr), '\0');
  DWORD got = 0;
  ReadFile(h, out.data(), static_cast<DWORD>(out.size()), &got, nullptr);
  CloseHandle(h);
  out.resize(got);
  return out;
}

TEST(Win32ActivityLog, WritesHeaderThenAppendsOnTheRealDisk) {
  win32::Win32FileSystem files;
  win32::Win32Clock clock;
  std::wstring dir = TempFolder(L"vexa-log-test");
  DeleteFileW((dir + L"\\VexaLog.Log").c_str());
  ActivityLog log(files, clock, dir);
  log.CreateLogIfMissing();
  log.CreateLogIfMissing();
  EXPECT_EQ(ReadAll(log.FilePath()), "[VexaTools Utility]\r\n");
  log.AppendToLog({log_entry::JunkItem(L"a.tmp", L"C:\\T\\a.tmp")});
  EXPECT_EQ(ReadAll(log.FilePath()), "[VexaTools Utility]\r\n" + ToAnsi(clock.ShortDate()) + "a.tmpC:\\T\\a.tmp\r\n");
  DeleteFileW(log.FilePath().c_str());
  log.AppendToLog(log_entry::KeyloggerBlocked(L"k.exe"));
  EXPECT_EQ(ReadAll(log.FilePath()).substr(0, 41), "~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~\r\n");
  DeleteFileW(log.FilePath().c_str());
}

TEST(Win32ActivityLog, AFileHeldOpenByAnotherProgramStillTakesEntries) {
  win32::Win32FileSystem files;
  win32::Win32Clock clock;
  std::wstring dir = TempFolder(L"vexa-log-share");
  ActivityLog log(files, clock, dir);
  DeleteFileW(log.FilePath().c_str());
  log.CreateLogIfMissing();
  HANDLE reader = CreateFileW(log.FilePath().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(log.AppendToLog({{std::wstring(L"x")}}));
  CloseHandle(reader);
  HANDLE locker = CreateFileW(log.FilePath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(locker, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(log.AppendToLog({{std::wstring(L"lost")}}));  // locked: this entry only is lost
  CloseHandle(locker);
  EXPECT_TRUE(log.AppendToLog({{std::wstring(L"y")}}));
  EXPECT_EQ(ReadAll(log.FilePath()), "[VexaTools Utility]\r\nx\r\ny\r\n");
  DeleteFileW(log.FilePath().c_str());
}

TEST(Win32Text, AnsiConversionReplacesWhatTheCodePageCannotHold) {
  EXPECT_EQ(ToAnsi(L"abc"), "abc");
  std::string s = ToAnsi(L"a\u4e2d");
  EXPECT_EQ(s[0], 'a');
  EXPECT_EQ(FromAnsi("abc"), L"abc");
}

TEST(Win32Environment, ReadsVariablesAndTheExecutable) {
  win32::Win32Environment env;
  SetEnvironmentVariableW(L"VEXA_TEST_VAR", L"value");
  EXPECT_EQ(env.Get(L"VEXA_TEST_VAR"), L"value");
  EXPECT_EQ(env.Get(L"VEXA_UNSET_VAR_123"), L"");
  EXPECT_EQ(env.ExecutableFileName(), L"win_tests.exe");
  EXPECT_FALSE(env.AppFolder().empty());
}

}  // namespace
}  // namespace vexa
