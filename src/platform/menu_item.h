#pragma once

#include <string>
#include <vector>

namespace palvex {

// An item of a pop-up menu as the host shows it: the control builds the
// tree, the host pops it up and answers with the chosen item's name.
struct MenuItem {
  std::string Name;
  std::u16string Caption;
  bool Checked = false;
  bool Visible = true;
  bool Enabled = true;
  // The key that does the same outside the menu, in the portable form
  // "Ctrl+L"; the menu shows it beside the caption. Empty for none.
  std::string Shortcut;
  std::vector<MenuItem*> Items;  // children, in display order

  bool IsSeparator() const { return Caption == u"-"; }
};

}  // namespace palvex
