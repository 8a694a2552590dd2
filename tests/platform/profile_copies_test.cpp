// Two copies of the program writing one settings file at the same time: two processes, each
// with its own keys, started together for every round. Neither may lose the other's keys nor
// those already in the file.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "platform/profile.h"
#include "tests/support/temp_dir.h"

namespace {

constexpr int kRounds = 12;
constexpr int kKeysPerCopy = 8;

std::string keyName(char copy, int round, int key) {
  return std::string(1, copy) + std::to_string(round) + "k" + std::to_string(key);
}

// Starts a process that waits for a byte on `go`, then writes its keys; its pid.
pid_t startCopy(const std::string& file, char copy, int round, int go) {
  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid != 0) return pid;
  char byte = 0;
  bool written = read(go, &byte, 1) == 1;
  for (int key = 0; key < kKeysPerCopy; ++key) {
    const char* section = key % 2 == 0 ? "Items" : "bank1";
    written = platform::profileWriteText(file, section, keyName(copy, round, key), "v") && written;
  }
  _exit(written ? 0 : 1);
}

TEST(ProfileCopies, TwoProcessesWritingAtOnceLoseNoKey) {
  TempDir dir;
  const std::string file = dir.file("orbiquant/orbq7.ini");
  const char* kept[] = {"makerhost", "quotehost", "newshost", "mainx", "mainy"};
  for (const char* key : kept) ASSERT_TRUE(platform::profileWriteText(file, "Items", key, "1"));
  std::string lostPerRound;
  int lost = 0;
  for (int round = 0; round < kRounds; ++round) {
    int go[2];
    ASSERT_EQ(pipe(go), 0);
    const pid_t a = startCopy(file, 'a', round, go[0]);
    const pid_t b = startCopy(file, 'b', round, go[0]);
    ASSERT_EQ(write(go[1], "ab", 2), 2);  // both start at once
    close(go[0]);
    close(go[1]);
    for (const pid_t pid : {a, b}) {
      int status = -1;
      ASSERT_EQ(waitpid(pid, &status, 0), pid);
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "round " << round;
    }
    for (const char copy : {'a', 'b'}) {
      for (int key = 0; key < kKeysPerCopy; ++key) {
        const char* section = key % 2 == 0 ? "Items" : "bank1";
        const auto name = keyName(copy, round, key);
        lost += platform::profileReadText(file, section, name, "lost", 8) == "lost" ? 1 : 0;
      }
    }
    for (const char* key : kept) lost += platform::profileReadInt(file, "Items", key, 0) != 1;
    lostPerRound += " " + std::to_string(lost);
  }
  EXPECT_EQ(lost, 0) << "keys lost so far, after each of " << kRounds << " rounds:" << lostPerRound;
}

}  // namespace
