// Waiting for an author's edits: a folder watched for changes to some of its
// files, one layer per system behind this interface.
#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace lorvenna {

// Why a wait ended.
enum class WatchEvent {
  changed,      // one of the watched files was written, created, removed or renamed
  quiet,        // the time given passed with no such change
  interrupted,  // the user interrupted (Ctrl-C); every later wait ends so at once
  // The folder is no longer at its path: deleted, renamed or moved away
  // (itself or a folder above it). Later waits look for a folder at the
  // path every kFolderLookout, and watch it once there is one.
  gone,
  back,  // after `gone`, a folder stands at the path again and is watched
};

// How often a watch looks at its folder's path: for a folder that has come
// back once it is gone, and for a folder above it renamed, which the system
// does not tell.
inline constexpr std::chrono::milliseconds kFolderLookout{500};

class FolderWatch {
 public:
  virtual ~FolderWatch() = default;
  // Returns as soon as one of the watched files changes, the folder goes or
  // comes back, or the user interrupts, else once `timeout` has passed. A
  // change made between two waits is told by the second. Throws FileError
  // when the system stops telling changes, or cannot watch the folder that
  // came back.
  virtual WatchEvent wait(std::chrono::milliseconds timeout) = 0;
};

// Watches the files named `names` in `folder` (names, not paths): other
// files there, such as the outputs the watcher itself writes, wake no wait.
// From now on the user's first interrupt ends the waits instead of the
// process (see catch_interrupts). Throws FileError, with the system's reason,
// when the folder cannot be watched (it does not exist, say).
std::unique_ptr<FolderWatch> watch_folder(const std::string& folder,
                                          const std::vector<std::string>& names);

#ifndef _WIN32
// The reason the user is told when the inotify call `call` ("inotify_init1"
// or "inotify_add_watch") fails with `error`: the system's words and, for a
// system limit used up, which one and how to raise it.
std::string inotify_failure(std::string_view call, int error);
#endif

}  // namespace lorvenna
