#pragma once
// Where the shared test material lies: QUELLOR_SHARED_DIR, else beside the checkout or
// beside its worktree folder; "" when it is not there (tests using it then skip).
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace quellor::testing {

inline std::string SharedDir() {
  std::vector<std::string> dirs;
  if (const char* env = std::getenv("QUELLOR_SHARED_DIR"); env && *env) dirs.push_back(env);
  dirs.push_back(std::string(QUELLOR_SOURCE_DIR) + "/../shared");
  dirs.push_back(std::string(QUELLOR_SOURCE_DIR) + "/../../shared");
  for (const std::string& dir : dirs) {
    if (FILE* f = std::fopen((dir + "/corpus/MANIFEST.tsv").c_str(), "rb")) {
      std::fclose(f);
      return dir;
    }
  }
  return {};
}

}  // namespace quellor::testing
