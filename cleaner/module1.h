#pragma once
// Module1: removal of the ticked junk rows ("Clean All").
#include <string>

#include "cleaner/junk_list.h"
#include "platform/file_system.h"

namespace vexa::cleaner {

class Module1 {
 public:
  Module1(FileSystem& files, JunkList& rows) : files_(files), rows_(rows) {}

  // Resets the item's attributes to normal, then deletes it. Both steps
  // may fail silently; a folder stays, a link goes without its target.
  void DeleteJunkFile(const std::wstring& path);

  // Gives every ticked row one delete attempt and drops it from the list,
  // deleted or not; unticked rows stay in their order. A prefetch row's
  // Path cell ("Junk") names no file, so only its row goes.
  void RemoveCheckedJunk();

 private:
  FileSystem& files_;
  JunkList& rows_;
};

}  // namespace vexa::cleaner
