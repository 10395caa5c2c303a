#pragma once

#include <string>

#include "control/automation/type_library.h"

namespace palvex {

// The library as interface-definition source, the text a Windows build
// compiles into the control's type-library resource. Types that others use
// are defined before their users; each carries its position in the library.
std::string WriteIdl(const TypeLibrary& library);

// A DISPID as the library source writes it: 8 hex digits ("0x60030016",
// "0xfffffdd8").
std::string DispIdText(DispId id);

// The names of the type flags set in flags ("hidden", "dual", ...).
std::string TypeFlagNames(std::uint32_t flags);

}  // namespace palvex
