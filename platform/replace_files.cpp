#include "platform/replace_files.h"

#include <memory>
#include <optional>
#include <vector>

#include "platform/run_temporaries.h"

namespace lorvenna {
namespace {

// Cleaning up after a failure must not hide the failure being reported.
template <typename F>
void senza_errori(F f) {
  try {
    f();
  } catch (const FileError&) {
  }
}

void refuse_unreplaceable(FileSystem& fs, std::span<const OutputFile> files) {
  for (const OutputFile& f : files) {
    const std::string reason = fs.why_not_replaceable(f.path);
    if (!reason.empty()) throw FileError("replace", f.path, reason);
  }
}

std::string write_temporary(FileSystem& fs, const OutputFile& f, bool sync) {
  std::unique_ptr<NewFile> file = fs.create_new(f.path);
  const std::string path = file->path();
  try {
    if (f.writer) {
      f.writer(*file);
    } else {
      file->write(std::span<const std::string_view>(f.parts));
    }
    if (sync) file->sync();
  } catch (...) {
    // A writer that stops midway, for whatever reason, leaves no part behind.
    file.reset();
    senza_errori([&] { fs.remove(path); });
    throw;
  }
  return path;
}

// One output on its way in: its new bytes, and its earlier file under a
// second name while the set is not yet whole.
struct Replacement {
  const OutputFile* output;
  std::string temporary;
  std::optional<std::string> earlier;
  bool renamed = false;
};

// After a failed rename: each output already renamed gets its earlier file
// back, and every temporary goes. An earlier file that cannot be put back
// keeps its second name rather than be lost.
void put_back(FileSystem& fs, std::vector<Replacement>& set) {
  for (Replacement& r : set) {
    if (!r.renamed) {
      senza_errori([&] { fs.remove(r.temporary); });
      if (r.earlier) senza_errori([&] { fs.remove(*r.earlier); });
    } else if (r.earlier) {
      senza_errori([&] { fs.rename(*r.earlier, r.output->path); });
    } else {
      senza_errori([&] { fs.remove(r.output->path); });
    }
  }
}

}  // namespace

void FolderSyncs::sync(FileSystem& fs) {
  for (const std::string& folder : folders_) fs.sync_folder(folder);
  folders_.clear();
}

void replace_files(FileSystem& fs, std::span<const OutputFile> files, Durability d) {
  refuse_unreplaceable(fs, files);
  std::vector<Replacement> set;
  const OutputFile* current = nullptr;
  try {
    for (const OutputFile& f : files) {
      current = &f;
      set.push_back({&f, write_temporary(fs, f, d.kept), std::nullopt});
    }
    const InterruptsHeld held;
    current = nullptr;
    try {
      for (Replacement& r : set) {
        current = r.output;
        // A single file needs no second name: its one rename is all or nothing.
        if (set.size() > 1 && fs.exists(r.output->path)) {
          r.earlier = fs.keep_earlier(r.output->path);
        }
      }
      for (Replacement& r : set) {
        current = r.output;
        fs.rename(r.temporary, r.output->path);
        r.renamed = true;
      }
    } catch (const FileError&) {
      put_back(fs, set);
      set.clear();
      throw;
    }
    for (Replacement& r : set) {
      if (r.earlier) senza_errori([&] { fs.remove(*r.earlier); });
    }
  } catch (const FileError& e) {
    for (const Replacement& r : set) senza_errori([&] { fs.remove(r.temporary); });
    throw FileError(e.operation(), current->path, e.reason());
  } catch (...) {
    for (const Replacement& r : set) senza_errori([&] { fs.remove(r.temporary); });
    throw;
  }
  if (!d.kept) return;
  FolderSyncs folders;
  FolderSyncs& syncs = d.later ? *d.later : folders;
  for (const OutputFile& f : files) syncs.add(folder_of(f.path));
  if (!d.later) folders.sync(fs);
}

void write_whole_file(FileSystem& fs, const std::string& path, std::string_view bytes,
                      Durability d) {
  const OutputFile file{path, {bytes}};
  replace_files(fs, std::span(&file, 1), d);
}

}  // namespace lorvenna
