// A file system held in memory: for fuzzing and for tests that want no disk.
#pragma once

#include <map>
#include <set>
#include <string>

#include "platform/file_system.h"

namespace lorvenna {

class MemoryFileSystem : public FileSystem {
 public:
  bool exists(const std::string& path) override {
    return files_.count(path) > 0 || folders_.count(path) > 0;
  }
  std::string why_not_replaceable(const std::string& path) override {
    return read_only_.count(path) > 0 ? "the file is read-only" : "";
  }
  std::string read(const std::string& path, const ReadLimit& limit) override;
  // Every file here is a regular one.
  std::unique_ptr<NewFile> open_stream(const std::string&, StreamWait) override { return nullptr; }
  std::unique_ptr<NewFile> create_new(const std::string& beside) override;
  std::string keep_earlier(const std::string& path) override;
  void clear_leftovers(std::span<const std::string>) override {}
  void rename(const std::string& from, const std::string& to) override;
  void remove(const std::string& path) override;
  void sync_folder(const std::string&) override {}
  // Nothing else reaches these files, so no lock is ever held by another.
  std::unique_ptr<FolderLock> lock_folder(const std::string&, LockKind,
                                          const std::function<void()>&) override {
    return std::make_unique<FolderLock>();
  }
  // Folders are kept only as names: a file's path needs none made first.
  void create_folder(const std::string& path) override;
  std::string folder_identity(const std::string& folder) override { return folder; }
  // A path names one file only: there are no links here.
  std::string file_identity(const std::string& path) override {
    return files_.count(path) > 0 ? path : "";
  }

  // Puts a file in place at once, as a test's starting point.
  void write(const std::string& path, std::string_view bytes) { files_[path] = std::string(bytes); }
  void set_read_only(const std::string& path) { read_only_.insert(path); }
  const std::map<std::string, std::string>& files() const { return files_; }

 private:
  std::map<std::string, std::string> files_;
  std::set<std::string> read_only_;
  std::set<std::string> folders_;
  unsigned next_temporary_ = 0;
};

}  // namespace lorvenna
