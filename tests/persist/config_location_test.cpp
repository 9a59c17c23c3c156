#include "persist/config_location.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/persist/scratch_folder.h"

namespace tolvan {
namespace {

using testing::ScratchFolder;

TEST(ConfigFilePath, BesideAWritableExecutable) {
  ScratchFolder folder;
  EXPECT_EQ(ConfigFilePath(folder.path()), folder.path() / "Tolvan_Config.xml");
}

TEST(ConfigFilePath, UserFolderWhenTheExecutablesFolderIsShutAndHoldsNoFile) {
  ScratchFolder installed;  // made by the test, not writable by the unprivileged child
  ScratchFolder home;
  std::filesystem::permissions(home.path(), std::filesystem::perms::all);
  const int status = testing::InChild([&] {
    setenv("XDG_CONFIG_HOME", (home.path() / "xdg").c_str(), 1);
    const bool xdg =
        ConfigFilePath(installed.path()) == home.path() / "xdg/Tolvan/Tolvan_Config.xml";
    const bool created = std::filesystem::is_directory(home.path() / "xdg/Tolvan");
    unsetenv("XDG_CONFIG_HOME");
    setenv("HOME", home.path().c_str(), 1);
    const bool fallback =
        ConfigFilePath(installed.path()) == home.path() / ".config/Tolvan/Tolvan_Config.xml";
    return xdg && created && fallback ? 0 : 1;
  });
  EXPECT_EQ(status, 0);
}

TEST(ConfigFilePath, AnExistingFileBesideAShutExecutableIsStillUsed) {
  ScratchFolder installed;
  testing::WriteFile(installed / "Tolvan_Config.xml", "<data/>");
  ScratchFolder home;
  std::filesystem::permissions(home.path(), std::filesystem::perms::all);
  const int status = testing::InChild([&] {
    setenv("XDG_CONFIG_HOME", home.path().c_str(), 1);
    return ConfigFilePath(installed.path()) == installed.path() / "Tolvan_Config.xml" ? 0 : 1;
  });
  EXPECT_EQ(status, 0);
}

}  // namespace
}  // namespace tolvan
