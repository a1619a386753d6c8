#include "collect/locked_year.h"

namespace dajdor::collect {

CollectionActions collectionActions(const admin::Rates& rates, int workYear) {
  if (!rates.yearClosed(workYear)) return {};
  return {false, false, false, false, false};
}

}  // namespace dajdor::collect
