#include "cleaner/module1.h"

namespace vexa::cleaner {

void Module1::DeleteJunkFile(const std::wstring& path) {
  files_.SetNormalAttributes(path);
  files_.RemoveFile(path);
}

void Module1::RemoveCheckedJunk() {
  std::size_t removed = rows_.RemoveTicked([this](const JunkRow& row) {
    if (row.path != kJunkPathCell) DeleteJunkFile(row.path);
  });
  if (removed) rows_.NotifyChanged();
}

}  // namespace vexa::cleaner
