#pragma once
// The About window and the two web addresses of the help menu.
#include "app/AppContext.h"
#include "app/dialogs/DialogViews.h"

namespace quellor {

namespace about {
constexpr int kWebsite = 2101, kOkay = 2102;
}  // namespace about

// Title "Quellor v" + version + " - About"; text: "Quellor v" + version, CR, the credits.
AboutContent AboutContentOf(const IntroModel& m);

// Help > About (and the very first start): the main, editor and options windows that are
// open are disabled and the About window opens.
void ShowAbout(AppContext& ctx);
// "Okay" and the close box: the disabled windows take input again, the window closes.
void CloseAbout(AppContext& ctx);
void HandleAboutGadget(AppContext& ctx, int gadget);
// Help > Support Forum.
void OpenForum(AppContext& ctx);

}  // namespace quellor
