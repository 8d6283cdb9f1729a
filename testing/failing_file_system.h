// A file system that passes every operation to another one, except that a
// chosen operation fails on any path containing a chosen part: the faults of
// a full disk or a locked file, on demand.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "platform/file_system.h"

namespace lorvenna::testing {

class FailingFileSystem : public FileSystem {
 public:
  enum class Op { none, create, write, rename, remove, read };

  // Over the real disk.
  FailingFileSystem(Op op, std::string path_part) : FailingFileSystem(real_disk(), op, path_part) {}
  FailingFileSystem(FileSystem& inner, Op op = Op::none, std::string path_part = "")
      : inner_(inner), op_(op), part_(std::move(path_part)) {}

  void fail(Op op, std::string path_part) {
    op_ = op;
    part_ = std::move(path_part);
  }

  bool exists(const std::string& p) override { return inner_.exists(p); }
  bool read_only(const std::string& p) override { return inner_.read_only(p); }
  std::string read(const std::string& p) override {
    check(Op::read, p, "open");
    return inner_.read(p);
  }
  void create(const std::string& p) override {
    check(Op::create, p, "create");
    inner_.create(p);
  }
  void write(const std::string& p, std::string_view bytes) override {
    if (hit(Op::write, p)) {
      // Leave a truncated file behind, as a full disk would.
      inner_.write(p, bytes.substr(0, bytes.size() / 2));
      throw FileError("write", p, "No space left on device");
    }
    inner_.write(p, bytes);
  }
  void rename(const std::string& from, const std::string& to) override {
    check(Op::rename, to, "rename");
    inner_.rename(from, to);
  }
  void remove(const std::string& p) override {
    check(Op::remove, p, "delete");
    inner_.remove(p);
  }

 private:
  static FileSystem& real_disk() {
    static RealFileSystem disk;
    return disk;
  }
  bool hit(Op op, const std::string& p) const {
    return op == op_ && p.find(part_) != std::string::npos;
  }
  void check(Op op, const std::string& p, const char* name) const {
    if (hit(op, p)) throw FileError(name, p, "injected failure");
  }

  FileSystem& inner_;
  Op op_;
  std::string part_;
};

}  // namespace lorvenna::testing
