// Pressing OK in the configuration window, through a private CUPS scheduler to the virtual
// label printers: the bytes each printer receives and every message the operator sees.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <chrono>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "app/mdi_form1.h"
#include "config_form_fixture.h"
#include "foundation/blanks.h"
#include "printer_settings/setting_catalogue.h"
#include "printer_settings/setting_names.h"
#include "spooler/cups_spooler.h"
#include "support/background_delivery.h"
#include "support/message_recorder.h"
#include "support/run_command.h"
#include "support/virtual_printer_suite.h"

namespace varnok::testing {
namespace {

using namespace std::chrono_literals;
using Shown = std::vector<Message>;

constexpr auto kCn = Language::Chinese;
constexpr auto kEn = Language::English;
using testing::kJobArrives;
constexpr auto kNoJob = 1000ms;  // a sent job reaches the printer well within this

// Queues of the standard virtual printers, by driver name.
constexpr char kK540[] = "VARNOK_K540_200DPI";  // "VARNOK K540 200DPI"
constexpr char kM4410[] = "Varnok-Office";      // "VARNOK M-4410 (VRLZ)"
constexpr char kN5Plus[] = "VARNOKX";           // "Varnok N5 Plus"
constexpr char kUnknown[] = "VARNOK_Z9";        // "VARNOK Z9 Prototype", supported nowhere

constexpr char kConfig[] =
    "[LANGUAGE]\r\nLG=ENGLISH\r\n"
    "[VARNOK K540 200DPI]\r\nSD=12\r\nST=-4\r\nCD=3\r\nCT=0\r\nFD=5\r\nSP=2\r\nPD=-1\r\n"
    "[VARNOK M-4410]\r\nSD=12\r\n"
    "[VARNOK N5 PLUS]\r\nCD=-3\r\n";

constexpr std::string_view kCompletionCn =
    "传送完毕，5秒钟后请关闭打印机开关，再打开打印机开关，启动后做用户级复位操作！";
constexpr std::string_view kCompletionEn =
    "Finish,after 5 seconds,please turn off the printer, and perform the reset operation!";
constexpr std::string_view kUserResetCn = "用户级复位完成，请重新测纸再继续打印！";
constexpr std::string_view kUserResetEn =
    "After reseting, please do a calibration and continue to print!";
constexpr std::string_view kCutCountEn =
    "When the transimission is over, please power off the printer 5 seconds later and then turn "
    "it on, press CANCEL button to continue to print.";
constexpr std::string_view kNotSupportedEn =
    "Software current version temporarily not support your printer, please contact the "
    "manufacturer offers latest program!";
constexpr std::string_view kNetwork =
    "#UM>IA192.168.1.168\r#UM>MK255.255.255.0\r#UM>GT192.168.1.1\r#UM>NP9100\r";

// The exclamation box titled "提示" or "Notice" that ends or refuses a press of OK.
Message Box(Language window, std::string_view text) {
  return {std::string(text), window == kCn ? "提示" : "Notice", MessageIcon::Exclamation,
          MessageButtons::Ok};
}

Message NotSupportedCn(std::string_view model) {
  return Box(kCn, "软件当前版本暂时不支持" + std::string(model) +
                      "打印机此项设置，请联系厂家提供最新程序！");
}

// A box of the spooler access, titled with the application's name.
Message SpoolerBox(std::string text, MessageIcon icon) {
  return {std::move(text), "VarnoK Utility", icon, MessageButtons::Ok};
}

struct ItemCase {
  Language window;
  ItemId item;
  const char* value;        // typed into Text1 of a value item
  bool second_choice;       // Option5 rather than Option4 for a choice item
  std::string_view bytes;   // the document VARNOK K540 200DPI receives
  std::string_view notice;  // shown afterwards
  bool model_tested;        // refused for an unsupported model in the Chinese window
};

const ItemCase kItemCases[] = {
    {kCn, ItemId::VerticalReflective, "-5", false, "#UM>SD7\r", kCompletionCn, true},
    {kCn, ItemId::VerticalTransmissive, "2.9", false, "#UM>ST-2\r", kCompletionCn, true},
    {kCn, ItemId::MaxPrintLength, "100", false, "#UM>SL500\r\n", kCompletionCn, false},
    {kCn, ItemId::CutPosition, "12", false, "#UM>CD15\r", kCompletionCn, true},
    {kCn, ItemId::PagesPerCut, " 001 ", false, "#UM>CP001\r", kCompletionCn, false},
    {kCn, ItemId::BladeStop, "-2.1", false, "#UM>CT-3\r", kCompletionCn, true},
    {kCn, ItemId::TearOff, "0", false, "#UM>FD5\r", kCompletionCn, true},
    {kCn, ItemId::SensorSensitivity, "05", false, "#UM>DL05\r", kCompletionCn, true},
    {kCn, ItemId::SensorPrecision, "05", false, "#UM>SP05\r", kCompletionCn, true},
    {kCn, ItemId::Network, "", false, kNetwork, kCompletionCn, false},
    {kCn, ItemId::Orientation, "", true, "#UM>DI1\r", kCompletionCn, false},
    {kCn, ItemId::SelfTestLanguage, "", false, "#UM>PLC\r", kCompletionCn, false},
    {kCn, ItemId::PeelPosition, "7", false, "#UM>PD6\r", kCompletionCn, true},
    {kCn, ItemId::UserReset, "", false, "^@\r", kUserResetCn, false},
    {kCn, ItemId::AdvancedReset, "", false, "#UM>IF\r", kCompletionCn, false},
    {kEn, ItemId::VerticalReflective, "-5", false, "#UM>SD7\r", kCompletionEn, true},
    {kEn, ItemId::VerticalTransmissive, "3", false, "#UM>ST-1\r", kCompletionEn, true},
    {kEn, ItemId::CutPosition, "12", false, "#UM>CD15\r", kCompletionEn, true},
    {kEn, ItemId::PagesPerCut, "1", false, "#UM>CP1\r", kCutCountEn, true},
    {kEn, ItemId::BladeStop, "-10", false, "#UM>CT-10\r", kCompletionEn, true},
    {kEn, ItemId::TearOff, "0", false, "#UM>FD5\r", kCompletionEn, true},
    {kEn, ItemId::SensorSensitivity, "12", false, "#UM>DL12\r", kCompletionEn, true},
    {kEn, ItemId::SensorPrecision, "05", false, "#UM>SP7\r", kCompletionEn, true},
    {kEn, ItemId::Network, "", false, kNetwork, kCompletionEn, true},
    {kEn, ItemId::Orientation, "", false, "#UM>DI0\r", kCompletionEn, true},
    {kEn, ItemId::SelfTestLanguage, "", true, "#UM>PLE\r", kCompletionEn, true},
    {kEn, ItemId::PeelPosition, "7", false, "#UM>PD6\r", kCompletionEn, true},
    {kEn, ItemId::UserReset, "", false, "^@\r", kUserResetEn, true},
    {kEn, ItemId::AdvancedReset, "", false, "#UM>IF\r", kCompletionEn, true},
};

std::string_view ItemText(Language window, ItemId id) {
  for (const SettingItem& item : SettingCatalogue(window)) {
    if (item.id == id) return item.text;
  }
  ADD_FAILURE() << "no such item in this window";
  return {};
}

// Removes the queue from the scheduler once a job has been sent to it and its printer has
// received it, just before the window opens the queue again to check it.
class QueueRemovedAfterSending : public Spooler {
 public:
  QueueRemovedAfterSending(Spooler& spooler, VirtualPrinters& printers)
      : spooler_(spooler), printers_(printers) {}

  SpoolerResult<std::vector<std::string>> ListQueues() override { return spooler_.ListQueues(); }
  SpoolerResult<QueueDescription> DescribeQueue(std::string_view queue) override {
    return spooler_.DescribeQueue(queue);
  }
  SpoolerResult<std::unique_ptr<RawJob>> CreateRawJob(std::string_view queue,
                                                      std::string_view title) override {
    sent_ = true;
    return spooler_.CreateRawJob(queue, title);
  }
  SpoolerResult<void> OpenQueue(std::string_view queue) override {
    if (sent_) {
      received = printers_.WaitForJob(queue, kJobArrives);
      printers_.RemoveQueue(queue);
    }
    return spooler_.OpenQueue(queue);
  }

  std::optional<std::string> received;  // what the printer received before the removal

 private:
  Spooler& spooler_;
  VirtualPrinters& printers_;
  bool sent_ = false;
};

class SendThroughCupsTest : public VirtualPrinterSuite<> {
 protected:
  void SetUp() override { std::ofstream(config_path_, std::ios::binary) << kConfig; }

  void Open(Language window, PrinterWorker& printer) {
    form_ = std::make_unique<ConfigForm>(window, printer, messages_, config_path_);
    DeliverBackgroundWork(printer);
    window_ = window;
  }
  void Open(Language window) { Open(window, printer_); }

  template <typename Widget>
  Widget* Control(const char* name) const {
    auto* widget = form_->findChild<Widget*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  // Picks the queue (nullptr: none) and the item as the operator does.
  void Choose(const char* queue, std::optional<ItemId> item) {
    if (queue != nullptr) {
      auto* list = Control<QComboBox>("MODEL");
      const int index = list->findText(queue);
      EXPECT_GE(index, 0) << queue;
      list->setCurrentIndex(index);
    }
    if (item) {
      auto* list = Control<QComboBox>("Combo1");
      const int index = list->findText(QtText(ItemText(window_, *item)));
      list->setCurrentIndex(index);
      emit list->activated(index);
    }
  }

  // Presses OK; what the operator saw.
  Shown PressOk(PrinterWorker& printer) {
    messages_.shown.clear();
    Control<QPushButton>("Command2")->click();
    DeliverBackgroundWork(printer);
    return messages_.shown;
  }
  Shown PressOk() { return PressOk(printer_); }

  // One whole setting in a freshly opened window: queue, item, value or choice, then OK.
  Shown Send(Language window, const char* queue, ItemId item, const char* value = "",
             bool second_choice = false) {
    Open(window);
    Choose(queue, item);
    if (*value != '\0') Control<QLineEdit>("Text1")->setText(QString::fromUtf8(value));
    Control<QRadioButton>(second_choice ? "Option5" : "Option4")->setChecked(true);
    return PressOk();
  }

  CupsSpooler spooler_;
  MessageRecorder messages_;
  PrinterWorker printer_{spooler_};
  QTemporaryDir folder_;
  std::string config_path_ = folder_.filePath("config.ini").toStdString();
  Language window_ = kCn;
  std::unique_ptr<ConfigForm> form_;
};

TEST_F(SendThroughCupsTest, EveryItemReachesThePrinterFollowedByItsNotice) {
  for (const ItemCase& c : kItemCases) {
    SCOPED_TRACE(ItemText(c.window, c.item));
    EXPECT_EQ(Send(c.window, kK540, c.item, c.value, c.second_choice),
              Shown{Box(c.window, c.notice)});
    EXPECT_EQ(printers->WaitForJob(kK540, kJobArrives), std::string(c.bytes));
  }
  for (const std::string& title : printers->JobTitles(kK540)) EXPECT_EQ(title, "Label");
}

// varnok-printer set sends what the Chinese window's OK sends, correction included; a value
// with a fraction, which the window floors, it refuses.
TEST_F(SendThroughCupsTest, CommandLineSendsWhatTheChineseWindowSends) {
  for (const ItemCase& c : kItemCases) {
    if (c.window != kCn) continue;
    SCOPED_TRACE(ItemText(c.window, c.item));
    Send(kCn, kK540, c.item, c.value, c.second_choice);
    const std::optional<std::string> from_window = printers->WaitForJob(kK540, kJobArrives);

    const SettingName& name = *std::ranges::find(SettingNames(), c.item, &SettingName::id);
    std::vector<std::string> args = {VARNOK_PRINTER_PROGRAM, "set", std::string(name.name)};
    if (!name.choices[0].empty()) args.emplace_back(name.choices[c.second_choice ? 1 : 0]);
    if (*c.value != '\0') args.emplace_back(TrimBlanks(c.value));  // as the field can be typed
    if (c.item == ItemId::Network) {
      args.insert(args.end(), {"--address", "192.168.1.168", "--mask", "255.255.255.0", "--gateway",
                               "192.168.1.1", "--port", "9100"});
    }
    args.insert(args.end(), {kK540, "--config", config_path_, "--lang", "en"});
    const CommandResult result = RunCommand(args);
    if (std::string_view(c.value).find('.') != std::string_view::npos) {
      EXPECT_EQ(result.exit_code, 2) << result.output;
      EXPECT_NE(result.err.find("is not a whole number"), std::string::npos) << result.err;
      EXPECT_TRUE(printers->NoJobWithin(kK540, kNoJob));
      continue;
    }
    EXPECT_EQ(result.exit_code, 0) << result.output;
    EXPECT_EQ(printers->WaitForJob(kK540, kJobArrives), from_window);
  }
}

TEST_F(SendThroughCupsTest, ChineseWindowSendsOnlyTheUntestedItemsToAnUnsupportedModel) {
  for (const ItemCase& c : kItemCases) {
    if (c.window != kCn) continue;
    SCOPED_TRACE(ItemText(c.window, c.item));
    if (c.model_tested) {
      EXPECT_EQ(Send(kCn, kUnknown, c.item, c.value), Shown{NotSupportedCn("VARNOK Z9 PROTOTYPE")});
    } else {
      EXPECT_EQ(Send(kCn, kUnknown, c.item, c.value, c.second_choice), Shown{Box(kCn, c.notice)});
      EXPECT_EQ(printers->WaitForJob(kUnknown, kJobArrives), std::string(c.bytes));
    }
  }
  EXPECT_TRUE(printers->NoJobWithin(kUnknown, kNoJob));
}

TEST_F(SendThroughCupsTest, LanguageMarkIsDroppedOnlyByTheChineseWindow) {
  // Model VARNOK M-4410, whose correction of 12 is added to the 0 typed.
  EXPECT_EQ(Send(kCn, kM4410, ItemId::VerticalReflective, "0"), Shown{Box(kCn, kCompletionCn)});
  EXPECT_EQ(printers->WaitForJob(kM4410, kJobArrives), "#UM>SD12\r");

  for (const ItemCase& c : kItemCases) {
    if (c.window != kEn) continue;
    SCOPED_TRACE(ItemText(c.window, c.item));
    EXPECT_EQ(Send(kEn, kM4410, c.item, c.value, c.second_choice),
              Shown{Box(kEn, kNotSupportedEn)});
  }
  EXPECT_TRUE(printers->NoJobWithin(kM4410, kNoJob));
}

TEST_F(SendThroughCupsTest, ModelIsFoundWhateverTheLetterCaseOfTheDriverName) {
  for (Language window : {kCn, kEn}) {
    EXPECT_EQ(Send(window, kN5Plus, ItemId::CutPosition, "12"),
              Shown{Box(window, window == kCn ? kCompletionCn : kCompletionEn)});
    EXPECT_EQ(printers->WaitForJob(kN5Plus, kJobArrives), "#UM>CD9\r");
  }
}

TEST_F(SendThroughCupsTest, EmptyItemListRefusesOnlyAnUnsupportedModel) {
  for (Language window : {kCn, kEn}) {
    Open(window);
    Choose(kK540, std::nullopt);
    EXPECT_EQ(PressOk(), Shown{});
    Choose(kUnknown, std::nullopt);
    EXPECT_EQ(PressOk(), Shown{window == kCn ? NotSupportedCn("VARNOK Z9 PROTOTYPE")
                                             : Box(kEn, kNotSupportedEn)});
  }
  EXPECT_TRUE(printers->NoJobWithin(kK540, kNoJob));
  EXPECT_TRUE(printers->NoJobWithin(kUnknown, kNoJob));
}

TEST_F(SendThroughCupsTest, NetworkDocumentKeepsAnEmptyField) {
  Open(kCn);
  Choose(kK540, ItemId::Network);
  Control<QLineEdit>("Text5")->clear();
  Control<QLineEdit>("Text14")->setText("9101");
  EXPECT_EQ(PressOk(), Shown{Box(kCn, kCompletionCn)});
  EXPECT_EQ(printers->WaitForJob(kK540, kJobArrives),
            "#UM>IA192.168.1.\r#UM>MK255.255.255.0\r#UM>GT192.168.1.1\r#UM>NP9101\r");
}

TEST_F(SendThroughCupsTest, MissingQueueIsReported) {
  const Message none_cn{"请选择正确的打印机名称！", "找不到打印机", MessageIcon::Question,
                        MessageButtons::Ok};
  const Message none_en{"Please choose the correct printer name!", "Find printer",
                        MessageIcon::Question, MessageButtons::Ok};
  const Message gone =
      SpoolerBox("Cannot open printer VARNOK_Gone, Error: 1030", MessageIcon::None);
  for (Language window : {kCn, kEn}) {
    Open(window);
    Choose(nullptr, ItemId::AdvancedReset);
    EXPECT_EQ(PressOk(), Shown{window == kCn ? none_cn : none_en});

    // Listed when the window opened, deleted before OK.
    printers->AddQueue({"VARNOK_Gone", "VARNOK K540 200DPI"});
    Open(window);
    printers->RemoveQueue("VARNOK_Gone");
    Choose("VARNOK_Gone", ItemId::AdvancedReset);
    EXPECT_EQ(PressOk(), Shown{gone});
  }
}

TEST_F(SendThroughCupsTest, QueueRejectingJobsGivesTheRefusalInTheWindowsLanguageAndNoNotice) {
  printers->RejectJobs(kN5Plus);
  const Shown chinese = Send(kCn, kN5Plus, ItemId::AdvancedReset);
  const Shown english = Send(kEn, kN5Plus, ItemId::AdvancedReset);
  printers->AcceptJobs(kN5Plus);

  EXPECT_EQ(chinese, Shown{SpoolerBox("无法将设置发送到打印机 VARNOKX，请检查该打印机后重试。"
                                      "原因：Destination \"VARNOKX\" is not accepting jobs.",
                                      MessageIcon::Exclamation)});
  EXPECT_EQ(english, Shown{SpoolerBox("Could not send to printer VARNOKX: Destination \"VARNOKX\" "
                                      "is not accepting jobs.",
                                      MessageIcon::Exclamation)});
  EXPECT_TRUE(printers->NoJobWithin(kN5Plus, kNoJob));
}

TEST_F(SendThroughCupsTest, QueueRemovedBetweenSendingAndTheCheckGivesNoNotice) {
  printers->AddQueue({"VARNOK_Vanishing", "VARNOK K540 200DPI"});
  QueueRemovedAfterSending spooler(spooler_, *printers);
  PrinterWorker printer(spooler);
  Open(kEn, printer);
  Choose("VARNOK_Vanishing", ItemId::AdvancedReset);

  EXPECT_EQ(PressOk(printer), Shown{});
  EXPECT_EQ(spooler.received, "#UM>IF\r");
  form_.reset();
}

// The main window hands its own messages to the configuration window it opens.
TEST_F(SendThroughCupsTest, ConfigurationWindowOfTheMainWindowTellsThroughItsMessages) {
  MDIForm1 frame(printer_, messages_, config_path_);
  DeliverBackgroundWork(printer_);
  auto* form = frame.findChild<ConfigForm*>("Form3_en");
  ASSERT_NE(form, nullptr);
  form->findChild<QComboBox*>("MODEL")->setCurrentText(kK540);
  auto* items = form->findChild<QComboBox*>("Combo1");
  items->setCurrentText("Reset");
  emit items->activated(items->currentIndex());
  form->findChild<QPushButton*>("Command2")->click();
  DeliverBackgroundWork(printer_);

  EXPECT_EQ(messages_.shown, Shown{Box(kEn, kUserResetEn)});
  EXPECT_EQ(printers->WaitForJob(kK540, kJobArrives), "^@\r");
}

}  // namespace
}  // namespace varnok::testing
