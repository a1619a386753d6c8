// gen-commune N DIR [SEED]: writes a synthetic data directory of N taxpayers
// for demonstrations and benchmarks.
#include "commune_generator.h"
#include "commune_settings.h"

#include <chrono>
#include <charconv>
#include <filesystem>
#include <iostream>
#include <string_view>

namespace {

bool parseCount(std::string_view text, std::uint64_t& out) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
  return error == std::errc() && end == text.data() + text.size();
}

}  // namespace

int main(int argc, char** argv) {
  std::uint64_t taxpayers = 0;
  gencommune::GeneratorOptions options;
  if ((argc != 3 && argc != 4) || !parseCount(argv[1], taxpayers) || taxpayers == 0 || taxpayers > 2000000 ||
      (argc == 4 && !parseCount(argv[3], options.seed))) {
    std::cerr << "Utilizare: gen-commune N DIRECTOR [SAMANTA]\n"
                 "  scrie in DIRECTOR (nou sau gol) o comuna sintetica de N contribuabili (1..2000000).\n";
    return 2;
  }
  options.taxpayers = taxpayers;
  std::error_code error;
  std::filesystem::create_directories(argv[2], error);
  if (error || !std::filesystem::is_directory(argv[2])) {
    std::cerr << "gen-commune: directorul " << argv[2] << " nu poate fi creat sau nu este un director.\n";
    return 1;
  }
  try {
    const auto start = std::chrono::steady_clock::now();
    engine::Database db(argv[2]);
    const auto counts = gencommune::generateCommune(db, options);
    gencommune::writeCommuneSettings(db, argv[2]);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    for (const auto& [file, rows] : counts) std::cout << file << '\t' << rows << '\n';
    std::cout << "Timp: " << seconds << " s\n";
  } catch (const std::exception& e) {
    std::cerr << "gen-commune: " << e.what() << '\n';
    return 1;
  }
  return 0;
}
