// The operating system's files.
#pragma once

#include <chrono>

#include "platform/file_system.h"

namespace lorvenna {

// How long a lock held by another run is tried for before the caller is told
// that the run waits, and how long a lock file that the system refuses is
// retried for before the refusal is taken as final.
inline constexpr std::chrono::milliseconds kLockPatience{1000};

// How long a stream written without waiting (StreamWait::never) may take
// nothing before its write fails.
inline constexpr std::chrono::milliseconds kStreamPatience{5000};

class RealFileSystem : public FileSystem {
 public:
  bool exists(const std::string& path) override;
  std::string why_not_replaceable(const std::string& path) override;
  std::string read(const std::string& path, const ReadLimit& limit) override;
  std::unique_ptr<NewFile> open_stream(const std::string& path, StreamWait wait) override;
  std::unique_ptr<NewFile> create_new(const std::string& beside) override;
  std::string keep_earlier(const std::string& path) override;
  void clear_leftovers(std::span<const std::string> outputs) override;
  void rename(const std::string& from, const std::string& to) override;
  void remove(const std::string& path) override;
  void sync_folder(const std::string& folder) override;
  std::unique_ptr<FolderLock> lock_folder(const std::string& folder, LockKind kind,
                                          const std::function<void()>& on_wait) override;
  void create_folder(const std::string& path) override;
  std::string folder_identity(const std::string& folder) override;
  std::string file_identity(const std::string& path) override;
};

}  // namespace lorvenna
