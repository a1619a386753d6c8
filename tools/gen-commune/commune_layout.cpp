#include "commune_layout.h"

#include "store/engine/sql_text.h"

#include <stdexcept>

namespace gencommune {
namespace {

using engine::FieldDesc;

FieldDesc dec(std::string name, int precision, int scale) { return {std::move(name), 'N', precision, scale}; }
FieldDesc chr(std::string name, int length) { return {std::move(name), 'C', length, 0}; }
FieldDesc date(std::string name) { return {std::move(name), 'D', 8, 0}; }
FieldDesc id(std::string name) { return dec(std::move(name), 10, 0); }
FieldDesc lei(std::string name) { return dec(std::move(name), 6, 0); }

std::string indexed(const std::string& prefix, int n, const std::string& suffix = "") {
  return prefix + std::to_string(n) + suffix;
}

// Adds prefix1..prefixN (plus suffix) with the same type.
void addSeries(std::vector<FieldDesc>& out, const std::string& prefix, int last, FieldDesc model,
               const std::string& suffix = "") {
  for (int n = 1; n <= last; ++n) {
    model.name = indexed(prefix, n, suffix);
    out.push_back(model);
  }
}

TableLayout codcl() { return {"CODCL.dbf", {id("IDCOD"), chr("GRUPA", 60), chr("CODCLF", 24), chr("CODCLJ", 24), chr("TIP", 1)}}; }

TableLayout defZone() { return {"DefZone.dbf", {id("ID"), chr("LOCALIT", 32), chr("ZONA", 1), chr("RANG", 3)}}; }

TableLayout gospodar() {
  return {"Gospodar.dbf",
          {id("IDGOS"), chr("SATUL", 32), chr("ROL", 9), chr("NUMEP", 40), chr("CNP", 13), chr("ADRESA", 80),
           chr("TIP", 8), chr("SCCLAD", 2), chr("SCCC", 2), chr("SCTI", 2), chr("SCAUTO", 2), lei("SCTE"),
           chr("OBS", 240), chr("NOTAX", 2)}};
}

TableLayout pag1() {
  TableLayout t{"Pag1.dbf", {id("IDGOS")}};
  for (int n = 1; n <= 11; ++n)
    for (char zone : std::string("ABCDE")) t.fields.push_back(dec(indexed("L", n, std::string(1, zone)), 8, 4));
  return t;
}

TableLayout pag2() {
  TableLayout t{"Pag2.dbf", {id("IDGOS")}};
  auto& f = t.fields;
  for (int n = 1; n <= 8; ++n) {
    f.push_back(dec(indexed("C", n, "S"), 8, 2));
    f.push_back(lei(indexed("C", n, "A")));
    f.push_back(lei(indexed("C", n, "C")));
    f.push_back(chr(indexed("C", n, "Z"), 1));
    f.push_back(chr(indexed("C", n, "R"), 3));
    f.push_back(lei(indexed("NR", n)));
  }
  for (int n = 1; n <= 12; ++n) {
    f.push_back(dec(indexed("V", n), 8, 0));
    f.push_back(chr(indexed("AM", n), 2));
    f.push_back(date(indexed("DINV", n)));
  }
  for (const char* suffix : {"", "2"}) {
    const std::string s(suffix);
    f.push_back(dec("CAS" + s, 8, 2));
    f.push_back(lei("CAA" + s));
    f.push_back(lei("CAC" + s));
    f.push_back(chr("CAZ" + s, 1));
    f.push_back(chr("CAR" + s, 3));
  }
  for (int n = 1; n <= 2; ++n) {
    f.push_back(dec(indexed("VA", n), 8, 0));
    f.push_back(chr(indexed("AMA", n), 2));
    f.push_back(date(indexed("DINVA", n)));
  }
  return t;
}

TableLayout pag4() {
  TableLayout t{"Pag4.dbf", {id("IDGOS")}};
  for (char zone : std::string("ABCDE")) t.fields.push_back(dec(std::string("CC") + zone, 8, 4));
  for (int n = 1; n <= 8; ++n)
    for (char zone : std::string("ABCDE")) t.fields.push_back(dec(indexed("AL", n, std::string(1, zone)), 8, 4));
  return t;
}

TableLayout pag5() {
  TableLayout t{"Pag5.dbf", {id("IDGOS")}};
  auto& f = t.fields;
  addSeries(f, "AUTO", 16, lei(""));
  f.push_back(lei("ALTE"));
  for (const char* name : {"ATB1", "ATB2", "ATBNR1", "ATBNR2"}) f.push_back(lei(name));
  addSeries(f, "TRAC", 4, lei(""));
  addSeries(f, "TBUC", 4, lei(""));
  addSeries(f, "REM", 4, lei(""));
  addSeries(f, "G", 15, lei(""), "A");
  addSeries(f, "G", 15, lei(""), "B");
  addSeries(f, "GC", 24, lei(""), "A");
  addSeries(f, "GC", 24, lei(""), "B");
  addSeries(f, "APA", 13, lei(""));
  return t;
}

TableLayout autoDet() {
  return {"AutoDet.dbf",
          {id("IDGOS"), id("IDDETA"), chr("NrDos", 18), chr("TipAuto", 18), chr("Marca", 18), lei("Capacit"),
           chr("Serie", 24), chr("SerieM", 24), chr("Obs", 100)}};
}

TableLayout pag6() {
  TableLayout t{"Pag6.dbf", {id("IDGOS")}};
  addSeries(t.fields, "VN", 11, lei(""));
  return t;
}

TableLayout pag7() {
  TableLayout t{"Pag7.dbf", {id("IDGOS")}};
  addSeries(t.fields, "LIN", 6, lei(""));
  return t;
}

TableLayout pag8() {
  TableLayout t{"Pag8.dbf", {id("IDGOS")}};
  addSeries(t.fields, "LIN", 11, lei(""));
  addSeries(t.fields, "PEN", 4, lei(""));
  addSeries(t.fields, "SOLD", 4, lei(""));
  return t;
}

TableLayout datorii() {
  return {"Datorii.dbf",
          {id("IDDAT"), id("IDGOS"), date("DINDATA"), chr("SATUL", 32), chr("ROL", 9), chr("GRUPA", 60),
           chr("DENUM", 50), chr("DOCJUS", 50), id("NR"), lei("SUMA"), lei("REST"), lei("REDUC"), chr("UM", 8),
           dec("CANT", 9, 4), lei("REDUCP"), lei("SCUTIT"), chr("TIP", 1), lei("SUMA2"), lei("RESTINI")}};
}

TableLayout soldCalc() {
  return {"SoldCalc.dbf",
          {id("IDRES"), id("IDGOS"), chr("SATUL", 32), chr("ROL", 9), chr("GRUPA", 60), lei("SUMA"), lei("REST"),
           lei("REDUC"), lei("SCUTIRE"), lei("DATOR"), lei("DEPOZ"), lei("MAJOR"), lei("DATORI"), lei("DEPOZI"),
           lei("MAJORI"), chr("TIP", 1)}};
}

TableLayout debit() {
  TableLayout t{"Debit.dbf",
                {id("IDDEB"), id("IDGOS"), chr("GRUPA", 60), chr("DOCJUS", 50), id("NR"), chr("CATEG", 9),
                 chr("DENUM", 50), date("DINDATA"), date("PENDATA"), chr("FISIER", 8)}};
  for (int n = 1; n <= 8; ++n) {
    t.fields.push_back(chr(indexed("CAMP", n), 6));
    t.fields.push_back(chr(indexed("VAL", n), 10));
  }
  t.fields.push_back(lei("SUMAINI"));
  t.fields.push_back(lei("SUMAC"));
  return t;
}

TableLayout chitante() {
  TableLayout t{"Chitante.dbf",
                {id("IDCHIT"), id("IDGOS"), id("IDANUL"), chr("SERIA", 10), id("NR"), date("DATAI"), chr("SATUL", 32),
                 chr("ROL", 9), chr("GRUPA", 60), chr("DENUM", 50), chr("CODCLAS", 24), chr("NUMEP", 40),
                 chr("CNP", 13), chr("ADRESA", 80), chr("TIPF", 1), chr("PLATNUME", 40), chr("INCANUME", 32),
                 chr("LEGITIMA", 32)}};
  for (const char* name : {"RESTANTA", "MAJOREST", "DEPOZIT", "CURENT", "MAJOR", "REDUCERE", "TOTAL"})
    t.fields.push_back(lei(name));
  t.fields.push_back(chr("TIP", 1));
  return t;
}

std::string sqlType(const FieldDesc& f) {
  switch (f.type) {
    case 'N':
      return "DECIMAL(" + std::to_string(f.length) + "," + std::to_string(f.decimals) + ")";
    case 'D':
      return "DATE";
    default:
      return "CHAR(" + std::to_string(f.length) + ")";
  }
}

}  // namespace

const std::vector<TableLayout>& communeTables() {
  static const std::vector<TableLayout> tables = {codcl(), defZone(), gospodar(), pag1(),     pag2(),
                                                  pag4(),  pag5(),    autoDet(),  pag6(),     pag7(),
                                                  pag8(),  datorii(), soldCalc(), debit(),    chitante()};
  return tables;
}

const TableLayout& communeTable(const std::string& file) {
  for (const auto& t : communeTables())
    if (t.file == file) return t;
  throw std::logic_error("unknown table " + file);
}

std::string createStatement(const TableLayout& layout) {
  std::string sql = "CREATE TABLE " + engine::sql::table(layout.file) + " (";
  for (std::size_t i = 0; i < layout.fields.size(); ++i) {
    if (i) sql += ", ";
    sql += layout.fields[i].name + " " + sqlType(layout.fields[i]);
  }
  return sql + ")";
}

}  // namespace gencommune
