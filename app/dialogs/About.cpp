#include "app/dialogs/About.h"

namespace quellor {

namespace {
constexpr WindowId kDisabledByAbout[] = {WindowId::Main, WindowId::TextEditor, WindowId::Options};
}  // namespace

AboutContent AboutContentOf(const IntroModel& m) {
  AboutContent c;
  c.Title = "Quellor v" + m.ProgramVersion + " - About";
  c.Text = "Quellor v" + m.ProgramVersion + "\r" + m.AboutText;
  return c;
}

void ShowAbout(AppContext& ctx) {
  for (WindowId w : kDisabledByAbout)
    if (ctx.Win.WindowOpen(w)) ctx.Win.EnableWindow(w, false);
  ctx.Win.OpenAbout(AboutContentOf(ctx.Model));
}

void CloseAbout(AppContext& ctx) {
  for (WindowId w : kDisabledByAbout)
    if (ctx.Win.WindowOpen(w)) ctx.Win.EnableWindow(w, true);
  if (ctx.Win.WindowOpen(WindowId::About)) ctx.Win.CloseWindow(WindowId::About);
}

void HandleAboutGadget(AppContext& ctx, int gadget) {
  if (gadget == about::kWebsite) ctx.Win.OpenWebAddress(ctx.Model.WebsiteAddress);
  if (gadget == about::kOkay) CloseAbout(ctx);
}

void OpenForum(AppContext& ctx) { ctx.Win.OpenWebAddress(ctx.Model.ForumAddress); }

}  // namespace quellor
