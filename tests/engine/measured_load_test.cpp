// A load measured at a list of frequencies: the Touchstone files it is read from, its range
// and interpolation, and the load a front end takes from it at the design frequency.

#include "engine/measured_load.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "engine/measured_load_entry.h"
#include "engine/number_reading.h"
#include "engine/touchstone.h"
#include "tests/persist/scratch_folder.h"

namespace tolvan {
namespace {

using namespace std::complex_literals;

TouchstoneRead Parse(const std::string& text) {
  std::istringstream in(text);
  return ParseTouchstone(in, "f.s1p");
}

TEST(Touchstone, ReadsOrRefusesEachSampleFile) {
  struct Sample {
    std::string name, expected, text;
  };
  std::vector<Sample> samples;
  std::ifstream in(TOLVAN_SOURCE_DIR "/tests/engine/data/touchstone_files.txt");
  for (std::string line; std::getline(in, line);) {
    const std::size_t bar = line.find(" | ");
    if (line.starts_with("=== ")) {
      samples.push_back({line.substr(4, bar - 4), line.substr(bar + 3), ""});
    } else if (!samples.empty()) {
      samples.back().text += line + '\n';
    }
  }
  ASSERT_EQ(samples.size(), 31u);
  for (const Sample& sample : samples) {
    const TouchstoneRead read = Parse(sample.text);
    if (sample.expected.starts_with("f.s1p:")) {
      EXPECT_TRUE(read.error == sample.expected && !read.load) << sample.name << ": " << read.error;
      continue;
    }
    ASSERT_TRUE(read.load) << sample.name << ": " << read.error;
    double r = 0, x = 0;
    std::istringstream(sample.expected) >> r >> x;
    const std::complex<double> ohms = read.load->ImpedanceAt(14).value_or(0.0);
    EXPECT_NEAR(std::abs(ohms - std::complex(r, x)), 0, 1e-9) << sample.name;
  }
}

TEST(Touchstone, RefusesAFileWherePassesALimitOrCannotBeRead) {
  std::string many = "# Hz S RI R 50\n";
  for (int i = 1; i <= 100001; ++i) many += std::to_string(i) + " 0 0\n";
  EXPECT_EQ(Parse(many).error, "f.s1p:100002: more than 100000 frequencies, the most Tolvan reads");
  // 17 MiB of 64-byte lines: the 16 MiB limit ends line 262144.
  std::string oversized;
  while (oversized.size() < (17 << 20)) oversized += std::string(63, '!') + '\n';
  EXPECT_EQ(Parse(oversized).error,
            "f.s1p:262145: the file is larger than 16 MiB, the most Tolvan reads");
  // An endless file with no line end stops at the line length limit.
  EXPECT_EQ(ReadTouchstone("/dev/zero").error,
            "/dev/zero:1: the line is longer than 4096 characters");
  const TouchstoneRead missing = ReadTouchstone("/nonexistent/antenna.s1p");
  EXPECT_EQ(missing.error, "/nonexistent/antenna.s1p: cannot be read: No such file or directory");
  EXPECT_EQ(missing.error_line, 0);
}

TEST(MeasuredLoad, InterpolatesTheReflectionCoefficientWithinItsRangeOfSingles) {
  const TouchstoneRead read = Parse("# MHz S RI R 50\n10 0 0\n20 0 0.5\n");
  ASSERT_TRUE(read.load);
  // Halfway the reflection coefficient is 0.25j, not the mean of the two impedances.
  EXPECT_NEAR(std::abs(*read.load->ReflectionAt(15) - 0.25i), 0, 1e-15);
  EXPECT_NEAR(std::abs(*read.load->ImpedanceAt(15) - 50.0 * (1.0 + 0.25i) / (1.0 - 0.25i)), 0,
              1e-12);
  EXPECT_TRUE(read.load->ImpedanceAt(20));
  EXPECT_FALSE(read.load->ImpedanceAt(20.000001) || read.load->ImpedanceAt(9.99));
  EXPECT_EQ(OutsideRangeMessage(*read.load, 25),
            "25 MHz is outside the measured range, 10 to 20 MHz");
  // A design frequency is a single: 14.2 typed becomes 14.1999998 below the file's first
  // frequency, 14.35 becomes 14.3500004 above its last; the next singles beyond are outside.
  // Edges beyond the single range are not edges of any single: both would round to infinity.
  const TouchstoneRead edges = Parse("# MHz S RI R 50\n14.2 0 0.2\n14.35 0 0.4\n");
  const TouchstoneRead vast = Parse("# MHz S RI R 50\n14 0 0.2\n1e300 0 0.4\n");
  ASSERT_TRUE(edges.load && vast.load);
  EXPECT_EQ(edges.load->ReflectionAt(14.2f), 0.2i);
  EXPECT_EQ(edges.load->ReflectionAt(14.35f), 0.4i);
  EXPECT_FALSE(edges.load->ReflectionAt(std::nextafter(14.2f, 0.0f)) ||
               edges.load->ReflectionAt(std::nextafter(14.35f, 100.0f)) ||
               vast.load->ReflectionAt(2e300));
}

// The reflection coefficient rises from 0 (50 ohms) at 10 MHz to 0.4 + 0.8j at 20 MHz and
// ends at 0.2 - 0.4j (50 - 50j ohms) at 30 MHz. Half-way to 20 MHz it is 0.2 + 0.4j, which is
// 50 + 50j ohms: 50 (1.2 + 0.4j) / (0.8 - 0.4j).
constexpr const char* kRamp = "# MHz S RI R 50\n10 0 0\n20 0.4 0.8\n30 0.2 -0.4\n";

TEST(TakeMeasuredLoad, WritesTheLoadAtFreqInItsShortestTexts) {
  const struct {
    const char *file, *freq, *r, *x;
  } cases[] = {
      {kRamp, "15", "50", "50"},
      {kRamp, "30", "50", "-50"},
      // 14.2 in single precision lies 1.9e-7 below 14.2: a file's first frequency still counts
      // and is the edge; as its last, F lies inside, 1.9e-6 of the step before it, where
      // dZ = 100 / (1 - S)² dS = (75 + 100j) (0.2 + 0.4j) (-1.9e-6) = 4.8e-5 - 9.5e-5j ohms.
      {"# MHz S RI R 50\n14.2 0.2 0.4\n14.4 0 0\n", "14.2", "50", "50"},
      {"# MHz S RI R 50\n14.1 0 0\n14.2 0.2 0.4\n", "14.2", "50.000046", "49.999905"},
  };
  testing::ScratchFolder folder;
  for (const auto& c : cases) {
    testing::WriteFile(folder / "load.s1p", c.file);
    const MeasuredLoadEntry entry = TakeMeasuredLoad(folder / "load.s1p", c.freq);
    ASSERT_TRUE(entry.load) << c.freq << ": " << entry.error;
    EXPECT_EQ(entry.r_text + " " + entry.x_text, std::string(c.r) + " " + c.x) << c.file;
    EXPECT_EQ(entry.F, static_cast<float>(ReadLeadingNumber(c.freq).value));
  }
}

TEST(TakeMeasuredLoad, RefusesWithTheFileAndTheReason) {
  const struct {
    const char *file, *freq, *reason;  // the file's content; the reason after its name
  } cases[] = {
      {kRamp, "MHz", ": Freq does not hold a valid frequency"},
      {kRamp, "1e39", ": Freq does not hold a valid frequency"},  // beyond single precision
      {kRamp, "9.999999", ": 9.999999 MHz is outside the measured range, 10 to 30 MHz"},
      {"# MHz S RI R 50\n14.2 0.1 0\n", "14.2",
       ": the load is measured at 14.2 MHz only; the analysis needs a range of frequencies"},
      {"# MHz S RI R 50\n10 1 0\n20 1 0\n", "15", ": the load is an open circuit at 15 MHz"},
      // X = -64 × 2 / 3.76e-37 = -(2^25 - 1) 2^103 ohms, the least that rounds to no finite single.
      {"# MHz S RI R 64\n14 1 -3.7615820347352005e-37\n15 0 0\n", "14",
       ": the load is an open circuit at 14 MHz"},
      {"# MHz S RI R 50\n10 0 0\n9 0 0\n", "15",
       ":3: the frequency 9 is not above the one before it, 10"},
  };
  testing::ScratchFolder folder;
  const std::string file = (folder / "load.s1p").string();
  for (const auto& c : cases) {
    testing::WriteFile(file, c.file);
    const MeasuredLoadEntry entry = TakeMeasuredLoad(file, c.freq);
    EXPECT_FALSE(entry.load) << c.reason;
    EXPECT_EQ(entry.error, file + c.reason);
  }
}

}  // namespace
}  // namespace tolvan
