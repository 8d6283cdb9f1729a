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

// Where a folder is: its volume and its index there.
struct posto {
  DWORD volume = 0;
  DWORD alto = 0;
  DWORD basso = 0;
  bool operator==(const posto&) const = default;
};

bool posto_da(HANDLE h, posto& p) {
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(h, &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    return false;
  }
  p = {info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
  return true;
}

// The folder at `path` now, if there is one. A folder deleted while a
// handle still holds it cannot be opened, and so counts as gone.
bool posto_di(const std::string& path, posto& p) {
  const HANDLE h = CreateFileW(a_utf16(path).c_str(), FILE_READ_ATTRIBUTES,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  const bool trovato = posto_da(h, p);
  CloseHandle(h);
  return trovato;
}

class DirectoryChangesWatch : public FolderWatch {
 public:
  DirectoryChangesWatch(const std::string& folder, const std::vector<std::string>& names)
      : folder_(folder), names_(names.begin(), names.end()) {
    overlapped_.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (overlapped_.hEvent == nullptr) fail();
    try {
      if (const DWORD errore = arm()) fail(errore);
    } catch (...) {
      CloseHandle(overlapped_.hEvent);
      throw;
    }
  }
  ~DirectoryChangesWatch() override {
    disarm();
    CloseHandle(overlapped_.hEvent);
  }
  DirectoryChangesWatch(const DirectoryChangesWatch&) = delete;
  DirectoryChangesWatch& operator=(const DirectoryChangesWatch&) = delete;

  WatchEvent wait(std::chrono::milliseconds timeout) override {
    const auto fine = std::chrono::steady_clock::now() + timeout;
    if (folder_handle_ == INVALID_HANDLE_VALUE) return look_for_folder(fine);
    for (;;) {
      // Woken at least every kFolderLookout, to see that the folder is
      // still at its path: a folder above it renamed tells nothing here.
      const HANDLE attese[2] = {overlapped_.hEvent, static_cast<HANDLE>(interrupt_event())};
      const DWORD esito =
          WaitForMultipleObjects(attese[1] != nullptr ? 2 : 1, attese, FALSE, fino_a(fine));
      if (esito == WAIT_FAILED) fail();
      if (interrupt_requested()) return WatchEvent::interrupted;
      bool andata = false;
      const bool cambiato = esito == WAIT_OBJECT_0 && changed(andata);
      posto ora;
      if (andata || !posto_di(folder_, ora) || !(ora == posto_)) {
        // Closed at once: the system deletes a folder only once the last
        // handle to it is closed.
        disarm();
        return WatchEvent::gone;
      }
      if (cambiato) return WatchEvent::changed;
      if (std::chrono::steady_clock::now() >= fine) return WatchEvent::quiet;
    }
  }

 private:
  [[noreturn]] void fail(DWORD errore = GetLastError()) {
    throw FileError("watch", folder_, motivo_di_sistema(errore));
  }

  // The milliseconds to `fine`, and no more than kFolderLookout.
  static DWORD fino_a(std::chrono::steady_clock::time_point fine) {
    const auto resta = std::min(
        std::chrono::ceil<std::chrono::milliseconds>(fine - std::chrono::steady_clock::now()),
        std::chrono::duration_cast<std::chrono::milliseconds>(kFolderLookout));
    return static_cast<DWORD>(std::max<int64_t>(0, resta.count()));
  }

  // Watches the folder at the path: 0, or the system's reason when there is
  // no folder there to watch. Any other failure throws.
  DWORD arm() {
    folder_handle_ =
        CreateFileW(a_utf16(folder_).c_str(), FILE_LIST_DIRECTORY,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr);
    if (folder_handle_ == INVALID_HANDLE_VALUE) {
      const DWORD errore = GetLastError();
      // A folder deleted while another program holds it is refused as
      // access denied until that program lets it go.
      if (errore == ERROR_FILE_NOT_FOUND || errore == ERROR_PATH_NOT_FOUND ||
          errore == ERROR_ACCESS_DENIED || errore == ERROR_DIRECTORY ||
          errore == ERROR_DELETE_PENDING) {
        return errore;
      }
      fail(errore);
    }
    if (!posto_da(folder_handle_, posto_)) {
      disarm();
      return ERROR_DIRECTORY;
    }
    if (!read_changes()) {
      const DWORD errore = GetLastError();
      disarm();
      fail(errore);
    }
    return 0;
  }

  void disarm() {
    if (folder_handle_ == INVALID_HANDLE_VALUE) return;
    if (in_lettura_) {
      CancelIoEx(folder_handle_, &overlapped_);
      DWORD scarto = 0;
      GetOverlappedResult(folder_handle_, &overlapped_, &scarto, TRUE);
      in_lettura_ = false;
    }
    CloseHandle(folder_handle_);
    folder_handle_ = INVALID_HANDLE_VALUE;
  }

  bool read_changes() {
    ResetEvent(overlapped_.hEvent);
    in_lettura_ = ReadDirectoryChangesW(folder_handle_, buffer_, sizeof buffer_, FALSE,
                                        kCambiamenti, nullptr, &overlapped_, nullptr) != 0;
    return in_lettura_;
  }

  // The folder gone: looks for one at the path now and every kFolderLookout,
  // until `fine` or the user's interrupt.
  WatchEvent look_for_folder(std::chrono::steady_clock::time_point fine) {
    for (;;) {
      if (interrupt_requested()) return WatchEvent::interrupted;
      if (arm() == 0) return WatchEvent::back;
      const DWORD attesa = fino_a(fine);
      if (attesa == 0) return WatchEvent::quiet;
      const HANDLE interruzione = static_cast<HANDLE>(interrupt_event());
      if (interruzione != nullptr) {
        WaitForSingleObject(interruzione, attesa);
      } else {
        Sleep(attesa);
      }
    }
  }

  // The changes the system has told, and whether one concerns a watched
  // file; the next are asked for at once, so that none is missed. A
  // failure with no folder at the path any more sets `andata` instead.
  bool changed(bool& andata) {
    DWORD byte = 0;
    in_lettura_ = false;
    posto ora;
    if (!GetOverlappedResult(folder_handle_, &overlapped_, &byte, FALSE)) {
      const DWORD errore = GetLastError();
      if (posto_di(folder_, ora) && ora == posto_) fail(errore);
      andata = true;
      return false;
    }
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
    if (!read_changes()) {
      const DWORD errore = GetLastError();
      if (posto_di(folder_, ora) && ora == posto_) fail(errore);
      andata = true;
    }
    return cambiato;
  }

  std::string folder_;
  std::set<std::string> names_;
  HANDLE folder_handle_ = INVALID_HANDLE_VALUE;  // INVALID_HANDLE_VALUE while the folder is gone
  posto posto_;                                  // where the watched folder is
  bool in_lettura_ = false;                      // a ReadDirectoryChangesW is under way
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
