#include "persist/config_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <pugixml.hpp>
#include <string>
#include <vector>

#include "persist/config_elements.h"
#include "tests/persist/fake_values.h"
#include "tests/persist/scratch_folder.h"

namespace tolvan {
namespace {

using testing::FakeValues;
using testing::ReadFile;
using testing::ScratchFolder;
using testing::WriteFile;
using Strings = std::vector<std::string>;

std::string Repeated(const std::string& text, std::size_t times) {
  std::string repeated;
  for (std::size_t i = 0; i < times; ++i) repeated += text;
  return repeated;
}

std::string Wrap(const std::string& children) {
  return "<?xml version=\"1.0\"?>\r\n<data>\r\n" + children + "</data>\r\n";
}

// Values as the window holds them after some use.
FakeValues Current() {
  FakeValues values;
  values.texts = {{Remembered::ReportFolder, "/home/ham/reports"},
                  {Remembered::Freq, "14.2"},
                  {Remembered::Zo, "50"},
                  {Remembered::Zm, "75"},
                  {Remembered::VF0, "66"},
                  {Remembered::VF1, "66"},
                  {Remembered::Xl, "0"},
                  {Remembered::Rl, "100"}};
  values.positions = {{Remembered::CommentsLeft, 1500}, {Remembered::CommentsTop, -30},
                      {Remembered::InfoLeft, 2000},     {Remembered::InfoTop, 2010},
                      {Remembered::MainLeft, 4500},     {Remembered::MainTop, 3000}};
  return values;
}

// All fourteen values as texts, in the order of the file.
Strings Snapshot(const FakeValues& values) {
  Strings texts;
  for (const ConfigElement& element : kConfigElements) {
    texts.push_back(element.position ? std::to_string(values.Position(element.value))
                                     : values.Text(element.value));
  }
  return texts;
}

FakeValues Loaded(const std::filesystem::path& file) {
  FakeValues values;
  LoadConfig(file, values);
  return values;
}

// Runs `body` with the working directory set to `folder`, and puts it back.
template <typename Body>
void InFolder(const std::filesystem::path& folder, Body body) {
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(folder);
  body();
  std::filesystem::current_path(before);
}

TEST(DefaultConfig, IsTheSeventeenLineFileByteForByte) {
  const std::string expected =
      ReadFile(std::filesystem::path(TOLVAN_TEST_DATA) / "default_config.expected");
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(DefaultConfigText("/home/ham & co/<logs>"), expected);
}

TEST(LoadConfig, FirstStartCreatesTheDefaultFileAndLoadsIt) {
  ScratchFolder folder;
  const auto file = folder / "Tolvan_Config.xml";
  FakeValues values;
  InFolder(folder.path(), [&] { LoadConfig(file, values); });

  EXPECT_EQ(ReadFile(file), DefaultConfigText(folder.path().string()));
  // The boxes are written one after another in the order of the file.
  EXPECT_EQ(values.journal, (Strings{"0=" + folder.path().string(), "1=150", "2=50", "3=75", "4=89",
                                     "5=66", "6=-3.5", "7=55.5"}));
  for (const ConfigElement& element : kConfigElements) {
    if (element.position && element.in_default_file) {
      EXPECT_EQ(values.Position(element.value), 10) << element.name;
    }
  }
}

TEST(LoadConfig, TrimsBlanksAndLeavesAbsentValuesAlone) {
  ScratchFolder folder;
  const auto file = folder / "Tolvan_Config.xml";
  WriteFile(file, Wrap("  <freq>  150 MHz  </freq>\r\n  <zo></zo>\r\n  <fs0> 20 </fs0>\r\n"
                       "<vo>\t</vo><vm> \t66\t </vm>"));
  FakeValues values;
  values.texts[Remembered::Zm] = "designed";
  values.positions[Remembered::MainTop] = 77;
  LoadConfig(file, values);
  EXPECT_EQ(values.Text(Remembered::Freq), "150 MHz");
  EXPECT_EQ(values.Text(Remembered::Zo), "");
  EXPECT_EQ(values.Text(Remembered::Zm), "designed");
  EXPECT_EQ(values.Text(Remembered::VF0), "\t");  // blanks are trimmed, tabs are not
  EXPECT_EQ(values.Text(Remembered::VF1), "\t66\t");
  EXPECT_EQ(values.Position(Remembered::MainLeft), 20);
  EXPECT_EQ(values.Position(Remembered::MainTop), 77);
}

struct PositionCase {
  const char* text;
  std::int32_t twips;
};

TEST(LoadConfig, PositionsReadTheLeadingNumberRoundedHalfToEven) {
  const PositionCase cases[] = {
      {"120", 120},
      {"12.5", 12},
      {"13.5", 14},
      {"-45", -45},
      {"-2.5", -2},
      {"1 2", 12},
      {"letters", 0},
      {"", 0},
      {"7.49", 7},
      {"1E3", 1000},
      {"2147483647", INT32_MAX},
      {"3E9", INT32_MAX},
      {"-3E9", INT32_MIN},
      {"1E400", INT32_MAX},
      {"-1E400", INT32_MIN},
  };
  ScratchFolder folder;
  const auto file = folder / "Tolvan_Config.xml";
  for (const PositionCase& c : cases) {
    WriteFile(file, Wrap(std::string("<fi1>") + c.text + "</fi1>"));
    EXPECT_EQ(Loaded(file).Position(Remembered::InfoTop), c.twips) << c.text;
  }
}

TEST(LoadConfig, NamesInAnyCaseAndWithAPrefixLoadTheLaterOfTwoWins) {
  ScratchFolder folder;
  const auto file = folder / "Tolvan_Config.xml";
  WriteFile(file,
            "<data xmlns:t=\"urn:t\"><FREQ>7</FREQ><t:Zm>300</t:Zm><zo>50</zo>"
            "<unknown>1</unknown><zo>75</zo><x>-<b>1</b>2</x><PATH>/home</PATH>"
            "<r><![CDATA[<55.5> & ]]>ohms</r></data>");
  const FakeValues values = Loaded(file);
  EXPECT_EQ(values.Text(Remembered::Freq), "7");
  EXPECT_EQ(values.Text(Remembered::Zm), "300");
  EXPECT_EQ(values.Text(Remembered::Zo), "75");
  EXPECT_EQ(values.Text(Remembered::Xl), "-12");  // all the text inside the element
  EXPECT_EQ(values.Text(Remembered::ReportFolder), "/home");
  EXPECT_EQ(values.Text(Remembered::Rl), "<55.5> & ohms");
}

struct DamagedCase {
  const char* name;
  std::string bytes;
};

class DamagedFile : public ::testing::TestWithParam<DamagedCase> {};

void PrintTo(const DamagedCase& c, std::ostream* os) { *os << c.name; }

TEST_P(DamagedFile, IsReplacedByTheDefaultFileAtStartUp) {
  ScratchFolder folder;
  const auto file = folder / "Tolvan_Config.xml";
  WriteFile(file, GetParam().bytes);
  FakeValues values;
  InFolder(folder.path(), [&] { LoadConfig(file, values); });
  EXPECT_EQ(ReadFile(file), DefaultConfigText(folder.path().string()));
  EXPECT_EQ(values.Text(Remembered::Freq), "150");
  EXPECT_EQ(values.Position(Remembered::MainLeft), 10);
}

TEST_P(DamagedFile, IsReplacedByACompleteFileOfTheCurrentValuesAtAnUpdate) {
  ScratchFolder folder;
  const auto file = folder / "Tolvan_Config.xml";
  WriteFile(file, GetParam().bytes);
  const FakeValues current = Current();
  UpdateConfig(file, current);
  const std::string written = ReadFile(file);
  EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 17);
  EXPECT_EQ(Snapshot(Loaded(file)), Snapshot(current));
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedFile,
    ::testing::Values(DamagedCase{"Missing", ""},
                      DamagedCase{"Truncated", Wrap("<freq>150</freq>").substr(0, 40)},
                      DamagedCase{"NotXml", "freq=150\nzo=50\n"},
                      DamagedCase{"BinaryGarbage", std::string("\0\xff\xfe<", 4)},
                      DamagedCase{"WrongRoot",
                                  "<?xml version=\"1.0\"?><settings><zo>1</zo></settings>"},
                      DamagedCase{"MismatchedTags", "<data><zo>50</zm></data>"},
                      // Taken by a lenient parser, but not well-formed XML.
                      DamagedCase{"TwoRoots", "<data><zo>1</zo></data><data/>"},
                      DamagedCase{"TextAfterTheRoot", "<data/>zo"},
                      DamagedCase{"ControlCharacter", "<data><zo>\x01</zo></data>"},
                      DamagedCase{"ReferenceToAControlCharacter", "<data><zo>&#1;</zo></data>"},
                      DamagedCase{"BrokenUtf8", "<data><zo>\xc3(</zo></data>"},
                      DamagedCase{"UndeclaredEntity", "<data><zo>&ohm;</zo></data>"},
                      DamagedCase{"BareAmpersand", "<data><zo>a & b</zo></data>"},
                      DamagedCase{"DoubleHyphenInAComment", "<data><!-- a -- b --></data>"},
                      DamagedCase{"RepeatedAttribute", "<data a=\"1\" a=\"2\"/>"},
                      DamagedCase{"EntityTheTreeWouldNotExpand",
                                  "<!DOCTYPE data [<!ENTITY z \"50\">]><data><zo>&z;</zo></data>"},
                      DamagedCase{"NestedDeeperThan64", "<data>" + Repeated("<u>", 64) +
                                                            Repeated("</u>", 64) + "</data>"}),
    [](const auto& info) { return std::string(info.param.name); });

// Files made to exhaust the program: each is damaged, found so in seconds at most (a hang guard,
// not a measurement), and the largest is not even read whole.
TEST(LoadConfig, HostileFilesAreDamagedWithinBoundedWork) {
  const auto nested = [](std::size_t depth) {
    return "<data>" + Repeated("<u>", depth) + Repeated("</u>", depth) + "</data>";
  };
  const std::pair<const char*, std::string> cases[] = {
      {"3,000 deep in 21 kB", nested(3000)},
      {"200,000 deep", nested(200000)},
      {"one byte over 1 MiB", "<data><!--" + std::string((1 << 20) - 16, ' ') + "--></data>"},
      {"16 MiB", nested(16 << 18)},
  };
  ScratchFolder folder;
  const auto file = folder / "Tolvan_Config.xml";
  const auto start = std::chrono::steady_clock::now();
  for (const auto& [name, bytes] : cases) {
    WriteFile(file, bytes);
    InFolder(folder.path(), [&] { Loaded(file); });
    EXPECT_EQ(ReadFile(file), DefaultConfigText(folder.path().string())) << name;
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
}

// Writing back costs in proportion to the file, whatever its shape: unknown elements nested as
// deep as a file may go are written as they were, not re-indented.
TEST(UpdateConfig, WritesAFileOfTheSameSizeAsItRead) {
  const std::string deep = Repeated("<u>", 62) + "x" + Repeated("</u>", 62);
  const std::string bytes = Wrap(Repeated(deep, 2000));
  const std::string written = ConfigDocument(bytes).Update(Current());
  EXPECT_LT(written.size(), bytes.size() + 400);
  EXPECT_NE(written.find(deep + deep), std::string::npos);
}

TEST(UpdateConfig, WritesTheCurrentValuesAndKeepsEverythingElse) {
  ScratchFolder folder;
  const auto file = folder / "Tolvan_Config.xml";
  WriteFile(file,
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<!-- mine -->\r\n<data>\r\n"
            "<callsign>G4XYZ</callsign>\r\n" +
                DefaultConfigText("/tmp")
                    .substr(30, std::string::npos)
                    .substr(0, DefaultConfigText("/tmp").size() - 30 - 9) +
                "<?note keep?><zo>second</zo>\r\n</data>\r\n");
  UpdateConfig(file, Current());
  const std::string written = ReadFile(file);

  pugi::xml_document document;
  ASSERT_TRUE(document.load_string(written.c_str(), pugi::parse_default | pugi::parse_comments |
                                                        pugi::parse_pi | pugi::parse_declaration));
  EXPECT_EQ(written.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<!-- mine -->\r\n", 0),
            0u);
  Strings names;
  for (pugi::xml_node child : document.child("data").children()) names.push_back(child.name());
  EXPECT_EQ(names, (Strings{"callsign", "path", "freq", "zo", "zm", "vo", "vm", "x", "r", "fc0",
                            "fc1", "fi0", "fi1", "fs0", "fs1", "note", "zo"}));
  EXPECT_STREQ(document.child("data").child_value("callsign"), "G4XYZ");
  EXPECT_STREQ(document.child("data").child_value("zo"), "50");               // the first zo
  EXPECT_STREQ(document.child("data").last_child().child_value(), "second");  // the second
  EXPECT_STREQ(document.child("data").child_value("fc1"), "-30");
}

TEST(UpdateConfig, ADefaultFileStaysInItsLayoutWithTheNewValues) {
  ScratchFolder folder;
  const auto file = folder / "Tolvan_Config.xml";
  WriteFile(file, DefaultConfigText("/old"));
  FakeValues values = Current();
  values.texts[Remembered::ReportFolder] = "/old";
  values.texts[Remembered::Freq] = "150";
  UpdateConfig(file, values);
  std::string expected = DefaultConfigText("/old");
  for (const auto& [from, to] :
       std::vector<std::pair<std::string, std::string>>{{"<zo>50", "<zo>50"},
                                                        {"<vo>89", "<vo>66"},
                                                        {"<x>-3.5", "<x>0"},
                                                        {"<r>55.5", "<r>100"},
                                                        {"<fc0>10", "<fc0>1500"},
                                                        {"<fc1>10", "<fc1>-30"},
                                                        {"<fi0>10", "<fi0>2000"},
                                                        {"<fi1>10", "<fi1>2010"},
                                                        {"<fs0>10", "<fs0>4500"},
                                                        {"<fs1>10", "<fs1>3000"}}) {
    expected.replace(expected.find(from), from.size(), to);
  }
  EXPECT_EQ(ReadFile(file), expected);
}

// The SWR window's place and cables join an older file when first stored, after everything
// else in it, and come back from there; a file without them loads with them unknown.
TEST(UpdateConfig, ThePlaceAndCablesOfTheSwrWindowAreAddedOnceKnown) {
  ScratchFolder folder;
  const auto file = folder / "Tolvan_Config.xml";
  WriteFile(file, DefaultConfigText("/old"));
  FakeValues values = Loaded(file);
  EXPECT_FALSE(values.Known(Remembered::SwrLeft));
  EXPECT_FALSE(values.Known(Remembered::FeedCable));
  values.positions[Remembered::SwrLeft] = 6120;
  values.positions[Remembered::SwrTop] = -15;
  values.positions[Remembered::SwrWidth] = 12300;
  values.positions[Remembered::SwrHeight] = 9900;
  values.texts[Remembered::FeedCable] = "2x RG-59/U";
  values.texts[Remembered::MatchCable] = "";  // lossless, chosen
  UpdateConfig(file, values);
  std::string expected = DefaultConfigText("/old");
  expected.insert(expected.find("</data>"),
                  "    <fa0>6120</fa0>\r\n    <fa1>-15</fa1>\r\n    <fa2>12300</fa2>\r\n"
                  "    <fa3>9900</fa3>\r\n    <fcab>2x RG-59/U</fcab>\r\n    <mcab></mcab>\r\n");
  EXPECT_EQ(ReadFile(file), expected);
  EXPECT_EQ(Snapshot(Loaded(file)), Snapshot(values));
}

TEST(UpdateConfig, CapitalisedNamesLoadThenTheCurrentValuesAreAdded) {
  ScratchFolder folder;
  const auto file = folder / "Tolvan_Config.xml";
  WriteFile(file, Wrap("<FREQ>7</FREQ><ZO>60</ZO><FS0>300</FS0>"));
  FakeValues values = Loaded(file);
  EXPECT_EQ(values.Text(Remembered::Freq), "7");
  EXPECT_EQ(values.Position(Remembered::MainLeft), 300);
  values.texts[Remembered::Zm] = "80";
  UpdateConfig(file, values);
  EXPECT_EQ(Snapshot(Loaded(file)), Snapshot(values));
}

TEST(UpdateConfig, HostileTextsComeBackAsWrittenButForTrimmingAndWhatXmlCannotCarry) {
  const std::pair<std::string, std::string> cases[] = {
      {"a & b", "a & b"},
      {"<zo>", "<zo>"},
      {"]]>", "]]>"},
      {"\"quoted\" 'single'", "\"quoted\" 'single'"},
      {"Zürich Ωμέγα 東京 𝄞", "Zürich Ωμέγα 東京 𝄞"},
      {"  padded  ", "padded"},
      {"&amp;", "&amp;"},
      {"<!-- not a comment -->", "<!-- not a comment -->"},
      {"tab\there", "tab\there"},
      {"", ""},
      {"cr\rlf\n", "cr\rlf\n"},
      {"bell\x07", "bell"},
      {"\xef\xbf\xbe", ""},
      {"J\xf6rg", "J\uFFFDrg"},
  };
  for (const auto& [stored, loaded] : cases) {
    FakeValues values = Current();
    values.texts[Remembered::Zo] = stored;
    const ConfigDocument written(ConfigDocument(DefaultConfigText("/tmp")).Update(values));
    ASSERT_FALSE(written.damaged()) << stored;
    FakeValues back;
    written.Load(back);
    EXPECT_EQ(back.Text(Remembered::Zo), loaded) << stored;
  }
}

TEST(UpdateConfig, AFileInAnotherEncodingIsWrittenBackAsUtf8AndSaysSo) {
  ScratchFolder folder;
  const auto file = folder / "Tolvan_Config.xml";
  WriteFile(
      file,
      "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><data><path>/home/J\xf6rg</path></data>");
  FakeValues values = Loaded(file);
  EXPECT_EQ(values.Text(Remembered::ReportFolder), "/home/J\u00f6rg");
  UpdateConfig(file, values);
  EXPECT_EQ(ReadFile(file).rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>", 0), 0u);
  EXPECT_EQ(Loaded(file).Text(Remembered::ReportFolder), "/home/J\u00f6rg");
}

TEST(UpdateConfig, AnEmptyBoxComesBackEmpty) {
  ScratchFolder folder;
  const auto file = folder / "Tolvan_Config.xml";
  FakeValues values = Current();
  values.texts[Remembered::Rl] = "";
  UpdateConfig(file, values);
  FakeValues loaded;
  loaded.texts[Remembered::Rl] = "designed";
  LoadConfig(file, loaded);
  EXPECT_EQ(loaded.Text(Remembered::Rl), "");
}

TEST(LoadConfig, StartsWithTheDefaultsWhenNoFileCanBeWritten) {
  ScratchFolder folder;
  const auto file = folder / "Tolvan_Config.xml";
  // A read-only folder with no file: the default file cannot be created or read back.
  const int status = testing::RunUnprivileged([&] {
    FakeValues values;
    LoadConfig(file, values);
    const bool defaults = values.Text(Remembered::Freq) == "150" &&
                          values.Text(Remembered::Rl) == "55.5" &&
                          values.Position(Remembered::MainTop) == 10;
    return defaults && !std::filesystem::exists(file) ? 0 : 1;
  });
  EXPECT_EQ(status, 0);
}

}  // namespace
}  // namespace tolvan
