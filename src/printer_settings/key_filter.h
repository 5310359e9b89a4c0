#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "foundation/language.h"
#include "spooler/message_boxes.h"

namespace varnok {

// Character codes with a meaning of their own to the filters.
inline constexpr int kDiscardKey = 0;
inline constexpr int kBackspaceKey = 8;
inline constexpr int kEnterKey = 13;

enum class KeyFilter {
  Value,  // Text1: "-", ".", digits
  Octet,  // Text2 to Text13 in the Chinese window: digits, "." moves on, warns above 255
  Port,   // Text14 in the Chinese window: digits
};

// What to do with one typed key, decided before the character reaches the field.
struct KeyDecision {
  int key;                // the code to apply: the typed one, kDiscardKey (the key does
                          // nothing), or kEnterKey (inserts nothing)
  bool warn_over_limit;   // show OverLimitWarning() first, and wait for it to be closed
  bool select_all_after;  // after the key is applied, select the whole text of the field
                          // that then has the focus
  bool move_to_next;      // give the focus to the field's successor in the chain

  friend bool operator==(const KeyDecision&, const KeyDecision&) = default;
};

// key: the typed character's code (Unicode code point; 8 Backspace, 13 Enter).
// current_text: the field's text without the typed character.
KeyDecision FilterKey(KeyFilter filter, int key, std::string_view current_text);

// "输入的数值必须小于255！请重新输入！", titled "错误".
Message OverLimitWarning();

// The filter of the field TextN in a window, if it has one.
std::optional<KeyFilter> FieldKeyFilter(Language window, int text_number);

// The octet fields in chain order, then the port field that ends the chain (TextN numbers).
inline constexpr std::array<int, 13> kNetworkFieldChain{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14};

// The field that receives the focus when TextN is left with "." or Enter, if any.
std::optional<int> NetworkFieldSuccessor(int text_number);

}  // namespace varnok
