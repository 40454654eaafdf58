// End-to-end tests: the real program under Wine, driven from outside. The
// program's path is the first argument after GoogleTest's flags. The
// journeys share one running copy; after the last of them its tray menu's
// "Exit" ends it, and no icon may be left behind.
#include "tests/e2e/driver.h"

#include <gtest/gtest.h>

namespace {

class EndsWithExit : public ::testing::Environment {
 public:
  void TearDown() override {
    EXPECT_TRUE(vexa::e2e::EndApp()) << "\"Exit\" ends the program and leaves no tray icon";
  }
};

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc > 1) vexa::e2e::SetProgramPath(argv[1]);
  ::testing::AddGlobalTestEnvironment(new EndsWithExit);
  return RUN_ALL_TESTS();
}
