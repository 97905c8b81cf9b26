#pragma once
// Turns the column-major event blocks of a located file into event lists.
#include <span>

#include "music/v2m/V2mLayout.h"
#include "music/v2m/V2mSong.h"

namespace quellor::music::v2m {

void ReadEventLists(std::span<const uint8_t> file, const V2mLayout& layout, V2mSong& song);

}  // namespace quellor::music::v2m
