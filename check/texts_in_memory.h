// The two description texts as the check read them, served to the compile
// from memory: the compile sees exactly the bytes the findings quote, and
// nothing it does can reach the disk.
#pragma once

#include <set>
#include <string>

#include "check/diagnostic_render.h"
#include "platform/file_system.h"

namespace lorvenna {

class TextsInMemory : public FileSystem {
 public:
  explicit TextsInMemory(const testi_sorgente& texts) : texts_(texts) {}

  bool exists(const std::string& p) override { return texts_.count(p) > 0 && !gone_.count(p); }
  std::string read(const std::string& p, const ReadLimit&) override {
    if (!exists(p)) throw FileError("open", p, "No such file or directory");
    return texts_.at(p);
  }
  // The compile deletes the texts it has read; here only its view of them goes.
  void remove(const std::string& p) override {
    if (!exists(p)) throw FileError("delete", p, "No such file or directory");
    gone_.insert(p);
  }

  // The compile writes nothing; should it ever try, the check stops with
  // the reason instead of touching the disk.
  std::string why_not_replaceable(const std::string&) override { return ""; }
  std::unique_ptr<NewFile> open_stream(const std::string& p, StreamWait) override {
    refuse("open", p);
  }
  std::unique_ptr<NewFile> create_new(const std::string& p) override { refuse("create", p); }
  std::string keep_earlier(const std::string& p) override { refuse("link", p); }
  void clear_leftovers(std::span<const std::string>) override {}
  void rename(const std::string& from, const std::string&) override { refuse("rename", from); }
  void sync_folder(const std::string&) override {}
  std::unique_ptr<FolderLock> lock_folder(const std::string&, LockKind,
                                          const std::function<void()>&) override {
    return std::make_unique<FolderLock>();
  }
  void create_folder(const std::string& p) override { refuse("create", p); }
  std::string folder_identity(const std::string& folder) override { return folder; }
  std::string file_identity(const std::string& p) override { return exists(p) ? p : ""; }

 private:
  [[noreturn]] static void refuse(const char* operation, const std::string& p) {
    throw FileError(operation, p, "scenario-tool check writes nothing");
  }

  const testi_sorgente& texts_;
  std::set<std::string> gone_;
};

}  // namespace lorvenna
