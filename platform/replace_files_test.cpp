#include "platform/replace_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

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

TEST(WriteWholeFile, FailuresLeaveNoTruncatedOutputAndNoTemporaryFile) {
  for (auto op : {FailingFileSystem::Op::create, FailingFileSystem::Op::write,
                  FailingFileSystem::Op::rename}) {
    TempFolder cartella;
    const std::string f = cartella.file("out.dat");
    write_file(f, "previous run");
    FailingFileSystem fs(op, "out.dat");
    EXPECT_THROW(write_whole_file(fs, f, "a much longer new content"), FileError);
    EXPECT_EQ(read_file(f), "previous run");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(cartella.path()), {}), 1);
  }
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

TEST(RealFileSystem, ReportsTheOperationFileAndReason) {
  TempFolder cartella;
  RealFileSystem fs;
  const std::string manca = cartella.file("missing.txt");
  EXPECT_FALSE(fs.exists(manca));
  try {
    fs.read(manca);
    FAIL();
  } catch (const FileError& e) {
    EXPECT_EQ(e.operation(), "open");
    EXPECT_EQ(e.path(), manca);
    EXPECT_EQ(e.reason(), "No such file or directory");
  }
  EXPECT_THROW(fs.remove(manca), FileError);
}

}  // namespace
}  // namespace lorvenna
