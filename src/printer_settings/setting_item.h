#pragma once

#include <array>
#include <string_view>

namespace varnok {

// The configuration window's setting items, in the Chinese list's order.
enum class ItemId {
  VerticalReflective,
  VerticalTransmissive,
  MaxPrintLength,  // Chinese window only
  CutPosition,
  PagesPerCut,
  BladeStop,
  TearOff,
  SensorSensitivity,
  SensorPrecision,
  Network,
  Orientation,
  SelfTestLanguage,
  PeelPosition,
  UserReset,
  AdvancedReset,
};

// The panel an item shows in the upper slot.
enum class InputPanel { Placeholder, Value, Choice, Network };

// The panel an item shows in the lower slot.
enum class HelpPanel {
  GeneralNotes,
  ItemHelp,
  SensitivityNotes,
  PrecisionNotes,
  OrientationNotes,
  ResetNotes,
};

// One entry of a window's list, with everything picking it puts on the window.
struct SettingItem {
  ItemId id;
  std::string_view text;  // the list text; items are recognised by it
  InputPanel input;
  std::string_view default_value;  // value items: written into Text1 at every pick
  std::string_view range_line;     // value items: written into Label1
  HelpPanel help;
  int help_left_twips;                          // left of the help panel: 500, or 240
  std::array<std::string_view, 4> help_lines;   // item help: Label13 to Label16
  bool shows_help_lines_3_and_4;                // false hides Label15 and Label16
  std::array<std::string_view, 2> choices;      // choice items: Option4, Option5
  std::array<std::string_view, 2> reset_notes;  // reset items: Label9(1), Label5
};

}  // namespace varnok
