#include "engine/measured_load_entry.h"

#include <gtest/gtest.h>

#include "engine/number_reading.h"
#include "tests/persist/scratch_folder.h"

namespace tolvan {
namespace {

using testing::ScratchFolder;

// The reflection coefficient rises from 0 (50 ohms) at 10 MHz to 0.4 + 0.8j at 20 MHz and
// ends at 0.2 - 0.4j (50 - 50j ohms) at 30 MHz. Half-way to 20 MHz it is 0.2 + 0.4j, which is
// 50 + 50j ohms: 50 (1.2 + 0.4j) / (0.8 - 0.4j). The dipole example checks a value less round
// in the window's test.
constexpr const char* kRamp = "# MHz S RI R 50\n10 0 0\n20 0.4 0.8\n30 0.2 -0.4\n";

struct Taken {
  const char* freq;
  const char* r;
  const char* x;
};

TEST(TakeMeasuredLoad, WritesTheLoadAtFreqInItsShortestTexts) {
  ScratchFolder folder;
  testing::WriteFile(folder / "ramp.s1p", kRamp);
  for (const Taken& c : {Taken{"15", "50", "50"}, Taken{"30", "50", "-50"}}) {
    const MeasuredLoadEntry entry = TakeMeasuredLoad(folder / "ramp.s1p", c.freq);
    ASSERT_TRUE(entry.load) << c.freq << ": " << entry.error;
    EXPECT_EQ(entry.r_text, c.r) << c.freq;
    EXPECT_EQ(entry.x_text, c.x) << c.freq;
    EXPECT_EQ(entry.F, ReadLeadingNumber(c.freq).value);
  }
  // 14.2 in single precision lies just below 14.2: the file's first frequency still counts.
  testing::WriteFile(folder / "edge.s1p", "# MHz S RI R 50\n14.2 0 0\n14.4 0.4 0.8\n");
  EXPECT_EQ(TakeMeasuredLoad(folder / "edge.s1p", "14.2").r_text, "50");
}

struct Refused {
  const char* file;  // its content
  const char* freq;
  const char* reason;  // after the file's name
};

TEST(TakeMeasuredLoad, RefusesWithTheFileAndTheReason) {
  const Refused cases[] = {
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
  ScratchFolder folder;
  const std::string file = (folder / "load.s1p").string();
  for (const Refused& c : cases) {
    testing::WriteFile(file, c.file);
    const MeasuredLoadEntry entry = TakeMeasuredLoad(file, c.freq);
    EXPECT_FALSE(entry.load) << c.reason;
    EXPECT_EQ(entry.error, file + c.reason);
  }
}

}  // namespace
}  // namespace tolvan
