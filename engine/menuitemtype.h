#pragma once

namespace ZeltraLib {

// Action passed with a finding from the panel, preview labels, context menu and keys
// to the main window.
enum MenuItemType {
    MenuItemApply = 0,           // apply a candidate
    MenuItemIgnore = 1,          // ignore this finding
    MenuItemRevert = 2,          // revert an applied candidate
    MenuItemAddToDictionary = 3, // add the word to the user dictionary
    MenuItemIgnoreAll = 4        // ignore all findings of the same kind
};

} // namespace ZeltraLib
