#pragma once

#include <QWidget>
#include <map>
#include <memory>
#include <string>

#include "spooler/printer_access.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;

namespace varnok {

class LabelPrinterSdk;
class PrinterWorker;
class UserMessages;

// The send-file window "sendfile": the operator picks one of the brand printers and a file on
// a mounted volume, and Send hands the file to the printer through the label-printer SDK calls.
// It opens at once: the printer list fills in when the print system answers.
class SendFileForm : public QWidget {
  Q_OBJECT

 public:
  // Sends through our own label-printer library on the printer worker's spooler; tells the user
  // through messages (the main window's, so that its tests see them too).
  SendFileForm(PrinterWorker& printer, UserMessages& messages, QWidget* parent = nullptr);
  // Sends through the given SDK, used on the printer worker (tests use fakes).
  SendFileForm(PrinterWorker& printer, LabelPrinterSdk& sdk, UserMessages& messages,
               QWidget* parent = nullptr);

 private:
  void CreateControls();
  void Form_Load();
  void QueueListArrived(const QueueList& list);
  void Drive1_Change(int index);
  void Dir1_Change(const std::string& folder);
  void File1_Click(const QListWidgetItem* item);
  void Command1_Click();
  // Points the folder and file lists at a folder of the drive; false (lists unchanged) when it
  // cannot be read, with the reason in error.
  bool ShowFolder(const std::string& drive, const std::string& folder, std::string& error);

  PrinterWorker& printer_;
  LabelPrinterSdk* sdk_ = nullptr;  // given; our own library otherwise
  UserMessages& messages_;

  QComboBox* combo1_ = nullptr;
  QLineEdit* text2_ = nullptr;
  QListWidget* file1_ = nullptr;
  QListWidget* dir1_ = nullptr;
  QComboBox* drive1_ = nullptr;

  std::string folder_;                                // the folder the lists show
  int drive_index_ = -1;                              // the drive the lists are on
  std::map<std::string, std::string> drive_folders_;  // last folder shown on each drive
  std::shared_ptr<const QueueList> queues_;           // Combo1's entries, asked for at load
};

}  // namespace varnok
