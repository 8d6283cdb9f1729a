#include "tools/folder_locks.h"

#include <algorithm>
#include <utility>

namespace lorvenna {

std::vector<std::unique_ptr<FolderLock>> blocca_cartelle(FileSystem& fs,
                                                         const std::vector<std::string>& cartelle) {
  std::vector<std::unique_ptr<FolderLock>> locks;
  // One folder needs no identity; looking it up would only change how a
  // missing folder is reported.
  if (cartelle.size() == 1) {
    locks.push_back(fs.lock_folder(cartelle.front()));
    return locks;
  }
  std::vector<std::pair<std::string, const std::string*>> per_identita;
  for (const std::string& c : cartelle) per_identita.emplace_back(fs.folder_identity(c), &c);
  std::sort(per_identita.begin(), per_identita.end());
  for (size_t i = 0; i < per_identita.size(); ++i) {
    if (i > 0 && per_identita[i].first == per_identita[i - 1].first) continue;
    locks.push_back(fs.lock_folder(*per_identita[i].second));
  }
  return locks;
}

}  // namespace lorvenna
