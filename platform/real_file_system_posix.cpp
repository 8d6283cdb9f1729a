#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/interrupt.h"
#include "platform/real_file_system.h"
#include "platform/run_temporaries.h"

namespace lorvenna {
namespace {

// Why a name that is not a regular file cannot be read as one.
std::string why_not_a_file(mode_t mode) {
  if (S_ISDIR(mode)) return "it is a folder, not a regular file";
  if (S_ISFIFO(mode)) return "it is a FIFO, not a regular file";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "it is a device, not a regular file";
  if (S_ISSOCK(mode)) return "it is a socket, not a regular file";
  return "not a regular file";
}

[[noreturn]] void fail(const char* operation, const std::string& path, int errore = errno) {
  throw FileError(operation, path, std::strerror(errore));
}

// A descriptor closed when it goes out of scope.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  bool valido() const { return fd_ >= 0; }

 private:
  int fd_;
};

class PosixNewFile : public NewFile {
 public:
  PosixNewFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
  const std::string& path() const override { return path_; }

  using NewFile::write;
  void write(std::string_view bytes) override {
    while (!bytes.empty()) {
      const ssize_t n = ::write(fd_.get(), bytes.data(), bytes.size());
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) fail("write", path_);
      bytes.remove_prefix(static_cast<size_t>(n));
    }
  }

  void write(std::span<const std::string_view> pieces) override {
    std::vector<iovec> resto;
    for (std::string_view p : pieces) {
      if (!p.empty()) resto.push_back({const_cast<char*>(p.data()), p.size()});
    }
    size_t primo = 0;
    while (primo < resto.size()) {
      const int quanti = static_cast<int>(std::min<size_t>(resto.size() - primo, IOV_MAX));
      ssize_t n = ::writev(fd_.get(), resto.data() + primo, quanti);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) fail("write", path_);
      // A short write leaves the rest for the next call.
      while (n > 0 && primo < resto.size()) {
        const auto scritti = std::min(static_cast<size_t>(n), resto[primo].iov_len);
        resto[primo].iov_base = static_cast<char*>(resto[primo].iov_base) + scritti;
        resto[primo].iov_len -= scritti;
        n -= static_cast<ssize_t>(scritti);
        if (resto[primo].iov_len == 0) ++primo;
      }
    }
  }

  void write_at(uint64_t offset, std::string_view bytes) override {
    while (!bytes.empty()) {
      const ssize_t n = ::pwrite(fd_.get(), bytes.data(), bytes.size(), static_cast<off_t>(offset));
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) fail("write", path_);
      bytes.remove_prefix(static_cast<size_t>(n));
      offset += static_cast<uint64_t>(n);
    }
  }

  void sync() override {
    if (::fsync(fd_.get()) != 0) fail("sync", path_);
  }

 protected:
  int fd() const { return fd_.get(); }

 private:
  FileDescriptor fd_;
  std::string path_;
};

// A stream has no disk behind it to wait for, and fsync refuses a FIFO.
class PosixStream : public PosixNewFile {
 public:
  using PosixNewFile::PosixNewFile;
  void sync() override {}
};

// write(2) with SIGPIPE held back: a reader that has gone fails the write
// with EPIPE instead of ending the process. A SIGPIPE that this write
// raises is taken back; one that was already waiting is left.
ssize_t scrivi_senza_sigpipe(int fd, std::string_view bytes) {
  sigset_t tubo;
  sigset_t prima;
  sigemptyset(&tubo);
  sigaddset(&tubo, SIGPIPE);
  ::pthread_sigmask(SIG_BLOCK, &tubo, &prima);
  sigset_t in_attesa;
  sigemptyset(&in_attesa);
  ::sigpending(&in_attesa);
  const bool gia_in_attesa = sigismember(&in_attesa, SIGPIPE) == 1;
  const ssize_t n = ::write(fd, bytes.data(), bytes.size());
  const int errore = errno;
  if (n < 0 && errore == EPIPE && !gia_in_attesa) {
    const timespec subito{};
    while (::sigtimedwait(&tubo, nullptr, &subito) < 0 && errno == EINTR) {
    }
  }
  ::pthread_sigmask(SIG_SETMASK, &prima, nullptr);
  errno = errore;
  return n;
}

// A stream opened with O_NONBLOCK that never waits long: see StreamWait::never.
class NeverWaitingPosixStream : public PosixStream {
 public:
  using PosixStream::PosixStream;

  using PosixStream::write;
  void write(std::string_view bytes) override {
    while (!bytes.empty()) {
      const ssize_t n = scrivi_senza_sigpipe(fd(), bytes);
      if (n > 0) {
        bytes.remove_prefix(static_cast<size_t>(n));
      } else if (n == 0 || errno == EAGAIN || errno == EWOULDBLOCK) {
        attendi_spazio();
      } else if (errno == EPIPE) {
        throw FileError("write", path(), "the program reading it has closed it");
      } else if (errno != EINTR) {
        fail("write", path());
      }
    }
  }
  void write(std::span<const std::string_view> pieces) override {
    for (std::string_view piece : pieces) write(piece);
  }

 private:
  // Returns once the reader has made room (or gone, which the next write
  // tells); throws when it takes nothing for kStreamPatience, or on the
  // user's interrupt.
  void attendi_spazio() {
    const auto fine = std::chrono::steady_clock::now() + kStreamPatience;
    for (;;) {
      pollfd attese[2] = {{fd(), POLLOUT, 0}, {interrupt_fd(), POLLIN, 0}};
      const auto resta =
          std::chrono::ceil<std::chrono::milliseconds>(fine - std::chrono::steady_clock::now());
      const int pronti = ::poll(attese, interrupt_fd() >= 0 ? 2 : 1,
                                static_cast<int>(std::max<int64_t>(0, resta.count())));
      if (pronti < 0 && errno != EINTR) fail("write", path());
      if (pronti > 0 && attese[0].revents != 0) return;
      if (interrupt_requested()) throw FileError("write", path(), "interrupted");
      if (pronti == 0) {
        throw FileError("write", path(),
                        "the program reading it took nothing for " +
                            std::to_string(kStreamPatience.count() / 1000) + " seconds");
      }
    }
  }
};

class PosixFolderLock : public FolderLock {
 public:
  explicit PosixFolderLock(int fd) : fd_(fd) {}

 private:
  FileDescriptor fd_;  // closing it releases the lock
};

// Names are unique within the process by the counter and across processes
// by the process id; a name that still clashes is passed over.
std::string next_temporary_name(const std::string& beside) {
  static std::atomic<unsigned> contatore{0};
  return temporary_name(beside, static_cast<unsigned long>(::getpid()), contatore++);
}

// A copy where the file system has no second names (some shares, FAT).
void copia(const std::string& da, int verso, const std::string& nome) {
  FileDescriptor sorgente(::open(da.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
  if (!sorgente.valido()) fail("keep", da);
  char buffer[65536];
  while (true) {
    const ssize_t n = ::read(sorgente.get(), buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) fail("keep", da);
    if (n == 0) return;
    for (ssize_t scritti = 0; scritti < n;) {
      const ssize_t w = ::write(verso, buffer + scritti, static_cast<size_t>(n - scritti));
      if (w < 0 && errno == EINTR) continue;
      if (w < 0) fail("keep", nome);
      scritti += w;
    }
  }
}

bool processo_vivo(unsigned long pid) {
  // Only a process that is certainly gone counts as dead: one that exists
  // under another user answers EPERM.
  return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH;
}

std::string cartella_o_corrente(const std::string& folder) { return folder.empty() ? "." : folder; }

bool cifre(std::string_view s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Whether `path` is, through its links, one of a process's open descriptors
// (/dev/stdout, /dev/fd/N, /proc/self/fd/N): the shell opened what stands
// behind it, and renaming a file over the link would replace the link itself.
bool porta_a_un_descrittore(std::string path) {
  constexpr int kMassimoSalti = 40;  // as the system's own limit on links
  for (int salto = 0; salto < kMassimoSalti; ++salto) {
    for (std::string_view radice : {"/dev/fd/", "/proc/self/fd/", "/proc/thread-self/fd/"}) {
      if (path.starts_with(radice) && cifre(std::string_view(path).substr(radice.size()))) {
        return true;
      }
    }
    if (path.starts_with("/proc/")) {
      const size_t fd = path.find("/fd/", 6);
      if (fd != std::string::npos && cifre(std::string_view(path).substr(6, fd - 6)) &&
          cifre(std::string_view(path).substr(fd + 4))) {
        return true;
      }
    }
    char destinazione[PATH_MAX];
    const ssize_t n = ::readlink(path.c_str(), destinazione, sizeof destinazione);
    if (n <= 0 || static_cast<size_t>(n) >= sizeof destinazione) return false;
    std::string dove(destinazione, static_cast<size_t>(n));
    path = dove.starts_with('/') ? dove : join_path(folder_of(path), dove);
  }
  return false;
}

}  // namespace

bool RealFileSystem::exists(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) == 0) return true;
  // Only a name that is not there is missing; a name the system refuses (too
  // long, a folder that cannot be searched) is a failure with its own reason.
  if (errno == ENOENT) return false;
  fail("look up", path);
}

std::string RealFileSystem::why_not_replaceable(const std::string& path) {
  // The name itself is looked at: a link there is replaced, not its target.
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0) {
    // A name the system refuses (too long, say) is refused before anything
    // of the set is written.
    return errno == ENOENT ? "" : std::strerror(errno);
  }
  if (S_ISDIR(st.st_mode)) return std::strerror(EISDIR);
  if (S_ISREG(st.st_mode) && (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
    return "the file is read-only";
  }
  return "";
}

std::string RealFileSystem::read(const std::string& path, const ReadLimit& limit) {
  // What is not a file is refused from its name, never opened: opening a
  // device can act on it.
  struct stat st;
  if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
    throw FileError("read", path, why_not_a_file(st.st_mode));
  }
  // Without O_NONBLOCK, opening a FIFO put there meanwhile would wait for a
  // writer for ever.
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (!fd.valido()) fail("open", path);
  if (::fstat(fd.get(), &st) != 0) fail("read", path);
  if (!S_ISREG(st.st_mode)) throw FileError("read", path, why_not_a_file(st.st_mode));
  const auto dimensione = static_cast<uint64_t>(st.st_size);
  if (dimensione > limit.max_bytes) throw too_large(path, dimensione, limit);
  std::string contents;
  contents.reserve(static_cast<size_t>(dimensione));
  char buffer[65536];
  while (true) {
    const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) fail("read", path);
    if (n == 0) return contents;
    contents.append(buffer, static_cast<size_t>(n));
    // A file still being written is cut off at the limit, not followed.
    if (contents.size() > limit.max_bytes) throw grew_too_large(path, limit);
  }
}

std::unique_ptr<NewFile> RealFileSystem::open_stream(const std::string& path, StreamWait wait) {
  // What cannot be looked up is left to the whole-file write to report.
  struct stat st;
  if (::stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return nullptr;
  // A regular file is replaced whole, unless it is a descriptor's file.
  const bool descrittore = porta_a_un_descrittore(path);
  if (S_ISREG(st.st_mode) && !descrittore) return nullptr;
  const bool senza_attesa = wait == StreamWait::never;
  // Without O_NONBLOCK, opening a FIFO waits for a reader; with it, a FIFO
  // with no reader fails at once with ENXIO.
  int fd;
  do {
    fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC | (senza_attesa ? O_NONBLOCK : 0));
  } while (fd < 0 && errno == EINTR);
  if (fd < 0 && errno == ENXIO && S_ISFIFO(st.st_mode)) {
    throw FileError("open", path, "no program is reading the FIFO");
  }
  if (fd < 0) fail("open", path);
  std::unique_ptr<NewFile> stream;
  if (senza_attesa) {
    stream = std::make_unique<NeverWaitingPosixStream>(fd, path);
  } else {
    stream = std::make_unique<PosixStream>(fd, path);
  }
  // A regular file put in its place meanwhile is replaced whole after all.
  if (::fstat(fd, &st) != 0 || (S_ISREG(st.st_mode) && !descrittore)) return nullptr;
  return stream;
}

std::unique_ptr<NewFile> RealFileSystem::create_new(const std::string& beside) {
  constexpr int kTentativi = 100;
  for (int i = 0; i < kTentativi; ++i) {
    std::string nome = next_temporary_name(beside);
    // A signal that comes while the file is created is taken when the
    // call returns: held, it finds the file already noted for removal.
    const InterruptsHeld held;
    const int fd = ::open(nome.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd >= 0) {
      note_temporary(nome);
      return std::make_unique<PosixNewFile>(fd, std::move(nome));
    }
    if (errno != EEXIST) fail("create", beside);
  }
  throw FileError("create", beside, "no free temporary name beside it");
}

std::string RealFileSystem::keep_earlier(const std::string& path) {
  constexpr int kTentativi = 100;
  for (int i = 0; i < kTentativi; ++i) {
    const std::string nome = next_temporary_name(path);
    std::optional<InterruptsHeld> held(std::in_place);
    if (::link(path.c_str(), nome.c_str()) == 0) {
      note_temporary(nome);
      return nome;
    }
    if (errno == EEXIST) continue;
    if (errno != EPERM && errno != EXDEV && errno != EMLINK && errno != ENOTSUP &&
        errno != EOPNOTSUPP && errno != ENOSYS) {
      fail("keep", path);
    }
    FileDescriptor copia_fd(
        ::open(nome.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (!copia_fd.valido() && errno == EEXIST) continue;
    if (!copia_fd.valido()) fail("keep", path);
    note_temporary(nome);
    held.reset();
    try {
      copia(path, copia_fd.get(), nome);
    } catch (const FileError&) {
      ::unlink(nome.c_str());
      forget_temporary(nome);
      throw;
    }
    return nome;
  }
  throw FileError("keep", path, "no free temporary name beside it");
}

void RealFileSystem::clear_leftovers(std::span<const std::string> outputs) {
  for (const auto& [percorso, uscite] : by_folder(outputs)) {
    DIR* cartella = ::opendir(percorso.c_str());
    // Leftovers are tidied where possible; a folder that cannot be listed
    // fails its writes with a better reason.
    if (!cartella) continue;
    std::vector<std::string> morti;
    while (const dirent* voce = ::readdir(cartella)) {
      for (const std::string& uscita : uscite) {
        const unsigned long pid = temporary_owner(voce->d_name, uscita);
        if (pid != 0 && !processo_vivo(pid)) morti.push_back(join_path(percorso, voce->d_name));
      }
    }
    ::closedir(cartella);
    for (const std::string& m : morti) ::unlink(m.c_str());
  }
}

void RealFileSystem::rename(const std::string& from, const std::string& to) {
  if (std::rename(from.c_str(), to.c_str()) != 0) fail("rename", to);
  forget_temporary(from);
}

void RealFileSystem::remove(const std::string& path) {
  if (::unlink(path.c_str()) != 0) fail("delete", path);
  forget_temporary(path);
}

void RealFileSystem::sync_folder(const std::string& folder) {
  const std::string cartella = cartella_o_corrente(folder);
  FileDescriptor fd(::open(cartella.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!fd.valido() || ::fsync(fd.get()) != 0) fail("sync", cartella);
}

// The lock is taken on the folder itself, so that no lock file is left among
// the user's files; it ends with the process, however the process ends.
std::unique_ptr<FolderLock> RealFileSystem::lock_folder(const std::string& folder, LockKind kind,
                                                        const std::function<void()>& on_wait) {
  const std::string cartella = cartella_o_corrente(folder);
  const int fd = ::open(cartella.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) fail("lock", cartella);
  auto lock = std::make_unique<PosixFolderLock>(fd);
  const int modo = kind == LockKind::shared ? LOCK_SH : LOCK_EX;
  // Tried without waiting at first, so that a run that waits only briefly
  // says nothing, and one that waits longer says so before it blocks.
  const auto limite = std::chrono::steady_clock::now() + kLockPatience;
  while (::flock(fd, modo | LOCK_NB) != 0) {
    if (errno == EINTR) continue;
    if (errno != EWOULDBLOCK) fail("lock", cartella);
    if (std::chrono::steady_clock::now() >= limite) {
      on_wait();
      while (::flock(fd, modo) != 0) {
        if (errno != EINTR) fail("lock", cartella);
      }
      return lock;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return lock;
}

void RealFileSystem::create_folder(const std::string& path) {
  if (::mkdir(path.c_str(), 0777) == 0) return;
  const int errore = errno;
  struct stat st;
  if (errore == EEXIST && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return;
  fail("create folder", path, errore == EEXIST ? ENOTDIR : errore);
}

std::string RealFileSystem::folder_identity(const std::string& folder) {
  const std::string cartella = cartella_o_corrente(folder);
  struct stat st;
  if (::stat(cartella.c_str(), &st) != 0) fail("look up", cartella);
  return std::to_string(st.st_dev) + ":" + std::to_string(st.st_ino);
}

std::string RealFileSystem::file_identity(const std::string& path) {
  struct stat st;
  if (path.empty() || ::stat(path.c_str(), &st) != 0) return "";
  return std::to_string(st.st_dev) + ":" + std::to_string(st.st_ino);
}

}  // namespace lorvenna
