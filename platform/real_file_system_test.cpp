#include "platform/real_file_system.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

#include "testing/temp_folder.h"

namespace lorvenna {
namespace {

using testing::read_file;
using testing::TempFolder;
using testing::write_file;

constexpr ReadLimit kSenzaLimite{UINT64_MAX, "a test file"};

class RealFileSystemTest : public ::testing::Test {
 protected:
  TempFolder cartella;
  RealFileSystem fs;
};

TEST_F(RealFileSystemTest, ReportsTheOperationFileAndReason) {
  const std::string manca = cartella.file("missing.txt");
  EXPECT_FALSE(fs.exists(manca));
  try {
    fs.read(manca, kSenzaLimite);
    FAIL();
  } catch (const FileError& e) {
    EXPECT_EQ(e.operation(), "open");
    EXPECT_EQ(e.path(), manca);
    EXPECT_EQ(e.reason(), "No such file or directory");
  }
  EXPECT_THROW(fs.remove(manca), FileError);
  try {
    fs.exists(cartella.file(std::string(300, 'n')));
    FAIL() << "a name the system refuses is not simply missing";
  } catch (const FileError& e) {
    EXPECT_EQ(e.reason(), "File name too long");
  }
}

// Only a regular file is read; a FIFO fails at once instead of waiting for a writer.
TEST_F(RealFileSystemTest, ReadsRegularFilesOnly) {
  const std::string fifo = cartella.file("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  for (const std::string& p : {fifo, cartella.path(), std::string("/dev/null")}) {
    try {
      fs.read(p, kSenzaLimite);
      FAIL() << p;
    } catch (const FileError& e) {
      EXPECT_EQ(e.path(), p);
    }
  }
  write_file(cartella.file("a.txt"), "text");
  EXPECT_EQ(fs.read(cartella.file("a.txt"), kSenzaLimite), "text");
}

// A file over the limit is refused from its size: an 8 GB sparse file costs
// no disk, and reading it whole would take 8 GB of memory.
TEST_F(RealFileSystemTest, RefusesAFileLargerThanItsLimitFromItsSize) {
  constexpr ReadLimit kLimite{123456, "a scenario file"};
  const std::string enorme = cartella.file("huge.sim");
  {
    const int fd = ::open(enorme.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, off_t{8} << 30), 0);
    ::close(fd);
  }
  const auto inizio = std::chrono::steady_clock::now();
  try {
    fs.read(enorme, kLimite);
    FAIL() << "an 8 GB file was read";
  } catch (const FileError& e) {
    EXPECT_EQ(e.path(), enorme);
    EXPECT_EQ(e.reason(),
              "the file is 8589934592 bytes, more than the 123456 bytes a scenario file can hold");
  }
  EXPECT_LT(std::chrono::steady_clock::now() - inizio, std::chrono::seconds(1));

  const std::string al_limite = cartella.file("limit.sim");
  write_file(al_limite, std::string(kLimite.max_bytes, 'x'));
  EXPECT_EQ(fs.read(al_limite, kLimite).size(), kLimite.max_bytes);
  write_file(al_limite, std::string(kLimite.max_bytes + 1, 'x'));
  EXPECT_THROW(fs.read(al_limite, kLimite), FileError);
}

// A file whose size says little, as one still being written: the limit holds
// for what is read. A /proc file gives its size as 0 and holds more.
TEST_F(RealFileSystemTest, StopsAFileThatGrowsPastItsLimitWhileRead) {
  try {
    fs.read("/proc/self/maps", {10, "a test file"});
    FAIL() << "read past its limit";
  } catch (const FileError& e) {
    EXPECT_EQ(e.reason(), "the file grew past the 10 bytes a test file can hold while it was read");
  }
}

// Whatever stands at a temporary name, another run's file, a link, a FIFO or
// a folder, is passed over and left as it was.
TEST_F(RealFileSystemTest, ANewFileNeverTakesANameThatIsThere) {
  const std::string out = cartella.file("out.dat");
  std::string primo = fs.create_new(out)->path();
  fs.remove(primo);
  // Names follow a counter: plant something at each of the next few.
  const std::string radice = primo.substr(0, primo.rfind('-') + 1);
  const int n = std::stoi(primo.substr(radice.size()));
  auto nome = [&](int k) { return radice + std::to_string(n + k) + ".part"; };
  TempFolder altrove;
  const std::string bersaglio = altrove.file("target");
  write_file(bersaglio, "not yours");
  std::filesystem::create_symlink(bersaglio, nome(1));
  std::filesystem::create_symlink(altrove.file("dangling"), nome(2));
  ASSERT_EQ(::mkfifo(nome(3).c_str(), 0644), 0);
  std::filesystem::create_directory(nome(4));
  write_file(nome(5), "another run's");

  auto f = fs.create_new(out);
  EXPECT_EQ(f->path(), nome(6));
  f->write("new bytes");
  f->sync();
  f.reset();
  EXPECT_EQ(read_file(nome(6)), "new bytes");
  EXPECT_EQ(read_file(bersaglio), "not yours");
  EXPECT_FALSE(std::filesystem::exists(altrove.file("dangling")));
  EXPECT_TRUE(std::filesystem::is_fifo(nome(3)));
  EXPECT_EQ(read_file(nome(5)), "another run's");
}

TEST_F(RealFileSystemTest, WhatMayNotBeReplaced) {
  const std::string sola_lettura = cartella.file("kept.txt");
  write_file(sola_lettura, "kept");
  ::chmod(sola_lettura.c_str(), 0444);
  std::filesystem::create_directory(cartella.file("folder"));
  std::filesystem::create_symlink(sola_lettura, cartella.file("link"));
  EXPECT_EQ(fs.why_not_replaceable(sola_lettura), "the file is read-only");
  EXPECT_EQ(fs.why_not_replaceable(cartella.file("folder")), "Is a directory");
  EXPECT_EQ(fs.why_not_replaceable(cartella.file("link")), "")
      << "a link is replaced, not followed";
  EXPECT_EQ(fs.why_not_replaceable(cartella.file("missing")), "");
}

TEST_F(RealFileSystemTest, AFolderLockExcludesEveryOtherHolder) {
  auto lock = fs.lock_folder(cartella.path(), LockKind::exclusive, [] {});
  const int altro = ::open(cartella.path().c_str(), O_RDONLY | O_DIRECTORY);
  ASSERT_GE(altro, 0);
  EXPECT_NE(::flock(altro, LOCK_EX | LOCK_NB), 0) << "another holder would get the lock";
  lock.reset();
  EXPECT_EQ(::flock(altro, LOCK_EX | LOCK_NB), 0) << "released with its holder";
  ::close(altro);
  EXPECT_THROW(fs.lock_folder(cartella.file("missing"), LockKind::shared, [] {}), FileError);
}

// One level, like mkdir: a folder already there is fine, a missing parent
// or a file in the way is a failure with the system's reason.
TEST_F(RealFileSystemTest, CreatesOneFolderLevel) {
  const std::string nuova = cartella.file("new");
  fs.create_folder(nuova);
  EXPECT_TRUE(std::filesystem::is_directory(nuova));
  fs.create_folder(nuova);
  write_file(cartella.file("plain"), "x");
  struct caso {
    std::string path;
    std::string motivo;
  };
  for (const caso& c : {caso{cartella.file("missing/new"), "No such file or directory"},
                        caso{cartella.file("plain"), "Not a directory"}}) {
    try {
      fs.create_folder(c.path);
      FAIL() << c.path;
    } catch (const FileError& e) {
      EXPECT_EQ(e.operation(), "create folder");
      EXPECT_EQ(e.path(), c.path);
      EXPECT_EQ(e.reason(), c.motivo);
    }
  }
}

TEST_F(RealFileSystemTest, AFolderHasOneIdentityWhicheverPathNamesIt) {
  std::filesystem::create_directory(cartella.file("a"));
  std::filesystem::create_directory(cartella.file("b"));
  std::filesystem::create_directory_symlink(cartella.file("a"), cartella.file("link"));
  const std::string a = fs.folder_identity(cartella.file("a"));
  EXPECT_EQ(fs.folder_identity(cartella.file("b/../a")), a);
  EXPECT_EQ(fs.folder_identity(cartella.file("link")), a);
  EXPECT_NE(fs.folder_identity(cartella.file("b")), a);
  EXPECT_THROW(fs.folder_identity(cartella.file("missing")), FileError);
}

}  // namespace
}  // namespace lorvenna
