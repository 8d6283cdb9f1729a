#include "testing/memory_file_system.h"

#include <gtest/gtest.h>

#include "platform/replace_files.h"

namespace lorvenna {
namespace {

TEST(MemoryFileSystem, BehavesLikeTheDiskForTheWholeFileWriter) {
  MemoryFileSystem fs;
  write_whole_file(fs, "a.txt", "one");
  write_whole_file(fs, "a.txt", "two");
  EXPECT_EQ(fs.read("a.txt", {3, "a test file"}), "two");
  try {
    fs.read("a.txt", {2, "a test file"});
    ADD_FAILURE() << "a file over its limit was read";
  } catch (const FileError& e) {
    EXPECT_EQ(e.reason(), "the file is 3 bytes, more than the 2 bytes a test file can hold");
  }
  EXPECT_EQ(fs.files().size(), 1u);
  fs.set_read_only("a.txt");
  EXPECT_THROW(write_whole_file(fs, "a.txt", "three"), FileError);
  fs.remove("a.txt");
  EXPECT_FALSE(fs.exists("a.txt"));
  EXPECT_THROW(fs.read("a.txt", {3, "a test file"}), FileError);
  EXPECT_THROW(fs.remove("a.txt"), FileError);
}

}  // namespace
}  // namespace lorvenna
