// The embedded scenario's run, held in memory, for the tests of the tools
// that read compiled files.
#pragma once

#include <gtest/gtest.h>

#include <sstream>

#include "driver/run_sequence.h"
#include "testing/fake_platform.h"
#include "testing/memory_file_system.h"

namespace lorvenna::testing {

class scenario_incorporato : public ::testing::Test {
 protected:
  scenario_incorporato() {
    std::ostringstream scarto;
    esegui_programma("", disco, piattaforma, scarto);
  }

  MemoryFileSystem disco;
  FakePlatform piattaforma;
  file_binari file = binari_di(nomi_file_per("", kNomeScenario, kNumeroTreno));
};

}  // namespace lorvenna::testing
