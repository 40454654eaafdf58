// End-to-end tests: drive the real program under Wine. The program's path is
// the first argument after the GoogleTest flags.
#include <gtest/gtest.h>

#include "tests/e2e/driver.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc > 1) vexa::e2e::SetProgramPath(argv[1]);
  return RUN_ALL_TESTS();
}
