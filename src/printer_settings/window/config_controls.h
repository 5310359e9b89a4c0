#pragma once

#include <array>

#include "printer_settings/window/config_window_texts.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace varnok {

// The controls' object names are the window's own from its first version: stored files, screen
// readers and operators' scripts find the controls by them, so they stay. What each one is:
//
//   name                      control
//   Label2, MODEL             label and list of the printer models
//   Label8, Combo1            label and list of the settings
//   Command2                  the OK button that sends the chosen setting
//   Frame4, Label4            empty input panel (an item without a value), with its note
//   Frame2, Label12, Text1    value panel: its label, the value box,
//   Label1                    and the line with the value's range
//   Frame5, Option4, Option5  choice panel and its two choices (orientation, self-test language)
//   Frame8, Text2-Text14      network panel: address, mask, gateway (four boxes each), port
//   Frame1, Label9_0, Label10, Label11, Label23
//                             general notes (red), one label a line
//   Frame3, Label13-Label16   help of the chosen item, one label a line
//   lingmingdu, _Line1-_Line3 help of the sensor sensitivity items (lingmingdu: "sensitivity")
//   Frame7, _Line1-_Line3     help of the media sensor precision item
//   dyfangxiang, _Line1-_Line2
//                             help of the print orientation item (dyfangxiang: "print direction")
//   Frame6, Label9_1, Label5, Label3
//                             notes of the reset items (red), the last asks to confirm
//   Line2, Line3              the rules of the empty input panel
//
// The controls of a configuration window that its handlers work with. The window owns them.
struct ConfigControls {
  QComboBox* model;      // MODEL
  QComboBox* items;      // Combo1
  QPushButton* confirm;  // Command2

  // Input panels, upper slot.
  QGroupBox* placeholder_panel;              // Frame4
  QGroupBox* value_panel;                    // Frame2
  QGroupBox* choice_panel;                   // Frame5
  QGroupBox* network_panel;                  // Frame8
  QLineEdit* value_box;                      // Text1
  QLabel* range_line;                        // Label1
  QRadioButton* first_choice;                // Option4
  QRadioButton* second_choice;               // Option5
  std::array<QLineEdit*, 13> network_boxes;  // Text2 to Text14

  // Help panels, lower slot.
  QGroupBox* general_notes;                 // Frame1
  QGroupBox* item_help;                     // Frame3
  QGroupBox* sensitivity_notes;             // lingmingdu
  QGroupBox* precision_notes;               // Frame7
  QGroupBox* orientation_notes;             // dyfangxiang
  QGroupBox* reset_notes;                   // Frame6
  std::array<QLabel*, 4> item_help_lines;   // Label13 to Label16
  std::array<QLabel*, 2> reset_note_lines;  // Label9 element 1, Label5
};

// Where the labels of the list rows begin, and where the two slots lie in the window, in twips.
inline constexpr int kLabelLeft = 240;
inline constexpr int kUpperSlotLeft = 1000;
inline constexpr int kUpperSlotTop = 1200;
inline constexpr int kLowerSlotLeft = 500;
inline constexpr int kLowerSlotTop = 3000;

// Makes a help panel tall enough for the lines it shows now, and never shorter than its 1575
// twips: wrapped lines may need more room than the panel has in the window's font.
void FitHelpPanel(QGroupBox& panel);

// Builds every control of a configuration window onto its client area, with the texts, fonts,
// colours, positions and tab order of the window's language.
ConfigControls BuildConfigControls(QWidget& client, const ConfigWindowTexts& texts);

}  // namespace varnok
