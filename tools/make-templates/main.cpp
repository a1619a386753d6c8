// make-templates DIR: writes RegCasa.xlsx and ListPlat.xlsx, the cash register's
// templates, into DIR. Each is a plain A4 page: the header markers, a bordered
// table whose record row carries "#DBF" beyond its last column, and a totals row
// whose SUM ranges start at the heading so they grow over every inserted record.
#include <xlsxwriter.h>

#include <cstdio>
#include <string>

namespace {

struct Formats {
  lxw_format* title;
  lxw_format* bold;
  lxw_format* plain;
  lxw_format* heading;
  lxw_format* text;
  lxw_format* number;
  lxw_format* counter;
  lxw_format* date;
  lxw_format* totalLabel;
  lxw_format* total;
};

lxw_format* bordered(lxw_workbook* book, bool bold) {
  lxw_format* f = workbook_add_format(book);
  format_set_font_name(f, "Arial");
  format_set_font_size(f, 10);
  format_set_border(f, LXW_BORDER_THIN);
  format_set_align(f, LXW_ALIGN_VERTICAL_CENTER);
  if (bold) format_set_bold(f);
  return f;
}

Formats makeFormats(lxw_workbook* book) {
  Formats f{};
  f.title = workbook_add_format(book);
  format_set_font_name(f.title, "Arial");
  format_set_font_size(f.title, 14);
  format_set_bold(f.title);
  f.bold = workbook_add_format(book);
  format_set_font_name(f.bold, "Arial");
  format_set_font_size(f.bold, 11);
  format_set_bold(f.bold);
  f.plain = workbook_add_format(book);
  format_set_font_name(f.plain, "Arial");
  format_set_font_size(f.plain, 11);
  f.heading = bordered(book, true);
  format_set_align(f.heading, LXW_ALIGN_CENTER);
  format_set_bg_color(f.heading, 0xE8E8E8);
  format_set_text_wrap(f.heading);
  f.text = bordered(book, false);
  f.number = bordered(book, false);
  format_set_num_format(f.number, "#,##0");
  f.counter = bordered(book, false);
  format_set_align(f.counter, LXW_ALIGN_CENTER);
  f.date = bordered(book, false);
  format_set_num_format(f.date, "dd.mm.yyyy");
  format_set_align(f.date, LXW_ALIGN_CENTER);
  f.totalLabel = bordered(book, true);
  format_set_align(f.totalLabel, LXW_ALIGN_RIGHT);
  f.total = bordered(book, true);
  format_set_num_format(f.total, "#,##0");
  return f;
}

void pageSetup(lxw_worksheet* sheet) {
  worksheet_set_paper(sheet, 9);  // A4
  worksheet_set_portrait(sheet);
  worksheet_set_margins(sheet, 0.7, 0.5, 0.6, 0.7);
  worksheet_set_footer(sheet, "&R&8Pagina &P din &N");
  worksheet_fit_to_pages(sheet, 1, 0);
}

// Two heading rows per column: the first text above the second.
void headings(lxw_worksheet* sheet, int row, const Formats& f, const char* const (*texts)[2], int count) {
  for (int c = 0; c < count; ++c) {
    if (texts[c][1][0] == '\0') {
      worksheet_merge_range(sheet, row, c, row + 1, c, texts[c][0], f.heading);
    } else {
      worksheet_write_string(sheet, row, c, texts[c][0], f.heading);
      worksheet_write_string(sheet, row + 1, c, texts[c][1], f.heading);
    }
  }
}

bool writeRegister(const std::string& dir) {
  lxw_workbook* book = workbook_new((dir + "/RegCasa.xlsx").c_str());
  if (!book) return false;
  const Formats f = makeFormats(book);
  lxw_worksheet* s = workbook_add_worksheet(book, "RegCasa");
  pageSetup(s);
  worksheet_set_column(s, 0, 0, 6, nullptr);
  worksheet_set_column(s, 1, 1, 38, nullptr);
  worksheet_set_column(s, 2, 2, 22, nullptr);
  worksheet_set_column(s, 3, 4, 13, nullptr);
  worksheet_set_column(s, 5, 5, 6, nullptr);
  // Rows and columns below are counted from 0 (row 9 of the sheet is index 8).
  worksheet_write_string(s, 0, 0, "#PRIMARIA", f.bold);
  worksheet_write_string(s, 2, 2, "REGISTRU DE CASA", f.title);
  worksheet_write_string(s, 3, 2, "#DATA", f.bold);
  worksheet_write_string(s, 5, 0, "SOLD PRECEDENT:", f.bold);
  lxw_format* balance = workbook_add_format(book);
  format_set_font_name(balance, "Arial");
  format_set_font_size(balance, 11);
  format_set_bold(balance);
  format_set_num_format(balance, "#,##0");
  format_set_align(balance, LXW_ALIGN_LEFT);
  worksheet_write_string(s, 5, 2, "#SOLDINI", balance);
  const char* const heads[][2] = {
      {"Nr", "crt."}, {"Document justificativ", ""}, {"Operator", ""}, {"Incasat", ""}, {"Platit", ""}};
  headings(s, 6, f, heads, 5);
  worksheet_write_string(s, 8, 0, "#NRCRT", f.counter);
  worksheet_write_string(s, 8, 1, "#DOCJUS", f.text);
  worksheet_write_string(s, 8, 2, "#INCANUME", f.text);
  worksheet_write_string(s, 8, 3, "#INCASAT", f.number);
  worksheet_write_string(s, 8, 4, "#PLATIT", f.number);
  worksheet_write_string(s, 8, 5, "#DBF", nullptr);
  worksheet_write_blank(s, 9, 0, f.totalLabel);
  worksheet_write_blank(s, 9, 1, f.totalLabel);
  worksheet_write_string(s, 9, 2, "TOTAL", f.totalLabel);
  worksheet_write_formula(s, 9, 3, "=SUM(D8:D9)", f.total);
  worksheet_write_formula(s, 9, 4, "=SUM(E8:E9)", f.total);
  worksheet_write_string(s, 10, 0, "SOLD FINAL :", f.bold);
  worksheet_write_formula(s, 10, 2, "=C6+D10-E10", balance);
  worksheet_write_string(s, 12, 1, "Casier,", f.plain);
  worksheet_write_string(s, 12, 3, "Verificat Contabil,", f.plain);
  worksheet_write_string(s, 13, 1, "#Casier", f.plain);
  worksheet_write_string(s, 13, 3, "#CONTABIL", f.plain);
  worksheet_print_area(s, 0, 0, 15, 4);
  return workbook_close(book) == LXW_NO_ERROR;
}

bool writePayments(const std::string& dir) {
  lxw_workbook* book = workbook_new((dir + "/ListPlat.xlsx").c_str());
  if (!book) return false;
  const Formats f = makeFormats(book);
  lxw_worksheet* s = workbook_add_worksheet(book, "Lista_Plati");
  pageSetup(s);
  worksheet_set_column(s, 0, 0, 6, nullptr);
  worksheet_set_column(s, 1, 1, 12, nullptr);
  worksheet_set_column(s, 2, 2, 44, nullptr);
  worksheet_set_column(s, 3, 3, 14, nullptr);
  worksheet_set_column(s, 4, 4, 6, nullptr);
  // The titles sit in the amount column; aligned right they run over the
  // document column instead of off the page.
  for (lxw_format* title : {f.title, f.plain, f.bold}) format_set_align(title, LXW_ALIGN_RIGHT);
  worksheet_write_string(s, 1, 3, "LISTA PLATILOR", f.title);
  worksheet_write_string(s, 2, 3, "efectuate in perioada", f.plain);
  worksheet_write_string(s, 3, 3, "#PERIOADA", f.bold);
  const char* const heads[][2] = {{"Nr", "crt."}, {"Data", "platii"}, {"Document justificativ", ""}, {"Suma", ""}};
  headings(s, 5, f, heads, 4);
  worksheet_write_string(s, 7, 0, "#NRCRT", f.counter);
  worksheet_write_string(s, 7, 1, "#DATAI", f.date);
  worksheet_write_string(s, 7, 2, "#DOCJUS", f.text);
  worksheet_write_string(s, 7, 3, "#PLATIT", f.number);
  worksheet_write_string(s, 7, 4, "#DBF", nullptr);
  worksheet_write_blank(s, 8, 0, f.totalLabel);
  worksheet_write_blank(s, 8, 1, f.totalLabel);
  worksheet_write_string(s, 8, 2, "TOTAL", f.totalLabel);
  worksheet_write_formula(s, 8, 3, "=SUM(D7:D8)", f.total);
  worksheet_print_area(s, 0, 0, 9, 3);
  return workbook_close(book) == LXW_NO_ERROR;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "make-templates DIR\n");
    return 2;
  }
  if (!writeRegister(argv[1]) || !writePayments(argv[1])) {
    std::fprintf(stderr, "Templates could not be written into %s\n", argv[1]);
    return 1;
  }
  return 0;
}
