// End-to-end tests: the real program under Wine, driven from outside. The
// program's path is the first argument after GoogleTest's flags. The
// journeys share one running copy; after the last of them its tray menu's
// "Exit" ends it, and no icon may be left behind.
#include "tests/e2e/driver.h"

#include <gtest/gtest.h>
#include <shellapi.h>

namespace {

class EndsWithExit : public ::testing::Environment {
 public:
  void TearDown() override {
    using namespace vexa::e2e;
    NOTIFYICONDATAW nid{sizeof nid};
    nid.hWnd = App().program.Window(L"Form2");
    nid.uID = 1;
    EXPECT_TRUE(App().program.TrayMenu(2)) << "no tray menu";
    EXPECT_TRUE(App().program.WaitExit(5000)) << "\"Exit\" did not end the program";
    EXPECT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &nid)) << "a dead tray icon is left behind";
    EndApp();
  }
};

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc > 1) vexa::e2e::SetProgramPath(argv[1]);
  ::testing::AddGlobalTestEnvironment(new EndsWithExit);
  return RUN_ALL_TESTS();
}
