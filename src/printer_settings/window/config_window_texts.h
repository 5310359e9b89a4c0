#pragma once

#include <array>
#include <string_view>

#include "foundation/language.h"

namespace varnok {

// Everything the two configuration windows show or place differently, apart from the setting
// items themselves. Positions and sizes are in twips.
struct ConfigWindowTexts {
  std::string_view object_name;  // "Form2" or "Form3_en"
  std::string_view caption;

  std::string_view model_label;  // Label2
  int model_list_left;
  int model_list_width;
  std::string_view item_label;  // Label8
  int item_list_left;
  int item_list_width;

  std::string_view options_caption;   // Frame4, Frame2, Frame5
  std::string_view placeholder_note;  // Label4; empty: the panel has no such label
  std::string_view value_label;       // Label12
  std::string_view network_caption;   // Frame8; empty: no caption
  int network_panel_width;
  int network_row_label_width;
  std::array<std::string_view, 4> network_row_labels;  // IP address, mask, gateway, port
  // The network boxes' place in the tab order, as TextN numbers.
  std::array<int, 13> network_tab_order;

  std::string_view ok_caption;  // Command2
  int ok_left;

  std::string_view notes_caption;                     // Frame1 and Frame6, shown in red
  std::string_view methods_caption;                   // Frame3, lingmingdu, Frame7, dyfangxiang
  std::array<std::string_view, 4> general_notes;      // Label9(0), Label10, Label11, Label23
  std::array<std::string_view, 3> sensitivity_notes;  // lingmingdu
  std::array<std::string_view, 3> precision_notes;    // Frame7
  std::array<std::string_view, 2> orientation_notes;  // dyfangxiang
  std::string_view reset_confirm_line;                // Label3, the last line of Frame6
  bool item_help_lines_3_and_4_red;                   // Label15 and Label16

  // Empty family: the default user-interface font.
  std::string_view text_font_family;  // every text of the window
  std::string_view list_font_family;  // MODEL, Combo1 and Text1
};

const ConfigWindowTexts& ConfigWindowTextsFor(Language window);

// The network boxes' texts when the window opens, Text2 to Text14.
inline constexpr std::array<std::string_view, 13> kNetworkBoxDefaults{
    "192", "168", "1", "168", "255", "255", "255", "0", "192", "168", "1", "1", "9100"};

}  // namespace varnok
