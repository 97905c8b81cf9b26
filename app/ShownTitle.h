#pragma once
// The window title last handed to the window system. Placement modes set their title
// on every pass; comparing first keeps the toolkit call (and its string copies) out of
// the frames where nothing changed.
#include <string>
#include <string_view>

namespace quellor {

class ShownTitle {
 public:
  // Remembers `title`; true when it differs from the one shown, so the caller passes it on.
  bool Set(std::string_view title) {
    if (set_ && title == text_) return false;
    text_.assign(title);
    set_ = true;
    return true;
  }
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
  bool set_ = false;
};

}  // namespace quellor
