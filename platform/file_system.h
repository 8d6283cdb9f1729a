// Every file operation of the program goes through this interface, so that
// tests can fake a failing create, write, sync, rename, delete, read or lock.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace lorvenna {

// A failed file operation: which operation, on which file, and the system's
// reason. The message quotes the path, so that no byte of it reaches a
// terminal raw; path() keeps it as it is.
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

// How large a file a read takes, and what kind of file it is, for the
// refusal: `what` completes "more than the N bytes ... can hold", as in
// "a train file".
struct ReadLimit {
  uint64_t max_bytes;
  std::string_view what;
};

// The refusal of the file at `path`, found to be `size` bytes.
FileError too_large(const std::string& path, uint64_t size, const ReadLimit& limit);
// The refusal of a file that grew past the limit while it was read.
FileError grew_too_large(const std::string& path, const ReadLimit& limit);

// How a write into a stream (see FileSystem::open_stream) waits for the
// program at its other end.
enum class StreamWait {
  // As a shell's ">" would: a FIFO with no reader waits for one, and a
  // reader that takes nothing holds the write up for as long as it does.
  as_shell,
  // Never for long: a FIFO with no reader is refused at once, and a write
  // fails once the reader has taken nothing for a few seconds, once the
  // user interrupts (see catch_interrupts), or once the reader has gone
  // (without the signal that would end the process).
  never,
};

// A file this process has just created and alone writes; closed when destroyed.
class NewFile {
 public:
  virtual ~NewFile() = default;
  virtual const std::string& path() const = 0;
  // Writes all of `bytes` after what was written before.
  virtual void write(std::string_view bytes) = 0;
  // Writes the pieces one after another; a system that can gathers them
  // into one call.
  virtual void write(std::span<const std::string_view> pieces) {
    for (std::string_view piece : pieces) write(piece);
  }
  // Writes all of `bytes` at `offset` from the file's start, whatever was
  // written before, so that a file can be filled in any order; a stream
  // cannot be, and fails.
  virtual void write_at(uint64_t offset, std::string_view bytes);
  // Returns once the bytes written are on the disk.
  virtual void sync() = 0;
};

// How a run holds a folder: a run that only reads shares it with other
// readers; a run that writes holds it alone.
enum class LockKind { exclusive, shared };

// Held for as long as a run works in a folder; released when destroyed.
class FolderLock {
 public:
  virtual ~FolderLock() = default;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // False only when nothing stands at `path`; a name that cannot be looked
  // up (too long, say) throws FileError with the reason.
  virtual bool exists(const std::string& path) = 0;
  // Why an output at `path` must not be replaced, or "" when it may be: an
  // existing file whose write-permission bits are all clear is the user's
  // to keep, and a folder cannot be replaced by a file.
  virtual std::string why_not_replaceable(const std::string& path) = 0;
  // Reads a regular file whole. Anything else (a FIFO, a device, a folder)
  // fails at once, without waiting for a writer. A file larger than the
  // limit is refused from its size, before anything is allocated, and so
  // is one that grows past it while it is read.
  virtual std::string read(const std::string& path, const ReadLimit& limit) = 0;
  // The stream at `path` opened for writing in place, as a shell's ">"
  // would, without creating or truncating: only when `path`, its links
  // followed, is neither a regular file nor a folder (a FIFO, a device, a
  // terminal), or is an open descriptor of the process whatever it holds
  // (/dev/stdout redirected to a file); nullptr otherwise, for a file that
  // is to be replaced whole. `wait` says how long a FIFO's reader is waited
  // for (see StreamWait).
  virtual std::unique_ptr<NewFile> open_stream(const std::string& path, StreamWait wait) = 0;
  // Creates a file beside `beside`, in its folder, under a name that nothing
  // held before: whatever stands at a name tried (a link, a FIFO, a leftover
  // of another run) is never followed, opened or reused. The name fits the
  // folder whenever `beside` does (see temporary_name).
  virtual std::unique_ptr<NewFile> create_new(const std::string& beside) = 0;
  // Gives the file at `path` a second, temporary name beside it and returns
  // that name; the file stays at `path` as well. Where the system cannot
  // give a file two names, the second is a copy.
  virtual std::string keep_earlier(const std::string& path) = 0;
  // Removes the temporaries that runs which have since died left beside
  // any of `outputs`, looking through each folder once. A live run's
  // temporaries, and every other name, are left.
  virtual void clear_leftovers(std::span<const std::string> outputs) = 0;
  // Puts `from` in the place of `to`, replacing what stood there.
  virtual void rename(const std::string& from, const std::string& to) = 0;
  virtual void remove(const std::string& path) = 0;
  // Returns once the folder's entries (a rename into it) are on the disk.
  virtual void sync_folder(const std::string& folder) = 0;
  // Waits until no other run holds `folder` in a way that excludes `kind`,
  // then holds it. When another run has kept it for about a second, calls
  // `on_wait` once and goes on waiting, so that a run that seems stuck can
  // say why; an exception from `on_wait` ends the wait. Any other reason the
  // lock cannot be had throws FileError.
  virtual std::unique_ptr<FolderLock> lock_folder(const std::string& folder, LockKind kind,
                                                  const std::function<void()>& on_wait) = 0;
  // Makes the folder `path` inside a folder that exists; a folder already
  // there is left as it is, anything else there is a failure.
  virtual void create_folder(const std::string& path) = 0;
  // A name that two paths to one folder share and paths to different
  // folders do not: a run that locks two folders locks one only once, and
  // in the order of these names, so that two such runs never wait on each
  // other in a circle.
  virtual std::string folder_identity(const std::string& folder) = 0;
  // A name that every path to one file shares, its links followed (a hard
  // link, a symbolic link, "x/../", another case where the system ignores
  // case), and paths to different files do not; "" when no file can be
  // looked up at `path` (nothing is there, say). On a file system without
  // such names, the path itself.
  virtual std::string file_identity(const std::string& path) = 0;
};

// Joins a folder and a file name with the platform's separator.
std::string join_path(const std::string& folder, const std::string& name);

// The folder part of `path`, "." for a bare name.
std::string folder_of(const std::string& path);

// The name part of `path`, after its folder's: the path itself for a bare
// name, "" when it ends with a separator.
std::string_view file_name_of(std::string_view path);

// The longest name a folder entry may have, in bytes here and in UTF-16
// units on Windows (which never needs more units than UTF-8 needs bytes).
inline constexpr size_t kLongestName = 255;

// The temporary beside `beside` that process `process` numbers `number`:
// the name with ".PROCESS-NUMBER.part" after it, the name cut short (never
// inside a UTF-8 sequence) where the whole would be longer than kLongestName.
std::string temporary_name(const std::string& beside, unsigned long process, unsigned number);

// The process whose temporary beside `beside` the folder entry `entry` is,
// or 0 when `entry` is no such temporary.
unsigned long temporary_owner(const std::string& entry, const std::string& beside);

// The folders of `paths`, each with the paths it holds.
std::map<std::string, std::vector<std::string>> by_folder(std::span<const std::string> paths);

}  // namespace lorvenna
