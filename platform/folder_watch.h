// Waiting for an author's edits: a folder watched for changes to some of its
// files, one layer per system behind this interface.
#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace lorvenna {

// Why a wait ended.
enum class WatchEvent {
  changed,      // one of the watched files was written, created, removed or renamed
  quiet,        // the time given passed with no such change
  interrupted,  // the user interrupted (Ctrl-C); every later wait ends so at once
};

class FolderWatch {
 public:
  virtual ~FolderWatch() = default;
  // Returns as soon as one of the watched files changes or the user
  // interrupts, else once `timeout` has passed. A change made between two
  // waits is told by the second. Throws FileError when the system stops
  // telling changes.
  virtual WatchEvent wait(std::chrono::milliseconds timeout) = 0;
};

// Watches the files named `names` in `folder` (names, not paths): other
// files there, such as the outputs the watcher itself writes, wake no wait.
// From now on the user's first interrupt ends the waits instead of the
// process (see catch_interrupts). Throws FileError, with the system's reason,
// when the folder cannot be watched (it does not exist, say).
std::unique_ptr<FolderWatch> watch_folder(const std::string& folder,
                                          const std::vector<std::string>& names);

}  // namespace lorvenna
