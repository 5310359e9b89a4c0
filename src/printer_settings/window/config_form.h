#pragma once

#include <QMdiSubWindow>
#include <memory>
#include <string>

#include "foundation/language.h"
#include "printer_settings/setting_item.h"
#include "printer_settings/window/config_controls.h"
#include "spooler/printer_access.h"

class QGroupBox;

namespace varnok {

class PrinterWorker;
class UserMessages;

// The printer configuration window, "Form2" (Chinese) or "Form3_en" (English): the operator
// picks a brand print queue and a setting item, the window shows that item's input panel, help
// texts and default value, and OK sends the setting to the printer. It is a child window of the
// main window's work area; it tells the operator everything through messages. It opens at once:
// the queue list fills in when the print system answers.
class ConfigForm : public QMdiSubWindow {
  Q_OBJECT

 public:
  ConfigForm(Language window, PrinterWorker& printer, UserMessages& messages,
             std::string config_path, QWidget* parent = nullptr);

  // The object name of the window of a language, by which the main window finds it.
  static QString ObjectName(Language window);

 private:
  void Form_Load();
  void QueueListArrived(const QueueList& list);
  void Combo1_Click();
  void Command2_Click();
  void ShowInputPanel(const SettingItem& item);
  void ShowHelpPanel(const SettingItem& item);
  QRect UpperSlotFor(const QWidget& panel) const;
  QGroupBox* InputPanelOf(InputPanel panel) const;
  QGroupBox* HelpPanelOf(HelpPanel panel) const;

  Language window_;
  PrinterWorker& printer_;
  UserMessages& messages_;
  std::string config_path_;  // where the OK action reads the model corrections
  ConfigControls controls_;
  std::shared_ptr<const QueueList> queues_;  // MODEL's entries, asked for as the window opens
};

}  // namespace varnok
