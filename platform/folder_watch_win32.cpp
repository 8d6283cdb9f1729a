// The folder watched with ReadDirectoryChangesW, which names the files that
// changed, waited on together with the interrupt's event.
#include <windows.h>

#include <algorithm>
#include <set>

#include "platform/file_system.h"
#include "platform/folder_watch.h"
#include "platform/interrupt.h"
#include "platform/utf16.h"

namespace lorvenna {
namespace {

// A write, a truncation, or a file put in place or taken away by a rename.
constexpr DWORD kCambiamenti =
    FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE;

class DirectoryChangesWatch : public FolderWatch {
 public:
  DirectoryChangesWatch(const std::string& folder, const std::vector<std::string>& names)
      : folder_(folder), names_(names.begin(), names.end()) {
    folder_handle_ =
        CreateFileW(a_utf16(folder).c_str(), FILE_LIST_DIRECTORY,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr);
    if (folder_handle_ == INVALID_HANDLE_VALUE) fail();
    overlapped_.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (overlapped_.hEvent == nullptr) {
      const DWORD errore = GetLastError();
      CloseHandle(folder_handle_);
      fail(errore);
    }
    if (!arm()) {
      const DWORD errore = GetLastError();
      close();
      fail(errore);
    }
  }
  ~DirectoryChangesWatch() override {
    CancelIoEx(folder_handle_, &overlapped_);
    DWORD scarto = 0;
    GetOverlappedResult(folder_handle_, &overlapped_, &scarto, TRUE);
    close();
  }
  DirectoryChangesWatch(const DirectoryChangesWatch&) = delete;
  DirectoryChangesWatch& operator=(const DirectoryChangesWatch&) = delete;

  WatchEvent wait(std::chrono::milliseconds timeout) override {
    const auto fine = std::chrono::steady_clock::now() + timeout;
    for (;;) {
      const HANDLE attese[2] = {overlapped_.hEvent, static_cast<HANDLE>(interrupt_event())};
      const auto resta =
          std::chrono::ceil<std::chrono::milliseconds>(fine - std::chrono::steady_clock::now());
      const DWORD esito =
          WaitForMultipleObjects(attese[1] != nullptr ? 2 : 1, attese, FALSE,
                                 static_cast<DWORD>(std::max<int64_t>(0, resta.count())));
      if (esito == WAIT_FAILED) fail();
      if (interrupt_requested()) return WatchEvent::interrupted;
      if (esito == WAIT_TIMEOUT) return WatchEvent::quiet;
      if (esito == WAIT_OBJECT_0 && changed()) return WatchEvent::changed;
    }
  }

 private:
  [[noreturn]] void fail(DWORD errore = GetLastError()) {
    throw FileError("watch", folder_, motivo_di_sistema(errore));
  }

  bool arm() {
    ResetEvent(overlapped_.hEvent);
    return ReadDirectoryChangesW(folder_handle_, buffer_, sizeof buffer_, FALSE, kCambiamenti,
                                 nullptr, &overlapped_, nullptr) != 0;
  }

  void close() {
    CloseHandle(overlapped_.hEvent);
    CloseHandle(folder_handle_);
  }

  // The changes the system has told, and whether one concerns a watched
  // file; the next are asked for at once, so that none is missed.
  bool changed() {
    DWORD byte = 0;
    if (!GetOverlappedResult(folder_handle_, &overlapped_, &byte, FALSE)) fail();
    // No bytes: more changed than the buffer could tell, which may include
    // a watched file.
    bool cambiato = byte == 0;
    for (DWORD i = 0; i < byte;) {
      const auto* n = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(buffer_ + i);
      const std::wstring nome(n->FileName, n->FileNameLength / sizeof(WCHAR));
      if (names_.count(da_utf16(nome)) > 0) cambiato = true;
      if (n->NextEntryOffset == 0) break;
      i += n->NextEntryOffset;
    }
    if (!arm()) fail();
    return cambiato;
  }

  std::string folder_;
  std::set<std::string> names_;
  HANDLE folder_handle_ = INVALID_HANDLE_VALUE;
  OVERLAPPED overlapped_ = {};
  alignas(DWORD) unsigned char buffer_[16384] = {};
};

}  // namespace

std::unique_ptr<FolderWatch> watch_folder(const std::string& folder,
                                          const std::vector<std::string>& names) {
  auto watch = std::make_unique<DirectoryChangesWatch>(folder, names);
  catch_interrupts();
  return watch;
}

}  // namespace lorvenna
