#pragma once

#include <string_view>

// What `varnok-printer --help` and each `COMMAND --help` say beyond their options. The manual
// page is made from these helps, so it says the same.
namespace varnok::cli::help {

inline constexpr std::string_view kProgram =
    "Finds, adds and configures VARNOK thermal label printers on a CUPS print system.\n"
    "The desktop program varnok-utility does the same settings in a window.";

inline constexpr std::string_view kExitStatus =
    "Exit status: 0 success; 1 the print system refused or failed an action (for set,\n"
    "apply and send: at one queue at least); 2 a usage error (unknown command, option,\n"
    "setting, queue, model or profile, a bad value or argument), nothing sent; 130 send\n"
    "interrupted.\n"
    "Results go to standard output, messages to standard error, in the language of the\n"
    "locale (LC_ALL, LC_MESSAGES, LANG: zh* Chinese, else English) or of --lang.";

inline constexpr std::string_view kList =
    "Lists the queues whose names begin with VARNOK or Varnok, as the configuration\n"
    "window lists them and in its order, each with its driver, the model the program\n"
    "reads from it, whether that model is supported, and whether the queue accepts\n"
    "jobs. Where a driver's name ends in (VRLZ) or (VRLE), the Chinese and English\n"
    "windows read different models: both are shown. A print system without such\n"
    "queues lists nothing.\n"
    "\n"
    "With --json: {\"queues\": [{\"queue\", \"driver\", \"model\", \"supported\",\n"
    "\"english_window_model\", \"english_window_supported\", \"accepting_jobs\",\n"
    "\"device_uri\"}]}.";

inline constexpr std::string_view kModels =
    "Lists the models the settings are made for, spelt as list shows them (the\n"
    "driver's name in upper case), each with the driver file add gives its queue.\n"
    "\n"
    "With --json: {\"models\": [{\"model\", \"driver_file\"}]}.";

inline constexpr std::string_view kDevices =
    "Lists the printers the print system can see (by USB, or on the network) that have\n"
    "no queue yet, with their device URI; VARNOK printers come first, marked with *.\n"
    "Use it to find the URI of a printer just plugged in, for add's --device. Most\n"
    "systems let only root and the lpadmin group look.\n"
    "\n"
    "With --json: {\"devices\": [{\"uri\", \"make_and_model\", \"info\", \"device_id\",\n"
    "\"location\", \"class\", \"varnok\"}]}.";

inline constexpr std::string_view kAdd =
    "Creates a queue with the model's driver file, enabled and accepting jobs. Give\n"
    "exactly one of --device and --address. With --replace, the queue of that name\n"
    "(in any letter case) is changed. Only root and the lpadmin group may add\n"
    "printers. --dry-run checks all of it, the driver file on the print server\n"
    "included, and changes nothing.\n"
    "\n"
    "With --json: {\"queue\", \"model\", \"device_uri\", \"existed\", \"dry_run\"}, the\n"
    "queue's name as the print server spells it and the model as list shows it.\n"
    "\n"
    "Example:\n"
    "  varnok-printer add --model \"VARNOK K540 200DPI\" --address 192.168.1.168";

inline constexpr std::string_view kRemove =
    "Removes each queue from the print server, with the jobs still waiting in it. The\n"
    "queues must be queues of the print server; removing takes root or the lpadmin\n"
    "group, as add does.\n"
    "\n"
    "Examples:\n"
    "  varnok-printer remove VARNOK_OLD_DOCK";

inline constexpr std::string_view kItems =
    "Lists the settings set takes, with the values each takes and what it sets.\n"
    "\n"
    "With --json: {\"settings\": [{\"setting\", \"takes\", \"value\", \"range\", \"choices\",\n"
    "\"chinese_text\", \"english_text\"}]}; value is \"number\" (range {\"min\", \"max\"}),\n"
    "\"choice\" or null.";

inline constexpr std::string_view kSetIntroduction =
    "Sends each queue exactly what the Chinese configuration window's OK sends: the\n"
    "model is read from the queue's driver, the model's correction from the settings\n"
    "file is added, the command goes as one raw job titled \"Label\". Nothing is sent\n"
    "to a model that is not supported. Unlike the window, a number outside the\n"
    "setting's range or with a fraction is refused. The queues must be queues of the\n"
    "print server (a queue named twice, in any letter case, gets the setting once);\n"
    "every queue is checked before the first is sent to, and a queue that fails does\n"
    "not stop the others. One line a queue: queue, model, command (\\r for a carriage\n"
    "return), result or reason.\n"
    "\n"
    "Settings:\n";

inline constexpr std::string_view kSetExamples =
    "\n"
    "With --json: {\"setting\", \"dry_run\", \"results\": [{\"queue\", \"model\", \"supported\",\n"
    "\"command\", \"command_bytes\", \"result\", \"reason\"}], \"notice\"}; result is sent,\n"
    "not-sent, would-send or would-not-send.\n"
    "\n"
    "Examples:\n"
    "  varnok-printer set vertical-reflective 12 VARNOK_K540_200DPI VARNOK_M4410\n"
    "  varnok-printer set orientation top-to-bottom VARNOK_K540_200DPI\n"
    "  varnok-printer set network --address 192.168.1.20 --mask 255.255.255.0 \\\n"
    "      --gateway 192.168.1.1 VARNOK_K540_200DPI";

inline constexpr std::string_view kApply =
    "Sends each queue the settings of a profile, a site's record of what its printers\n"
    "should hold, all in one raw job titled \"Label\": each setting's command exactly\n"
    "as set sends it (the model read from the queue's driver, the model's correction\n"
    "added), in the order of the file. The whole profile is checked before anything is\n"
    "sent; a fault (an unknown setting, a value outside its range or with a fraction, a\n"
    "setting given twice, a reset, [network] for more than one queue, no setting at\n"
    "all) is named with its line, and nothing is sent to any queue. The queues must be\n"
    "queues of the print server; a queue that fails does not stop the others. One line\n"
    "a queue: queue, model, commands (\\r for a carriage return), result or reason.\n"
    "\n"
    "The profile is UTF-8 text (a byte-order mark is allowed); lines beginning with ;\n"
    "or # are comments. Under [settings], one line a setting: its name as set takes it\n"
    "(or its text in either window's list), = and its value. Under [network], the\n"
    "network card's address, mask, gateway and port (9100 when not given), for one\n"
    "queue only. --template prints every setting with its range and factory value,\n"
    "commented out:\n"
    "\n"
    "  [settings]\n"
    "  cut-position = 5\n"
    "  tear-off = -3\n"
    "  sensor-sensitivity = 12\n"
    "  orientation = bottom-to-top\n"
    "\n"
    "With --converge, run on the print server, each queue is sent only the settings\n"
    "whose delivered value (see state) differs from the profile's command or is\n"
    "unknown, in the profile's order, in one job: a queue with nothing to send is\n"
    "unchanged and gets no job (and needs no power cycle); a queue whose earlier\n"
    "settings job still waits in the print system is not sent another (result\n"
    "waiting; not a failure, as that job is on its way).\n"
    "\n"
    "With --json: {\"profile\", \"dry_run\", \"converge\", \"settings\", \"results\":\n"
    "[{\"queue\", \"model\", \"supported\", \"commands\": [{\"setting\", \"command\",\n"
    "\"command_bytes\"}], \"result\", \"reason\", \"sent_at\"}], \"notice\"}; result as for\n"
    "set, or unchanged or waiting with --converge, sent_at the time in UTC the print\n"
    "system took the job (ISO 8601), or null. With --converge each result also has\n"
    "\"changed\" and \"settings\": [{\"setting\", \"before\" (the delivered value, or null\n"
    "when unknown), \"before_state\", \"after\", \"send\"}].\n"
    "\n"
    "Examples:\n"
    "  varnok-printer apply --template > site.ini\n"
    "  varnok-printer apply site.ini VARNOK_K540_200DPI VARNOK_M4410 --dry-run\n"
    "  varnok-printer apply site.ini $(varnok-printer list --names)\n"
    "  varnok-printer apply --converge site.ini $(varnok-printer list --names)";

inline constexpr std::string_view kJournalNote =
    "The journal is kept on the print server by the backend varnok, through which a\n"
    "queue whose device URI begins with varnok: sends its jobs (add makes such queues;\n"
    "see journal). It is /var/lib/varnok-printer/journal.sqlite, or the file\n"
    "$VARNOK_JOURNAL or --journal names; root and the lpadmin group may read it.";

inline constexpr std::string_view kHistory =
    "Shows the jobs that went through the journal, newest last: when each began, its\n"
    "queue, job number, user (and host), outcome and what it carried: the settings of\n"
    "a settings job (name=value, the value as the printer took it), or a label job's\n"
    "size. Outcomes: delivered (the printer's backend took every byte), failed (with\n"
    "the backend's last message), interrupted (the backend was stopped or the machine\n"
    "went down before the end), printing.\n"
    "\n"
    "With --json: {\"journal\", \"jobs\": [{\"queue\", \"job\", \"device_uri\", \"user\",\n"
    "\"host\", \"title\", \"started_at\", \"ended_at\", \"size\", \"kind\", \"outcome\",\n"
    "\"message\", \"status\", \"settings\": [{\"setting\", \"value\", \"command_bytes\"}]}]}.\n"
    "\n"
    "Examples:\n"
    "  varnok-printer history VARNOK_DOCK3 --since 2026-12-01";

inline constexpr std::string_view kState =
    "Shows, per queue and setting, the last value delivered to the printer, when, by\n"
    "whom and in which job, or unknown and why: never delivered, a reset since\n"
    "(reset-user, reset-advanced), the queue's device changed since (another printer\n"
    "behind the queue), the last job that carried it interrupted or failed. Nothing is\n"
    "known of a queue whose device does not go through the journal. The journal knows\n"
    "what was delivered, not what the printer holds: a change on its panel, a power\n"
    "loss before it saved a setting, or another printer at the same address go unseen.\n"
    "\n"
    "With --json: {\"journal\", \"queues\": [{\"queue\", \"device_uri\", \"journaled\",\n"
    "\"settings\": {SETTING: {\"state\": \"delivered\", \"value\", \"command_bytes\",\n"
    "\"delivered_at\", \"user\", \"host\", \"job\"} or {\"state\": \"unknown\", \"reason\",\n"
    "\"detail\", \"job\"}}}]}; reason is never-delivered, reset, device-changed,\n"
    "interrupted, printing or failed.";

inline constexpr std::string_view kDrift =
    "Compares each queue's delivered settings with a profile, by the commands the\n"
    "profile gives the queue's model (its correction included), and shows each setting\n"
    "that differs: the profile's value and the delivered one, or unknown and why.\n"
    "Exit status 0 when no queue differs, 1 when one does or cannot be compared, as\n"
    "diff does.\n"
    "\n"
    "With --json: {\"profile\", \"journal\", \"queues\": [{\"queue\", \"model\", \"differs\",\n"
    "\"reason\", \"settings\": [{\"setting\", \"wanted\", \"wanted_bytes\", \"delivered\"}]}]},\n"
    "delivered as state gives it.";

inline constexpr std::string_view kJournal =
    "journal enable QUEUE... makes each queue send its jobs through the backend varnok,\n"
    "which journals them (its device URI becomes varnok: followed by the old one);\n"
    "journal disable QUEUE... sends them straight to the printer again. Changing a queue\n"
    "takes root or the lpadmin group, as add does.";

inline constexpr std::string_view kSend =
    "Sends the file's bytes unchanged to each queue, one raw job a queue titled with\n"
    "the file's name; an empty file is refused. The queues must be queues of the print\n"
    "server; a queue named twice, in any letter case, gets the file once. A file over\n"
    "1 MiB shows its progress on a terminal. Ctrl+C cancels the job in progress, so\n"
    "that printer receives nothing, and stops. Once the print system has not answered,\n"
    "the queues after are not tried.\n"
    "\n"
    "With --json: {\"file\", \"bytes\", \"results\": [{\"queue\", \"result\", \"reason\"}]};\n"
    "result is sent, not-sent, cancelled or not-tried.";

}  // namespace varnok::cli::help
