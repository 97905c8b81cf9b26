#include "project/PathResolve.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <vector>

#include "project/TextBytes.h"

namespace quellor {

namespace {

bool Exists(const std::string& p) {
  struct stat st;
  return ::stat(p.c_str(), &st) == 0;
}

bool SameIgnoringCase(const std::string& a, const char* b) {
  size_t i = 0;
  for (; i < a.size() && b[i]; ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return i == a.size() && b[i] == 0;
}

// Entries of `dir` equal to `name` without regard to case, in name order so the choice
// does not depend on the order of the directory.
std::vector<std::string> MatchesIgnoringCase(const std::string& dir, const std::string& name) {
  std::vector<std::string> found;
  DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
  if (!d) return found;
  while (dirent* ent = ::readdir(d)) {
    if (SameIgnoringCase(name, ent->d_name)) found.push_back(ent->d_name);
  }
  ::closedir(d);
  std::sort(found.begin(), found.end());
  return found;
}

// Depth-first: the exact name first, then each case variant, so "Data" and "data" side by
// side do not hide a file that only one of them holds. False when nothing matches fully.
bool Walk(const std::vector<std::string>& parts, size_t i, const std::string& prefix,
          bool trailingSlash, int& budget, std::string& out) {
  if (i == parts.size()) {
    out = prefix;
    if (trailingSlash && !out.empty() && out.back() != '/') out += "/";
    return true;
  }
  if (--budget < 0) return false;
  const std::string& name = parts[i];
  std::string sep = (i + 1 < parts.size()) ? "/" : "";
  if (name == "." || name == ".." || Exists(prefix + name))
    if (Walk(parts, i + 1, prefix + name + sep, trailingSlash, budget, out)) return true;
  if (name == "." || name == "..") return false;
  for (const std::string& variant : MatchesIgnoringCase(prefix.empty() ? "." : prefix, name)) {
    if (variant == name) continue;
    if (Walk(parts, i + 1, prefix + variant + sep, trailingSlash, budget, out)) return true;
  }
  return false;
}

}  // namespace

std::string FilePart(const std::string& path) {
  size_t cut = path.find_last_of("\\/");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

bool HasExtension(const std::string& path) {
  std::string f = FilePart(path);
  size_t dot = f.rfind('.');
  return dot != std::string::npos && dot > 0;
}

std::string FileStem(const std::string& path) {
  std::string f = FilePart(path);
  size_t dot = f.rfind('.');
  return (dot == std::string::npos || dot == 0) ? f : f.substr(0, dot);
}

std::string ResolveBytes(const std::string& path);

std::string ResolvePath(const std::string& path) {
  std::string out = ResolveBytes(path);
  // A path written on Windows may hold 8-bit characters where the disk's names are UTF-8.
  if (!out.empty() && !Exists(out) && !IsValidUtf8(path)) {
    std::string converted = ResolveBytes(Cp1252ToUtf8(path));
    if (Exists(converted)) return converted;
  }
  return out;
}

std::string ResolveBytes(const std::string& path) {
  std::string p = path;
  for (char& c : p) {
    if (c == '\\') c = '/';
  }
  if (p.size() >= 2 && std::isalpha(static_cast<unsigned char>(p[0])) && p[1] == ':') {
    p.erase(0, 2);
  }
  if (p.empty() || Exists(p)) return p;

  bool absolute = p[0] == '/';
  std::vector<std::string> parts;
  size_t pos = 0;
  while (pos <= p.size()) {
    size_t slash = p.find('/', pos);
    if (slash == std::string::npos) slash = p.size();
    if (slash > pos) parts.push_back(p.substr(pos, slash - pos));
    pos = slash + 1;
  }
  bool trailingSlash = p.back() == '/';

  std::string root = absolute ? "/" : "";
  std::string out;
  int budget = 256;  // folders visited at most; names differing only in case are rare
  if (Walk(parts, 0, root, trailingSlash, budget, out)) return out;

  // Nothing matches fully: resolve as far as the disk goes and keep the rest as written.
  out = root;
  bool matching = true;
  for (size_t i = 0; i < parts.size(); ++i) {
    std::string name = parts[i];
    if (matching && name != "." && name != ".." && !Exists(out + name)) {
      std::vector<std::string> found = MatchesIgnoringCase(out.empty() ? "." : out, name);
      if (!found.empty()) name = found.front();
      else matching = false;
    }
    out += name;
    if (i + 1 < parts.size() || trailingSlash) out += "/";
  }
  return out;
}

std::string JoinPath(const std::string& base, const std::string& relative) {
  if (base.empty()) return relative;
  char last = base.back();
  if (last == '/' || last == '\\') return base + relative;
  return base + "/" + relative;
}

bool PathExists(const std::string& path) {
  if (path.empty()) return false;
  return Exists(ResolvePath(path));
}

bool PathIsDirectory(const std::string& path) {
  struct stat st;
  return !path.empty() && ::stat(ResolvePath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool PathIsSafeToRead(const std::string& path) {
  struct stat st;
  if (::stat(ResolvePath(path).c_str(), &st) != 0) return true;
  return S_ISREG(st.st_mode) || S_ISDIR(st.st_mode);
}

}  // namespace quellor
