#pragma once
// The project file's key table: for every group, its keys in writing order with their
// model fields, value types and the reader's defaults for missing keys. The writer, the
// reader and `--set Group.Key=VALUE` all walk the same table.
#include <cstdint>
#include <string>
#include <vector>

#include "project/IntroModel.h"
#include "project/CloneTable.h"

namespace quellor {

class Engine;

// A file may claim any clone count: counts are capped at kMaxBobClones (project/CloneTable.h)
// before the clone table is allocated.

class FieldVisitor {
 public:
  enum class Mode { Write, Read, Set, Get };
  virtual ~FieldVisitor() = default;
  virtual Mode Kind() const = 0;
  // Engine to query current object sizes while writing; null otherwise.
  virtual Engine* Eng() const { return nullptr; }

  virtual void Long(const std::string& key, int32_t& field, int32_t missing) = 0;
  virtual void Float(const std::string& key, float& field, float missing) = 0;
  // Held as a float, stored as the nearest whole number.
  virtual void FloatAsLong(const std::string& key, float& field, float missing) = 0;
  // Held as a long, stored with six decimals.
  virtual void LongAsFloat(const std::string& key, int32_t& field, int32_t missing) = 0;
  virtual void Text(const std::string& key, std::string& field, const std::string& missing) = 0;
  // "@text@" in the file.
  virtual void Quoted(const std::string& key, std::string& field) = 0;
  // The file part of `fullPath`; the reader keeps the stored value for the asset rule.
  virtual void FilePart(const std::string& key, std::string& fullPath) = 0;
  // Line block of a shader text: the "Lines" key, and the "LN" keys, written apart.
  virtual void LineCount(std::string& text) = 0;
  virtual void LineKeys(std::string& text) = 0;
  // List block: "Lines" and "P0".. as quoted texts.
  virtual void List(std::vector<std::string>& lines) = 0;
  // Display order block: "Lines" and "P1".. with the known asset names.
  virtual void Order(std::vector<std::string>& names) = 0;
};

struct GroupDef {
  std::string Name;
  void (*Visit)(IntroModel&, FieldVisitor&, int slot);
  int Slot;
};

// All 28 groups in writing order.
const std::vector<GroupDef>& ProjectGroups();
const GroupDef* FindGroupDef(const std::string& name);  // without regard to case

// Asset names the display-order block stores, in the order they are tested.
const std::vector<std::string>& KnownOrderNames();
bool IsKnownOrderName(const std::string& name);

// Sets one stored field from text, as a file line would: "Logo.PosX", "GFX#2.Trans",
// "Settings.ScreenX" or a Settings key alone ("IntroName"). Path keys set the asset's full
// path. False when the group or key is unknown or names a block.
bool SetFieldByName(IntroModel& m, const std::string& groupDotKey, const std::string& value);
// The current value of one stored field as text, named as for SetFieldByName: longs in
// decimal, floats in their shortest form ("0.5", "10"), whole-number floats rounded, texts
// as they are. False when the group or key is unknown or names a block.
bool GetFieldByName(const IntroModel& m, const std::string& groupDotKey, std::string& out);
// Characters a scroller shows across the screen: screenX / cspX + 1 (0 when cspX is 0).
int32_t ScrollerSlots(int32_t screenX, int32_t cspX);

// "Group.Key=VALUE" as given to --set.
bool ApplySetArgument(IntroModel& m, const std::string& assignment);

}  // namespace quellor
