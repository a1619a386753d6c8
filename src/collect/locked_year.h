// What the collections window offers when the administrator has locked the
// working year (ADMINBLOCAT<year>): nothing that writes a payment or a debt.
#pragma once

#include "admin/rates.h"

namespace dajdor::collect {

struct CollectionActions {
  bool operateShown = true;         // "&OPEREAZA"
  bool withoutDebtShown = true;     // "FARA DEBIT"
  bool addTaxShown = true;          // "Adauga o taxa/amenda"
  bool enforcementEnabled = true;   // "Executare silita"
  bool certificateEnabled = true;   // "Certificat Fiscal"
};

CollectionActions collectionActions(const admin::Rates& rates, int workYear);

}  // namespace dajdor::collect
