#include "engine/measured_load_entry.h"

#include <gtest/gtest.h>

#include "engine/number_reading.h"
#include "tests/persist/scratch_folder.h"

namespace tolvan {
namespace {

// The reflection coefficient rises from 0 (50 ohms) at 10 MHz to 0.4 + 0.8j at 20 MHz and
// ends at 0.2 - 0.4j (50 - 50j ohms) at 30 MHz. Half-way to 20 MHz it is 0.2 + 0.4j, which is
// 50 + 50j ohms: 50 (1.2 + 0.4j) / (0.8 - 0.4j).
constexpr const char* kRamp = "# MHz S RI R 50\n10 0 0\n20 0.4 0.8\n30 0.2 -0.4\n";

TEST(TakeMeasuredLoad, WritesTheLoadAtFreqInItsShortestTexts) {
  const struct {
    const char* file;
    const char* freq;
    const char* r;
    const char* x;
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
    EXPECT_EQ(entry.r_text, c.r) << c.file;
    EXPECT_EQ(entry.x_text, c.x) << c.file;
    EXPECT_EQ(entry.F, static_cast<float>(ReadLeadingNumber(c.freq).value));
  }
}

TEST(TakeMeasuredLoad, RefusesWithTheFileAndTheReason) {
  const struct {
    const char* file;  // its content
    const char* freq;
    const char* reason;  // after the file's name
  } cases[] = {
      {kRamp, "MHz", ": Freq does not hold a valid frequency"},
      {kRamp, "1e39", ": Freq does not hold a valid frequency"},  // beyond single precision
      {kRamp, "40.1", ": 40.1 MHz is outside the measured range, 10 to 30 MHz"},
      {kRamp, "9.999999", ": 9.999999 MHz is outside the measured range, 10 to 30 MHz"},
      {"# MHz S RI R 50\n14.2 0.1 0\n", "14.2",
       ": the load is measured at 14.2 MHz only; the analysis needs a range of frequencies"},
      {"# MHz S RI R 50\n10 1 0\n20 1 0\n", "15", ": the load is an open circuit at 15 MHz"},
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
