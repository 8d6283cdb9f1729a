#include "tools/folder_locks.h"

#include <algorithm>
#include <utility>

#include "driver/folder_wait.h"

namespace lorvenna {

std::vector<std::unique_ptr<FolderLock>> blocca_cartelle(FileSystem& fs,
                                                         const std::vector<std::string>& cartelle,
                                                         LockKind kind, std::ostream& errori) {
  std::vector<std::unique_ptr<FolderLock>> locks;
  const auto blocca = [&](const std::string& cartella) {
    locks.push_back(
        fs.lock_folder(cartella, kind, avviso_di_attesa(errori, "scenario-tool", cartella)));
  };
  // One folder needs no identity; looking it up would only change how a
  // missing folder is reported.
  if (cartelle.size() == 1) {
    blocca(cartelle.front());
    return locks;
  }
  std::vector<std::pair<std::string, const std::string*>> per_identita;
  for (const std::string& c : cartelle) per_identita.emplace_back(fs.folder_identity(c), &c);
  std::sort(per_identita.begin(), per_identita.end());
  for (size_t i = 0; i < per_identita.size(); ++i) {
    if (i > 0 && per_identita[i].first == per_identita[i - 1].first) continue;
    blocca(*per_identita[i].second);
  }
  return locks;
}

}  // namespace lorvenna
