#pragma once

#include <string>
#include <string_view>

namespace varnok {

// The title of every message box that names none of its own.
inline constexpr std::string_view kApplicationTitle = "VarnoK Utility";

enum class MessageIcon { None, Question, Exclamation };
enum class MessageButtons { Ok };

struct Message {
  std::string text;
  std::string title;
  MessageIcon icon = MessageIcon::None;
  MessageButtons buttons = MessageButtons::Ok;

  friend bool operator==(const Message&, const Message&) = default;
};

// Where the core tells the user something: modal message boxes in the windows, a recorder
// in the tests. Show returns once the user has closed the box.
class UserMessages {
 public:
  virtual ~UserMessages() = default;
  virtual void Show(const Message& message) = 0;
};

}  // namespace varnok
