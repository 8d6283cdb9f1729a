#include "platform/run_temporaries.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "platform/real_file_system.h"
#include "testing/temp_folder.h"

namespace lorvenna {
namespace {

using testing::TempFolder;

// Runs `corpo` in a child process and returns how the child ended.
template <typename Corpo>
int in_un_figlio(Corpo corpo) {
  const pid_t figlio = ::fork();
  if (figlio == 0) {
    corpo();
    ::_exit(0);
  }
  int stato = 0;
  ::waitpid(figlio, &stato, 0);
  return stato;
}

// An interrupted or terminated run removes the temporaries it made and
// still ends as the signal says, so that its caller sees why.
TEST(RunTemporaries, AnInterruptRemovesTheRunsTemporaries) {
  for (int segnale : {SIGINT, SIGTERM}) {
    TempFolder cartella;
    const int stato = in_un_figlio([&] {
      remove_temporaries_on_interrupt();
      RealFileSystem fs;
      auto a = fs.create_new(cartella.file("a.dat"));
      a->write(std::string(100000, 'x'));
      auto b = fs.create_new(cartella.file("b.sim"));
      auto c = fs.create_new(cartella.file("c.dat"));
      fs.rename(c->path(), cartella.file("c.dat"));  // in place: no longer the run's to remove
      ::raise(segnale);
    });
    ASSERT_TRUE(WIFSIGNALED(stato)) << segnale;
    EXPECT_EQ(WTERMSIG(stato), segnale);
    EXPECT_EQ(testing::files_in(cartella.path()), std::set<std::string>{"c.dat"}) << segnale;
  }
}

// A signal sent while a temporary is being created is taken as the call
// returns: the file must be noted for removal by then. Runs that create
// temporaries without end are stopped at various times, most often inside
// the create.
TEST(RunTemporaries, ATerminationWhileATemporaryIsMadeLeavesNone) {
  for (int prova = 0; prova < 30; ++prova) {
    TempFolder cartella;
    const std::string uscita = cartella.file("a.dat");
    testing::write_file(uscita, "earlier");
    const pid_t figlio = ::fork();
    if (figlio == 0) {
      remove_temporaries_on_interrupt();
      RealFileSystem fs;
      for (;;) {
        fs.remove(fs.create_new(uscita)->path());
        fs.remove(fs.keep_earlier(uscita));
      }
    }
    ::usleep(static_cast<useconds_t>(3000 + 137 * prova));
    ::kill(figlio, SIGTERM);
    int stato = 0;
    ::waitpid(figlio, &stato, 0);
    ASSERT_TRUE(WIFSIGNALED(stato));
    EXPECT_EQ(testing::files_in(cartella.path()), std::set<std::string>{"a.dat"})
        << "try " << prova;
  }
}

// A signal that arrives while a set is being renamed waits for the set.
TEST(RunTemporaries, HeldInterruptsTakeEffectOnRelease) {
  TempFolder cartella;
  const std::string segno = cartella.file("reached");
  const int stato = in_un_figlio([&] {
    remove_temporaries_on_interrupt();
    RealFileSystem fs;
    auto a = fs.create_new(cartella.file("a.dat"));
    {
      const InterruptsHeld held;
      ::raise(SIGTERM);
      testing::write_file(segno, "the held part ran to its end");
    }
    testing::write_file(cartella.file("after"), "not reached");
  });
  ASSERT_TRUE(WIFSIGNALED(stato));
  EXPECT_EQ(testing::files_in(cartella.path()), std::set<std::string>{"reached"});
}

}  // namespace
}  // namespace lorvenna
