#include <atomic>
#include <chrono>
#include <string>
#include <vector>

#include "platform/real_file_system.h"
#include "platform/utf16.h"

namespace lorvenna {
namespace {

[[noreturn]] void fail(const char* operation, const std::string& path,
                       DWORD errore = GetLastError()) {
  throw FileError(operation, path, motivo_di_sistema(errore));
}

// A handle closed when it goes out of scope.
class OwnedHandle {
 public:
  explicit OwnedHandle(HANDLE h) : h_(h) {}
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;
  ~OwnedHandle() {
    if (valida()) CloseHandle(h_);
  }
  HANDLE get() const { return h_; }
  bool valida() const { return h_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE h_;
};

class Win32NewFile : public NewFile {
 public:
  Win32NewFile(HANDLE h, std::string path) : h_(h), path_(std::move(path)) {}
  const std::string& path() const override { return path_; }

  using NewFile::write;
  void write(std::string_view bytes) override {
    while (!bytes.empty()) {
      const DWORD pezzo = bytes.size() > (1u << 30) ? (1u << 30) : static_cast<DWORD>(bytes.size());
      DWORD scritti = 0;
      if (!WriteFile(h_.get(), bytes.data(), pezzo, &scritti, nullptr)) fail("write", path_);
      bytes.remove_prefix(scritti);
    }
  }

  void write_at(uint64_t offset, std::string_view bytes) override {
    while (!bytes.empty()) {
      const DWORD pezzo = bytes.size() > (1u << 30) ? (1u << 30) : static_cast<DWORD>(bytes.size());
      // On a handle opened without FILE_FLAG_OVERLAPPED the offset is where
      // the write goes, and the call returns once it is done.
      OVERLAPPED dove{};
      dove.Offset = static_cast<DWORD>(offset & 0xFFFFFFFFu);
      dove.OffsetHigh = static_cast<DWORD>(offset >> 32);
      DWORD scritti = 0;
      if (!WriteFile(h_.get(), bytes.data(), pezzo, &scritti, &dove)) fail("write", path_);
      bytes.remove_prefix(scritti);
      offset += scritti;
    }
  }

  void sync() override {
    if (!FlushFileBuffers(h_.get())) fail("sync", path_);
  }

 private:
  OwnedHandle h_;
  std::string path_;
};

// A character device or a pipe has no disk behind it to wait for.
class Win32Stream : public Win32NewFile {
 public:
  using Win32NewFile::Win32NewFile;
  void sync() override {}
};

// The lock is a file that the system deletes when its last holder closes it,
// however the process ends. How it is shared makes the kinds of lock exclude
// each other: a writer's handle shares nothing; a reader's shares reading
// and deleting, which is all that another reader's asks for, and no writing,
// which a writer's asks for.
class Win32FolderLock : public FolderLock {
 public:
  explicit Win32FolderLock(HANDLE h) : h_(h) {}

 private:
  OwnedHandle h_;
};

std::string next_temporary_name(const std::string& beside) {
  static std::atomic<unsigned> contatore{0};
  return temporary_name(beside, GetCurrentProcessId(), contatore++);
}

// Only a process that is certainly gone counts as dead.
bool processo_vivo(unsigned long pid) {
  HANDLE h = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid));
  if (h == nullptr) return GetLastError() != ERROR_INVALID_PARAMETER;
  const bool vivo = WaitForSingleObject(h, 0) == WAIT_TIMEOUT;
  CloseHandle(h);
  return vivo;
}

DWORD file_attributes(const std::string& path) { return GetFileAttributesW(a_utf16(path).c_str()); }

}  // namespace

bool RealFileSystem::exists(const std::string& path) {
  if (file_attributes(path) != INVALID_FILE_ATTRIBUTES) return true;
  const DWORD errore = GetLastError();
  if (errore == ERROR_FILE_NOT_FOUND || errore == ERROR_PATH_NOT_FOUND) return false;
  fail("look up", path, errore);
}

std::string RealFileSystem::why_not_replaceable(const std::string& path) {
  const DWORD a = file_attributes(path);
  if (a == INVALID_FILE_ATTRIBUTES) {
    // A name the system refuses (too long, say) is refused before anything
    // of the set is written.
    const DWORD errore = GetLastError();
    return errore == ERROR_FILE_NOT_FOUND || errore == ERROR_PATH_NOT_FOUND
               ? ""
               : motivo_di_sistema(errore);
  }
  if (a & FILE_ATTRIBUTE_DIRECTORY) return "Is a directory";
  if (a & FILE_ATTRIBUTE_READONLY) return "the file is read-only";
  return "";
}

std::string RealFileSystem::read(const std::string& path, const ReadLimit& limit) {
  OwnedHandle h(CreateFileW(a_utf16(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!h.valida()) fail("open", path);
  if (GetFileType(h.get()) != FILE_TYPE_DISK) throw FileError("read", path, "not a regular file");
  LARGE_INTEGER dimensione;
  if (!GetFileSizeEx(h.get(), &dimensione)) fail("read", path);
  if (static_cast<uint64_t>(dimensione.QuadPart) > limit.max_bytes) {
    throw too_large(path, static_cast<uint64_t>(dimensione.QuadPart), limit);
  }
  std::string contents;
  contents.reserve(static_cast<size_t>(dimensione.QuadPart));
  char buffer[65536];
  while (true) {
    DWORD letti = 0;
    if (!ReadFile(h.get(), buffer, sizeof buffer, &letti, nullptr)) fail("read", path);
    if (letti == 0) return contents;
    contents.append(buffer, letti);
    // A file still being written is cut off at the limit, not followed.
    if (contents.size() > limit.max_bytes) throw grew_too_large(path, limit);
  }
}

std::unique_ptr<NewFile> RealFileSystem::open_stream(const std::string& path, StreamWait) {
  // What cannot be opened (missing, a folder, read-only) is left to the
  // whole-file write to report. OPEN_EXISTING never creates or truncates,
  // and a pipe with no free instance fails at once rather than waiting.
  HANDLE h = CreateFileW(a_utf16(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return nullptr;
  const DWORD tipo = GetFileType(h);
  if (tipo != FILE_TYPE_CHAR && tipo != FILE_TYPE_PIPE) {
    CloseHandle(h);
    return nullptr;
  }
  return std::make_unique<Win32Stream>(h, path);
}

std::unique_ptr<NewFile> RealFileSystem::create_new(const std::string& beside) {
  constexpr int kTentativi = 100;
  for (int i = 0; i < kTentativi; ++i) {
    std::string nome = next_temporary_name(beside);
    // CREATE_NEW fails on any name that is taken, a link included.
    HANDLE h = CreateFileW(a_utf16(nome).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (h != INVALID_HANDLE_VALUE) return std::make_unique<Win32NewFile>(h, std::move(nome));
    const DWORD errore = GetLastError();
    if (errore != ERROR_FILE_EXISTS && errore != ERROR_ALREADY_EXISTS)
      fail("create", beside, errore);
  }
  throw FileError("create", beside, "no free temporary name beside it");
}

std::string RealFileSystem::keep_earlier(const std::string& path) {
  constexpr int kTentativi = 100;
  for (int i = 0; i < kTentativi; ++i) {
    const std::string nome = next_temporary_name(path);
    if (CreateHardLinkW(a_utf16(nome).c_str(), a_utf16(path).c_str(), nullptr)) return nome;
    DWORD errore = GetLastError();
    if (errore == ERROR_ALREADY_EXISTS || errore == ERROR_FILE_EXISTS) continue;
    // Volumes without second names (FAT, some shares) get a copy.
    if (CopyFileW(a_utf16(path).c_str(), a_utf16(nome).c_str(), TRUE)) return nome;
    errore = GetLastError();
    if (errore == ERROR_ALREADY_EXISTS || errore == ERROR_FILE_EXISTS) continue;
    fail("keep", path, errore);
  }
  throw FileError("keep", path, "no free temporary name beside it");
}

void RealFileSystem::clear_leftovers(std::span<const std::string> outputs) {
  for (const auto& [cartella, uscite] : by_folder(outputs)) {
    WIN32_FIND_DATAW voce;
    HANDLE ricerca = FindFirstFileW(a_utf16(join_path(cartella, "*.part")).c_str(), &voce);
    // Leftovers are tidied where possible; a folder that cannot be listed
    // fails its writes with a better reason.
    if (ricerca == INVALID_HANDLE_VALUE) continue;
    std::vector<std::string> morti;
    do {
      const std::string nome = da_utf16(voce.cFileName);
      for (const std::string& uscita : uscite) {
        const unsigned long pid = temporary_owner(nome, uscita);
        if (pid != 0 && !processo_vivo(pid)) morti.push_back(join_path(cartella, nome));
      }
    } while (FindNextFileW(ricerca, &voce));
    FindClose(ricerca);
    for (const std::string& m : morti) DeleteFileW(a_utf16(m).c_str());
  }
}

// A plain rename fails over an existing file here: the output is replaced
// explicitly, and the move reaches the disk before the call returns. The
// simulator or a virus scanner may hold the output open for a moment: a
// sharing violation is tried again for a few seconds before it counts.
void RealFileSystem::rename(const std::string& from, const std::string& to) {
  constexpr int kAttesaMs = 3000, kPassoMs = 50;
  for (int atteso = 0;; atteso += kPassoMs) {
    if (MoveFileExW(a_utf16(from).c_str(), a_utf16(to).c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return;
    }
    const DWORD errore = GetLastError();
    if (errore != ERROR_SHARING_VIOLATION || atteso >= kAttesaMs) fail("rename", to, errore);
    Sleep(kPassoMs);
  }
}

void RealFileSystem::remove(const std::string& path) {
  if (!DeleteFileW(a_utf16(path).c_str())) fail("delete", path);
}

// Each rename was written through; the folder needs nothing more.
void RealFileSystem::sync_folder(const std::string&) {}

std::unique_ptr<FolderLock> RealFileSystem::lock_folder(const std::string& folder, LockKind kind,
                                                        const std::function<void()>& on_wait) {
  const std::string cartella = folder.empty() ? "." : folder;
  const DWORD a = file_attributes(cartella);
  if (a == INVALID_FILE_ATTRIBUTES) fail("lock", cartella);
  if (!(a & FILE_ATTRIBUTE_DIRECTORY)) throw FileError("lock", cartella, "Not a directory");
  const std::string file_lock = join_path(cartella, ".lorvenna.lock");
  const std::wstring nome = a_utf16(file_lock);
  const bool condiviso = kind == LockKind::shared;
  const DWORD accesso = condiviso ? GENERIC_READ | DELETE : GENERIC_READ | GENERIC_WRITE | DELETE;
  const DWORD condivisione = condiviso ? FILE_SHARE_READ | FILE_SHARE_DELETE : 0;
  using orologio = std::chrono::steady_clock;
  const orologio::time_point inizio = orologio::now();
  bool detto = false;
  // A refusal is final once it has lasted a second since the start or since
  // a try last found another run holding the lock.
  orologio::time_point ultimo_tenuto = inizio;
  while (true) {
    HANDLE h = CreateFileW(nome.c_str(), accesso, condivisione, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (h != INVALID_HANDLE_VALUE) return std::make_unique<Win32FolderLock>(h);
    const DWORD errore = GetLastError();
    const orologio::time_point adesso = orologio::now();
    if (errore == ERROR_SHARING_VIOLATION) {
      // Another run holds it: wait for it to end, however long, saying so once.
      ultimo_tenuto = adesso;
      if (!detto && adesso - inizio >= kLockPatience) {
        detto = true;
        on_wait();
      }
    } else if (errore == ERROR_ACCESS_DENIED) {
      // Refused also while the file is on its way out: from when a holder
      // lets go until the last other reader has too, which readers do before
      // they print. Refused for good in a folder this user cannot write, and
      // whatever the wait when a folder stands at the file's name.
      const DWORD al = file_attributes(file_lock);
      if (al != INVALID_FILE_ATTRIBUTES && (al & FILE_ATTRIBUTE_DIRECTORY)) {
        throw FileError("lock", file_lock, "Is a directory");
      }
      if (adesso - ultimo_tenuto >= kLockPatience) fail("lock", cartella, errore);
    } else {
      fail("lock", cartella, errore);
    }
    Sleep(10);
  }
}

void RealFileSystem::create_folder(const std::string& path) {
  if (CreateDirectoryW(a_utf16(path).c_str(), nullptr)) return;
  const DWORD errore = GetLastError();
  const DWORD a = file_attributes(path);
  if (errore == ERROR_ALREADY_EXISTS && a != INVALID_FILE_ATTRIBUTES &&
      (a & FILE_ATTRIBUTE_DIRECTORY)) {
    return;
  }
  if (errore == ERROR_ALREADY_EXISTS) throw FileError("create folder", path, "Not a directory");
  fail("create folder", path, errore);
}

// The volume and the file index name a folder whatever path leads to it.
std::string RealFileSystem::folder_identity(const std::string& folder) {
  const std::string cartella = folder.empty() ? "." : folder;
  OwnedHandle h(CreateFileW(a_utf16(cartella).c_str(), FILE_READ_ATTRIBUTES,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!h.valida()) fail("look up", cartella);
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(h.get(), &info)) fail("look up", cartella);
  return std::to_string(info.dwVolumeSerialNumber) + ":" + std::to_string(info.nFileIndexHigh) +
         ":" + std::to_string(info.nFileIndexLow);
}

// The volume's serial number and the file's index on it, which every path
// to the file shares (its links followed, whatever the case of its name).
std::string RealFileSystem::file_identity(const std::string& path) {
  if (path.empty()) return "";
  OwnedHandle h(CreateFileW(a_utf16(path).c_str(), FILE_READ_ATTRIBUTES,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION info;
  if (!h.valida() || !GetFileInformationByHandle(h.get(), &info)) return "";
  return std::to_string(info.dwVolumeSerialNumber) + ":" + std::to_string(info.nFileIndexHigh) +
         ":" + std::to_string(info.nFileIndexLow);
}

}  // namespace lorvenna
