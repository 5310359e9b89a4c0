#pragma once

#include <functional>

class QWidget;

namespace varnok {

class PrinterWorker;
class Spooler;
class UserMessages;

// What a press does on the printer worker. It tells the operator through the messages it is
// given, each box coming up on the interface thread in its turn while the work waits for it to be
// closed, and returns what the window does once the press has ended (nothing: empty).
using PressWork = std::function<std::function<void()>(Spooler& spooler, UserMessages& messages)>;

// Starts a press of OK or Send: the work runs on the printer worker, so that the windows go on
// drawing themselves and answering screen readers while the print system is waited for, and the
// press stays modal. Until it ends, a busy cursor shows and nothing of the program takes input
// but the boxes the press brings up (and Close in a sub-window's own menu); a window asked to
// close meanwhile (the close button in its title bar, Close in its menu, the close keys, File >
// Exit, the main window's close box), and the commands kept for after the press, are carried out
// in their order once it has ended. The boxes go to `messages` while `window` is there, and what
// the work returns runs then too. Returns false, doing nothing, while another press runs.
bool StartPress(PrinterWorker& printer, QWidget& window, UserMessages& messages, PressWork work);

// Runs the command at once, or, while a press runs, once it has ended, after what was kept for
// then before it.
void RunAfterPress(std::function<void()> command);

}  // namespace varnok
