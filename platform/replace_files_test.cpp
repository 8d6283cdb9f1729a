#include "platform/replace_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
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

namespace lorvenna {
namespace {

// A process id that certainly belongs to no running process.
unsigned long processo_finito() {
  const pid_t figlio = ::fork();
  if (figlio == 0) ::_exit(0);
  ::waitpid(figlio, nullptr, 0);
  return static_cast<unsigned long>(figlio);
}

// When a rename of the set fails, the outputs already renamed get their
// earlier files back, and an output that was not there before is removed.
TEST(ReplaceFiles, AFailedRenamePutsTheEarlierSetBack) {
  TempFolder cartella;
  const std::string a = cartella.file("a.dat"), b = cartella.file("b.sim"),
                    c = cartella.file("c.dat");
  write_file(a, "old a");
  write_file(c, "old c");
  FailingFileSystem fs(FailingFileSystem::Op::rename, "c.dat");
  const OutputFile set[] = {{a, {"new a"}}, {b, {"new b"}}, {c, {"new c"}}};
  try {
    replace_files(fs, set);
    FAIL() << "the set was reported whole";
  } catch (const FileError& e) {
    EXPECT_EQ(e.operation(), "rename");
    EXPECT_EQ(e.path(), c);
  }
  EXPECT_EQ(read_file(a), "old a");
  EXPECT_EQ(read_file(c), "old c");
  EXPECT_EQ(testing::files_in(cartella.path()), (std::set<std::string>{"a.dat", "c.dat"}));
}

// What runs that died left beside the outputs is removed, and nothing else:
// not a live run's temporary, not a name that only looks like one.
TEST(ReplaceFiles, RemovesTheLeftoversOfDeadRunsOnly) {
  TempFolder cartella;
  const std::string f = cartella.file("out.dat");
  const std::string morto = temporary_name(f, processo_finito(), 3);
  const std::string vivo = temporary_name(f, static_cast<unsigned long>(::getpid()), 999999);
  const std::string altri[] = {cartella.file("out.dat.12x-3.part"),
                               temporary_name(cartella.file("other.dat"), processo_finito(), 1),
                               cartella.file("out.dat.part")};
  for (const std::string& p : {morto, vivo}) write_file(p, "leftover");
  for (const std::string& p : altri) write_file(p, "the user's");
  RealFileSystem fs;
  fs.clear_leftovers(std::vector<std::string>{f});
  EXPECT_FALSE(std::filesystem::exists(morto));
  EXPECT_TRUE(std::filesystem::exists(vivo));
  for (const std::string& p : altri) EXPECT_EQ(read_file(p), "the user's") << p;
}

// A name that fits the folder gets a temporary that fits too, cut short
// where it must be, never inside a character; a name that does not fit is
// refused before anything of its set is written.
TEST(ReplaceFiles, NamesNearTheLengthLimit) {
  TempFolder cartella;
  RealFileSystem fs;
  std::string accentato;
  while (accentato.size() < 250) accentato += "\xC3\xA0";  // à
  for (const std::string& nome :
       {std::string(255, 'a'), std::string(240, 'b') + ".dat", accentato + ".dat"}) {
    ASSERT_LE(nome.size(), kLongestName);
    const std::string f = cartella.file(nome);
    write_whole_file(fs, f, "fits");
    EXPECT_EQ(read_file(f), "fits");
  }
  const std::string breve = cartella.file("short.txt");
  const OutputFile set[] = {{breve, {"first"}}, {cartella.file(std::string(256, 'c')), {"x"}}};
  try {
    replace_files(fs, set);
    FAIL() << "a name longer than the folder allows was written";
  } catch (const FileError& e) {
    EXPECT_EQ(e.reason(), std::strerror(ENAMETOOLONG));
  }
  EXPECT_FALSE(std::filesystem::exists(breve));
}

TEST(TemporaryName, IsRecognisedOnlyAsItsOwnersTemporary) {
  const std::string beside = "dir/" + std::string(250, 'x');
  const std::string t = temporary_name(beside, 4242, 7);
  const std::string entry = t.substr(4);
  EXPECT_LE(entry.size(), kLongestName);
  EXPECT_EQ(temporary_owner(entry, beside), 4242u);
  EXPECT_EQ(temporary_owner("x.4242-7.part", beside), 0u);
  EXPECT_EQ(temporary_owner("out.dat.-7.part", "out.dat"), 0u);
}

}  // namespace
}  // namespace lorvenna
