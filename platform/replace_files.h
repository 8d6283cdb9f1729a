// Replacing output files whole, so that a failed or stopped run never leaves
// a truncated file under an output's name.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace lorvenna {

// An output and its bytes, in one piece or several written one after another.
struct OutputFile {
  std::string path;
  std::vector<std::string_view> parts;
};

// Replaces every file of `files` whole, as one set as far as the system
// allows. Every check that can refuse the set (a read-only output, a folder
// in an output's place) comes
// first; each file's bytes then go to a new temporary file beside it, synced
// to the disk; only once all are complete are they renamed over the outputs,
// and the folders synced. A failure throws FileError naming the output, and
// removes the temporary files this call created and had not yet renamed: the
// outputs hold either their earlier bytes or, up to the renames already done,
// the new ones.
void replace_files(FileSystem& fs, std::span<const OutputFile> files);

// replace_files for one file.
void write_whole_file(FileSystem& fs, const std::string& path, std::string_view bytes);

}  // namespace lorvenna
