// The send-file window against a private CUPS scheduler and its virtual label printers.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "send_file/send_file_form.h"
#include "spooler/cups_spooler.h"
#include "spooler/label_printer/spooler_label_printer.h"
#include "support/background_delivery.h"
#include "support/message_recorder.h"
#include "support/temp_folder.h"
#include "support/virtual_printer_suite.h"

namespace varnok {
namespace {

using namespace std::chrono_literals;

constexpr const char* kQueue = "VARNOK_K540_200DPI";

// Writes a file of the given size: a pattern of prime period, each mebibyte numbered, so that
// a lost, doubled or shifted piece shows.
std::string WriteLargeFile(const testing::TempFolder& folder, const char* name,
                           std::size_t mebibytes) {
  const std::string path = folder.path() + "/" + name;
  std::ofstream out(path, std::ios::binary);
  std::string piece(1024 * 1024, '\0');
  for (std::size_t i = 0; i < piece.size(); ++i) piece[i] = static_cast<char>(i % 251);
  for (std::size_t m = 0; m < mebibytes; ++m) {
    piece.replace(0, 8, std::to_string(10'000'000 + m));
    out.write(piece.data(), std::ssize(piece));
  }
  return path;
}

std::string FileBytes(const std::string& path) {
  std::string bytes(std::filesystem::file_size(path), '\0');
  std::ifstream(path, std::ios::binary).read(bytes.data(), std::ssize(bytes));
  return bytes;
}

class SendFileCupsTest : public testing::VirtualPrinterSuite<> {
 protected:
  // Opens the window with the printer chosen in Combo1.
  void Open(const char* printer = kQueue) {
    form_ = std::make_unique<SendFileForm>(printer_, library_, messages_);
    testing::DeliverBackgroundWork(printer_);
    auto* combo = form_->findChild<QComboBox*>("Combo1");
    combo->setCurrentIndex(combo->findText(printer));
  }
  void SendPath(const std::string& typed) {
    Text2()->setText(QString::fromStdString(typed));
    Press();
  }
  void Press() {
    form_->findChild<QPushButton*>("Command1")->click();
    testing::DeliverBackgroundWork(printer_);
  }
  QLineEdit* Text2() { return form_->findChild<QLineEdit*>("Text2"); }

  static constexpr auto kJobArrives = testing::kJobArrives;
  static constexpr auto kNoJob = 1500ms;  // a sent job reaches the printer well within this

  CupsSpooler spooler_;
  SpoolerLabelPrinter library_{spooler_};
  testing::MessageRecorder messages_;
  PrinterWorker printer_{spooler_};
  testing::TempFolder folder_;
  std::unique_ptr<SendFileForm> form_;
};

TEST_F(SendFileCupsTest, ListsPrintersBeginningWithVARNOKOrVarnokOnly) {
  Open();
  std::vector<std::string> listed;
  const auto* combo = form_->findChild<QComboBox*>("Combo1");
  for (int i = 0; i < combo->count(); ++i) listed.push_back(combo->itemText(i).toStdString());
  for (const auto& queue : testing::VirtualPrinters::StandardQueues()) {
    const bool brand = queue.name.starts_with("VARNOK") || queue.name.starts_with("Varnok");
    EXPECT_EQ(std::count(listed.begin(), listed.end(), queue.name), brand ? 1 : 0) << queue.name;
  }
}

TEST_F(SendFileCupsTest, AChosenFileArrivesByteForByteAsOneJobTitledWithItsName) {
  std::string every_byte;
  for (int i = 0; i < 4 * 256; ++i) every_byte += static_cast<char>(i % 256);
  const std::vector<std::pair<std::string, std::string>> files = {
      {"label.txt", "^XA\r\n^FO50,50^FDVarnoK label^FS\r\n^XZ\r\n"},
      {"every byte.bin", every_byte}};
  const auto previous_folder = std::filesystem::current_path();
  std::filesystem::current_path(folder_.path());  // the window opens on the current folder
  for (const auto& [name, bytes] : files) {
    folder_.Write(name, bytes);
    Open();
    auto* file1 = form_->findChild<QListWidget*>("File1");
    emit file1->itemClicked(file1->findItems(QString::fromStdString(name), Qt::MatchExactly)[0]);
    Press();

    const auto received = printers->WaitForJob(kQueue, kJobArrives);
    ASSERT_TRUE(received.has_value()) << name;
    EXPECT_TRUE(*received == bytes) << name;
    EXPECT_EQ(printers->JobTitles(kQueue).back(), name);
    EXPECT_EQ(Text2()->text(), "");
  }
  std::filesystem::current_path(previous_folder);
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(SendFileCupsTest, AHundredMebibyteFileTypedWithBlanksArrivesWhole) {
  const std::string path = WriteLargeFile(folder_, "large.prn", 100);
  Open();
  SendPath("  " + path + "  ");

  const auto received = printers->WaitForJob(kQueue, kJobArrives);
  ASSERT_TRUE(received.has_value());
  EXPECT_EQ(received->size(), 100u * 1024 * 1024);
  EXPECT_TRUE(*received == FileBytes(path));
  EXPECT_EQ(Text2()->text(), "");
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(SendFileCupsTest, EmptyPathAndFailuresAreReportedTheTypedPathIsKeptNothingIsSent) {
  const std::string file = folder_.Write("a.prn", "^XA^XZ");
  const std::string missing = folder_.path() + "/missing.prn";
  const std::string empty = folder_.Write("empty.prn", "");
  Open();
  SendPath("");
  SendPath(missing);
  EXPECT_EQ(Text2()->text().toStdString(), missing);
  SendPath(empty);
  printers->AddQueue({"VARNOK_Gone", "VARNOK K540 200DPI"});
  Open("VARNOK_Gone");
  printers->RemoveQueue("VARNOK_Gone");
  SendPath(file);
  printers->RejectJobs("VARNOKX");
  Open("VARNOKX");
  SendPath(file);
  printers->AcceptJobs("VARNOKX");
  EXPECT_EQ(Text2()->text().toStdString(), file);

  const std::vector<std::string> begin_with = {
      "Please select a file,at first!", "The file \"" + missing + "\" does not exist.",
      "The file \"" + empty + "\" is empty. Nothing was sent.",
      "The printer \"VARNOK_Gone\" cannot be reached (",
      "The printer \"VARNOKX\" did not take the file \"" + file + "\" ("};
  ASSERT_EQ(messages_.shown.size(), begin_with.size());
  for (std::size_t i = 0; i < begin_with.size(); ++i) {
    EXPECT_TRUE(messages_.shown[i].text.starts_with(begin_with[i])) << messages_.shown[i].text;
  }
  EXPECT_TRUE(printers->NoJobWithin(kQueue, kNoJob));
  EXPECT_TRUE(printers->NoJobWithin("VARNOKX", kNoJob));
}

TEST_F(SendFileCupsTest, CancelDuringALargeSendLeavesNothingAtThePrinter) {
  const std::string path = WriteLargeFile(folder_, "large.prn", 64);
  Open();
  QTimer canceller;
  QObject::connect(&canceller, &QTimer::timeout, [this] {
    auto* dialog = form_->findChild<QProgressDialog*>();
    if (dialog != nullptr && dialog->isVisible() && dialog->value() > 0) dialog->cancel();
  });
  canceller.start(0);
  SendPath(path);

  EXPECT_TRUE(printers->NoJobWithin(kQueue, kNoJob));
  EXPECT_EQ(Text2()->text().toStdString(), path);
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_NE(messages_.shown[0].text.find("was cancelled"), std::string::npos);
}

}  // namespace
}  // namespace varnok
