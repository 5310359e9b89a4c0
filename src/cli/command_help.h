#pragma once

#include <string_view>

// What `varnok-printer --help` says beyond its options, and what the helps of several commands
// say; each command's own text is in its file. The manual page is made from these helps, so it
// says the same.
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

inline constexpr std::string_view kJournalNote =
    "The journal is kept on the print server by the backend varnok, through which a\n"
    "queue whose device URI begins with varnok: sends its jobs (add makes such queues;\n"
    "see journal). It is /var/lib/varnok-printer/journal.sqlite, or the file\n"
    "$VARNOK_JOURNAL or --journal names; root and the lpadmin group may read it.";

}  // namespace varnok::cli::help
