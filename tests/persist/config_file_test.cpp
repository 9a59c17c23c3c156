#include "persist/config_file.h"
#include "persist/config_location.h"

#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <optional>

#include "persist/temporary_file.h"
#include "tests/persist/fake_values.h"
#include "tests/persist/scratch_folder.h"

namespace tolvan {
namespace {

namespace fs = std::filesystem;
using testing::FakeValues;
using testing::kNobody;
using testing::ReadFile;
using testing::Repeated;
using testing::ScratchFolder;
using testing::WriteFile;

std::string Nested(std::size_t depth) { return Repeated("<u>", depth) + Repeated("</u>", depth); }

std::string Wrap(const std::string& children) {
  return "<?xml version=\"1.0\"?>\r\n<data>\r\n" + children + "</data>\r\n";
}

// Values as the window holds them after some use.
const std::string kCurrent =
    "path=/home/ham/reports;freq=14.2;zo=50;zm=75;vo=66;vm=66;x=0;r=100;fc0=1500;fc1=-30;"
    "fi0=2000;fi1=2010;fs0=4500;fs1=3000";

// What loading `bytes` sets, in the order it sets it.
std::string Loaded(const std::string& bytes) {
  FakeValues values;
  ConfigDocument(bytes).Load(values);
  return values.journal;
}

TEST(DefaultConfig, IsTheSeventeenLineFileByteForByte) {
  EXPECT_EQ(DefaultConfigText("/home/ham & co/<logs>"),
            ReadFile(TOLVAN_TEST_DATA "/default_config.expected"));
}

TEST(ConfigDocument, LoadsTheKnownElementsInDocumentOrder) {
  const std::pair<std::string, std::string> cases[] = {
      // Blanks are trimmed, tabs are not.
      {"<freq>  150 MHz  </freq><zo></zo><vo>\t</vo><vm> \t66\t </vm>",
       "freq=150 MHz;zo=;vo=\t;vm=\t66\t"},
      // Names in any case, without a prefix; unknown ones, however long, skipped; all the text
      // inside an element, CDATA and its children's too.
      {"<FREQ>7</FREQ><t:Zm xmlns:t=\"urn:t\">300</t:Zm><ZO>50</ZO><unknown>1</unknown><" +
           std::string(1000, 'u') + "/><zo>75</zo><x>-<b>1</b>2</x><PATH>/home</PATH>" +
           "<r><![CDATA[<55.5> & ]]>ohms</r><FS1>5</FS1>",
       "freq=7;zm=300;zo=50;zo=75;x=-12;path=/home;r=<55.5> & ohms;fs1=5"},
      // Window edges: the leading number, rounded half to even, within 32 bits.
      {"<fc0>120</fc0><fc1>12.5</fc1><fi0>13.5</fi0><fi1>-2.5</fi1><fs0>1 2</fs0><fs1>ab</fs1>"
       "<fa0></fa0><fa1>7.49</fa1><fa2>1E3</fa2><fa3>-45</fa3>",
       "fc0=120;fc1=12;fi0=14;fi1=-2;fs0=12;fs1=0;fa0=0;fa1=7;fa2=1000;fa3=-45"},
      {"<fc0>2147483647</fc0><fc1>3E9</fc1><fi0>-3E9</fi0><fi1>1E400</fi1><fs0>-1E400</fs0>",
       "fc0=2147483647;fc1=2147483647;fi0=-2147483648;fi1=2147483647;fs0=-2147483648"},
      // 64 levels deep, as deep as a file may go.
      {"<fcab>2x RG-59/U</fcab><mcab></mcab><zo>1" + Nested(62) + "</zo>",
       "fcab=2x RG-59/U;mcab=;zo=1"}};
  for (const auto& [children, loaded] : cases) EXPECT_EQ(Loaded(Wrap(children)), loaded);
}

TEST(ConfigDocument, DamagedBytesLoadNothing) {
  const std::string cases[] = {
      "", Wrap("<freq>150</freq>").substr(0, 40), "freq=150\nzo=50\n", std::string("\0\xff<", 3),
      "<?xml version=\"1.0\"?><settings><zo>1</zo></settings>", "<data><zo>50</zm></data>",
      // Taken by a lenient parser, but not well-formed XML.
      "<data><zo>1</zo></data><data/>", "<data/>zo", "<data><zo>\x01</zo></data>",
      "<data><zo>&#1;</zo></data>", "<data><zo>\xc3(</zo></data>", "<data><zo>&ohm;</zo></data>",
      "<data><zo>a & b</zo></data>", "<data><!-- a -- b --></data>", "<data a=\"1\" a=\"2\"/>",
      // Entities that the tree the program keeps would not expand.
      "<!DOCTYPE data [<!ENTITY z \"50\">]><data><zo>&z;</zo></data>",
      "<!DOCTYPE data SYSTEM \"data.dtd\"><data><zo>&z;</zo></data>",
      // Beyond the bounds on the work a file may cause: 65 and 200,000 levels, 1 MiB and a byte.
      "<data>" + Nested(64) + "</data>", "<data>" + Nested(200000) + "</data>",
      "<data><!--" + std::string((1 << 20) - 19, ' ') + "--></data>"};
  for (const std::string& bytes : cases) {
    EXPECT_TRUE(ConfigDocument(bytes).damaged()) << bytes.substr(0, 80);
    EXPECT_EQ(Loaded(bytes), "") << bytes.substr(0, 80);
  }
}

TEST(ConfigDocument, TextsComeBackAsStoredButForBlanksAndWhatXmlCannotCarry) {
  const std::pair<std::string, std::string> cases[] = {
      {"a & b <zo> ]]> \"q\" 's' &amp; <!-- c -->", "a & b <zo> ]]> \"q\" 's' &amp; <!-- c -->"},
      {"Zürich Ωμέγα 東京 𝄞 \u0080\u0800\U00010000", "Zürich Ωμέγα 東京 𝄞 \u0080\u0800\U00010000"},
      {"  padded  ", "padded"}, {"", ""}, {"cr\rlf\n", "cr\rlf\n"}, {"bell\x07", "bell"},
      {"tab\there", "tab\there"}, {"\xef\xbf\xbe", ""}, {"J\xf6rg", "J\uFFFDrg"}};
  for (const auto& [stored, loaded] : cases) {
    FakeValues values(kCurrent);
    values.values[Remembered::Zo] = stored;
    FakeValues back;
    back.values[Remembered::Zo] = "before";
    ConfigDocument(ConfigDocument(DefaultConfigText("/tmp")).Update(values)).Load(back);
    EXPECT_EQ(back.Text(Remembered::Zo), loaded) << stored;
  }
}

// What a file holds after an update, for what it held before (nothing: no file).
TEST(UpdateConfig, PutsTheCurrentValuesIntoTheFileAndKeepsEverythingElse) {
  const std::pair<std::optional<std::string>, std::string> cases[] = {
      {DefaultConfigText("/old"), "update_current"},
      {std::nullopt, "update_current"},
      {"freq=150\n", "update_current"},
      {DefaultConfigText("/old"), "update_swr"},  // the SWR window's values are known
      {"<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<!-- mine -->\r\n<data>\r\n"
       "  <callsign>G4XYZ</callsign>\r\n  <zo>60</zo><freq>7</freq>\r\n"
       "<?note keep?><zo>second</zo>\r\n</data>\r\n",
       "update_own_layout"},
      // Names in capitals load, but an update writes its own names: added, they are loaded last.
      {Wrap("<FREQ>7</FREQ><ZO>60</ZO>"), "update_capitals"},
      {"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><data><callsign>J\xf6rg</callsign></data>",
       "update_latin1"}};
  for (const auto& [before, after] : cases) {
    ScratchFolder folder;
    const fs::path file = folder / "Tolvan_Config.xml";
    if (before) WriteFile(file, *before);
    const std::string swr = ";fa0=6120;fa1=-15;fa2=12300;fa3=9900;fcab=2x RG-59/U;mcab=";
    UpdateConfig(file, FakeValues(kCurrent + (after == "update_swr" ? swr : "")));
    EXPECT_EQ(ReadFile(file), ReadFile(TOLVAN_TEST_DATA "/" + after + ".expected")) << after;
  }
}

// Started as a desktop may start it, without a standard input: its files get descriptor 0.
TEST(LoadConfig, LoadsTheFileOrAFreshDefaultFileOrElseTheDefaults) {
  const std::string good = Wrap("<freq>7</freq>");
  const struct {
    std::string before;  // empty: no file
    bool shut;           // the folder is read-only, and the user not root
    std::string loaded;  // empty: the defaults
    std::string after;   // "default": the default file
  } cases[] = {{"", false, "", "default"}, {"<data>", false, "", "default"}, {"", true, "", ""},
               {good, false, "freq=7", good}};
  for (const auto& c : cases) {
    ScratchFolder folder;
    const fs::path file = folder / "Tolvan_Config.xml";
    if (!c.before.empty()) WriteFile(file, c.before);
    if (c.shut) fs::permissions(folder.path(), fs::perms::owner_write, fs::perm_options::remove);
    const auto start = [&] {
      close(STDIN_FILENO);
      FakeValues values;
      if (chdir(folder.path().c_str()) == 0) LoadConfig(file, values);
      const std::string defaults = "path=" + folder.path().string() +
                                   ";freq=150;zo=50;zm=75;vo=89;vm=66;x=-3.5;r=55.5;fc0=10;fc1=10;"
                                   "fi0=10;fi1=10;fs0=10;fs1=10";
      return values.journal == (c.loaded.empty() ? defaults : c.loaded);
    };
    EXPECT_EQ(testing::InChild(start, !c.shut), 1) << c.before;
    const std::string after = c.after == "default" ? DefaultConfigText(folder.path()) : c.after;
    EXPECT_EQ(ReadFile(file), after) << c.before;
  }
}

// What a killed writer left is removed by the next start; nothing of anyone else's.
TEST(LoadConfig, RemovesStaleTemporaryFilesOfItsOwnAndNothingElse) {
  if (geteuid() != 0) GTEST_SKIP() << "makes files of two users";
  ScratchFolder folder;
  (void)!chown(folder.path().c_str(), kNobody, kNobody);
  const fs::path file = folder / "Tolvan_Config.xml";
  const std::string ours = TemporaryNamePrefix(file);
  const std::pair<std::string, bool> cases[] = {
      {ours + "Ab3xY9", true},  {ours + "wr1te0", true},
      {ours + "read00", true},  {ours + "Live00", false},  // a live writer holds it
      {ours + "root00", false}, {ours + "Ab3xY", false},
      {ours + "Ab3x-9", false}, {TemporaryNamePrefix(folder / "report.txt") + "Ab3xY9", false},
      {"notes.txt", false}};
  for (const auto& [name, stale] : cases) {
    WriteFile(folder / name, "x");
    const uid_t owner = name.ends_with("root00") ? 0 : kNobody;
    (void)!chown((folder / name).c_str(), owner, owner);
  }
  chmod((folder / (ours + "wr1te0")).c_str(), 0200);
  chmod((folder / (ours + "read00")).c_str(), 0400);
  const int live = open((folder / (ours + "Live00")).c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_EQ(flock(live, LOCK_EX), 0);
  FakeValues values;
  EXPECT_EQ(testing::InChild([&] { return LoadConfig(file, values), 1; }), 1);
  close(live);
  for (const auto& [name, stale] : cases) EXPECT_EQ(fs::exists(folder / name), !stale) << name;
}

// Beside the executable when the user may write its folder or the file is there already; else in
// the user's configuration folder ($XDG_CONFIG_HOME, or else ~/.config), made for it.
TEST(ConfigFilePath, BesideTheExecutableElseInTheUsersConfigurationFolder) {
  ScratchFolder writable, installed, installed_with_file, home;
  WriteFile(installed_with_file / "Tolvan_Config.xml", "<data/>");
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
