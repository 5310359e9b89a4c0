#include "send_file/send_file_form.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <filesystem>

#include "foundation/blanks.h"
#include "foundation/utf8_path.h"
#include "gui/accessible_combo_box.h"
#include "gui/modal_press.h"
#include "gui/printer_worker.h"
#include "gui/qt_text.h"
#include "gui/twips.h"
#include "send_file/dialog_send_progress.h"
#include "send_file/file_send.h"
#include "send_file/folder_listing.h"
#include "send_file/local_drives.h"
#include "send_file/mounted_volumes.h"
#include "send_file/send_path.h"
#include "send_file/transfer_messages.h"
#include "spooler/label_printer/spooler_label_printer.h"
#include "spooler/printer_access.h"

namespace varnok {

namespace {

QListWidgetItem* FolderItem(const std::string& path, const std::string& caption, int depth,
                            QStyle::StandardPixmap icon, const QStyle* style) {
  auto* item =
      new QListWidgetItem(style->standardIcon(icon), QString(depth * 2, ' ') + QtText(caption));
  item->setData(Qt::UserRole, QtText(path));
  // The blanks only draw the tree: a screen reader announces the folder's name.
  item->setData(Qt::AccessibleTextRole, QtText(caption));
  return item;
}

// The last name of a path, in UTF-8 whatever the system's code page.
std::string FileName(std::string_view path) { return Utf8FromPath(PathFromUtf8(path).filename()); }

}  // namespace

SendFileForm::SendFileForm(PrinterWorker& printer, UserMessages& messages, QWidget* parent)
    : QWidget(parent), printer_(printer), messages_(messages) {
  CreateControls();
  Form_Load();
}

SendFileForm::SendFileForm(PrinterWorker& printer, LabelPrinterSdk& sdk, UserMessages& messages,
                           QWidget* parent)
    : QWidget(parent), printer_(printer), sdk_(&sdk), messages_(messages) {
  CreateControls();
  Form_Load();
}

void SendFileForm::CreateControls() {
  setObjectName("sendfile");
  setWindowTitle("Send File");

  // The two labels end where their boxes begin, which would otherwise lie over them, and keep the
  // room "Model:" needs.
  auto* label2 = Place(this, new QLabel("Model:", this), "Label2", 105, 240, 615, 255);
  combo1_ = Place(this, new QComboBox(this), "Combo1", 720, 120, 3975, 300);
  auto* label1 = Place(this, new QLabel("file:", this), "Label1", 105, 600, 615, 255);
  label1->setEnabled(false);
  text2_ = Place(this, new QLineEdit(this), "Text2", 720, 600, 5175, 270);
  file1_ = Place(this, new QListWidget(this), "File1", 120, 1200, 2535, 1890);
  dir1_ = Place(this, new QListWidget(this), "Dir1", 2880, 1200, 3135, 1980);
  drive1_ = Place(this, new QComboBox(this), "Drive1", 120, 3360, 2655, 300);
  auto* command1 = Place(this, new QPushButton("Send", this), "Command1", 4200, 3480, 1335, 495);

  // The drive list has no caption on screen; a screen reader finds its label all the same.
  auto* drives_label = new QLabel("Drives:", this);
  drives_label->setObjectName("DrivesLabel");
  drives_label->hide();
  label2->setBuddy(combo1_);
  label1->setBuddy(text2_);
  drives_label->setBuddy(drive1_);
  SetUpAccessibleComboBox(*combo1_, "Model");
  text2_->setAccessibleName("File path");
  file1_->setAccessibleName("Files");
  dir1_->setAccessibleName("Folders");
  SetUpAccessibleComboBox(*drive1_, "Drives");
  command1->setAccessibleName("Send");

  // Tab order: Drive1, Dir1, Command1, File1, Text2, Combo1 (the labels take no focus).
  setTabOrder(drive1_, dir1_);
  setTabOrder(dir1_, command1);
  setTabOrder(command1, file1_);
  setTabOrder(file1_, text2_);
  setTabOrder(text2_, combo1_);

  connect(drive1_, &QComboBox::currentIndexChanged, this, &SendFileForm::Drive1_Change);
  connect(dir1_, &QListWidget::itemActivated, this, [this](const QListWidgetItem* item) {
    Dir1_Change(item->data(Qt::UserRole).toString().toStdString());
  });
  connect(file1_, &QListWidget::itemClicked, this, &SendFileForm::File1_Click);
  // Keys and clicks select the file they reach; taking the focus only marks a row as current.
  connect(file1_, &QListWidget::itemSelectionChanged, this,
          [this] { File1_Click(file1_->selectedItems().value(0)); });
  connect(command1, &QPushButton::clicked, this, &SendFileForm::Command1_Click);
}

void SendFileForm::Form_Load() {
  resize(TwipsSize(this, 6210, 4725));

  std::error_code error;
  const std::string current = Utf8FromPath(std::filesystem::current_path(error));
  const std::vector<std::string> volumes = LocalDrives();
  const std::string drive = VolumeHolding(volumes, current, FolderSeparator());
  {
    const QSignalBlocker quiet(drive1_);
    for (const auto& volume : volumes) drive1_->addItem(QtText(volume));
    drive_index_ = drive1_->findText(QtText(drive));
    drive1_->setCurrentIndex(drive_index_);
  }
  // At load nothing is reported: an unreadable current folder leaves the lists empty.
  std::string reason;
  if (!ShowFolder(drive, current, reason)) ShowFolder(drive, drive, reason);

  text2_->clear();

  queues_ =
      printer_.ListBrandQueues(*this, [this](const QueueList& list) { QueueListArrived(list); });
}

void SendFileForm::QueueListArrived(const QueueList& list) {
  if (list) {
    for (const auto& name : *list) combo1_->addItem(QtText(name));
  }
  if (combo1_->count() > 0) combo1_->setCurrentIndex(0);
}

void SendFileForm::Drive1_Change(int index) {
  const std::string drive = drive1_->itemText(index).toStdString();
  const auto remembered = drive_folders_.find(drive);
  const std::string folder = remembered != drive_folders_.end() ? remembered->second : drive;
  std::string reason;
  // A remembered folder may have gone since; the drive's own root is the next best place.
  if (ShowFolder(drive, folder, reason) || (folder != drive && ShowFolder(drive, drive, reason))) {
    drive_index_ = index;
    return;
  }
  {
    const QSignalBlocker quiet(drive1_);
    drive1_->setCurrentIndex(drive_index_);
  }
  messages_.Show(UnreadableDriveMessage(drive, reason));
}

void SendFileForm::Dir1_Change(const std::string& folder) {
  if (folder == folder_) return;
  std::string reason;
  if (!ShowFolder(drive1_->itemText(drive_index_).toStdString(), folder, reason)) {
    messages_.Show(UnreadableFolderMessage(folder, reason));
  }
}

void SendFileForm::File1_Click(const QListWidgetItem* item) {
  if (item == nullptr) return;
  text2_->setText(QtText(BuildSendPath(folder_, item->text().toStdString(), FolderSeparator())));
}

void SendFileForm::Command1_Click() {
  const std::string printer = combo1_->currentText().toStdString();
  const std::string path_text = text2_->text().toStdString();
  StartPress(
      printer_, *this, messages_,
      [&worker = printer_, sdk = sdk_, window = QPointer<QWidget>(this), printer, path_text,
       queues = queues_, this](Spooler& spooler, UserMessages& messages) -> std::function<void()> {
        SpoolerLabelPrinter own_sdk(spooler);
        DialogSendProgress progress(worker, window, FileName(TrimBlanks(path_text)), printer);
        // The list asked for at load has been answered by now: it decides what an empty
        // printer name means.
        const SendFileResult result = SendFile(sdk != nullptr ? *sdk : own_sdk, messages, printer,
                                               path_text, progress, !queues->ok())
                                          .result;
        if (result != SendFileResult::Sent) return {};
        return [this] { text2_->clear(); };
      });
}

bool SendFileForm::ShowFolder(const std::string& drive, const std::string& folder,
                              std::string& error) {
  const FolderListing listing = ListFolder(folder);
  if (!listing.error.empty()) {
    error = listing.error;
    return false;
  }
  folder_ = folder;
  drive_folders_[drive] = folder;

  const QSignalBlocker quiet_dirs(dir1_);
  dir1_->clear();
  const std::vector<std::string> chain = FolderChain(drive, folder, FolderSeparator());
  int depth = 0;
  for (const auto& path : chain) {
    const std::string caption = depth == 0 ? path : FileName(path);
    dir1_->addItem(FolderItem(path, caption, depth++, QStyle::SP_DirOpenIcon, style()));
  }
  dir1_->setCurrentRow(dir1_->count() - 1);
  for (const auto& name : listing.folders) {
    dir1_->addItem(FolderItem(ChildFolder(folder, name, FolderSeparator()), name, depth,
                              QStyle::SP_DirClosedIcon, style()));
  }

  const QSignalBlocker quiet_files(file1_);
  file1_->clear();
  for (const auto& name : listing.files) file1_->addItem(QtText(name));
  return true;
}

}  // namespace varnok
