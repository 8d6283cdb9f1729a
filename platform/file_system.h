// Every file operation of the program goes through this interface, so that
// tests can fake a failing create, write, rename or delete.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace lorvenna {

// A failed file operation: which operation, on which file, and the system's reason.
class FileError : public std::runtime_error {
 public:
  FileError(std::string operation, std::string path, std::string reason);
  const std::string& operation() const { return operation_; }
  const std::string& path() const { return path_; }
  const std::string& reason() const { return reason_; }

 private:
  std::string operation_;
  std::string path_;
  std::string reason_;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  virtual bool exists(const std::string& path) = 0;
  // An existing file whose write-permission bits are all clear.
  virtual bool read_only(const std::string& path) = 0;
  virtual std::string read(const std::string& path) = 0;
  // Creates an empty file, replacing any file of that name.
  virtual void create(const std::string& path) = 0;
  virtual void write(const std::string& path, std::string_view bytes) = 0;
  virtual void rename(const std::string& from, const std::string& to) = 0;
  virtual void remove(const std::string& path) = 0;
};

// The operating system's files.
class RealFileSystem : public FileSystem {
 public:
  bool exists(const std::string& path) override;
  bool read_only(const std::string& path) override;
  std::string read(const std::string& path) override;
  void create(const std::string& path) override;
  void write(const std::string& path, std::string_view bytes) override;
  void rename(const std::string& from, const std::string& to) override;
  void remove(const std::string& path) override;
};

// Replaces `path` whole with `bytes`. The bytes go to a temporary file in the
// same folder, renamed over `path` only once complete, so a failure never
// leaves a truncated file under the output's name. A read-only output is not
// replaced. Throws FileError.
void write_whole_file(FileSystem& fs, const std::string& path, std::string_view bytes);

// Joins a folder and a file name with the platform's separator.
std::string join_path(const std::string& folder, const std::string& name);

}  // namespace lorvenna
