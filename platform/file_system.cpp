#include "platform/file_system.h"

#include <algorithm>

#include "encoding/quoted.h"

namespace lorvenna {

void NewFile::write_at(uint64_t, std::string_view) {
  throw FileError("write", path(), "a stream cannot be written at an offset");
}
namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

}  // namespace

std::string_view file_name_of(std::string_view path) {
  const size_t fine = path.find_last_of(kSeparator);
  return fine == std::string_view::npos ? path : path.substr(fine + 1);
}

FileError::FileError(std::string operation, std::string path, std::string reason)
    : std::runtime_error("cannot " + operation + " " + percorso_citato(path) + ": " + reason),
      operation_(std::move(operation)),
      path_(std::move(path)),
      reason_(std::move(reason)) {}

FileError too_large(const std::string& path, uint64_t size, const ReadLimit& limit) {
  return FileError("read", path,
                   "the file is " + std::to_string(size) + " bytes, more than the " +
                       std::to_string(limit.max_bytes) + " bytes " + std::string(limit.what) +
                       " can hold");
}

FileError grew_too_large(const std::string& path, const ReadLimit& limit) {
  return FileError("read", path,
                   "the file grew past the " + std::to_string(limit.max_bytes) + " bytes " +
                       std::string(limit.what) + " can hold while it was read");
}

std::string join_path(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  if (folder.back() == kSeparator) return folder + name;
  return folder + kSeparator + name;
}

std::string folder_of(const std::string& path) {
  const size_t fine = path.find_last_of(kSeparator);
  if (fine == std::string::npos) return ".";
  if (fine == 0) return path.substr(0, 1);
  return path.substr(0, fine);
}

std::string temporary_name(const std::string& beside, unsigned long process, unsigned number) {
  const std::string suffix = "." + std::to_string(process) + "-" + std::to_string(number) + ".part";
  const size_t inizio_nome = beside.size() - file_name_of(beside).size();
  size_t nome = beside.size() - inizio_nome;
  if (nome + suffix.size() > kLongestName) {
    nome = kLongestName - suffix.size();
    while (nome > 0 && (static_cast<unsigned char>(beside[inizio_nome + nome]) & 0xC0) == 0x80) {
      --nome;
    }
  }
  return beside.substr(0, inizio_nome + nome) + suffix;
}

std::map<std::string, std::vector<std::string>> by_folder(std::span<const std::string> paths) {
  std::map<std::string, std::vector<std::string>> folders;
  for (const std::string& p : paths) folders[folder_of(p)].push_back(p);
  return folders;
}

unsigned long temporary_owner(const std::string& entry, const std::string& beside) {
  // ".PROCESS-NUMBER.part" at the end, both numbers in plain digits.
  constexpr std::string_view kFine = ".part";
  if (entry.size() <= kFine.size() || !entry.ends_with(kFine)) return 0;
  const std::string numeri = entry.substr(0, entry.size() - kFine.size());
  const size_t punto = numeri.rfind('.');
  const size_t trattino = numeri.rfind('-');
  if (punto == std::string::npos || trattino == std::string::npos || trattino < punto) return 0;
  const std::string processo = numeri.substr(punto + 1, trattino - punto - 1);
  const std::string numero = numeri.substr(trattino + 1);
  auto cifre = [](const std::string& s) {
    return !s.empty() && s.size() <= 9 &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
  };
  if (!cifre(processo) || !cifre(numero)) return 0;
  const unsigned long pid = std::stoul(processo);
  const auto n = static_cast<unsigned>(std::stoul(numero));
  // The entry must be exactly the name such a run would have made.
  if (pid == 0 || file_name_of(temporary_name(beside, pid, n)) != entry) return 0;
  return pid;
}

}  // namespace lorvenna
