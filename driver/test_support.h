// Helpers shared by the tests: a fresh temporary folder per test, whole-file
// reads, and a file system that fails a chosen operation.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "driver/file_system.h"
#include "driver/platform.h"

namespace lorvenna::testing {

// A new empty folder, removed with everything in it when the object dies.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "lorvenna-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
  }
  ~TempFolder() { std::filesystem::remove_all(path_); }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return join_path(path_, name); }

 private:
  std::string path_;
};

inline std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void write_file(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

// The names of the files in a folder.
inline std::set<std::string> files_in(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder)) {
    names.insert(e.path().filename().string());
  }
  return names;
}

// A platform that counts the waiting windows and, instead of ending the
// process, throws the message the error box would show (a std::string).
class FakePlatform : public piattaforma {
 public:
  void mostra_attesa() override { ++waits; }
  [[noreturn]] void errore(const std::string& a) override { throw messaggio_errore(a); }
  int waits = 0;
};

// The real file system, except that the chosen operation fails on any path
// containing `path_part`.
class FailingFileSystem : public RealFileSystem {
 public:
  enum class Op { none, create, write, rename, remove, read };
  FailingFileSystem(Op op, std::string path_part) : op_(op), part_(std::move(path_part)) {}

  std::string read(const std::string& p) override {
    check(Op::read, p, "read");
    return RealFileSystem::read(p);
  }
  void create(const std::string& p) override {
    check(Op::create, p, "create");
    RealFileSystem::create(p);
  }
  void write(const std::string& p, std::string_view bytes) override {
    if (op_ == Op::write && p.find(part_) != std::string::npos) {
      // Leave a truncated file behind, as a full disk would.
      RealFileSystem::write(p, bytes.substr(0, bytes.size() / 2));
      throw FileError("write", p, "No space left on device");
    }
    RealFileSystem::write(p, bytes);
  }
  void rename(const std::string& from, const std::string& to) override {
    check(Op::rename, to, "rename");
    RealFileSystem::rename(from, to);
  }
  void remove(const std::string& p) override {
    check(Op::remove, p, "delete");
    RealFileSystem::remove(p);
  }

 private:
  void check(Op op, const std::string& p, const char* name) {
    if (op == op_ && p.find(part_) != std::string::npos) {
      throw FileError(name, p, "injected failure");
    }
  }
  Op op_;
  std::string part_;
};

}  // namespace lorvenna::testing
