#include "printer_settings/apply_setting.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "printer_settings/setting_catalogue.h"
#include "printer_settings/setting_item.h"
#include "printer_settings/supported_models.h"
#include "support/fake_spooler.h"
#include "support/language_shorthands.h"
#include "support/message_recorder.h"
#include "support/temp_folder.h"

namespace varnok {
namespace {

using testing::FakeSpooler;
using testing::MessageRecorder;
using testing::TempFolder;
using Texts = std::vector<std::string>;
using Shown = std::vector<Message>;

constexpr char kQueue[] = "VARNOK_Test";
constexpr char kSupported[] = "Varnok N5 Plus";  // model name VARNOK N5 PLUS

constexpr char kConfig[] =
    "[LANGUAGE]\r\nLG=CHINESE\r\n"
    "[VARNOK N5 PLUS]\r\nSD=0\r\nST=0\r\nCD=-3\r\nCT=0\r\nFD=0\r\nPD=1\r\nSP=0\r\n"
    "[VARNOK M-4410]\r\nSD=12\r\n";

Message Box(std::string_view text, Language window, MessageIcon icon = MessageIcon::Exclamation) {
  return {std::string(text), window == kCn ? "提示" : "Notice", icon, MessageButtons::Ok};
}

constexpr std::string_view kCompletionCn =
    "传送完毕，5秒钟后请关闭打印机开关，再打开打印机开关，启动后做用户级复位操作！";
constexpr std::string_view kCompletionEn =
    "Finish,after 5 seconds,please turn off the printer, and perform the reset operation!";
constexpr std::string_view kNotSupportedEn =
    "Software current version temporarily not support your printer, please contact the "
    "manufacturer offers latest program!";

// The queue removed as soon as its job is taken, so the check after sending finds nothing.
class VanishingSpooler : public FakeSpooler {
 public:
  SpoolerResult<std::unique_ptr<RawJob>> CreateRawJob(std::string_view queue,
                                                      std::string_view title) override {
    auto job = FakeSpooler::CreateRawJob(queue, title);
    RemoveQueue(std::string(queue));
    return job;
  }
};

SettingInputs Inputs(std::string_view item, std::string_view value = "0") {
  SettingInputs inputs;
  inputs.queue = kQueue;
  inputs.item_text = item;
  inputs.value = value;
  inputs.network = {"192", "168", "1",   "168", "255", "255", "255",
                    "0",   "192", "168", "1",   "1",   "9100"};
  return inputs;
}

// What one press of OK did.
struct Press {
  ApplyOutcome outcome;
  Texts sent;  // the bytes of each job
  Shown shown;
};

class ApplySettingTest : public ::testing::Test {
 protected:
  void SetUp() override { WriteConfig(kConfig); }

  void WriteConfig(std::string_view text) { folder_.Write("config.ini", text); }

  Press PressOk(Language window, const SettingInputs& inputs, FakeSpooler& spooler) {
    MessageRecorder recorder;
    Press press{ApplySetting(window, inputs, spooler, recorder, folder_.File("config.ini")),
                {},
                std::move(recorder.shown)};
    for (const auto& job : spooler.jobs()) {
      EXPECT_EQ(job.title, "Label");
      press.sent.push_back(job.bytes);
    }
    return press;
  }
  Press PressOk(Language window, const SettingInputs& inputs, std::string driver = kSupported) {
    FakeSpooler spooler;
    spooler.AddQueue(kQueue, {std::move(driver)});
    return PressOk(window, inputs, spooler);
  }

  TempFolder folder_;
};

struct ItemCase {
  Language window;
  std::string_view item;
  std::string_view value;
  bool option5;
  std::string_view bytes;
  std::string_view notice;
};

TEST_F(ApplySettingTest, EveryItemSendsItsCommandThenItsNotice) {
  const std::string network =
      "#UM>IA192.168.1.168\r#UM>MK255.255.255.0\r#UM>GT192.168.1.1\r#UM>NP9100\r";
  const std::string_view user_reset_cn = "用户级复位完成，请重新测纸再继续打印！";
  const std::string_view user_reset_en =
      "After reseting, please do a calibration and continue to print!";
  const std::string_view cut_count_en =
      "When the transimission is over, please power off the printer 5 seconds later and then "
      "turn it on, press CANCEL button to continue to print.";
  const ItemCase cases[] = {
      {kCn, "打印垂直位置调整（反射式）", "-5", false, "#UM>SD-5\r", kCompletionCn},
      {kCn, "打印垂直位置调整（穿透式）", "2.9", false, "#UM>ST2\r", kCompletionCn},
      {kCn, "最大打印长度设置", "100", false, "#UM>SL500\r\n", kCompletionCn},
      {kCn, "切刀切断位置调整", "12", false, "#UM>CD9\r", kCompletionCn},
      {kCn, "切刀切的张数调整", " 001 ", false, "#UM>CP001\r", kCompletionCn},
      {kCn, "切刀刀片位置调整", "-2.1", false, "#UM>CT-3\r", kCompletionCn},
      {kCn, "回卷撕纸位置调整", "-0", false, "#UM>FD0\r", kCompletionCn},
      {kCn, "探测器灵敏度设定", "05", false, "#UM>DL05\r", kCompletionCn},
      {kCn, "探测器精度设定", "05", false, "#UM>SP05\r", kCompletionCn},
      {kCn, "打印机网卡设置", "", false, network, kCompletionCn},
      {kCn, "打印方向设定", "", true, "#UM>DI1\r", kCompletionCn},
      {kCn, "自检信息语言设定", "", false, "#UM>PLC\r", kCompletionCn},
      {kCn, "剥纸位置调整", " 7 ", false, "#UM>PD8\r", kCompletionCn},
      {kCn, "用户级复位", "", false, "^@\r", user_reset_cn},
      {kCn, "高级复位", "", false, "#UM>IF\r", kCompletionCn},
      {kEn, "Adjust the vertical printing position (reflective)", "-5", false, "#UM>SD-5\r",
       kCompletionEn},
      {kEn, "Adjust the vertical printing position (transmissive)", "3", false, "#UM>ST3\r",
       kCompletionEn},
      {kEn, "Adjust the cutting position of the cutter", "12", false, "#UM>CD9\r", kCompletionEn},
      {kEn, "Set the number of pages per cutting", "1", false, "#UM>CP1\r", cut_count_en},
      {kEn, "Adjust the stop position of the cutter blade", "-10", false, "#UM>CT-10\r",
       kCompletionEn},
      {kEn, "Adjust the back feed tear off position", "0", false, "#UM>FD0\r", kCompletionEn},
      {kEn, "Set the sensitivity of the media sensor", "12", false, "#UM>DL12\r", kCompletionEn},
      {kEn, "Set the precision of the media sensor", "05", false, "#UM>SP5\r", kCompletionEn},
      {kEn, "Set Printer nic", "", false, network, kCompletionEn},
      {kEn, "Set the printing orientations", "", false, "#UM>DI0\r", kCompletionEn},
      {kEn, "Set the language of the self-test report", "", true, "#UM>PLE\r", kCompletionEn},
      {kEn, "Adjusting the peeling position of the peeler", "7", false, "#UM>PD8\r", kCompletionEn},
      {kEn, "Reset", "", false, "^@\r", user_reset_en},
      {kEn, "The advanced reset", "", false, "#UM>IF\r", kCompletionEn},
  };
  for (const ItemCase& c : cases) {
    SettingInputs inputs = Inputs(c.item, c.value);
    inputs.option4_selected = !c.option5;
    inputs.option5_selected = c.option5;
    const Press press = PressOk(c.window, inputs);
    EXPECT_EQ(press.outcome, ApplyOutcome::Sent) << c.item;
    EXPECT_EQ(press.sent, Texts{std::string(c.bytes)}) << c.item;
    EXPECT_EQ(press.shown, Shown{Box(c.notice, c.window)}) << c.item;
  }
}

TEST_F(ApplySettingTest, NoQueueAsksForOneAndTouchesNoSpooler) {
  SettingInputs inputs = Inputs("用户级复位");
  inputs.queue.clear();
  FakeSpooler spooler;
  const Message chinese{"请选择正确的打印机名称！", "找不到打印机", MessageIcon::Question};
  const Message english{"Please choose the correct printer name!", "Find printer",
                        MessageIcon::Question};
  EXPECT_EQ(PressOk(kCn, inputs, spooler).shown, Shown{chinese});
  const Press press = PressOk(kEn, inputs, spooler);
  EXPECT_EQ(press.outcome, ApplyOutcome::NoQueue);
  EXPECT_EQ(press.shown, Shown{english});
  EXPECT_EQ(spooler.open_count(), 0);
}

TEST_F(ApplySettingTest, DriverNameFailureEndsAfterItsOwnMessage) {
  FakeSpooler spooler;
  spooler.AddQueue(kQueue, {kSupported, DescribeFailure::DescriptionUnreadable});
  const Press press = PressOk(kCn, Inputs("用户级复位"), spooler);
  EXPECT_EQ(press.outcome, ApplyOutcome::NoDriverName);
  EXPECT_EQ(press.shown.size(), 1u);
  EXPECT_TRUE(press.sent.empty());
}

TEST_F(ApplySettingTest, LanguageMarkIsDroppedOnlyInTheChineseWindow) {
  constexpr char kMarked[] = "VARNOK M-4410 (VRLZ)";
  EXPECT_EQ(PressOk(kCn, Inputs("打印垂直位置调整（反射式）", "0"), kMarked).sent,
            Texts{"#UM>SD12\r"});
  for (const SettingItem& item : SettingCatalogue(kEn)) {
    const Press press = PressOk(kEn, Inputs(item.text), kMarked);
    EXPECT_EQ(press.outcome, ApplyOutcome::ModelNotSupported) << item.text;
    EXPECT_EQ(press.shown, Shown{Box(kNotSupportedEn, kEn)}) << item.text;
    EXPECT_TRUE(press.sent.empty()) << item.text;
  }
}

TEST_F(ApplySettingTest, ChineseWindowRefusesOnlyTheModelDependentItemsOfAnUnknownModel) {
  const std::set<ItemId> tested{ItemId::VerticalReflective,
                                ItemId::VerticalTransmissive,
                                ItemId::CutPosition,
                                ItemId::BladeStop,
                                ItemId::TearOff,
                                ItemId::SensorSensitivity,
                                ItemId::SensorPrecision,
                                ItemId::PeelPosition};
  for (const SettingItem& item : SettingCatalogue(kCn)) {
    const Press press = PressOk(kCn, Inputs(item.text, "1"), "VARNOK X9 (VRLE)");
    if (tested.contains(item.id)) {
      EXPECT_EQ(press.shown, Shown{Box("软件当前版本暂时不支持VARNOK X9打印机此项设置，"
                                       "请联系厂家提供最新程序！",
                                       kCn)})
          << item.text;
      EXPECT_TRUE(press.sent.empty()) << item.text;
    } else {
      EXPECT_EQ(press.outcome, ApplyOutcome::Sent) << item.text;
    }
  }
}

TEST_F(ApplySettingTest, EmptyItemTextSendsNothingAndRefusesOnlyUnknownModels) {
  for (const Language window : {kCn, kEn}) {
    const Press supported = PressOk(window, Inputs(""));
    EXPECT_EQ(supported.outcome, ApplyOutcome::NoItem);
    EXPECT_TRUE(supported.shown.empty());
    const Press unknown = PressOk(window, Inputs(""), "(VRLZ)");  // no model name at all
    EXPECT_EQ(unknown.outcome, ApplyOutcome::ModelNotSupported);
    EXPECT_EQ(unknown.shown.size(), 1u);
    EXPECT_TRUE(unknown.sent.empty());
  }
}

struct ProblemCase {
  Language window;
  std::string_view config;  // the model's section
  std::string_view value;
  ApplyOutcome outcome;
  std::string_view message;
};

TEST_F(ApplySettingTest, BadValueOrCorrectionIsNamedAndNothingIsSent) {
  const ProblemCase cases[] = {
      {kEn, "CD=", "2", ApplyOutcome::CorrectionMissing,
       "The settings file config.ini has no correction CD for the model VARNOK N5 PLUS. Nothing "
       "was sent."},
      {kEn, "CD=32768", "2", ApplyOutcome::CorrectionNotWholeNumber,
       "The correction CD for the model VARNOK N5 PLUS in the settings file config.ini "
       "(\"32768\") is not a whole number from -32768 to 32767. Nothing was sent."},
      {kCn, "SD=1", "2", ApplyOutcome::CorrectionMissing,
       "配置文件 config.ini 中没有型号 VARNOK N5 PLUS 的修正值 CD，设置未发送！"},
      {kCn, "CD=1.5", "2", ApplyOutcome::CorrectionNotWholeNumber,
       "配置文件 config.ini 中型号 VARNOK N5 PLUS 的修正值 CD（“1.5”）不是 -32768 到 32767 "
       "之间的整数，设置未发送！"},
      {kCn, "CD=0", "", ApplyOutcome::ValueNotANumber, "请先输入数值！设置未发送。"},
      {kCn, "CD=0", "--1..2", ApplyOutcome::ValueNotANumber,
       "数值“--1..2”不是有效的数字，设置未发送！请输入数字，例如 12 或 -5。"},
      {kEn, "CD=0", " ", ApplyOutcome::ValueNotANumber,
       "Please enter a value first. Nothing was sent."},
      {kEn, "CD=0", "{model}.", ApplyOutcome::ValueNotANumber,
       "The value \"{model}.\" is not a number. Nothing was sent. Please enter a number such as "
       "12 or -5."},
  };
  for (const ProblemCase& c : cases) {
    WriteConfig("[VARNOK N5 PLUS]\n" + std::string(c.config) + "\n");
    const std::string_view item =
        c.window == kCn ? "切刀切断位置调整" : "Adjust the cutting position of the cutter";
    const Press press = PressOk(c.window, Inputs(item, c.value));
    EXPECT_EQ(press.outcome, c.outcome) << c.config << " " << c.value;
    EXPECT_EQ(press.shown, Shown{Box(c.message, c.window)});
    EXPECT_TRUE(press.sent.empty());
  }
}

TEST_F(ApplySettingTest, CorrectionsAreSixteenBitWholeNumbers) {
  for (const auto& [stored, sent] :
       {std::pair{"+5", "#UM>CD7\r"}, {"-32768", "#UM>CD-32766\r"}, {"32767", "#UM>CD32769\r"}}) {
    WriteConfig(std::string("[varnok n5 plus]\nCD=") + stored + "\n");
    EXPECT_EQ(PressOk(kEn, Inputs("Adjust the cutting position of the cutter", "2")).sent,
              Texts{sent});
  }
  for (const char* stored : {"abc", "12 3", "--1", "+-1", "-32769", "99999999999999999999"}) {
    WriteConfig(std::string("[VARNOK N5 PLUS]\nCD=") + stored + "\n");
    EXPECT_EQ(PressOk(kEn, Inputs("Adjust the cutting position of the cutter")).outcome,
              ApplyOutcome::CorrectionNotWholeNumber)
        << stored;
  }
}

TEST_F(ApplySettingTest, NoNoticeWhenTheSpoolerRefusedTheJob) {
  FakeSpooler spooler;
  spooler.AddQueue(kQueue, {kSupported});
  spooler.queue(kQueue).refuses_jobs = true;
  const Press press = PressOk(kCn, Inputs("高级复位"), spooler);
  EXPECT_EQ(press.outcome, ApplyOutcome::SendFailed);
  ASSERT_EQ(press.shown.size(), 1u);  // the spooler's own refusal only
  EXPECT_NE(press.shown[0].text, kCompletionCn);
}

TEST_F(ApplySettingTest, NoNoticeWhenTheQueueIsGoneAfterSending) {
  VanishingSpooler spooler;
  spooler.AddQueue(kQueue, {kSupported});
  const Press press = PressOk(kEn, Inputs("The advanced reset"), spooler);
  EXPECT_EQ(press.outcome, ApplyOutcome::QueueGone);
  EXPECT_EQ(press.sent, Texts{"#UM>IF\r"});
  EXPECT_TRUE(press.shown.empty());
}

// A queue that refuses jobs, or a spooler that falls silent at some request of the press: one
// message in the window's language, naming the queue (at the driver lookup, after the lookup's
// own), and never the notice. Silence at the check
// after a send the spooler acknowledged shows nothing: the setting has been sent, and sending it
// again would apply it twice.
TEST_F(ApplySettingTest, RefusalsAndSilenceAreToldInTheWindowsLanguage) {
  constexpr char kRefusedCn[] =
      "无法将设置发送到打印机 VARNOK_Test，请检查该打印机后重试。"
      "原因：Destination \"VARNOK_Test\" is not accepting jobs.";
  constexpr char kRefusedEn[] =
      "Could not send to printer VARNOK_Test: Destination \"VARNOK_Test\" is not accepting jobs.";
  constexpr char kNoAnswerCn[] =
      "打印系统没有及时响应（打印机 VARNOK_Test），设置可能未发送。请检查打印服务和打印机后重试。";
  constexpr char kNoAnswerEn[] =
      "The print system did not answer in time about printer VARNOK_Test. The setting may not "
      "have been sent: check the print system and the printer, then try again.";
  constexpr char kLookupFailed[] = " > GetPrinter Failed on initial call! <";
  constexpr char kLookupNoAnswerCn[] =
      "打印系统没有及时响应（打印机 VARNOK_Test），未发送任何设置。请检查打印服务和打印机后重试。";
  constexpr char kLookupNoAnswerEn[] =
      "The print system did not answer in time about printer VARNOK_Test. Nothing was sent: "
      "check the print system and the printer, then try again.";
  struct Case {
    Language window;
    bool refuses_jobs;
    int answers;  // requests answered before the spooler falls silent
    ApplyOutcome outcome;
    const char* message;  // nullptr: none
    bool sent;
    const char* then = nullptr;  // a second message
  };
  const Case cases[] = {
      {kCn, true, -1, ApplyOutcome::SendFailed, kRefusedCn, false},
      {kEn, true, -1, ApplyOutcome::SendFailed, kRefusedEn, false},
      // Silent at the driver lookup: its own failure, the same in both windows, then the queue
      // and the cause in the window's language.
      {kCn, false, 0, ApplyOutcome::NoDriverName, kLookupFailed, false, kLookupNoAnswerCn},
      {kEn, false, 0, ApplyOutcome::NoDriverName, kLookupFailed, false, kLookupNoAnswerEn},
      // Silent when the send opens the queue, when it creates the job, at the check after it.
      {kCn, false, 1, ApplyOutcome::SendFailed, kNoAnswerCn, false},
      {kEn, false, 1, ApplyOutcome::SendFailed, kNoAnswerEn, false},
      {kCn, false, 2, ApplyOutcome::SendFailed, kNoAnswerCn, false},
      {kEn, false, 2, ApplyOutcome::SendFailed, kNoAnswerEn, false},
      {kCn, false, 3, ApplyOutcome::CheckUnanswered, nullptr, true},
      {kEn, false, 3, ApplyOutcome::CheckUnanswered, nullptr, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << (c.message ? c.message : "no message"));
    FakeSpooler spooler;
    spooler.AddQueue(
        kQueue,
        {.make_and_model = kSupported, .refuses_jobs = c.refuses_jobs, .answers = c.answers});
    const Press press =
        PressOk(c.window, Inputs(c.window == kCn ? "高级复位" : "The advanced reset"), spooler);
    EXPECT_EQ(press.outcome, c.outcome);
    ASSERT_EQ(press.shown.size(), (c.message ? 1u : 0u) + (c.then ? 1u : 0u));
    if (c.message) {
      EXPECT_EQ(press.shown[0].text, c.message);
    }
    if (c.then) {
      EXPECT_EQ(press.shown[1].text, c.then);
    }
    EXPECT_EQ(press.sent, c.sent ? Texts{"#UM>IF\r"} : Texts{});
  }
}

struct ModelNameCase {
  std::string_view driver;
  bool drops_mark;
  std::string_view model;
};

TEST(ModelName, UpperCasedAndStrippedOfTheLanguageMark) {
  const ModelNameCase cases[] = {
      {"varnok m-4410 (vrle)", true, "VARNOK M-4410"},
      {"VARNOK M-4410 (VRLZ)", false, "VARNOK M-4410 (VRLZ)"},
      {"VARNOK M-4410(VRLZ)", true, "VARNOK M-441"},
      {"(VRLE)", true, ""},
      {" (VRLE)", true, ""},
      {"VARNOK 标签(VRLZ)", true, "VARNOK 标"},  // a whole character, never a byte of one
      {"VARNOK (VRLZ) X", true, "VARNOK (VRLZ) X"},
  };
  for (const ModelNameCase& c : cases) {
    EXPECT_EQ(ModelName(c.driver, c.drops_mark), c.model) << c.driver;
  }
  EXPECT_TRUE(IsSupportedModel("VARNOK K540/200E"));
  EXPECT_FALSE(IsSupportedModel("VARNOK M-4410 "));
}

TEST(DriverFileName, OneDistinctPlainFileNamePerModel) {
  EXPECT_EQ(DriverFileName("VARNOK K540 200DPI"), "k540-200dpi.ppd");
  EXPECT_EQ(DriverFileName("VARNOK K540 (203 DPI)"), "k540-203-dpi.ppd");
  EXPECT_EQ(DriverFileName("VARNOK K540/200+"), "k540_200-plus.ppd");
  EXPECT_EQ(DriverFileName("VARNOK N5 plus"), "n5-plus.ppd");
  std::set<std::string> names;
  for (const std::string_view model : SupportedModels()) {
    const std::string name = DriverFileName(model);
    EXPECT_TRUE(names.insert(name).second) << name << " twice";
    EXPECT_EQ(name.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789-_."), std::string::npos)
        << name;
  }
}

}  // namespace
}  // namespace varnok
