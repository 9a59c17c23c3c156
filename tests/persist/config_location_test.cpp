#include "persist/config_location.h"

#include <gtest/gtest.h>

#include "tests/persist/scratch_folder.h"

namespace tolvan {
namespace {

namespace fs = std::filesystem;

// Beside the executable when the user may write its folder or the file is there already; else in
// the user's configuration folder ($XDG_CONFIG_HOME, or else ~/.config), made for it.
TEST(ConfigFilePath, BesideTheExecutableElseInTheUsersConfigurationFolder) {
  testing::ScratchFolder writable, installed, installed_with_file, home;
  testing::WriteFile(installed_with_file / "Tolvan_Config.xml", "<data/>");
  fs::permissions(home.path(), fs::perms::all);
  EXPECT_EQ(ConfigFilePath(writable.path()), writable / "Tolvan_Config.xml");
  const auto user = [&] {  // to whom the folders made as root are shut
    setenv("XDG_CONFIG_HOME", (home / "xdg").c_str(), 1);
    const bool xdg = ConfigFilePath(installed.path()) == home / "xdg/Tolvan/Tolvan_Config.xml" &&
                     fs::is_directory(home / "xdg/Tolvan");
    const bool beside =
        ConfigFilePath(installed_with_file.path()) == installed_with_file / "Tolvan_Config.xml";
    unsetenv("XDG_CONFIG_HOME");
    setenv("HOME", home.path().c_str(), 1);
    return xdg && beside &&
           ConfigFilePath(installed.path()) == home / ".config/Tolvan/Tolvan_Config.xml";
  };
  EXPECT_EQ(testing::InChild(user), 1);
}

}  // namespace
}  // namespace tolvan
