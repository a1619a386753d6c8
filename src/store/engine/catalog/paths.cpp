#include "store/engine/catalog/paths.h"

#include "store/engine/database.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>
#include <vector>

namespace engine::paths {
namespace {

bool exists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

// The entry of `dir` equal to `name` without regard to case ("" when none).
std::string findEntry(const std::string& dir, const std::string& name) {
  DIR* d = ::opendir(dir.c_str());
  if (!d) return {};
  std::string found;
  while (const dirent* e = ::readdir(d)) {
    if (strcasecmp(e->d_name, name.c_str()) == 0) {
      found = e->d_name;
      break;
    }
  }
  ::closedir(d);
  return found;
}

std::string reasonOf(int error) {
  switch (error) {
    case ENAMETOOLONG:
      return "numele este prea lung pentru sistemul de fișiere";
    case ENOTDIR:
      return "o parte a căii nu este un dosar";
    case EACCES:
      return "accesul este refuzat";
    case ELOOP:
      return "legăturile simbolice se închid în cerc";
    default:
      return std::strerror(error);
  }
}

std::string matchCase(const std::string& path) {
  if (path.empty() || exists(path)) return path;
  const bool absolute = path[0] == '/';
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t slash = path.find('/', start);
    const std::size_t end = slash == std::string::npos ? path.size() : slash;
    if (end > start) parts.push_back(path.substr(start, end - start));
    if (slash == std::string::npos) break;
    start = slash + 1;
  }
  auto join = [absolute](const std::string& dir, const std::string& part) {
    return dir.empty() ? (absolute ? "/" : "") + part : dir + "/" + part;
  };
  std::string current;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const std::string exact = join(current, parts[i]);
    if (parts[i] == "." || parts[i] == ".." || exists(exact)) {
      current = exact;
      continue;
    }
    const std::string entry = findEntry(current.empty() ? (absolute ? "/" : ".") : current, parts[i]);
    if (entry.empty()) {
      for (; i < parts.size(); ++i) current = join(current, parts[i]);
      return current;
    }
    current = join(current, entry);
  }
  return current;
}

}  // namespace

std::string resolve(const std::string& directory, std::string_view text) {
  std::string path(text);
  for (char& c : path)
    if (c == '\\') c = '/';
  if (path.empty() || path[0] != '/') path = directory + "/" + path;
  const std::string name = fileName(path);
  if (name.find('.') == std::string::npos) path += ".dbf";
  return canonical(matchCase(path));
}

std::string canonical(const std::string& path) {
  char buf[PATH_MAX];
  if (::realpath(path.c_str(), buf)) return buf;
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos || slash == 0) return path;
  const std::string parent = canonical(path.substr(0, slash));
  return parent + (parent.size() > 0 && parent.back() == '/' ? "" : "/") + path.substr(slash + 1);
}

std::string sibling(const std::string& file, std::string_view extension) {
  const std::size_t slash = file.rfind('/');
  const std::size_t dot = file.rfind('.');
  const std::string stem = dot == std::string::npos || (slash != std::string::npos && dot < slash) ? file : file.substr(0, dot);
  return matchCase(stem + std::string(extension));
}

std::string fileName(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool isFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

void requireFreeForTable(const std::string& path, const std::string& table) {
  const std::string refused = "Tabela " + table + " nu poate fi creată (" + path + "): ";
  if (isFile(path)) throw Error("Tabela " + table + " există deja (" + path + ").");
  struct stat st {};
  if (::lstat(path.c_str(), &st) == 0) {
    throw Error(refused + "există deja un " + (S_ISDIR(st.st_mode) ? "dosar" : "obiect care nu este fișier") +
                " cu acest nume.");
  }
  if (errno != ENOENT) throw Error(refused + reasonOf(errno) + ".");
  const std::size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) throw Error(refused + "dosarul nu există.");
  if (::access(folder.c_str(), W_OK) != 0) throw Error(refused + "în dosar nu se poate scrie.");
}

}  // namespace engine::paths
