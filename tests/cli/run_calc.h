#pragma once
// Runs the built tolvan-calc as a process and keeps its exit status, stdout and stderr.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/persist/scratch_folder.h"

namespace tolvan::testing {

struct Process {
  int status = -1;
  std::string out;
  std::string err;
};

// A new empty file of its own, so that tests running side by side never share one.
inline std::string FreshFile() {
  std::string name = ::testing::TempDir() + "/tolvan-calc-XXXXXX";
  const int descriptor = mkstemp(name.data());
  if (descriptor >= 0) close(descriptor);
  return name;
}

// `text` with every `from` replaced by `to`.
inline std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

// The source and build folders of the output read "<src>" and "<build>", so that expected
// texts do not depend on where the tree was built.
inline std::string Placeheld(const std::string& text) {
  const auto build = std::filesystem::path(TOLVAN_CALC).parent_path().parent_path();
  return Replaced(Replaced(text, build.string(), "<build>"), TOLVAN_SOURCE_DIR, "<src>");
}

// Runs in `folder`; `environment` is put before the command ("LC_ALL=C"); `arguments` go
// through the shell.
inline Process RunCalc(const std::string& arguments, const std::string& environment = {},
                       const std::filesystem::path& folder = ".") {
  const std::string out = FreshFile();
  const std::string err = FreshFile();
  const std::string command = "cd '" + folder.string() + "' && " + environment + " " +
                              std::string(TOLVAN_CALC) + " " + arguments + " >" + out + " 2>" +
                              err + " </dev/null";
  const int raw = std::system(command.c_str());
  Process process{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Placeheld(ReadFile(out)),
                  Placeheld(ReadFile(err))};
  std::remove(out.c_str());
  std::remove(err.c_str());
  return process;
}

}  // namespace tolvan::testing
