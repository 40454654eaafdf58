// The file side on the real disk: a folder's listing and Clean All over every
// kind of item (what a link points at is never touched), and the activity
// log when another program holds it.
#include <gtest/gtest.h>

#include "cleaner/module1.h"
#include "log/activity_log.h"
#include "platform/text.h"
#include "platform/win32/win32_platform.h"
#include "tests/support/support.h"
#include "ui/scoped.h"

namespace vexa {
namespace {

using test::Exists;

struct Sink : ui::EngineSink {
  void ShowBox(const std::wstring&, const std::wstring&, ui::BoxIcon) override { ++boxes; }
  void DoEvents() override {}
  int boxes = 0;
};

enum class Kind { File, ReadOnly, Hidden, Folder, FolderLink, FileLink };

TEST(Win32Files, CleanAllTakesFilesOfAnyNameAndAttributesAndNothingALinkPointsAt) {
  const std::wstring root = test::FreshFolder(L"clean"), scan = root + L"\\scan", target = root + L"\\target";
  std::wstring deep = root;
  while (deep.size() <= MAX_PATH) CreateDirectoryW(win32::ExtendedPath(deep += L"\\" + std::wstring(50, L'l')).c_str(), nullptr);
  for (const std::wstring& f : {scan, target}) ASSERT_TRUE(CreateDirectoryW(f.c_str(), nullptr));
  ASSERT_TRUE(test::MakeFile(target + L"\\precious.txt", FILE_ATTRIBUTE_READONLY));
  const struct {
    std::wstring path;
    Kind kind;
    bool listedAsLink, gone;
  } items[] = {
      {scan + L"\\plain.tmp", Kind::File, false, true},
      {scan + L"\\ro.tmp", Kind::ReadOnly, false, true},
      {scan + L"\\hidden.tmp", Kind::Hidden, false, true},
      {scan + L"\\\u03b1\u03b2\u03b3-\u2603-\u65e5\u672c.tmp", Kind::File, false, true},
      {deep + L"\\far.tmp", Kind::ReadOnly, false, true},
      {scan + L"\\sub", Kind::Folder, false, false},
      {scan + L"\\folder-link", Kind::FolderLink, true, false},
      // Wine reports a link to a file as the file itself.
      {scan + L"\\precious.txt", Kind::FileLink, !test::UnderWine(), false},
  };
  cleaner::JunkList rows;
  for (const auto& it : items) {
    switch (it.kind) {
      case Kind::File: ASSERT_TRUE(test::MakeFile(it.path)); break;
      case Kind::ReadOnly: ASSERT_TRUE(test::MakeFile(it.path, FILE_ATTRIBUTE_READONLY)); break;
      case Kind::Hidden: ASSERT_TRUE(test::MakeFile(it.path, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)); break;
      case Kind::Folder: ASSERT_TRUE(CreateDirectoryW(it.path.c_str(), nullptr) && test::MakeFile(it.path + L"\\in.tmp")); break;
      case Kind::FolderLink: ASSERT_TRUE(test::MakeLink(it.path, target)); break;
      case Kind::FileLink: ASSERT_TRUE(test::MakeLink(it.path, target + L"\\precious.txt")); break;
    }
    rows.Add({L"", it.path, 2, true});
  }

  win32::Win32FileSystem files;
  std::vector<FolderEntry> listed;
  ASSERT_TRUE(files.ListFolder(scan, listed));
  for (const auto& it : items) {
    const std::wstring name = it.path.substr(it.path.rfind(L'\\') + 1);
    auto at = std::find_if(listed.begin(), listed.end(), [&](const FolderEntry& e) { return e.name == name; });
    if (it.path.rfind(scan, 0) != 0) continue;
    ASSERT_NE(at, listed.end()) << ToUtf8(name);
    EXPECT_EQ(at->isLink, it.listedAsLink) << ToUtf8(name);
    EXPECT_EQ(at->isFolder, it.kind == Kind::Folder || it.kind == Kind::FolderLink) << ToUtf8(name);
  }
  ASSERT_TRUE(files.ListFolder(deep, listed));
  EXPECT_EQ(listed.size(), 1u) << "a folder beyond MAX_PATH lists";

  win32::Win32Clock clock;
  Sink sink;
  cleaner::Module1(files, rows, clock).RemoveCheckedJunk(sink);
  EXPECT_TRUE(rows.Empty());
  for (const auto& it : items)
    if (it.kind != Kind::FolderLink && it.kind != Kind::FileLink) EXPECT_EQ(Exists(it.path), !it.gone) << ToUtf8(it.path);
  EXPECT_TRUE(Exists(scan + L"\\sub\\in.tmp"));
  EXPECT_EQ(test::ReadBytes(target + L"\\precious.txt"), "junk");
  EXPECT_TRUE(GetFileAttributesW((target + L"\\precious.txt").c_str()) & FILE_ATTRIBUTE_READONLY);
  test::RemoveTree(root);
}

TEST(Win32Log, ALockedLogLosesThatEntryOnlyAndAnExistingLogIsNeverEmptied) {
  const std::wstring folder = test::FreshFolder(L"log");
  ASSERT_TRUE(test::MakeFile(folder + L"\\VexaLog.Log", 0, "kept\r\n"));
  win32::Win32FileSystem files;
  win32::Win32Clock clock;
  ActivityLog log(files, clock, folder);
  log.CreateLogIfMissing();
  EXPECT_TRUE(log.AppendToLog({{std::wstring(L"x")}}));
  {
    ui::ScopedHandle lock(CreateFileW(log.FilePath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(lock);
    EXPECT_FALSE(log.AppendToLog({{std::wstring(L"lost")}}));
  }
  EXPECT_TRUE(log.AppendToLog({{std::wstring(L"y")}}));
  EXPECT_EQ(test::ReadBytes(log.FilePath()), "kept\r\nx\r\ny\r\n");
}

}  // namespace
}  // namespace vexa
