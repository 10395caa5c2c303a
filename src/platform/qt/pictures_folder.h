#pragma once

#include <string>

namespace palvex {

// The user's Pictures folder, without creating it; empty when the platform
// knows none.
std::u16string UserPicturesFolder();

}  // namespace palvex
