#include "tests/e2e/driver.h"

namespace vexa::e2e {
namespace {
std::string g_program;
}
void SetProgramPath(const char* path) { g_program = path; }
const std::string& ProgramPath() { return g_program; }
}  // namespace vexa::e2e
