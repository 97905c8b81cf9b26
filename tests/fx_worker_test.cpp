// The translator worker process and the translation caches: a worker that crashes,
// hangs or talks nonsense becomes an error message; unchanged effects are not
// translated twice; damaged cache files are ignored.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "engine/fx/FxTranslator.h"
#include "engine/fx/FxWorker.h"

namespace quellor {
namespace {

namespace fs = std::filesystem;

const char* const kGood =
    "float4 PS(float2 uv : TEXCOORD0) : COLOR { return float4(uv, 0, 1); }\n"
    "technique T { pass P { PixelShader = compile ps_2_0 PS(); } }\n";

// True once the process has ended and waits to be reaped.
bool Zombie(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), {});
  const size_t close = text.rfind(')');
  return close != std::string::npos && close + 2 < text.size() && text[close + 2] == 'Z';
}

class FxWorkerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("quellor_fxworker_" + std::to_string(getpid()) + "_" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  // A stand-in worker made of a shell script.
  std::string Script(const std::string& name, const std::string& body) {
    const fs::path p = dir_ / name;
    std::ofstream(p) << "#!/bin/sh\n" << body << "\n";
    chmod(p.c_str(), 0755);
    return p.string();
  }
  fs::path dir_;
};

TEST_F(FxWorkerTest, FailingWorkersBecomeMessagesAndAreReplaced) {
  struct Case {
    std::string Body, Says;
  };
  const Case cases[] = {
      {"kill -SEGV $$", "crashed on this effect (signal 11)"},
      {"printf 'QFXR\\004\\000\\000\\000abcd'; cat > /dev/null", "unreadable"},
      {"exec sleep 30", "took longer than 300 ms"},
      {"exec 0<&- 1>&-; exec sleep 30", "crashed on this effect"},  // hangs up but lingers
  };
  int n = 0;
  for (const Case& c : cases) {
    FxWorker worker(Script("w" + std::to_string(n++), c.Body), 300);
    for (int attempt = 1; attempt <= 2; ++attempt) {
      const auto start = std::chrono::steady_clock::now();
      bool failed = false;
      const FxResult r = worker.Translate(FxKind::Effect, kGood, &failed);
      EXPECT_FALSE(r.Ok);
      EXPECT_TRUE(failed);
      EXPECT_NE(r.Message.find(c.Says), std::string::npos) << r.Message;
      EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
      EXPECT_EQ(worker.Starts(), attempt);  // each request after a failure starts afresh
    }
  }
  FxWorker missing((dir_ / "no_such_worker").string(), 300);
  EXPECT_NE(missing.Translate(FxKind::Effect, kGood).Message.find("could not be started"), std::string::npos);
}

TEST_F(FxWorkerTest, CompilerCrashEndsOnlyTheWorker) {
  FxWorker worker(FindFxWorker(), 20000);
  bool failed = false;
  const FxResult crash = worker.Translate(
      FxKind::Effect,
      "float a;\nfloat4 PS() : COLOR { return 2.0 ++ a; }\ntechnique T { pass P { PixelShader = compile ps_2_0 PS(); } }",
      &failed);
  EXPECT_FALSE(crash.Ok);
  EXPECT_TRUE(failed);
  EXPECT_NE(crash.Message.find("crashed"), std::string::npos) << crash.Message;
  const FxResult good = worker.Translate(FxKind::Effect, kGood, &failed);
  EXPECT_TRUE(good.Ok) << good.Message;
  EXPECT_FALSE(failed);
  EXPECT_EQ(worker.Starts(), 2);
  // An ordinary compile error is the compiler's answer, not a failed worker.
  const FxResult bad = worker.Translate(FxKind::Effect, "float4 PS() : COLOR { return x; }\n"
                                        "technique T { pass P { PixelShader = compile ps_2_0 PS(); } }", &failed);
  EXPECT_FALSE(bad.Ok);
  EXPECT_FALSE(failed);
  EXPECT_NE(bad.Message.find("memory(1,"), std::string::npos) << bad.Message;
  EXPECT_EQ(worker.Starts(), 2);
  // A worker gone between two requests is replaced before the next one is sent.
  const pid_t pid = worker.Pid();
  ASSERT_GT(pid, 0);
  ASSERT_EQ(kill(pid, SIGKILL), 0);
  for (int i = 0; i < 500 && !Zombie(pid); ++i) usleep(10000);
  EXPECT_TRUE(worker.Translate(FxKind::Effect, kGood, &failed).Ok);
  EXPECT_EQ(worker.Starts(), 3);
}

TEST_F(FxWorkerTest, UnchangedEffectsAreTranslatedOnceAndDamagedCacheFilesIgnored) {
  FxTranslatorOptions options;
  options.CacheDir = (dir_ / "cache").string();
  options.TimeoutMs = 20000;
  FxResult first;
  {
    FxTranslator t(options);
    first = t.Translate(FxKind::Effect, kGood);
    ASSERT_TRUE(first.Ok) << first.Message;
    EXPECT_TRUE(t.Translate(FxKind::Effect, kGood).Ok);
    EXPECT_EQ(t.Stats().WorkerRuns, 1);
    EXPECT_EQ(t.Stats().MemoryHits, 1);
    // The same text as a texture shader is another translation.
    EXPECT_FALSE(t.Translate(FxKind::TextureShader, kGood).Ok);
    EXPECT_EQ(t.Stats().WorkerRuns, 2);
    // Failures are not kept: asked again, the worker answers again.
    EXPECT_FALSE(t.Translate(FxKind::TextureShader, kGood).Ok);
    EXPECT_EQ(t.Stats().WorkerRuns, 3);
  }
  const fs::path file = fs::path(options.CacheDir) / [&] {
    char name[32];
    std::snprintf(name, sizeof name, "%016llx.fxc",
                  static_cast<unsigned long long>(FxContentKey(FxKind::Effect, kGood)));
    return std::string(name);
  }();
  ASSERT_TRUE(fs::exists(file));
  {
    FxTranslator t(options);  // a new program run: the disk has it
    const FxResult again = t.Translate(FxKind::Effect, kGood);
    EXPECT_EQ(again.Fx, first.Fx);
    EXPECT_EQ(t.Stats().DiskHits, 1);
    EXPECT_EQ(t.Stats().WorkerRuns, 0);
  }
  for (int damage = 0; damage < 2; ++damage) {
    if (damage == 0) {
      fs::resize_file(file, fs::file_size(file) / 2);
    } else {
      std::fstream f(file, std::ios::in | std::ios::out | std::ios::binary);
      f.seekp(40);
      f.put('\x7F');  // inside the stored text: it no longer matches
    }
    FxTranslator t(options);
    const FxResult r = t.Translate(FxKind::Effect, kGood);
    EXPECT_TRUE(r.Ok);
    EXPECT_EQ(r.Fx, first.Fx);
    EXPECT_EQ(t.Stats().WorkerRuns, 1) << damage;
    EXPECT_EQ(t.Stats().DiskHits, 0) << damage;
  }
  FxTranslator t(options);  // the damaged file was written anew
  EXPECT_TRUE(t.Translate(FxKind::Effect, kGood).Ok);
  EXPECT_EQ(t.Stats().DiskHits, 1);
}

}  // namespace
}  // namespace quellor
