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
    "\"english_window_model\", \"english_window_supported\", \"accepting_jobs\"}]}.";

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
    "printers. Example:\n"
    "  varnok-printer add --model \"VARNOK K540 200DPI\" --address 192.168.1.168";

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
    "With --json: {\"profile\", \"dry_run\", \"settings\", \"results\": [{\"queue\", \"model\",\n"
    "\"supported\", \"commands\": [{\"setting\", \"command\", \"command_bytes\"}], \"result\",\n"
    "\"reason\", \"sent_at\"}], \"notice\"}; result as for set, sent_at the time in UTC the\n"
    "print system took the job (ISO 8601), or null.\n"
    "\n"
    "Examples:\n"
    "  varnok-printer apply --template > site.ini\n"
    "  varnok-printer apply site.ini VARNOK_K540_200DPI VARNOK_M4410 --dry-run\n"
    "  varnok-printer apply site.ini $(varnok-printer list --names)";

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
