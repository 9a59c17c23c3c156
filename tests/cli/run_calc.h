#pragma once
// Runs the built tolvan-calc as a process and keeps its exit status, stdout and stderr.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace tolvan::testing {

struct Process {
  int status = -1;
  std::string out;
  std::string err;
};

inline std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// A new empty file of its own, so that tests running side by side never share one.
inline std::string FreshFile() {
  std::string name = ::testing::TempDir() + "/tolvan-calc-XXXXXX";
  const int descriptor = mkstemp(name.data());
  if (descriptor >= 0) close(descriptor);
  return name;
}

// `environment` is put before the command ("LC_ALL=C"); `arguments` go through the shell.
inline Process RunCalc(const std::string& arguments, const std::string& environment = {}) {
  const std::string out = FreshFile();
  const std::string err = FreshFile();
  const std::string command = environment + " " + std::string(TOLVAN_CALC) + " " + arguments +
                              " >" + out + " 2>" + err + " </dev/null";
  const int raw = std::system(command.c_str());
  Process process{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Slurp(out), Slurp(err)};
  std::remove(out.c_str());
  std::remove(err.c_str());
  return process;
}

}  // namespace tolvan::testing
