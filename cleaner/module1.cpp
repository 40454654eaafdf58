#include "cleaner/module1.h"

#include <vector>

namespace vexa::cleaner {

bool Module1::DeleteJunkFile(const std::wstring& path) {
  if (files_.RemoveFile(path)) return true;
  return files_.SetNormalAttributes(path) && files_.RemoveFile(path);
}

void Module1::RemoveCheckedJunk(ui::EngineSink& sink) {
  const ui::RunMark run(busy_);
  if (run.Refused()) return;

  // The list shows the outcome first, so that it stays consistent while the
  // window's events run between the deletes.
  std::vector<std::wstring> paths;
  std::size_t removed = rows_.RemoveTicked([&paths](const JunkRow& row) {
    if (row.path != kJunkPathCell) paths.push_back(row.path);
  });
  if (removed) rows_.NotifyChanged();

  std::uint64_t last = clock_.MonotonicMs();
  for (const std::wstring& path : paths) {
    DeleteJunkFile(path);
    if (std::uint64_t now = clock_.MonotonicMs(); now - last >= kCleanPumpMs) {
      sink.DoEvents();
      last = clock_.MonotonicMs();
    }
  }
}

}  // namespace vexa::cleaner
