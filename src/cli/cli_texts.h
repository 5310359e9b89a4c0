#pragma once

#include <array>
#include <string>
#include <string_view>

#include "foundation/language.h"

namespace varnok::cli {

// Everything varnok-printer says to people, in each of its two languages. In the patterns,
// "{name}" stands for a value filled in with FillIn.
struct CliTexts {
  // Joins a result or a message to its reason: ": " / "："; a result to a note: "; " / "；".
  std::string_view reason_follows;
  std::string_view note_follows;
  std::string_view list_separator;  // between the items of a list of names
  std::string_view sentence_break;  // between two sentences of one message
  std::string_view yes;
  std::string_view no;
  // The results of set, send and apply, in the order of QueueResult.
  std::array<std::string_view, 8> results;

  // Table headings.
  std::string_view queue_heading;
  std::string_view accepts_jobs_heading;
  std::string_view driver_heading;
  std::string_view model_heading;
  std::string_view supported_heading;
  std::string_view command_heading;
  std::string_view commands_heading;
  std::string_view result_heading;
  std::string_view device_uri_heading;
  std::string_view make_and_model_heading;
  std::string_view description_heading;
  std::string_view setting_heading;
  std::string_view takes_heading;
  std::string_view sets_heading;
  std::string_view driver_file_heading;

  // list, devices, models, items.
  std::string_view no_driver;
  std::string_view in_chinese_window;  // {yes_no}
  std::string_view in_english_window;  // {yes_no}
  std::string_view no_brand_queue;     // {server}
  std::string_view no_free_device;     // {server}
  std::string_view varnok_device_mark;
  std::string_view takes_number;  // {range}
  std::string_view takes_nothing;
  std::string_view range;  // {min} {max}
  // {limit}: what max-print-length takes, {offset}: what the printer is sent on top, for its help
  std::string_view max_print_length_is;

  // What the print system answered, for any command ({server}, {reason}, {action}).
  std::string_view unreachable;
  std::string_view no_answer;
  std::string_view not_a_print_server;
  std::string_view server_answered;   // {action} {reason}
  std::string_view password_wanted;   // {server} {user}
  std::string_view password_refused;  // {server} {user}
  std::string_view password_prompt;   // {user} {server}
  std::string_view rights;            // {action}, {reason}, {command}
  std::string_view list_action;
  std::string_view devices_action;
  std::string_view devices_rights_action;
  std::string_view drivers_action;
  std::string_view add_action;  // {queue}
  std::string_view add_rights_action;
  std::string_view queue_check_action;
  std::string_view describe_action;
  std::string_view send_action;

  // Usage errors.
  std::string_view see_help;
  std::string_view server_not_here;    // --server where the print system has no such choice
  std::string_view no_command;         // {commands}
  std::string_view unknown_command;    // {command} {commands}
  std::string_view config_unreadable;  // {file}
  std::string_view no_setting;         // {typed} {names}
  std::string_view needs_value;        // {setting}
  std::string_view not_whole_number;   // {value} {setting} {range}
  std::string_view out_of_range;       // {value} {setting} {range}
  std::string_view no_choice;          // {value} {setting} {first} {second}
  std::string_view network_needs;      // {option}
  std::string_view bad_address;        // {option} {text}
  std::string_view bad_port;           // {option} {port}
  std::string_view network_options_only;
  std::string_view no_queue_given;         // {setting}
  std::string_view unknown_queues;         // {queues} {server}
  std::string_view not_a_model;            // {typed} {closest}
  std::string_view not_a_printer_address;  // {address}
  std::string_view not_a_queue_name;       // {name}
  std::string_view not_a_brand_name;       // {name} {suggestion}
  std::string_view not_a_device_uri;       // {uri}
  std::string_view queue_exists;           // {name}
  std::string_view cannot_send_file;       // {file} {reason}
  std::string_view no_such_file;
  std::string_view file_is_empty;
  std::string_view apply_needs_profile_and_queue;
  std::string_view template_alone;

  // Reading a profile.
  std::string_view profile_unreadable;    // {file} {reason}
  std::string_view profile_not_readable;  // the reason for anything but a missing file
  std::string_view profile_line_pattern;  // {file} {line} {message}
  std::string_view profile_empty;         // {file}
  std::string_view profile_not_utf8;
  std::string_view profile_not_an_entry;     // {text}
  std::string_view profile_unknown_section;  // {section}
  std::string_view profile_section_twice;    // {section} {first}
  std::string_view profile_outside_section;  // {name}
  std::string_view profile_given_twice;      // {setting} {first}
  std::string_view profile_reset;            // {setting}
  std::string_view profile_network_in_settings;
  std::string_view profile_no_network_key;    // {name}
  std::string_view profile_network_for_many;  // {count}

  // The profile apply --template prints: its comment lines, each beginning with "; ".
  std::string_view template_introduction;
  std::string_view template_factory;  // {value}
  std::string_view template_factory_maximum;
  std::string_view template_factory_orientation;
  std::string_view template_factory_unknown;
  std::string_view template_network;

  // add.
  std::string_view no_driver_file;  // {server} {model}
  std::string_view added;           // {queue} {model} {uri}
  std::string_view replaced;        // {queue} {model} {uri}
  std::string_view would_add;       // {queue} {model} {uri}
  std::string_view would_replace;   // {queue} {model} {uri}
  std::string_view name_made;

  // The reasons on a queue's line of set and send.
  std::string_view no_such_queue;     // {queue} {server}
  std::string_view not_supported;     // {model}
  std::string_view not_accepting;     // the dry run's reason
  std::string_view gone_after;        // sent, but the queue could not be opened again after
  std::string_view check_unanswered;  // sent, but the check after it got no answer
  std::string_view silent_before;     // {server}: not tried after an earlier queue's silence
  std::string_view file_unreadable;   // {reason}

  // The journal: history, state, drift, apply --converge, journal enable|disable.
  std::string_view started_heading;
  std::string_view job_heading;
  std::string_view by_heading;
  std::string_view carried_heading;
  std::string_view value_heading;
  std::string_view delivered_heading;
  std::string_view wanted_heading;
  std::array<std::string_view, 4> outcomes;  // delivered, failed, interrupted, printing
  // Why a setting's value is unknown, in the order of UnknownBecause ({detail}).
  std::array<std::string_view, 6> unknown_because;
  std::string_view label_job;          // {size}
  std::string_view label_job_unended;  // a label job not ended: what reached the printer is unknown
  std::string_view not_journaled;      // the queue's device does not go through the backend
  std::string_view as_profile;         // drift: a queue whose delivered settings are the profile's
  std::string_view waiting;            // {job}: converge's reason for not sending again
  std::string_view journal_not_begun;  // {file}
  std::string_view journal_missing;    // {file}
  std::string_view journal_not_allowed;    // {file}
  std::string_view journal_not_a_journal;  // {file}
  std::string_view journal_damaged;        // {file} {detail}
  std::string_view journal_full;           // {file}
  std::string_view journal_unavailable;
  std::string_view journal_failed;         // {file} {detail}
  std::string_view not_a_time;             // {text}
  std::string_view journal_enabled;        // {queue} {uri}
  std::string_view journal_disabled;       // {queue} {uri}
  std::string_view journal_change_action;  // {server} {queue}
  std::string_view change_rights_action;
  std::string_view jobs_action;    // {server}
  std::string_view remove_action;  // {server} {queue}
  std::string_view removed;        // {queue}
  std::string_view converge_needs_queue;

  // Adds a name to a list of names in words, after the separator unless it is the first.
  void AddToList(std::string& list, std::string_view name) const;
};

const CliTexts& CliTextsIn(Language language);

}  // namespace varnok::cli
