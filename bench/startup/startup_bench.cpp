// Start-up of two window programs, side by side in one run: the time from starting the process
// until its window is mapped on the X server, and the peak resident memory by then. Runs each
// program alternately, prints every run and the medians and their ratio.
//
//   startup_bench RUNS PROGRAM TITLE BASELINE BASELINE_TITLE   (with DISPLAY set)

#include <X11/Xlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Sample {
  double milliseconds;
  double peak_mib;
};

bool HasTitle(Display* display, Window window, const std::string& title) {
  char* name = nullptr;
  const bool same = XFetchName(display, window, &name) != 0 && name != nullptr && title == name;
  if (name != nullptr) XFree(name);
  return same;
}

Sample StartOnce(Display* display, const std::string& program, const std::string& title) {
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child == 0) {
    execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  XEvent event;
  for (;;) {
    XNextEvent(display, &event);
    if (event.type == MapNotify && HasTitle(display, event.xmap.window, title)) break;
  }
  const auto mapped = std::chrono::steady_clock::now();
  kill(child, SIGKILL);
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  return {std::chrono::duration<double, std::milli>(mapped - start).count(),
          usage.ru_maxrss / 1024.0};
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 6) {
    std::fprintf(stderr, "usage: startup_bench RUNS PROGRAM TITLE BASELINE BASELINE_TITLE\n");
    return 2;
  }
  const int runs = std::atoi(argv[1]);
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "startup_bench: no X display\n");
    return 1;
  }
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XFlush(display);

  std::vector<double> time[2], memory[2];
  const std::string programs[2] = {argv[2], argv[4]};
  const std::string titles[2] = {argv[3], argv[5]};
  StartOnce(display, programs[0], titles[0]);  // warms the caches and writes the settings file
  StartOnce(display, programs[1], titles[1]);
  for (int run = 0; run < runs; ++run) {
    for (int which = 0; which < 2; ++which) {
      const int index = (run % 2 == 0) ? which : 1 - which;  // alternate who goes first
      const Sample sample = StartOnce(display, programs[index], titles[index]);
      time[index].push_back(sample.milliseconds);
      memory[index].push_back(sample.peak_mib);
      std::printf("run %2d  %-16s %7.1f ms %7.1f MiB\n", run, titles[index].c_str(),
                  sample.milliseconds, sample.peak_mib);
    }
  }
  const double t0 = Median(time[0]), t1 = Median(time[1]);
  const double m0 = Median(memory[0]), m1 = Median(memory[1]);
  std::printf("\nmedian of %d runs     time        peak resident\n", runs);
  std::printf("%-20s %7.1f ms %10.1f MiB\n", titles[0].c_str(), t0, m0);
  std::printf("%-20s %7.1f ms %10.1f MiB\n", titles[1].c_str(), t1, m1);
  std::printf("ratio                %7.2f x %10.2f x\n", t0 / t1, m0 / m1);
  XCloseDisplay(display);
  return 0;
}
