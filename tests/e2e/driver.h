#pragma once
#include <string>

namespace vexa::e2e {
void SetProgramPath(const char* path);
const std::string& ProgramPath();
}  // namespace vexa::e2e
