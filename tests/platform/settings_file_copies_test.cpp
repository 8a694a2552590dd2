// Two copies of the program writing one settings file at once: two processes, started
// together in every round, each writing keys of its own. None of theirs, nor of the keys
// already in the file, may be lost.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "platform/settings_file.h"
#include "tests/support/temp_dir.h"

namespace {

TEST(SettingsFileCopies, TwoProcessesWritingAtOnceLoseNoKey) {
  constexpr int kRounds = 12;
  constexpr int kKeys = 8;  // per process and round
  TempDir dir;
  const std::string file = dir.file("orbiquant/orbq7.ini");
  const char* kept[] = {"makerhost", "quotehost", "newshost", "mainx", "mainy"};
  for (const char* key : kept) ASSERT_TRUE(platform::settingsWriteText(file, "Items", key, "1"));
  const auto name = [](char copy, int round, int key) {
    return std::string(1, copy) + std::to_string(round * 100 + key);
  };
  std::string lostAfterEachRound;
  int lost = 0;
  for (int round = 0; round < kRounds; ++round) {
    int go[2];
    ASSERT_EQ(pipe(go), 0);
    std::fflush(nullptr);
    pid_t copies[2];
    for (const char copy : {'a', 'b'}) {
      const pid_t pid = fork();
      if (pid == 0) {
        char byte = 0;
        bool written = read(go[0], &byte, 1) == 1;  // both start when the byte comes
        for (int key = 0; key < kKeys; ++key) {
          written =
              platform::settingsWriteText(file, "Items", name(copy, round, key), "v") && written;
        }
        _exit(written ? 0 : 1);
      }
      copies[copy - 'a'] = pid;
    }
    ASSERT_EQ(write(go[1], "ab", 2), 2);
    close(go[0]);
    close(go[1]);
    for (const pid_t pid : copies) {
      int status = -1;
      ASSERT_EQ(waitpid(pid, &status, 0), pid);
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "round " << round;
    }
    for (int key = 0; key < kKeys; ++key) {
      for (const char copy : {'a', 'b'}) {
        lost += platform::settingsReadText(file, "Items", name(copy, round, key), "", 8) != "v";
      }
    }
    for (const char* key : kept) lost += platform::settingsReadInt(file, "Items", key, 0) != 1;
    lostAfterEachRound += " " + std::to_string(lost);
  }
  EXPECT_EQ(lost, 0) << "keys lost in all, after each round:" << lostAfterEachRound;
}

}  // namespace
