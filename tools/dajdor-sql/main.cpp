// dajdor-sql DIR "STATEMENT": the engine's command-line shell.
#include "sql_shell.h"

#include <iostream>

int main(int argc, char** argv) {
  if (argc != 3) {
    dajdor_sql::printHelp(argc == 1 ? std::cout : std::cerr);
    return argc == 1 ? 0 : 2;
  }
  return dajdor_sql::run(argv[1], argv[2], std::cout, std::cerr);
}
