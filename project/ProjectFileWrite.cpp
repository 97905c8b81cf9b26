#include "project/FileReplace.h"
#include "project/Ini.h"
#include "project/PathResolve.h"
#include "project/ProjectFields.h"
#include "project/ProjectFile.h"
#include "project/StatusLog.h"

namespace quellor {

namespace {

class WriteVisitor : public FieldVisitor {
 public:
  WriteVisitor(IniWriter& w, Engine& e) : w_(w), e_(e) {}
  Mode Kind() const override { return Mode::Write; }
  Engine* Eng() const override { return &e_; }

  void Long(const std::string& k, int32_t& f, int32_t) override { w_.Set(k, FormatLong(f)); }
  void Float(const std::string& k, float& f, float) override { w_.Set(k, FormatFloat(f)); }
  void FloatAsLong(const std::string& k, float& f, float) override {
    w_.Set(k, FormatLong(RoundToLong(f)));
  }
  void LongAsFloat(const std::string& k, int32_t& f, int32_t) override {
    w_.Set(k, FormatFloat(static_cast<float>(f)));
  }
  void Text(const std::string& k, std::string& f, const std::string&) override { w_.Set(k, f); }
  void Quoted(const std::string& k, std::string& f) override { w_.Set(k, QuoteText(f)); }
  void FilePart(const std::string& k, std::string& f) override {
    w_.Set(k, quellor::FilePart(f));
  }
  void LineCount(std::string& text) override {
    w_.Set("Lines", FormatLong(static_cast<int32_t>(SplitTextLines(text).size())));
  }
  void LineKeys(std::string& text) override {
    std::vector<std::string> lines = SplitTextLines(text);
    for (size_t i = 0; i < lines.size(); ++i) w_.Set("LN" + std::to_string(i + 1), lines[i]);
  }
  void List(std::vector<std::string>& lines) override {
    w_.Set("Lines", FormatLong(static_cast<int32_t>(lines.size())));
    for (size_t i = 0; i < lines.size(); ++i) w_.Set("P" + std::to_string(i), QuoteText(lines[i]));
  }
  void Order(std::vector<std::string>& names) override {
    w_.Set("Lines", FormatLong(static_cast<int32_t>(names.size())));
    int n = 0;
    for (const std::string& name : names) {
      if (IsKnownOrderName(name)) w_.Set("P" + std::to_string(++n), name);
    }
  }

 private:
  IniWriter& w_;
  Engine& e_;
};

}  // namespace

std::string ProjectFileName(const std::string& name) {
  if (name.empty() || HasExtension(name)) return name;
  return name + ".ini";
}

std::string ProjectText(IntroModel& m, Engine& e) {
  IniWriter w;
  w.Comment("; ---------------------------------------------------");
  w.Comment("; --         Quellor preferences file           --");
  w.Comment("; ---------------------------------------------------");
  WriteVisitor v(w, e);
  for (const GroupDef& g : ProjectGroups()) {
    w.Group(g.Name);
    g.Visit(m, v, g.Slot);
  }
  return w.Text();
}

bool SaveProject(IntroModel& m, Engine& e, const std::string& name) {
  if (name.empty()) return true;
  std::string target = ResolvePath(ProjectFileName(name));
  std::string text = ProjectText(m, e);
  // Only a complete file takes the old one's place.
  bool ok = ReplaceFileContents(target, text.data(), text.size());
  if (!ok) {
    AddStatusLine(m, "Saving Error: could not write " + FilePart(target), kMessageMs, kColorError);
  }
  return ok;
}

}  // namespace quellor
