// The queue list of the configuration window against a private CUPS scheduler.
#include <QStringList>
#include <algorithm>

#include "config_form_fixture.h"
#include "spooler/cups_spooler.h"
#include "support/message_recorder.h"
#include "support/virtual_printer_suite.h"

namespace varnok::testing {
namespace {

class QueueListTest : public VirtualPrinterSuite<> {
 protected:
  // The window's list, once the scheduler has answered.
  QStringList Queues(ConfigForm& form) {
    DeliverBackgroundWork(printer_);
    return Entries(*form.findChild<QComboBox*>("MODEL"));
  }

  // The named queues in the order the scheduler lists them.
  QStringList InSpoolerOrder(const QStringList& names) {
    QStringList ordered;
    const SpoolerResult<std::vector<std::string>> listed = spooler_.ListQueues();
    for (const std::string& queue : *listed) {
      if (names.contains(QString::fromStdString(queue))) ordered << QString::fromStdString(queue);
    }
    return ordered;
  }

  CupsSpooler spooler_;
  MessageRecorder messages_;
  PrinterWorker printer_{spooler_};
};

TEST_F(QueueListTest, ListsTheBrandQueuesOnly) {
  const QStringList brand = {"VARNOK_K540_200DPI", "Varnok-Office", "VARNOKX", "VARNOK_Z9",
                             "VARNOK_LongDriver"};
  for (Language window : {Language::Chinese, Language::English}) {
    ConfigForm form(window, printer_, messages_, "config.ini");
    EXPECT_EQ(Queues(form), InSpoolerOrder(brand));
    for (const char* decoy : {"varnok_K540", "VarNok_R5", "VARNO", "My_VARNOK"}) {
      EXPECT_FALSE(Queues(form).contains(decoy)) << decoy;
    }
  }
}

TEST_F(QueueListTest, QueueAddedBeforeReopeningAppears) {
  auto open = std::make_unique<ConfigForm>(Language::English, printer_, messages_, "config.ini");
  const QStringList before = Queues(*open);
  printers->AddQueue({"VARNOK_K540_200DPI_Copy_2", "VARNOK K540 200DPI"});

  EXPECT_EQ(Queues(*open), before);  // an open window is not refilled
  open = std::make_unique<ConfigForm>(Language::English, printer_, messages_, "config.ini");
  EXPECT_TRUE(Queues(*open).contains("VARNOK_K540_200DPI_Copy_2"));
  EXPECT_EQ(Queues(*open).size(), before.size() + 1);
  printers->RemoveQueue("VARNOK_K540_200DPI_Copy_2");
}

}  // namespace
}  // namespace varnok::testing
