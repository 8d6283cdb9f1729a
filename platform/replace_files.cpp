#include "platform/replace_files.h"

#include <memory>
#include <set>
#include <vector>

namespace lorvenna {
namespace {

struct Temporary {
  std::string path;
  bool renamed = false;
};

void refuse_unreplaceable(FileSystem& fs, std::span<const OutputFile> files) {
  for (const OutputFile& f : files) {
    const std::string reason = fs.why_not_replaceable(f.path);
    if (!reason.empty()) throw FileError("replace", f.path, reason);
  }
}

Temporary write_temporary(FileSystem& fs, const OutputFile& f) {
  std::unique_ptr<NewFile> file = fs.create_new(f.path);
  Temporary t{file->path()};
  try {
    file->write(std::span<const std::string_view>(f.parts));
    file->sync();
  } catch (const FileError&) {
    file.reset();
    try {
      fs.remove(t.path);
    } catch (const FileError&) {
      // The original failure is the one worth reporting.
    }
    throw;
  }
  return t;
}

void remove_unrenamed(FileSystem& fs, const std::vector<Temporary>& temporaries) {
  for (const Temporary& t : temporaries) {
    if (t.renamed) continue;
    try {
      fs.remove(t.path);
    } catch (const FileError&) {
      // The original failure is the one worth reporting.
    }
  }
}

}  // namespace

void replace_files(FileSystem& fs, std::span<const OutputFile> files) {
  refuse_unreplaceable(fs, files);
  std::vector<Temporary> temporaries;
  const OutputFile* current = nullptr;
  try {
    for (const OutputFile& f : files) {
      current = &f;
      temporaries.push_back(write_temporary(fs, f));
    }
    for (size_t i = 0; i < files.size(); ++i) {
      current = &files[i];
      fs.rename(temporaries[i].path, files[i].path);
      temporaries[i].renamed = true;
    }
  } catch (const FileError& e) {
    remove_unrenamed(fs, temporaries);
    throw FileError(e.operation(), current->path, e.reason());
  }
  std::set<std::string> folders;
  for (const OutputFile& f : files) folders.insert(folder_of(f.path));
  for (const std::string& folder : folders) fs.sync_folder(folder);
}

void write_whole_file(FileSystem& fs, const std::string& path, std::string_view bytes) {
  const OutputFile file{path, {bytes}};
  replace_files(fs, std::span(&file, 1));
}

}  // namespace lorvenna
