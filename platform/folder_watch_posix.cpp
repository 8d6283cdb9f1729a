// The folder watched with inotify, its descriptor polled together with the
// interrupt's self-pipe.
#include <poll.h>
#include <sys/inotify.h>
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
// renamed away first.
constexpr uint32_t kCambiamenti = IN_MODIFY | IN_CLOSE_WRITE | IN_CREATE | IN_DELETE |
                                  IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF |
                                  IN_ONLYDIR;

class InotifyWatch : public FolderWatch {
 public:
  InotifyWatch(const std::string& folder, const std::vector<std::string>& names)
      : folder_(folder), names_(names.begin(), names.end()) {
    fd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd_ < 0) fail();
    if (::inotify_add_watch(fd_, folder.c_str(), kCambiamenti) < 0) {
      const int errore = errno;
      ::close(fd_);
      fail(errore);
    }
  }
  ~InotifyWatch() override { ::close(fd_); }
  InotifyWatch(const InotifyWatch&) = delete;
  InotifyWatch& operator=(const InotifyWatch&) = delete;

  WatchEvent wait(std::chrono::milliseconds timeout) override {
    const auto fine = std::chrono::steady_clock::now() + timeout;
    for (;;) {
      pollfd attese[2] = {{fd_, POLLIN, 0}, {interrupt_fd(), POLLIN, 0}};
      const auto resta =
          std::chrono::ceil<std::chrono::milliseconds>(fine - std::chrono::steady_clock::now());
      const int pronti = ::poll(attese, interrupt_fd() >= 0 ? 2 : 1,
                                static_cast<int>(std::max<int64_t>(0, resta.count())));
      if (pronti < 0 && errno != EINTR) fail();
      if (interrupt_requested()) return WatchEvent::interrupted;
      if (pronti == 0) return WatchEvent::quiet;
      if (pronti > 0 && (attese[0].revents & POLLIN) != 0 && changed()) {
        return WatchEvent::changed;
      }
    }
  }

 private:
  [[noreturn]] void fail(int errore = errno) {
    throw FileError("watch", folder_, std::strerror(errore));
  }

  // Reads every event queued, and whether one concerns a watched file or
  // the folder itself.
  bool changed() {
    bool cambiato = false;
    alignas(inotify_event) char buffer[4096];
    for (;;) {
      const ssize_t letti = ::read(fd_, buffer, sizeof buffer);
      if (letti < 0 && errno == EINTR) continue;
      if (letti < 0 && errno == EAGAIN) return cambiato;
      if (letti <= 0) fail();
      for (ssize_t i = 0; i < letti;) {
        const auto* e = reinterpret_cast<const inotify_event*>(buffer + i);
        // The folder gone or moved, or events lost: whatever changed may
        // be one of the files.
        if ((e->mask & (IN_DELETE_SELF | IN_MOVE_SELF | IN_Q_OVERFLOW)) != 0 ||
            (e->len > 0 && names_.count(e->name) > 0)) {
          cambiato = true;
        }
        i += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
      }
    }
  }

  std::string folder_;
  std::set<std::string> names_;
  int fd_ = -1;
};

}  // namespace

std::unique_ptr<FolderWatch> watch_folder(const std::string& folder,
                                          const std::vector<std::string>& names) {
  auto watch = std::make_unique<InotifyWatch>(folder, names);
  catch_interrupts();
  return watch;
}

}  // namespace lorvenna
