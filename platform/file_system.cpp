#include "platform/file_system.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace lorvenna {
namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

[[noreturn]] void fail(const char* operation, const std::string& path) {
  throw FileError(operation, path, std::strerror(errno));
}

FilePtr open_or_fail(const char* operation, const std::string& path, const char* mode) {
  FilePtr f(std::fopen(path.c_str(), mode));
  if (!f) fail(operation, path);
  return f;
}

}  // namespace

FileError::FileError(std::string operation, std::string path, std::string reason)
    : std::runtime_error("cannot " + operation + " " + path + ": " + reason),
      operation_(std::move(operation)),
      path_(std::move(path)),
      reason_(std::move(reason)) {}

bool RealFileSystem::exists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

bool RealFileSystem::read_only(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return false;
  return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

std::string RealFileSystem::read(const std::string& path) {
  FilePtr f = open_or_fail("open", path, "rb");
  std::string contents;
  char buffer[65536];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f.get())) > 0) contents.append(buffer, n);
  if (std::ferror(f.get())) fail("read", path);
  return contents;
}

void RealFileSystem::create(const std::string& path) {
  FilePtr f = open_or_fail("create", path, "wb");
  if (std::fclose(f.release()) != 0) fail("create", path);
}

void RealFileSystem::write(const std::string& path, std::string_view bytes) {
  FilePtr f = open_or_fail("write", path, "wb");
  if (std::fwrite(bytes.data(), 1, bytes.size(), f.get()) != bytes.size()) fail("write", path);
  if (std::fclose(f.release()) != 0) fail("write", path);
}

void RealFileSystem::rename(const std::string& from, const std::string& to) {
  if (std::rename(from.c_str(), to.c_str()) != 0) fail("rename", from);
}

void RealFileSystem::remove(const std::string& path) {
  if (std::remove(path.c_str()) != 0) fail("delete", path);
}

void write_whole_file(FileSystem& fs, const std::string& path, std::string_view bytes) {
  if (fs.read_only(path)) throw FileError("replace", path, "the file is read-only");
  const std::string temporary = path + ".part";
  try {
    fs.create(temporary);
    fs.write(temporary, bytes);
    fs.rename(temporary, path);
  } catch (const FileError&) {
    try {
      if (fs.exists(temporary)) fs.remove(temporary);
    } catch (const FileError&) {
      // The original failure is the one worth reporting.
    }
    throw;
  }
}

std::string join_path(const std::string& folder, const std::string& name) {
#ifdef _WIN32
  constexpr char kSeparator = '\\';
#else
  constexpr char kSeparator = '/';
#endif
  if (folder.empty()) return name;
  if (folder.back() == kSeparator) return folder + name;
  return folder + kSeparator + name;
}

}  // namespace lorvenna
