#include "app/dialogs/OptionsWindow.h"

#include <optional>

#include "app/commands/GadgetRouting.h"
#include "app/dialogs/DialogViews.h"
#include "app/dialogs/OptionsState.h"
#include "export/Packers.h"
#include "project/Ini.h"
#include "project/PathResolve.h"
#include "project/ProjectFields.h"

namespace quellor {

using namespace options;

std::string FilterFieldText(Input in, const std::string& text, int& caret) {
  switch (in) {
    case Input::Text: return text;
    case Input::Signed: return FilterNumericText(text, false, caret);
    case Input::Decimal: return FilterNumericText(text, true, caret);
    case Input::Digits: {
      // Digits only: a minus sign is just another character that cannot be typed.
      std::string minusFree;
      int c = caret;
      for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '-') {
          if (static_cast<int>(i) < caret) --c;
          continue;
        }
        minusFree += text[i];
      }
      caret = c;
      return FilterNumericText(minusFree, false, caret);
    }
  }
  return text;
}

namespace {

// The field's text for a control value; nothing when the value cannot be stored.
std::optional<std::string> FieldText(const Control& c, std::string_view value) {
  const int32_t n = ParseLong(value);
  const bool on = value == "1";
  switch (c.How) {
    case Conv::Blend:
      if (n < 0 || n >= static_cast<int32_t>(c.Choices.size())) return std::nullopt;
      return std::to_string(n + 1);
    case Conv::Radio:
      if (!on) return std::nullopt;  // the button that was switched off stores nothing
      return std::to_string(c.Value);
    case Conv::Track:
      return std::to_string(static_cast<float>(std::clamp(n, 0, 100)) / 100.0f);
    case Conv::DirCheck: return on ? "-1" : "1";
    case Conv::LayerCombo: {
      static const char* const kLayers[] = {"0", "2", "1"};
      if (n < 0 || n > 2) return std::nullopt;
      return kLayers[n];
    }
    case Conv::Plain: break;
  }
  switch (c.Type) {
    case Kind::Check: return on ? "1" : "0";
    case Kind::Combo:
      if (n < 0 || n >= static_cast<int32_t>(c.Choices.size())) return std::nullopt;
      return std::to_string(n);
    case Kind::Edit: {
      int caret = 0;
      std::string text = FilterFieldText(c.Filter, std::string(value), caret);
      // Fields convert their whole text; an empty text is 0.
      return c.Filter == Input::Text ? text : (text.empty() ? std::string("0") : text);
    }
    default: return std::string(value);
  }
}

}  // namespace

bool ApplyOption(AppContext& ctx, int gadget, std::string_view value) {
  const Control* c = FindControl(gadget);
  if (!c || !HoldsValue(c->Type) || c->Type == Kind::ReadOnly) return false;
  IntroModel& m = ctx.Model;
  const uint64_t before = m.Revision;
  if (c->Set) {
    int caret = 0;
    std::string text = c->Type == Kind::Edit ? FilterFieldText(c->Filter, std::string(value), caret) : std::string(value);
    c->Set(ctx, *c, text);
  } else {
    std::optional<std::string> text = FieldText(*c, value);
    if (!text || c->Key.empty() || !SetFieldByName(m, c->Key, *text)) return false;
  }
  if (c->After) c->After(ctx, *c);
  const bool others = c->RefreshAfter || m.Revision != before;
  MarkChanged(m);
  if (ctx.Dialogs.OptionsRevision == before && !others) {
    // The window already shows this change: the control holds it.
    ctx.Dialogs.OptionsRevision = m.Revision;
  } else {
    ctx.Dialogs.KeepGadget = gadget;
  }
  return true;
}

void PressOption(AppContext& ctx, int gadget) {
  const Control* c = FindControl(gadget);
  if (!c || !c->After || (c->Type != Kind::Button && c->Type != Kind::Swatch)) return;
  c->After(ctx, *c);
  // Buttons change what other controls show (paths, sizes, lists).
  MarkChanged(ctx.Model);
}

void HandleOptionsGadget(AppContext& ctx, int gadget) {
  const Control* c = FindControl(gadget);
  if (!c) return;
  if (c->Type == Kind::Button || c->Type == Kind::Swatch) {
    PressOption(ctx, gadget);
    return;
  }
  OptionsView* view = ctx.Win.OptionsWindow();
  if (view && HoldsValue(c->Type)) ApplyOption(ctx, gadget, view->Value(gadget));
}

void RefreshOptionsWindow(AppContext& ctx) {
  OptionsView* view = ctx.Win.OptionsWindow();
  if (!view) return;
  IntroModel& m = ctx.Model;
  OptionsState s = ReadOptions(m, ctx.Eng);
  m.PendingGrid = s.PendingGrid;  // the only field a refresh writes
  const int keep = ctx.Dialogs.KeepGadget;
  ctx.Dialogs.KeepGadget = 0;
  if (keep) s.Values.erase(keep);
  view->ShowState(s);
  ctx.Dialogs.OptionsRevision = m.Revision;
}

void SyncOptionsWindow(AppContext& ctx) {
  if (ctx.Model.Revision == ctx.Dialogs.OptionsRevision) return;
  if (ctx.Win.OptionsWindow()) RefreshOptionsWindow(ctx);
}

void OpenOptionsWindow(AppContext& ctx) {
  if (!ctx.Win.OpenOptionsWindow()) return;
  ctx.Model.PackerFileSize = ProbePackers(ctx.Model.BaseDir);
  ctx.Dialogs.KeepGadget = 0;
  RefreshOptionsWindow(ctx);
}

}  // namespace quellor
