#include "testing/memory_file_system.h"

namespace lorvenna {
namespace {

class MemoryNewFile : public NewFile {
 public:
  MemoryNewFile(std::string& contents, std::string path)
      : contents_(contents), path_(std::move(path)) {}
  const std::string& path() const override { return path_; }
  using NewFile::write;
  void write(std::string_view bytes) override { contents_.append(bytes); }
  void write_at(uint64_t offset, std::string_view bytes) override {
    const auto fine = static_cast<size_t>(offset) + bytes.size();
    if (contents_.size() < fine) contents_.resize(fine, '\0');
    contents_.replace(static_cast<size_t>(offset), bytes.size(), bytes);
  }
  void sync() override {}

 private:
  std::string& contents_;
  std::string path_;
};

}  // namespace

std::string MemoryFileSystem::read(const std::string& path, const ReadLimit& limit) {
  auto it = files_.find(path);
  if (it == files_.end()) throw FileError("open", path, "No such file or directory");
  if (it->second.size() > limit.max_bytes) throw too_large(path, it->second.size(), limit);
  return it->second;
}

std::unique_ptr<NewFile> MemoryFileSystem::create_new(const std::string& beside) {
  std::string name;
  do {
    name = beside + "." + std::to_string(next_temporary_++) + ".part";
  } while (files_.count(name) > 0);
  // std::map never moves its elements, so the reference stays good until the
  // file is renamed or removed.
  return std::make_unique<MemoryNewFile>(files_[name], name);
}

std::string MemoryFileSystem::keep_earlier(const std::string& path) {
  auto it = files_.find(path);
  if (it == files_.end()) throw FileError("keep", path, "No such file or directory");
  const std::string contents = it->second;
  auto file = create_new(path);
  file->write(contents);
  return file->path();
}

void MemoryFileSystem::rename(const std::string& from, const std::string& to) {
  auto it = files_.find(from);
  if (it == files_.end()) throw FileError("rename", to, "No such file or directory");
  std::string contents = std::move(it->second);
  files_.erase(it);
  files_[to] = std::move(contents);
}

void MemoryFileSystem::remove(const std::string& path) {
  if (files_.erase(path) == 0) throw FileError("delete", path, "No such file or directory");
}

void MemoryFileSystem::create_folder(const std::string& path) {
  if (files_.count(path) > 0) throw FileError("create folder", path, "Not a directory");
  folders_.insert(path);
}

}  // namespace lorvenna
