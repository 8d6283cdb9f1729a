#include "testing/memory_file_system.h"

namespace lorvenna {

std::string MemoryFileSystem::read(const std::string& path) {
  auto it = files_.find(path);
  if (it == files_.end()) throw FileError("open", path, "No such file or directory");
  return it->second;
}

void MemoryFileSystem::rename(const std::string& from, const std::string& to) {
  auto it = files_.find(from);
  if (it == files_.end()) throw FileError("rename", from, "No such file or directory");
  files_[to] = std::move(it->second);
  files_.erase(from);
}

void MemoryFileSystem::remove(const std::string& path) {
  if (files_.erase(path) == 0) throw FileError("delete", path, "No such file or directory");
}

}  // namespace lorvenna
