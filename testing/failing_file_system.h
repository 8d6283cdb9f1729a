// A file system that passes every operation to another one, except the one
// chosen to fail: the faults of a full disk, a locked file or a failing
// device, on demand. It also records every operation, so that a test can
// fail each operation of a run in turn.
#pragma once

#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/file_system.h"
#include "platform/real_file_system.h"

namespace lorvenna::testing {

class FailingFileSystem : public FileSystem {
 public:
  enum class Op { none, create, write, sync, rename, remove, read, lock, keep };

  struct Operation {
    Op op;
    std::string path;
  };

  // Over the real disk.
  FailingFileSystem(Op op, std::string path_part) : FailingFileSystem(real_disk(), op, path_part) {}
  explicit FailingFileSystem(FileSystem& inner, Op op = Op::none, std::string path_part = "")
      : inner_(inner), op_(op), part_(std::move(path_part)) {}

  // Fails operation `op` on any path containing `path_part`.
  void fail(Op op, std::string path_part) {
    op_ = op;
    part_ = std::move(path_part);
  }
  // Fails the operation of index `index` (from 0) in the log.
  void fail_at(size_t index) { fail_at_ = index; }
  // The chosen operation runs out of memory instead of failing.
  void run_out_of_memory() { out_of_memory_ = true; }
  const std::vector<Operation>& log() const { return log_; }

  bool exists(const std::string& p) override { return inner_.exists(p); }
  std::string why_not_replaceable(const std::string& p) override {
    return inner_.why_not_replaceable(p);
  }
  std::string read(const std::string& p, const ReadLimit& limit) override {
    check(Op::read, p, "open");
    return inner_.read(p, limit);
  }
  std::unique_ptr<NewFile> open_stream(const std::string& p, StreamWait wait) override {
    return inner_.open_stream(p, wait);
  }
  std::unique_ptr<NewFile> create_new(const std::string& beside) override {
    check(Op::create, beside, "create");
    return std::make_unique<File>(*this, inner_.create_new(beside), beside);
  }
  std::string keep_earlier(const std::string& p) override {
    check(Op::keep, p, "keep");
    return inner_.keep_earlier(p);
  }
  void clear_leftovers(std::span<const std::string> outputs) override {
    inner_.clear_leftovers(outputs);
  }
  void rename(const std::string& from, const std::string& to) override {
    check(Op::rename, to, "rename");
    inner_.rename(from, to);
  }
  void remove(const std::string& p) override {
    check(Op::remove, p, "delete");
    inner_.remove(p);
  }
  void sync_folder(const std::string& folder) override {
    check(Op::sync, folder, "sync");
    inner_.sync_folder(folder);
  }
  std::unique_ptr<FolderLock> lock_folder(const std::string& folder, LockKind kind,
                                          const std::function<void()>& on_wait) override {
    check(Op::lock, folder, "lock");
    return inner_.lock_folder(folder, kind, on_wait);
  }
  void create_folder(const std::string& path) override {
    check(Op::create, path, "create folder");
    inner_.create_folder(path);
  }
  std::string folder_identity(const std::string& folder) override {
    return inner_.folder_identity(folder);
  }
  std::string file_identity(const std::string& p) override { return inner_.file_identity(p); }

 private:
  // A new file whose writes and syncs can fail too; `output` is the name
  // the file was created beside, which is what a path part is matched on.
  class File : public NewFile {
   public:
    File(FailingFileSystem& fs, std::unique_ptr<NewFile> inner, std::string output)
        : fs_(fs), inner_(std::move(inner)), output_(std::move(output)) {}
    const std::string& path() const override { return inner_->path(); }
    using NewFile::write;
    void write(std::string_view bytes) override {
      if (fs_.hit(Op::write, output_)) {
        // Leave a truncated file behind, as a full disk would.
        inner_->write(bytes.substr(0, bytes.size() / 2));
        throw FileError("write", path(), "No space left on device");
      }
      inner_->write(bytes);
    }
    void write_at(uint64_t offset, std::string_view bytes) override {
      if (fs_.hit(Op::write, output_)) {
        inner_->write_at(offset, bytes.substr(0, bytes.size() / 2));
        throw FileError("write", path(), "No space left on device");
      }
      inner_->write_at(offset, bytes);
    }
    void sync() override {
      fs_.check(Op::sync, output_, "sync");
      inner_->sync();
    }

   private:
    FailingFileSystem& fs_;
    std::unique_ptr<NewFile> inner_;
    std::string output_;
  };

  static FileSystem& real_disk() {
    static RealFileSystem disk;
    return disk;
  }
  bool hit(Op op, const std::string& p) {
    const bool chosen = log_.size() == fail_at_;
    log_.push_back({op, p});
    return chosen || (op == op_ && p.find(part_) != std::string::npos);
  }
  void check(Op op, const std::string& p, const char* name) {
    if (!hit(op, p)) return;
    if (out_of_memory_) throw std::bad_alloc();
    throw FileError(name, p, "injected failure");
  }

  FileSystem& inner_;
  Op op_;
  std::string part_;
  size_t fail_at_ = static_cast<size_t>(-1);
  bool out_of_memory_ = false;
  std::vector<Operation> log_;
};

}  // namespace lorvenna::testing
