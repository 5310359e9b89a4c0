#pragma once

#include <string_view>

#include "foundation/language.h"
#include "printer_settings/item_commands.h"
#include "spooler/message_boxes.h"

namespace varnok {

// How OK behaves in one configuration window, and what it tells the operator there.
// In the message texts, {model}, {key} and {value} stand for the model name, the correction
// key and the text in question.
struct WindowVariant {
  Language language;                // of the message texts
  bool drops_driver_language_mark;  // "(VRLZ)"/"(VRLE)" ends a driver name of this language
  bool tests_model_for_every_item;  // otherwise only items whose command is model_tested

  std::string_view missing_queue_text;
  std::string_view missing_queue_title;
  std::string_view queue_list_failed;  // no queue listed: the print system did not answer
  std::string_view title;              // of every other message of OK
  std::string_view not_supported;

  std::string_view completion_notice;
  std::string_view cut_count_notice;
  std::string_view user_reset_notice;

  std::string_view value_empty;
  std::string_view value_not_a_number;
  std::string_view correction_missing;
  std::string_view correction_not_whole_number;

  std::string_view NoticeText(Notice notice) const;
};

const WindowVariant& VariantOf(Language window);

}  // namespace varnok
