// The folder watched with inotify, its descriptor polled together with the
// interrupt's self-pipe.
#include <poll.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <set>

#include "platform/file_system.h"
#include "platform/folder_watch.h"
#include "platform/interrupt.h"

namespace lorvenna {
namespace {

// What an editor's save may do to a file: write it in place, truncate it,
// or put a new file in its place by a rename, the old one removed or
// renamed away first; and the folder itself deleted or moved.
constexpr uint32_t kCambiamenti = IN_MODIFY | IN_CLOSE_WRITE | IN_CREATE | IN_DELETE |
                                  IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF |
                                  IN_ONLYDIR;
// What tells that the watched folder is no longer the one at the path.
constexpr uint32_t kAndata = IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED | IN_UNMOUNT;

// Where a folder is: its device and inode.
struct posto {
  dev_t dev = 0;
  ino_t ino = 0;
  bool operator==(const posto&) const = default;
};

// The folder at `path` now, if there is one.
bool posto_di(const std::string& path, posto& p) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
  p = {st.st_dev, st.st_ino};
  return true;
}

class InotifyWatch : public FolderWatch {
 public:
  InotifyWatch(const std::string& folder, const std::vector<std::string>& names)
      : folder_(folder), names_(names.begin(), names.end()) {
    struct stat st;
    if (::stat(folder.c_str(), &st) != 0) fail("stat");
    if (!S_ISDIR(st.st_mode)) fail("stat", ENOTDIR);
    fd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd_ < 0) fail("inotify_init1");
    try {
      // Gone again already: as if it had been gone before the watch began.
      if (!arm()) fail("inotify_add_watch", ENOENT);
    } catch (...) {
      ::close(fd_);
      throw;
    }
  }
  ~InotifyWatch() override { ::close(fd_); }
  InotifyWatch(const InotifyWatch&) = delete;
  InotifyWatch& operator=(const InotifyWatch&) = delete;

  WatchEvent wait(std::chrono::milliseconds timeout) override {
    const auto fine = std::chrono::steady_clock::now() + timeout;
    if (wd_ < 0) return look_for_folder(fine);
    for (;;) {
      // Woken at least every kFolderLookout, to see that the folder is
      // still at its path: a folder above it renamed tells nothing here.
      pollfd attese[2] = {{fd_, POLLIN, 0}, {interrupt_fd(), POLLIN, 0}};
      const int pronti = ::poll(attese, interrupt_fd() >= 0 ? 2 : 1, fino_a(fine, true));
      if (pronti < 0 && errno != EINTR) fail("poll");
      if (interrupt_requested()) return WatchEvent::interrupted;
      bool andata = false;
      const bool cambiato = pronti > 0 && (attese[0].revents & POLLIN) != 0 && changed(andata);
      posto ora;
      if (andata || !posto_di(folder_, ora) || !(ora == posto_)) {
        disarm();
        return WatchEvent::gone;
      }
      if (cambiato) return WatchEvent::changed;
      if (std::chrono::steady_clock::now() >= fine) return WatchEvent::quiet;
    }
  }

 private:
  [[noreturn]] void fail(std::string_view call, int errore = errno) {
    throw FileError("watch", folder_, inotify_failure(call, errore));
  }

  // The milliseconds to `fine`, and no more than kFolderLookout when `a_rate`.
  static int fino_a(std::chrono::steady_clock::time_point fine, bool a_rate) {
    auto resta =
        std::chrono::ceil<std::chrono::milliseconds>(fine - std::chrono::steady_clock::now());
    if (a_rate) resta = std::min(resta, kFolderLookout);
    return static_cast<int>(std::max<int64_t>(0, resta.count()));
  }

  // Watches the folder at the path, if there is one: false when there is
  // none. Its place is taken before and after, so that a folder put at the
  // path meanwhile is not taken for the one watched.
  bool arm() {
    posto prima;
    if (!posto_di(folder_, prima)) return false;
    const int wd = ::inotify_add_watch(fd_, folder_.c_str(), kCambiamenti);
    if (wd < 0) {
      if (errno == ENOENT || errno == ENOTDIR) return false;
      fail("inotify_add_watch");
    }
    posto dopo;
    if (!posto_di(folder_, dopo) || !(dopo == prima)) {
      ::inotify_rm_watch(fd_, wd);
      return false;
    }
    wd_ = wd;
    posto_ = dopo;
    return true;
  }

  void disarm() {
    // The system may have removed it already (the folder deleted).
    if (wd_ >= 0) ::inotify_rm_watch(fd_, wd_);
    wd_ = -1;
  }

  // The folder gone: looks for one at the path now and every kFolderLookout,
  // until `fine` or the user's interrupt.
  WatchEvent look_for_folder(std::chrono::steady_clock::time_point fine) {
    for (;;) {
      if (interrupt_requested()) return WatchEvent::interrupted;
      if (arm()) return WatchEvent::back;
      const int attesa = fino_a(fine, true);
      if (attesa == 0) return WatchEvent::quiet;
      pollfd interruzione{interrupt_fd(), POLLIN, 0};
      if (::poll(&interruzione, interrupt_fd() >= 0 ? 1 : 0, attesa) < 0 && errno != EINTR) {
        fail("poll");
      }
    }
  }

  // Reads every event queued, and whether one concerns a watched file;
  // `andata` is set when one tells that the folder itself has gone. Events
  // of a watch given up earlier are passed over.
  bool changed(bool& andata) {
    bool cambiato = false;
    alignas(inotify_event) char buffer[4096];
    for (;;) {
      const ssize_t letti = ::read(fd_, buffer, sizeof buffer);
      if (letti < 0 && errno == EINTR) continue;
      if (letti < 0 && errno == EAGAIN) return cambiato;
      if (letti <= 0) fail("read");
      for (ssize_t i = 0; i < letti;) {
        const auto* e = reinterpret_cast<const inotify_event*>(buffer + i);
        // Events lost: whatever changed may be one of the files.
        if ((e->mask & IN_Q_OVERFLOW) != 0) cambiato = true;
        if (e->wd == wd_ && (e->mask & kAndata) != 0) andata = true;
        if (e->wd == wd_ && e->len > 0 && names_.count(e->name) > 0) cambiato = true;
        i += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
      }
    }
  }

  std::string folder_;
  std::set<std::string> names_;
  int fd_ = -1;
  int wd_ = -1;  // the folder's watch, -1 while it is gone
  posto posto_;  // where the watched folder is
};

}  // namespace

std::string inotify_failure(std::string_view call, int error) {
  std::string motivo = std::strerror(error);
  if (call == "inotify_add_watch" && error == ENOSPC) {
    motivo +=
        ": the inotify watches this user may have are all in use (the system's limit "
        "fs.inotify.max_user_watches, shared by every program of the user that watches "
        "files); raise it, e.g. sudo sysctl fs.inotify.max_user_watches=524288";
  } else if (call == "inotify_init1" && error == EMFILE) {
    motivo +=
        ": the inotify instances this user may have are all in use (the system's limit "
        "fs.inotify.max_user_instances, shared by every program of the user that watches "
        "files); raise it, e.g. sudo sysctl fs.inotify.max_user_instances=1024 (or, if it "
        "is this process's own limit on open files, ulimit -n)";
  } else if (call == "inotify_init1" && error == ENFILE) {
    motivo +=
        ": the system's limit on open files (fs.file-max) is reached; raise it, e.g. "
        "sudo sysctl fs.file-max=1048576";
  }
  return motivo;
}

std::unique_ptr<FolderWatch> watch_folder(const std::string& folder,
                                          const std::vector<std::string>& names) {
  auto watch = std::make_unique<InotifyWatch>(folder, names);
  catch_interrupts();
  return watch;
}

}  // namespace lorvenna
