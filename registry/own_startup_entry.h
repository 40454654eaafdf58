#pragma once
// Taking the program off the Windows Run keys when it is uninstalled. The
// start-with-Windows option stores "Utility" under the machine's Run key, or
// under the user's when the machine's may not be written; the uninstall
// deletes it from both, but only where its data names this program, so that
// another program's entry of the same name is left alone.
#include <string>
#include <string_view>

#include "platform/registry.h"

namespace vexa {

// True when `value` is a text value that names the program whose entry data
// is `entryData` (what the option stores, e.g. "VexaUtility.exe"): the data,
// with surrounding quotes and any folder set aside, is that file name,
// compared without regard to case.
bool EntryNamesProgram(const RegValue& value, std::wstring_view entryData);

// Deletes "Utility" under the machine's and the user's Run key wherever it
// names the program. Returns how many entries were deleted; an entry that may
// not be deleted (a standard user and the machine's key) is left as it is.
int RemoveOwnStartupEntries(Registry& registry, const std::wstring& entryData);

}  // namespace vexa
