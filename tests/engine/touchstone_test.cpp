#include "engine/touchstone.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace tolvan {
namespace {

using namespace std::complex_literals;

TouchstoneRead Parse(const std::string& text) {
  std::istringstream in(text);
  return ParseTouchstone(in, "f.s1p");
}

// Every file describes one load at 14 MHz (and no other frequency but 0); the expected impedances are worked by hand:
// S = 0.5j on 50 ohms is 50 (1 + 0.5j) / (1 - 0.5j) = 30 + 40j ohms, whose admittance is
// 0.012 - 0.016j S (normalised to 50 ohms, 0.6 - 0.8j = 1 at -53.13 degrees).
struct Readable {
  const char* name;
  const char* text;
  std::complex<double> ohms;
};

const Readable kReadable[] = {
    {"HzSRI", "# Hz S RI R 50\n14000000 0 0.5\n", {30, 40}},
    {"DefaultsAreGHzSMAR50AfterAByteOrderMark",
     "\xEF\xBB\xBF"
     "0.014 0.5 90\n",
     {30, 40}},
    {"KHzSDB", "# kHz S DB R 50\n14000 -6.020599913279624 90\n", {30, 40}},
    {"Version1ZIsNormalised", "# MHz Z RI R 50\n14 0.6 0.8\n", {30, 40}},
    {"Version1YIsNormalised", "# MHz Y MA R 50\n14 1 -53.13010235415598\n", {30, 40}},
    {"ReferenceImpedance75", "# MHz S RI R 75\n14 0.2 0\n", {112.5, 0}},
    {"CommentsCaseAndBlankLines",
     "! exported\n\n  #  mhz  s  ri  r 50 ! options\n! more\n14\t0 +0.5 ! point\n# GHz\n",
     {30, 40}},
    {"Version2ZInOhms",
     "[Version] 2.0\n# MHz Z RI R 50\n[Number of Ports] 1\n[Number of Frequencies] 1\n"
     "[Network Data]\n14 30 40\n[End]\n",
     {30, 40}},
    {"Version2YInSiemensWithReference",
     "[Version] 2.0\n# MHz Y RI R 50\n[Number of Ports] 1\n[Reference] 75\n[Network Data]\n"
     "14 0.012 -0.016\n[END]\n",
     {30, 40}},
    {"Version2ReferenceOnItsOwnLineAndInformation",
     "[Version] 2.0\n# MHz S RI\n[number of  ports] 1\n[Reference]\n75\n[Begin Information]\n"
     "[Anything] at all\n[End Information]\n[Matrix Format] Full\n[Network Data]\n14 0.2 0\n"
     "[End]\nnot read\n",
     {112.5, 0}},
    {"FrequencyZero", "# MHz S RI R 50\n0 0 0\n14 0 0.5\n", {30, 40}},
};

TEST(Touchstone, ReadsEveryUnitParameterFormatAndVersion) {
  for (const Readable& file : kReadable) {
    const TouchstoneRead read = Parse(file.text);
    ASSERT_TRUE(read.load) << file.name << ": " << read.error;
    EXPECT_NEAR(std::abs(read.load->ImpedanceAt(14).value_or(0.0) - file.ohms), 0, 1e-9) << file.name;
  }
}

TEST(Touchstone, InterpolatesTheReflectionCoefficientAndKnowsItsRange) {
  const TouchstoneRead read = Parse("# MHz S RI R 50\n10 0 0\n20 0 0.5\n");
  ASSERT_TRUE(read.load);
  // Halfway the reflection coefficient is 0.25j, not the mean of the two impedances.
  EXPECT_NEAR(std::abs(*read.load->ReflectionAt(15) - std::complex<double>(0, 0.25)), 0, 1e-15);
  EXPECT_NEAR(std::abs(*read.load->ImpedanceAt(15) - 50.0 * (1.0 + 0.25i) / (1.0 - 0.25i)), 0,
              1e-12);
  EXPECT_TRUE(read.load->ImpedanceAt(20));
  EXPECT_FALSE(read.load->ImpedanceAt(20.000001));
  EXPECT_FALSE(read.load->ImpedanceAt(9.99));
  EXPECT_EQ(OutsideRangeMessage(*read.load, 25),
            "25 MHz is outside the measured range, 10 to 20 MHz");
}

TEST(Touchstone, AnEdgeTypedAsADesignFrequencyIsTheEdge) {
  // A design frequency is a single: 14.2 typed becomes 14.1999998 below the file's first
  // frequency, 14.35 becomes 14.3500004 above its last.
  const TouchstoneRead read = Parse("# MHz S RI R 50\n14.2 0 0.2\n14.35 0 0.4\n");
  ASSERT_TRUE(read.load);
  for (const auto& [typed, reflection] : {std::pair{14.2f, 0.2}, std::pair{14.35f, 0.4}}) {
    ASSERT_NE(static_cast<double>(typed), typed == 14.2f ? 14.2 : 14.35);
    EXPECT_EQ(read.load->ReflectionAt(typed), std::complex<double>(0, reflection)) << typed;
  }
  // The next single beyond each edge is outside.
  EXPECT_FALSE(read.load->ReflectionAt(std::nextafter(14.2f, 0.0f)));
  EXPECT_FALSE(read.load->ReflectionAt(std::nextafter(14.35f, 100.0f)));
  // Edges beyond the single range are not edges of any single: both would round to infinity.
  const TouchstoneRead vast = Parse("# MHz S RI R 50\n14 0 0.2\n1e300 0 0.4\n");
  ASSERT_TRUE(vast.load);
  EXPECT_FALSE(vast.load->ReflectionAt(2e300));
}

struct Broken {
  const char* name;
  std::string text;
  const char* error;
};

std::string ManyFrequencies(int count) {
  std::string text = "# Hz S RI R 50\n";
  for (int i = 1; i <= count; ++i) text += std::to_string(i) + " 0 0\n";
  return text;
}

const Broken kBroken[] = {
    {"Empty", "", "f.s1p:1: the file holds no frequencies"},
    {"UnknownOption", "# MHz S XY R 50\n14 0 0\n",
     "f.s1p:1: 'XY' is not an option; the option line reads "
     "# <Hz|kHz|MHz|GHz> <S|Y|Z> <MA|DB|RI> R <ohms>"},
    {"ReferenceMissing", "# MHz S RI R\n",
     "f.s1p:1: R on the option line needs the reference impedance in ohms"},
    {"TwoUnits", "# MHz GHz\n", "f.s1p:1: the option line gives the frequency unit twice"},
    {"TwoPortParameters", "# MHz H RI R 50\n",
     "f.s1p:1: H parameters belong to two-port files; a one-port file holds S, Y or Z"},
    {"OptionLineAfterData", "14e-3 0 0\n# MHz\n",
     "f.s1p:2: the option line must come before the data"},
    {"TooFewNumbers", "# MHz S RI R 50\n14 0.5\n",
     "f.s1p:2: too few numbers: a one-port data line holds a frequency and two values"},
    {"NotANumber", "# MHz S RI R 50\n14 0,5 0\n", "f.s1p:2: '0,5' is not a number"},
    {"NegativeFrequency", "-1 0 0\n", "f.s1p:1: the frequency -1 is below 0"},
    {"FrequencyNotRising", "# MHz S RI R 50\n14 0 0\n14.5 0 0\n14.5 0 0\n",
     "f.s1p:4: the frequency 14.5 is not above the one before it, 14.5"},
    {"TwoPortDataLine", "# MHz S RI R 50\n14 0 0 1 0 1 0 0 0\n",
     "f.s1p:2: 9 numbers on a line where a one-port file has three, a frequency and two values; "
     "Tolvan reads one-port files"},
    {"Version2TwoPorts", "[Version] 2.0\n# MHz S RI R 50\n[Number of Ports] 2\n",
     "f.s1p:3: a 2-port file; Tolvan reads one-port files"},
    {"KeywordInVersion1", "[Number of Ports] 1\n",
     "f.s1p:1: [Number of Ports] belongs to version 2.0 files, which begin with [Version] 2.0"},
    {"UnknownVersion", "[Version] 3.0\n",
     "f.s1p:1: version 3.0 is not read; Tolvan reads versions 1.1 and 2.0"},
    {"UnknownKeyword", "[Version] 2.0\n[Frobnicate]\n", "f.s1p:2: unknown keyword [Frobnicate]"},
    {"DataBeforeNetworkData", "[Version] 2.0\n[Number of Ports] 1\n14 0 0\n",
     "f.s1p:3: data before [Network Data]"},
    {"NoEnd", "[Version] 2.0\n[Number of Ports] 1\n[Network Data]\n14 0 0\n",
     "f.s1p:4: the file ends without [End]"},
    {"FrequencyCountWrong",
     "[Version] 2.0\n[Number of Ports] 1\n[Number of Frequencies] 2\n[Network Data]\n14 0 "
     "0\n[End]\n",
     "f.s1p:6: [Number of Frequencies] says 2 but the file holds 1"},
    {"ReferenceNotPositive", "[Version] 2.0\n[Number of Ports] 1\n[Reference] 0\n",
     "f.s1p:3: the reference impedance '0' is not above 0"},
    {"ImpedanceMinusReference", "# MHz Z RI R 50\n14 -1 0\n",
     "f.s1p:2: the value has no finite reflection coefficient"},
    {"TooManyFrequencies", ManyFrequencies(100001),
     "f.s1p:100002: more than 100000 frequencies, the most Tolvan reads"},
};

TEST(Touchstone, RefusesABrokenFileWithOneLineNamingTheFileAndLine) {
  for (const Broken& file : kBroken) {
    const TouchstoneRead read = Parse(file.text);
    EXPECT_FALSE(read.load) << file.name;
    EXPECT_EQ(read.error, file.error) << file.name;
  }
}

TEST(Touchstone, AnOversizedFileIsRefusedWhereItPassesALimit) {
  // 17 MiB of 64-byte lines: the 16 MiB limit ends line 262144. An endless file with no line
  // end stops at the line length limit.
  std::string lines;
  while (lines.size() < (17 << 20)) lines += std::string(63, '!') + '\n';
  EXPECT_EQ(Parse(lines).error,
            "f.s1p:262145: the file is larger than 16 MiB, the most Tolvan reads");
  EXPECT_EQ(ReadTouchstone("/dev/zero").error,
            "/dev/zero:1: the line is longer than 4096 characters");
}

TEST(Touchstone, TheExampleDipoleFollowsItsWrittenModel) {
  // examples/dipole_20m.s1p: R = 70 ohms, L = 9.5 uH, C = 13.8 pF in series.
  const MeasuredLoad load = *ReadTouchstone(TOLVAN_SOURCE_DIR "/examples/dipole_20m.s1p").load;
  const double omega = 2 * 3.14159265358979 * 14.2e6;
  const std::complex<double> model(70, omega * 9.5e-6 - 1 / (omega * 13.8e-12));
  EXPECT_NEAR(std::abs(*load.ImpedanceAt(14.2) - model), 0, 1e-5);
  EXPECT_EQ(load.high_mhz() - load.low_mhz(), 2.5);
}

TEST(Touchstone, AFileThatCannotBeOpenedSaysWhy) {
  const TouchstoneRead read = ReadTouchstone("/nonexistent/antenna.s1p");
  EXPECT_EQ(read.error, "/nonexistent/antenna.s1p: cannot be read: No such file or directory");
  EXPECT_EQ(read.error_line, 0);
}

}  // namespace
}  // namespace tolvan
