#include <atomic>
#include <string>

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

// The lock is a file opened with no sharing: a second run cannot open it
// until the first has closed it. The system deletes it when it is closed,
// however the process ends.
class Win32FolderLock : public FolderLock {
 public:
  explicit Win32FolderLock(HANDLE h) : h_(h) {}

 private:
  OwnedHandle h_;
};

std::string nome_temporaneo(const std::string& beside) {
  static std::atomic<unsigned> contatore{0};
  return beside + "." + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(contatore++) +
         ".part";
}

DWORD attributi(const std::string& path) { return GetFileAttributesW(a_utf16(path).c_str()); }

}  // namespace

bool RealFileSystem::exists(const std::string& path) {
  if (attributi(path) != INVALID_FILE_ATTRIBUTES) return true;
  const DWORD errore = GetLastError();
  if (errore == ERROR_FILE_NOT_FOUND || errore == ERROR_PATH_NOT_FOUND) return false;
  fail("look up", path, errore);
}

std::string RealFileSystem::why_not_replaceable(const std::string& path) {
  const DWORD a = attributi(path);
  if (a == INVALID_FILE_ATTRIBUTES) return "";
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

std::unique_ptr<NewFile> RealFileSystem::open_stream(const std::string& path) {
  // What cannot be opened (missing, a folder, read-only) is left to the
  // whole-file write to report. OPEN_EXISTING never creates or truncates.
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
    std::string nome = nome_temporaneo(beside);
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

// A plain rename fails over an existing file here: the output is replaced
// explicitly, and the move reaches the disk before the call returns.
void RealFileSystem::rename(const std::string& from, const std::string& to) {
  if (!MoveFileExW(a_utf16(from).c_str(), a_utf16(to).c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    fail("rename", to);
  }
}

void RealFileSystem::remove(const std::string& path) {
  if (!DeleteFileW(a_utf16(path).c_str())) fail("delete", path);
}

// Each rename was written through; the folder needs nothing more.
void RealFileSystem::sync_folder(const std::string&) {}

std::unique_ptr<FolderLock> RealFileSystem::lock_folder(const std::string& folder) {
  const std::string cartella = folder.empty() ? "." : folder;
  const DWORD a = attributi(cartella);
  if (a == INVALID_FILE_ATTRIBUTES) fail("lock", cartella);
  if (!(a & FILE_ATTRIBUTE_DIRECTORY)) throw FileError("lock", cartella, "Not a directory");
  const std::wstring nome = a_utf16(join_path(cartella, ".lorvenna.lock"));
  while (true) {
    HANDLE h = CreateFileW(nome.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (h != INVALID_HANDLE_VALUE) return std::make_unique<Win32FolderLock>(h);
    const DWORD errore = GetLastError();
    // Another run holds it: wait for it to end.
    if (errore != ERROR_SHARING_VIOLATION && errore != ERROR_ACCESS_DENIED) {
      fail("lock", cartella, errore);
    }
    Sleep(10);
  }
}

void RealFileSystem::create_folder(const std::string& path) {
  if (CreateDirectoryW(a_utf16(path).c_str(), nullptr)) return;
  const DWORD errore = GetLastError();
  const DWORD a = attributi(path);
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

}  // namespace lorvenna
