// The files as the compile sees them when an author's description texts are
// to stay: the compile's deletions of the texts are kept in memory, so that
// the compile runs exactly as it would, while the texts stay on the disk.
#pragma once

#include <set>
#include <string>

#include "platform/file_system.h"

namespace lorvenna {

class KeptTextsFileSystem : public FileSystem {
 public:
  // `texts`: the names whose deletion is only pretended.
  KeptTextsFileSystem(FileSystem& inner, std::set<std::string> texts)
      : inner_(inner), texts_(std::move(texts)) {}

  bool exists(const std::string& p) override { return !deleted(p) && inner_.exists(p); }
  std::string why_not_replaceable(const std::string& p) override {
    return inner_.why_not_replaceable(p);
  }
  std::string read(const std::string& p, const ReadLimit& limit) override {
    if (deleted(p)) throw FileError("open", p, "No such file or directory");
    return inner_.read(p, limit);
  }
  std::unique_ptr<NewFile> open_stream(const std::string& p) override {
    return inner_.open_stream(p);
  }
  std::unique_ptr<NewFile> create_new(const std::string& beside) override {
    return inner_.create_new(beside);
  }
  void rename(const std::string& from, const std::string& to) override { inner_.rename(from, to); }
  void remove(const std::string& p) override {
    if (texts_.count(p) == 0) return inner_.remove(p);
    if (!exists(p)) throw FileError("delete", p, "No such file or directory");
    deleted_.insert(p);
  }
  void sync_folder(const std::string& folder) override { inner_.sync_folder(folder); }
  std::unique_ptr<FolderLock> lock_folder(const std::string& folder) override {
    return inner_.lock_folder(folder);
  }
  void create_folder(const std::string& path) override { inner_.create_folder(path); }
  std::string folder_identity(const std::string& folder) override {
    return inner_.folder_identity(folder);
  }

 private:
  bool deleted(const std::string& p) const { return deleted_.count(p) > 0; }

  FileSystem& inner_;
  std::set<std::string> texts_;
  std::set<std::string> deleted_;
};

}  // namespace lorvenna
