// An author's two description texts, read once by a command: the check's
// findings and the compile that writes the binary files work on the same
// bytes, however the texts change on the disk meanwhile.
#pragma once

#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <utility>

#include "check/diagnostic_render.h"
#include "compiler/description_reader.h"
#include "compiler/text_limit.h"
#include "encoding/quoted.h"
#include "platform/deferred_deletions.h"
#include "platform/file_system.h"

namespace lorvenna {

// Both texts, or nothing when one is missing: an author who mistyped a name
// or a number needs to see which file was looked for, so the missing one is
// named on `errori`. A text that is there but cannot be read throws its
// FileError.
inline std::optional<testi_sorgente> leggi_testi(FileSystem& fs, const testi_descrizione& testi,
                                                 std::ostream& errori) {
  testi_sorgente letti;
  for (const auto& [percorso, cosa] : {std::pair{testi.linea, "line"}, {testi.treno, "train"}}) {
    if (!fs.exists(percorso)) {
      errori << "scenario-tool: the " << cosa << " description text " << percorso_citato(percorso)
             << " does not exist\n";
      return std::nullopt;
    }
    letti[percorso] = fs.read(percorso, kLimiteTesto);
  }
  return letti;
}

// The folder as the tool's compile sees it: the texts already read come from
// memory, everything else is the disk's, and deleting a text waits for the
// caller (see DeferredDeletions).
class TextsReadOnce : public DeferredDeletions {
 public:
  TextsReadOnce(FileSystem& disk, const testi_sorgente& texts)
      : DeferredDeletions(disk, names_of(texts)), texts_(texts) {}

  std::string read(const std::string& p, const ReadLimit& limit) override {
    const auto text = texts_.find(p);
    if (text == texts_.end() || !exists(p)) return DeferredDeletions::read(p, limit);
    return text->second;
  }

 private:
  static std::set<std::string> names_of(const testi_sorgente& texts) {
    std::set<std::string> names;
    for (const auto& [name, bytes] : texts) names.insert(name);
    return names;
  }

  const testi_sorgente& texts_;
};

}  // namespace lorvenna
