#include "bench_report.h"

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <ostream>

namespace bench {
namespace {

std::string fixed(double v, int decimals) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, v);
  return buffer;
}

// Microseconds, or milliseconds once they get large.
std::string duration(double micros) {
  if (micros >= 10000) return fixed(micros / 1000, 1) + " ms";
  return fixed(micros, micros < 100 ? 1 : 0) + " µs";
}

double megabytes(std::int64_t bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

}  // namespace

double Samples::median() const {
  if (micros.empty()) return 0;
  std::vector<double> sorted = micros;
  std::sort(sorted.begin(), sorted.end());
  const std::size_t mid = sorted.size() / 2;
  return sorted.size() % 2 ? sorted[mid] : (sorted[mid - 1] + sorted[mid]) / 2;
}

double Samples::total() const { return std::accumulate(micros.begin(), micros.end(), 0.0); }

double Measurement::ratio() const {
  const double reference_ = reference.median();
  return reference_ > 0 ? engine.median() / reference_ : 0;
}

bool Measurement::goalMet() const {
  switch (goal) {
    case Goal::PerTaxpayer:
      return engine.median() < 1000 && ratio() <= 3;
    case Goal::WithinRatio:
      return ratio() <= 3;
    case Goal::None:
      return true;
  }
  return true;
}

void printReport(std::ostream& out, const std::string& title, const std::vector<Measurement>& measurements,
                 const MemoryFigures& memory, const std::vector<BulkFigures>& bulk) {
  out << "\n### " << title << "\n\n";
  out << "| Statement | Rows | Engine (median) | SQLite (median) | Ratio | Goal |\n";
  out << "|---|---:|---:|---:|---:|---|\n";
  for (const auto& m : measurements) {
    const char* goal = m.goal == Goal::None ? "-" : m.goalMet() ? "met" : "MISSED";
    out << "| " << m.statement << " | " << fixed(m.rows, m.rows < 10 ? 1 : 0) << " | " << duration(m.engine.median())
        << " | " << duration(m.reference.median()) << " | " << fixed(m.ratio(), 2) << "x | " << goal << " |\n";
  }
  for (const auto& m : measurements)
    if (m.disagreements > 0)
      out << "\nWARNING: " << m.statement << ": " << m.disagreements
          << " executions returned a different number of rows on the two sides.\n";
  const double fileMb = megabytes(memory.fileBytes);
  out << "\nMemory: tables " << fixed(fileMb, 1) << " MB on disk; engine resident +"
      << fixed(megabytes(memory.residentDelta), 1) << " MB, peak +" << fixed(megabytes(memory.peakDelta), 1)
      << " MB (" << fixed(fileMb > 0 ? megabytes(memory.peakDelta) / fileMb : 0, 2) << "x the files; goal under 3x: "
      << (megabytes(memory.peakDelta) < 3 * fileMb ? "met" : "MISSED") << ").\n";
  if (!bulk.empty()) out << "\nWhole-table statements (peak growth while each ran; goal under 2x the table written):\n";
  for (const auto& b : bulk) {
    const double tableMb = megabytes(b.tableBytes);
    const double ratio = tableMb > 0 ? megabytes(b.peakDelta) / tableMb : 0;
    out << "- " << b.statement << ": " << fixed(tableMb, 1) << " MB written in " << fixed(b.seconds, 1) << " s, peak +"
        << fixed(megabytes(b.peakDelta), 1) << " MB (" << fixed(ratio, 2) << "x; " << (ratio < 2 ? "met" : "MISSED")
        << ").\n";
  }
}

}  // namespace bench
