// The files as a step of a run sees them when some deletions must wait for
// the run's end: deleting one of the chosen files is only noted, and from
// then on the step sees it gone, while it stays on the disk until the run
// carries the deletions out (or never, for an author's texts that are to
// stay). The step runs exactly as it would on the disk.
#pragma once

#include <set>
#include <string>

#include "platform/file_system.h"

namespace lorvenna {

class DeferredDeletions : public FileSystem {
 public:
  // `held`: the names whose deletion waits.
  DeferredDeletions(FileSystem& inner, std::set<std::string> held)
      : inner_(inner), held_(std::move(held)) {}

  // Deletes the held files that the step deleted, in the inner file system.
  void carry_out() {
    for (const std::string& p : deleted_) {
      if (inner_.exists(p)) inner_.remove(p);
    }
    deleted_.clear();
  }

  bool exists(const std::string& p) override { return !deleted(p) && inner_.exists(p); }
  std::string why_not_replaceable(const std::string& p) override {
    return inner_.why_not_replaceable(p);
  }
  std::string read(const std::string& p, const ReadLimit& limit) override {
    if (deleted(p)) throw FileError("open", p, "No such file or directory");
    return inner_.read(p, limit);
  }
  std::unique_ptr<NewFile> open_stream(const std::string& p, StreamWait wait) override {
    return inner_.open_stream(p, wait);
  }
  std::unique_ptr<NewFile> create_new(const std::string& beside) override {
    return inner_.create_new(beside);
  }
  std::string keep_earlier(const std::string& p) override { return inner_.keep_earlier(p); }
  void clear_leftovers(std::span<const std::string> outputs) override {
    inner_.clear_leftovers(outputs);
  }
  void rename(const std::string& from, const std::string& to) override {
    deleted_.erase(to);
    inner_.rename(from, to);
  }
  void remove(const std::string& p) override {
    if (held_.count(p) == 0) return inner_.remove(p);
    if (!exists(p)) throw FileError("delete", p, "No such file or directory");
    deleted_.insert(p);
  }
  void sync_folder(const std::string& folder) override { inner_.sync_folder(folder); }
  std::unique_ptr<FolderLock> lock_folder(const std::string& folder, LockKind kind,
                                          const std::function<void()>& on_wait) override {
    return inner_.lock_folder(folder, kind, on_wait);
  }
  void create_folder(const std::string& path) override { inner_.create_folder(path); }
  std::string folder_identity(const std::string& folder) override {
    return inner_.folder_identity(folder);
  }
  std::string file_identity(const std::string& p) override {
    return deleted(p) ? "" : inner_.file_identity(p);
  }

 private:
  bool deleted(const std::string& p) const { return deleted_.count(p) > 0; }

  FileSystem& inner_;
  std::set<std::string> held_;
  std::set<std::string> deleted_;
};

}  // namespace lorvenna
