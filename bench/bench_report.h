// Timings of one statement kind on both sides and the table printed from them.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <utility>
#include <vector>

namespace bench {

struct Samples {
  std::vector<double> micros;
  double median() const;
  double total() const;
};

enum class Goal {
  PerTaxpayer,  // under 1 ms and within 3x the reference
  WithinRatio,  // within 3x the reference
  None,         // reported only
};

struct Measurement {
  Measurement(std::string statement_, Goal goal_) : statement(std::move(statement_)), goal(goal_) {}
  std::string statement;
  Goal goal;
  double rows = 0;  // rows returned or changed per execution, on average
  int disagreements = 0;  // executions where the two sides did not return as many rows
  Samples engine, reference;
  double ratio() const;
  bool goalMet() const;
};

struct MemoryFigures {
  std::int64_t fileBytes = 0;
  std::int64_t residentDelta = 0;
  std::int64_t peakDelta = 0;
};

// One statement that writes a whole table: its time and the peak memory growth
// while it ran, against the size of the table it wrote.
struct BulkFigures {
  std::string statement;
  std::int64_t tableBytes = 0;
  std::int64_t peakDelta = 0;
  double seconds = 0;
};

// A Markdown table, ready for the README.
void printReport(std::ostream& out, const std::string& title, const std::vector<Measurement>& measurements,
                 const MemoryFigures& memory, const std::vector<BulkFigures>& bulk);

}  // namespace bench
