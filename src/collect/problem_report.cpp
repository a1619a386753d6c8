#include "collect/problem_report.h"

namespace dajdor::collect {

void report(Interaction& interaction, const Problem& problem) {
  if (problem.isMessage())
    interaction.error(problem.title, problem.text);
  else
    interaction.problem(problem.text, problem.field);
}

}  // namespace dajdor::collect
