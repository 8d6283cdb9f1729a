// The system's folder lock, on every system: how the two kinds of lock meet,
// the wait told once, and the failures that must not wait at all.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <future>
#include <random>
#include <stdexcept>
#include <string>
#include <thread>

#include "platform/real_file_system.h"

namespace lorvenna {
namespace {

// A wait that should not happen ends the lock with an exception instead of
// hanging the test.
void senza_attesa() { throw std::runtime_error("waited for another holder"); }

class FolderLockTest : public ::testing::Test {
 protected:
  // A fresh folder, made portably so that these tests run under Windows too.
  FolderLockTest() {
    std::random_device caso;
    do {
      cartella_ =
          std::filesystem::temp_directory_path() / ("lorvenna-lock-" + std::to_string(caso()));
    } while (!std::filesystem::create_directory(cartella_));
  }
  ~FolderLockTest() override { std::filesystem::remove_all(cartella_); }

  std::string cartella() const { return cartella_.string(); }

  std::filesystem::path cartella_;
  RealFileSystem fs;
};

TEST_F(FolderLockTest, ReadersHoldAFolderTogether) {
  const auto primo = fs.lock_folder(cartella(), LockKind::shared, senza_attesa);
  std::unique_ptr<FolderLock> secondo, terzo;
  EXPECT_NO_THROW(secondo = fs.lock_folder(cartella(), LockKind::shared, senza_attesa));
  EXPECT_NO_THROW(terzo = fs.lock_folder(cartella(), LockKind::shared, senza_attesa))
      << "a third reader, while two hold it";
}

// A lock that another run keeps waits, says so once while the other still
// holds it, and is had once the other lets go.
TEST_F(FolderLockTest, AWaitIsToldThenEndsWhenTheHolderLetsGo) {
  struct caso {
    const char* nome;
    LockKind tenuto, voluto;
  };
  for (const caso c : {caso{"a writer after a writer", LockKind::exclusive, LockKind::exclusive},
                       caso{"a writer after a reader", LockKind::shared, LockKind::exclusive},
                       caso{"a reader after a writer", LockKind::exclusive, LockKind::shared}}) {
    SCOPED_TRACE(c.nome);
    auto tenuto = fs.lock_folder(cartella(), c.tenuto, senza_attesa);
    std::promise<void> detto;
    std::atomic<bool> preso{false};
    std::thread altro([&] {
      // A second call of on_wait would throw here: it is told once.
      const auto lock = fs.lock_folder(cartella(), c.voluto, [&] { detto.set_value(); });
      preso = true;
    });
    EXPECT_EQ(detto.get_future().wait_for(std::chrono::seconds(20)), std::future_status::ready)
        << "the wait was never told";
    EXPECT_FALSE(preso) << "had while the other still held it";
    tenuto.reset();
    altro.join();
    EXPECT_TRUE(preso);
  }
}

TEST_F(FolderLockTest, AFolderThatIsNotThereFailsWithItsName) {
  const std::string manca = (cartella_ / "missing").string();
  try {
    fs.lock_folder(manca, LockKind::exclusive, senza_attesa);
    ADD_FAILURE() << "locked a folder that is not there";
  } catch (const FileError& e) {
    EXPECT_EQ(e.operation(), "lock");
    EXPECT_EQ(e.path(), manca);
  }
}

#ifdef _WIN32
// The lock is a file in the folder; a folder at its name can never be opened
// as one, so waiting for it would be waiting for ever.
TEST_F(FolderLockTest, AFolderAtTheLockFilesNameFailsAtOnce) {
  std::filesystem::create_directory(cartella_ / ".lorvenna.lock");
  for (const LockKind kind : {LockKind::exclusive, LockKind::shared}) {
    const auto inizio = std::chrono::steady_clock::now();
    try {
      fs.lock_folder(cartella(), kind, senza_attesa);
      ADD_FAILURE() << "locked over a folder";
    } catch (const FileError& e) {
      EXPECT_EQ(e.path(), (cartella_ / ".lorvenna.lock").string());
      EXPECT_EQ(e.reason(), "Is a directory");
    }
    EXPECT_LT(std::chrono::steady_clock::now() - inizio, kLockPatience) << "retried first";
  }
}
#endif

}  // namespace
}  // namespace lorvenna
