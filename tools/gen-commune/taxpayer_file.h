// One synthetic taxpayer's complete file: the register row, the assessment
// pages, the debts the assessment produces, the balances of the four main
// taxes and the payment documents of the year, kept consistent the way the
// program keeps them (debts lowered by payments, balances recomputed from
// debts and receipts).
#pragma once

#include "random_source.h"
#include "table_record.h"

#include "store/engine/value.h"

#include <cstdint>
#include <string>
#include <vector>

namespace gencommune {

struct CommuneYear {
  int year = 2014;
  engine::DayNumber lastDay = 0;  // no payment after this day
};

struct TaxpayerHeader {
  std::int64_t idgos = 0;
  std::size_t village = 0;
  std::string rol, name, code, address;
  bool legal = false;
};

struct DocumentLine {
  std::string group, denum;
  // No line moves money to or from a deposit, so DEPOZIT stays 0.
  int arrears = 0, carriedPenalty = 0, current = 0, penalty = 0, reduction = 0;
  int total() const { return arrears + carriedPenalty + current + penalty - reduction; }
};

// One payment document; numbers and identifiers are given when the
// commune's documents are put in date order.
struct PaymentDocument {
  std::size_t taxpayer = 0;  // index in the commune
  engine::DayNumber day = 0;
  char kind = 'C';  // C receipt, N accounting note, V transfer
  int cashier = 0;
  std::int64_t typedNumber = 0;  // bank or note number for N and V
  std::vector<DocumentLine> lines;
};

struct TaxpayerFile {
  TaxpayerHeader header;
  std::vector<TableRecord> register_;  // one Gospodar row
  std::vector<TableRecord> pages;      // Pag1, Pag2, Pag4, Pag5, Pag6, Pag7, Pag8
  std::vector<TableRecord> vehicles;   // AutoDet, IDDETA left to the writer
  std::vector<TableRecord> debts;      // Datorii, IDDAT left to the writer
  std::vector<TableRecord> balances;   // SoldCalc, IDRES left to the writer
  std::vector<TableRecord> debits;     // Debit, IDDEB left to the writer
  std::vector<PaymentDocument> payments;
};

// `rol` empty makes a taxpayer the debt generation refuses: pages only.
TaxpayerFile makeTaxpayerFile(RandomSource& rng, const CommuneYear& year, std::size_t index, std::int64_t idgos,
                              std::size_t village, const std::string& rol);

}  // namespace gencommune
