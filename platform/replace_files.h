// Replacing output files whole, so that a failed or stopped run never leaves
// a truncated file under an output's name, nor a set of outputs half old and
// half new.
#pragma once

#include <functional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace lorvenna {

// An output and its bytes, in one piece or several written one after another,
// or, for a file too large to hold whole, written by `writer` a piece at a
// time as they are made.
struct OutputFile {
  std::string path;
  std::vector<std::string_view> parts;
  std::function<void(NewFile&)> writer = {};
};

// Folders whose new entries are still to reach the disk. A run that writes
// several sets into one folder syncs it once, after its last rename: that
// one sync makes every earlier rename durable too.
class FolderSyncs {
 public:
  void add(const std::string& folder) { folders_.insert(folder); }
  // Syncs each folder added, once, and forgets them.
  void sync(FileSystem& fs);

 private:
  std::set<std::string> folders_;
};

struct Durability {
  // False for a file the run reads back and deletes itself: a crash only
  // means it is written again, so neither it nor its name is synced.
  bool kept = true;
  // Where the folders are left to be synced later; null syncs them before
  // replace_files returns.
  FolderSyncs* later = nullptr;
};

// Replaces every file of `files` whole, as one set. Every check that can
// refuse the set (a read-only output, a folder in an output's place, a name
// too long) comes first; each file's bytes then go to a new temporary file
// beside it, synced to the disk; only once all are complete are they
// renamed over the outputs. The earlier outputs keep a second name until the
// whole set is in place: when a rename fails, the outputs already renamed
// get their earlier files back (or are removed, where there was none). A
// failure throws FileError naming the output and leaves no temporary file
// behind. The leftovers of dead runs beside the outputs are the caller's to
// clear, once for a whole run (FileSystem::clear_leftovers).
void replace_files(FileSystem& fs, std::span<const OutputFile> files, Durability d = {});

// replace_files for one file.
void write_whole_file(FileSystem& fs, const std::string& path, std::string_view bytes,
                      Durability d = {});

}  // namespace lorvenna
