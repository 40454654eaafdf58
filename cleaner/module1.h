#pragma once
// Module1: removal of the ticked junk rows ("Clean All").
#include <string>

#include "cleaner/junk_list.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/ui.h"

namespace vexa::cleaner {

// The longest stretch Clean All works without letting the window's events run.
inline constexpr unsigned kCleanPumpMs = 50;

class Module1 {
 public:
  Module1(FileSystem& files, JunkList& rows, const Clock& clock) : files_(files), rows_(rows), clock_(clock) {}

  // Deletes the item; only when that is refused (a read-only file, say) are
  // its attributes reset to normal and the delete tried once more. A folder
  // stays, a link goes without its target. True when it went.
  bool DeleteJunkFile(const std::wstring& path);

  // Drops every ticked row from the list at once (the unticked ones keep
  // their order), then gives each of their files one delete attempt, deleted
  // or not, letting the sink's events run at least every kCleanPumpMs. A
  // prefetch row's Path cell ("Junk") names no file, so only its row goes.
  // A call made while one runs (from those events) does nothing.
  void RemoveCheckedJunk(ui::EngineSink& sink);

  bool Busy() const { return busy_; }

 private:
  FileSystem& files_;
  JunkList& rows_;
  const Clock& clock_;
  bool busy_ = false;
};

}  // namespace vexa::cleaner
