#include "project/PathResolve.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cctype>
#include <vector>

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

// Entry of `dir` equal to `name` without regard to case; the smallest such name when
// several differ only in case, so the choice does not depend on directory order.
bool FindIgnoringCase(const std::string& dir, const std::string& name, std::string& found) {
  DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
  if (!d) return false;
  bool any = false;
  while (dirent* ent = ::readdir(d)) {
    if (SameIgnoringCase(name, ent->d_name)) {
      std::string candidate = ent->d_name;
      if (!any || candidate < found) found = candidate;
      any = true;
    }
  }
  ::closedir(d);
  return any;
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

std::string ResolvePath(const std::string& path) {
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

  std::string out = absolute ? "/" : "";
  bool matching = true;
  for (size_t i = 0; i < parts.size(); ++i) {
    std::string name = parts[i];
    if (matching && name != "." && name != "..") {
      std::string exact = out + name;
      if (!Exists(exact)) {
        std::string found;
        if (FindIgnoringCase(out.empty() ? "." : out, name, found)) name = found;
        else matching = false;
      }
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

bool PathIsSafeToRead(const std::string& path) {
  struct stat st;
  if (::stat(ResolvePath(path).c_str(), &st) != 0) return true;
  return S_ISREG(st.st_mode) || S_ISDIR(st.st_mode);
}

}  // namespace quellor
