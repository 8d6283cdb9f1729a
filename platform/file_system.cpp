#include "platform/file_system.h"

#include "encoding/quoted.h"

namespace lorvenna {
namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

}  // namespace

FileError::FileError(std::string operation, std::string path, std::string reason)
    : std::runtime_error("cannot " + operation + " " + percorso_citato(path) + ": " + reason),
      operation_(std::move(operation)),
      path_(std::move(path)),
      reason_(std::move(reason)) {}

FileError too_large(const std::string& path, uint64_t size, const ReadLimit& limit) {
  return FileError("read", path,
                   "the file is " + std::to_string(size) + " bytes, more than the " +
                       std::to_string(limit.max_bytes) + " bytes " + std::string(limit.what) +
                       " can hold");
}

FileError grew_too_large(const std::string& path, const ReadLimit& limit) {
  return FileError("read", path,
                   "the file grew past the " + std::to_string(limit.max_bytes) + " bytes " +
                       std::string(limit.what) + " can hold while it was read");
}

std::string join_path(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  if (folder.back() == kSeparator) return folder + name;
  return folder + kSeparator + name;
}

std::string folder_of(const std::string& path) {
  const size_t fine = path.find_last_of(kSeparator);
  if (fine == std::string::npos) return ".";
  if (fine == 0) return path.substr(0, 1);
  return path.substr(0, fine);
}

}  // namespace lorvenna
