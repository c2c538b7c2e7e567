// grafmira_bench [FILE]: writes a verification data file of 1,000,000 readings (24 MB) unless FILE exists,
// then prints, measured side by side in this run:
//   - a plain sequential read of the file,
//   - loading it and drawing the graph window the first time, and the ratio to the plain read,
//   - redrawing the three strips after a scroll, at a fine and at the coarsest time step,
//   - the peak resident memory and its ratio to the file size.
// Goals: load and first draw within 1 s, a redraw within 16 ms, peak memory within 3 x the file size.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <QApplication>
#include <QScrollBar>

#include "viewer/readings.h"
#include "viewer/sample_run.h"
#include "viewer/windows/form_graph.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

long StatusKb(const char* field) {
  FILE* f = std::fopen("/proc/self/status", "r");
  if (f == nullptr) return -1;
  char line[256];
  long kb = -1;
  const size_t n = std::strlen(field);
  while (std::fgets(line, sizeof line, f) != nullptr) {
    if (std::strncmp(line, field, n) == 0) kb = std::strtol(line + n + 1, nullptr, 10);
  }
  std::fclose(f);
  return kb;
}

double PlainReadMs(const std::string& path) {
  std::vector<char> buffer(1 << 20);
  const auto start = Clock::now();
  const int fd = ::open(path.c_str(), O_RDONLY);
  while (::read(fd, buffer.data(), buffer.size()) > 0) {
  }
  ::close(fd);
  return Ms(start, Clock::now());
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

double RedrawMs(ruvenset::TFormGraph& graph, int step) {
  graph.SetTimeStep(step);
  QScrollBar* bar = graph.TrackGr();
  std::vector<double> times;
  for (int i = 0; i < 40; ++i) {
    bar->setValue((bar->value() + bar->pageStep()) % std::max(1, bar->maximum()));
    const auto start = Clock::now();
    graph.Graphs()->repaint();
    times.push_back(Ms(start, Clock::now()));
  }
  return Median(times);
}

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  const std::string path = argc > 1 ? argv[1] : "/tmp/grafmira-bench-1m.ctr";
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    ruvenset::SampleRunSettings settings;
    settings.count = 1000000;
    if (!ruvenset::WriteSampleRun(path, settings)) {
      std::fprintf(stderr, "cannot write %s\n", path.c_str());
      return 1;
    }
    ::stat(path.c_str(), &st);
  }
  const double fileMb = static_cast<double>(st.st_size) / (1 << 20);
  std::vector<double> plain;
  for (int i = 0; i < 5; ++i) plain.push_back(PlainReadMs(path));
  const double plainMs = Median(plain);
  const long baselineKb = StatusKb("VmRSS:");

  const auto start = Clock::now();
  ruvenset::Readings readings;
  if (ruvenset::LoadReadings(path, 1, readings) != ruvenset::VerificationReadStatus::Ok) {
    std::fprintf(stderr, "cannot load %s\n", path.c_str());
    return 1;
  }
  const auto loaded = Clock::now();
  const size_t count = readings.size();
  ruvenset::TFormGraph graph(QString::fromStdString(path), std::move(readings));
  graph.setAttribute(Qt::WA_DontShowOnScreen);
  graph.show();
  graph.repaint();
  const auto drawn = Clock::now();

  const double loadMs = Ms(start, loaded);
  const double firstMs = Ms(start, drawn);
  const double fineMs = RedrawMs(graph, 4);
  const double coarseMs = RedrawMs(graph, 14);
  const long peakKb = StatusKb("VmHWM:");
  const double fileKb = static_cast<double>(st.st_size) / 1024.0;

  std::printf("file                      %s, %zu readings, %.1f MiB\n", path.c_str(), count, fileMb);
  std::printf("plain sequential read     %8.1f ms\n", plainMs);
  std::printf("load (two passes)         %8.1f ms\n", loadMs);
  std::printf("load + first draw         %8.1f ms   ratio to plain read %.1f   goal 1000 ms\n", firstMs,
              firstMs / plainMs);
  std::printf("redraw after scroll, 20 c %8.2f ms   (480 readings in view)       goal 16 ms\n", fineMs);
  std::printf("redraw after scroll, 5 ч  %8.2f ms   (432000 readings in view)    goal 16 ms\n", coarseMs);
  std::printf("resident before load      %8.1f MiB\n", baselineKb / 1024.0);
  std::printf("peak resident             %8.1f MiB   ratio to file %.2f   goal 3.00\n", peakKb / 1024.0,
              peakKb / fileKb);
  std::printf("peak above the baseline   %8.1f MiB   ratio to file %.2f\n", (peakKb - baselineKb) / 1024.0,
              (peakKb - baselineKb) / fileKb);
  return 0;
}
