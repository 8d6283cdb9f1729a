#include "platform/replace_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <set>
#include <utility>

#include "platform/real_file_system.h"
#include "testing/failing_file_system.h"
#include "testing/temp_folder.h"

namespace lorvenna {
namespace {

using testing::FailingFileSystem;
using testing::read_file;
using testing::TempFolder;
using testing::write_file;

TEST(WriteWholeFile, ReplacesAnOlderLongerFileWhole) {
  TempFolder cartella;
  const std::string f = cartella.file("out.dat");
  write_file(f, std::string(1000, 'x'));
  RealFileSystem fs;
  write_whole_file(fs, f, "new");
  EXPECT_EQ(read_file(f), "new");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(cartella.path()), {}), 1);
}

// The message names the output, not the temporary file behind it.
TEST(WriteWholeFile, FailuresLeaveNoTruncatedOutputAndNoTemporaryFile) {
  using Op = FailingFileSystem::Op;
  for (auto [op, nome] : {std::pair{Op::create, "create"}, std::pair{Op::write, "write"},
                          std::pair{Op::sync, "sync"}, std::pair{Op::rename, "rename"}}) {
    TempFolder cartella;
    const std::string f = cartella.file("out.dat");
    write_file(f, "previous run");
    FailingFileSystem fs(op, "out.dat");
    try {
      write_whole_file(fs, f, "a much longer new content");
      FAIL() << nome;
    } catch (const FileError& e) {
      EXPECT_EQ(e.operation(), nome);
      EXPECT_EQ(e.path(), f);
    }
    EXPECT_EQ(read_file(f), "previous run");
    EXPECT_EQ(testing::files_in(cartella.path()), std::set<std::string>{"out.dat"}) << nome;
  }
}

// Every check is made before the first rename: one output that may not be
// replaced keeps the whole set as it was.
TEST(ReplaceFiles, ASetIsReplacedOnlyWhenEveryOutputMayBe) {
  TempFolder cartella;
  const std::string a = cartella.file("a.dat"), b = cartella.file("b.sim"),
                    c = cartella.file("c.dat");
  for (const std::string& f : {a, b, c}) write_file(f, "old");
  ::chmod(c.c_str(), 0444);
  RealFileSystem fs;
  const OutputFile set[] = {{a, {"new ", "a"}}, {b, {"new b"}}, {c, {"new c"}}};
  EXPECT_THROW(replace_files(fs, set), FileError);
  for (const std::string& f : {a, b, c}) EXPECT_EQ(read_file(f), "old") << f;

  ::chmod(c.c_str(), 0644);
  replace_files(fs, set);
  EXPECT_EQ(read_file(a), "new a");
  EXPECT_EQ(read_file(c), "new c");
  EXPECT_EQ(testing::files_in(cartella.path()).size(), 3u);
}

// A failure while the temporaries are written leaves every output as it was.
TEST(ReplaceFiles, NoOutputIsRenamedBeforeAllAreComplete) {
  TempFolder cartella;
  const std::string a = cartella.file("a.dat"), b = cartella.file("b.sim");
  write_file(a, "old");
  write_file(b, "old");
  FailingFileSystem fs(FailingFileSystem::Op::sync, "b.sim");
  const OutputFile set[] = {{a, {"new a"}}, {b, {"new b"}}};
  EXPECT_THROW(replace_files(fs, set), FileError);
  EXPECT_EQ(read_file(a), "old");
  EXPECT_EQ(testing::files_in(cartella.path()), (std::set<std::string>{"a.dat", "b.sim"}));
}

TEST(WriteWholeFile, ARead_onlyOutputIsNotReplaced) {
  TempFolder cartella;
  const std::string f = cartella.file("out.txt");
  write_file(f, "kept");
  ::chmod(f.c_str(), 0444);
  RealFileSystem fs;
  try {
    write_whole_file(fs, f, "new");
    FAIL() << "a read-only file was replaced";
  } catch (const FileError& e) {
    EXPECT_EQ(e.path(), f);
    EXPECT_EQ(e.reason(), "the file is read-only");
  }
  EXPECT_EQ(read_file(f), "kept");
}

}  // namespace
}  // namespace lorvenna
