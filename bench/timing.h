// Timing helpers shared by the benchmarks: milliseconds of one piece of work,
// and the median of samples.
#pragma once

#include <QElapsedTimer>

#include <algorithm>
#include <vector>

template <typename Work>
double millis(Work&& work) {
  QElapsedTimer timer;
  timer.start();
  work();
  return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

inline double median(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  return samples.empty() ? 0 : samples[samples.size() / 2];
}
