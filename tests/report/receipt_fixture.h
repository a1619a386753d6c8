// (Header only: the folder's tests all link the window libraries.)
// A receipt as the payment operation hands it over, and ways to read a laid-out
// receipt back copy by copy.
#pragma once

#include "report/receipt.h"
#include "report/report_document.h"

#include <QStringList>

namespace dajdor::report::testing {

// A natural person's receipt of `groups` lines; line n (from 1) pays n*100
// current, n*10 arrears, n penalties and a reduction of n.
inline Receipt sampleReceipt(int groups) {
  Receipt receipt;
  receipt.townHall = {"Bistrița-Năsăud", "Primăria Comunei Șieu-Măgheruș", "4347712", "Șieu-Măgheruș"};
  receipt.series = "BNSM";
  receipt.number = "104";
  receipt.date = QDate(2014, 3, 28);
  receipt.rol = "257";
  receipt.taxpayer = "Țăranu Ștefănică Ioana";
  receipt.code = "2750312060014";
  receipt.address = "Str. Învățătorului nr. 7, sat Arcalia";
  receipt.personKind = "F";
  receipt.payer = "Țăranu Ion";
  receipt.cashier = "Măriuca Pop";
  receipt.cashierId = "CI 4471";
  for (int n = 1; n <= groups; ++n) {
    receipt.lines.append({QString("Grupa %1").arg(n), QString("Doc %1").arg(n),
                          QString("0702%1").arg(n, 2, 10, QChar('0')), n * 10, n * 100, n, n});
  }
  return receipt;
}

// Texts every copy of sampleReceipt() shows, as laid out and as a PDF reader
// finds them: the town hall, the document, the payer, the cashier, the headings.
inline QStringList sampleReceiptTexts() {
  return {"Judetul Bistrița-Năsăud",
          "Primăria Comunei Șieu-Măgheruș",
          "Cod inregistrare fiscala (C.U.I.):4347712",
          "Seria BNSM nr. 104",
          "CHITANTA",
          "PENTRU CREANTE ALE BUGETELOR LOCALE",
          "ELEMENTE DE IDENTIFICARE A PLATITORULUI",
          "CONTRIBUABIL:",
          "Țăranu Ștefănică Ioana",
          "Str. Învățătorului nr. 7, sat Arcalia",
          "PLATITOR:",
          "Țăranu Ion",
          "NR.DE ROL NOMINAL UNIC",
          "PF",
          "257",
          "DATA INCASARII :",
          "28.03.2014",
          "LEGITIMATIA",
          "CI 4471",
          "NUMELE SI PRENUMELE",
          "Măriuca Pop",
          "SEMNATURA,",
          "DENUMIREA CREANTEI",
          "BUGETULUI LOCAL",
          "din clasificatia bugetara",
          "Bonificatie"};
}

// The texts of the upper (0) or lower (1) copy of a receipt page, top to bottom.
inline QStringList copyTexts(const ReportPage& page, int copy) {
  ReportPage half;
  for (const ReportItem& item : page.items) {
    if ((item.rect.top() >= 148.5) == (copy == 1)) half.items.append(item);
  }
  return half.texts();
}

}  // namespace dajdor::report::testing
