#include "config/apply_setting.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "config/setting_item.h"
#include "config/supported_models.h"
#include "support/fake_spooler.h"
#include "support/message_recorder.h"

namespace varnok {
namespace {

using testing::FakeSpooler;
using testing::MessageRecorder;

constexpr auto kCn = Language::Chinese;
constexpr auto kEn = Language::English;

constexpr char kQueue[] = "VARNOK_Test";

// Corrections of the models the tests use; the Chinese drivers name VARNOK M-4410 with a mark.
constexpr char kConfig[] =
    "[LANGUAGE]\r\nLG=CHINESE\r\n"
    "[VARNOK N5 PLUS]\r\nSD=0\r\nST=0\r\nCD=-3\r\nCT=0\r\nFD=0\r\nPD=1\r\nSP=0\r\n"
    "[VARNOK M-4410]\r\nSD=12\r\nST=0\r\nCD=0\r\nCT=0\r\nFD=0\r\nPD=0\r\nSP=0\r\n";

Message Box(std::string_view text, std::string_view title,
            MessageIcon icon = MessageIcon::Exclamation) {
  return {std::string(text), std::string(title), icon, MessageButtons::Ok};
}

constexpr std::string_view kCompletionCn =
    "传送完毕，5秒钟后请关闭打印机开关，再打开打印机开关，启动后做用户级复位操作！";
constexpr std::string_view kUserResetCn = "用户级复位完成，请重新测纸再继续打印！";
constexpr std::string_view kCompletionEn =
    "Finish,after 5 seconds,please turn off the printer, and perform the reset operation!";
constexpr std::string_view kCutCountEn =
    "When the transimission is over, please power off the printer 5 seconds later and then turn "
    "it on, press CANCEL button to continue to print.";
constexpr std::string_view kUserResetEn =
    "After reseting, please do a calibration and continue to print!";
constexpr std::string_view kNotSupportedEn =
    "Software current version temporarily not support your printer, please contact the "
    "manufacturer offers latest program!";

std::string NotSupportedCn(std::string_view model) {
  return "软件当前版本暂时不支持" + std::string(model) + "打印机此项设置，请联系厂家提供最新程序！";
}

// The queue removed as soon as its job is taken, so the check after sending finds nothing.
class VanishingSpooler : public FakeSpooler {
 public:
  std::unique_ptr<RawJob> CreateRawJob(std::string_view queue, std::string_view title,
                                       SpoolerFailure& failure) override {
    auto job = FakeSpooler::CreateRawJob(queue, title, failure);
    RemoveQueue(std::string(queue));
    return job;
  }
};

class ApplySettingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = std::filesystem::temp_directory_path() / "varnok-config-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    config_path_ = folder_ + "/config.ini";
    WriteConfig(kConfig);
    UseDriver("Varnok N5 Plus");
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  void WriteConfig(std::string_view text) { std::ofstream(config_path_, std::ios::binary) << text; }
  void UseDriver(std::string driver, FakeSpooler& spooler) {
    spooler.RemoveQueue(kQueue);
    spooler.AddQueue(kQueue, {std::move(driver)});
  }
  void UseDriver(std::string driver) { UseDriver(std::move(driver), spooler_); }

  static SettingInputs Inputs(std::string_view item, std::string_view value = "0") {
    SettingInputs inputs;
    inputs.queue = kQueue;
    inputs.item_text = item;
    inputs.value = value;
    inputs.network = {"192", "168", "1",   "168", "255", "255", "255",
                      "0",   "192", "168", "1",   "1",   "9100"};
    return inputs;
  }

  ApplyOutcome Apply(Language window, const SettingInputs& inputs) {
    return ApplySetting(window, inputs, spooler_, recorder_, config_path_);
  }
  ApplyOutcome Apply(Language window, const SettingInputs& inputs, FakeSpooler& spooler) {
    return ApplySetting(window, inputs, spooler, recorder_, config_path_);
  }

  // The bytes of every finished job, in order.
  std::vector<std::string> Sent() const {
    std::vector<std::string> sent;
    for (const auto& job : spooler_.jobs()) {
      EXPECT_EQ(job.title, "Label");
      if (job.finished) sent.push_back(job.bytes);
    }
    return sent;
  }

  std::string folder_;
  std::string config_path_;
  FakeSpooler spooler_;
  MessageRecorder recorder_;
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
  const std::string network_document =
      "#UM>IA192.168.1.168\r#UM>MK255.255.255.0\r#UM>GT192.168.1.1\r#UM>NP9100\r";
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
      {kCn, "打印机网卡设置", "", false, network_document, kCompletionCn},
      {kCn, "打印方向设定", "", true, "#UM>DI1\r", kCompletionCn},
      {kCn, "自检信息语言设定", "", false, "#UM>PLC\r", kCompletionCn},
      {kCn, "剥纸位置调整", " 7 ", false, "#UM>PD8\r", kCompletionCn},
      {kCn, "用户级复位", "", false, "^@\r", kUserResetCn},
      {kCn, "高级复位", "", false, "#UM>IF\r", kCompletionCn},
      {kEn, "Adjust the vertical printing position (reflective)", "-5", false, "#UM>SD-5\r",
       kCompletionEn},
      {kEn, "Adjust the vertical printing position (transmissive)", "3", false, "#UM>ST3\r",
       kCompletionEn},
      {kEn, "Adjust the cutting position of the cutter", "12", false, "#UM>CD9\r", kCompletionEn},
      {kEn, "Set the number of pages per cutting", "1", false, "#UM>CP1\r", kCutCountEn},
      {kEn, "Adjust the stop position of the cutter blade", "-10", false, "#UM>CT-10\r",
       kCompletionEn},
      {kEn, "Adjust the back feed tear off position", "0", false, "#UM>FD0\r", kCompletionEn},
      {kEn, "Set the sensitivity of the media sensor", "12", false, "#UM>DL12\r", kCompletionEn},
      {kEn, "Set the precision of the media sensor", "05", false, "#UM>SP5\r", kCompletionEn},
      {kEn, "Set Printer nic", "", false, network_document, kCompletionEn},
      {kEn, "Set the printing orientations", "", false, "#UM>DI0\r", kCompletionEn},
      {kEn, "Set the language of the self-test report", "", true, "#UM>PLE\r", kCompletionEn},
      {kEn, "Adjusting the peeling position of the peeler", "7", false, "#UM>PD8\r", kCompletionEn},
      {kEn, "Reset", "", false, "^@\r", kUserResetEn},
      {kEn, "The advanced reset", "", false, "#UM>IF\r", kCompletionEn},
  };
  for (const ItemCase& c : cases) {
    SCOPED_TRACE(c.item);
    FakeSpooler spooler;
    UseDriver("Varnok N5 Plus", spooler);
    recorder_.shown.clear();
    SettingInputs inputs = Inputs(c.item, c.value);
    inputs.option4_selected = !c.option5;
    inputs.option5_selected = c.option5;

    EXPECT_EQ(Apply(c.window, inputs, spooler), ApplyOutcome::Sent);
    ASSERT_EQ(spooler.jobs().size(), 1u);
    EXPECT_EQ(spooler.jobs()[0].bytes, c.bytes);
    EXPECT_EQ(spooler.jobs()[0].title, "Label");
    EXPECT_EQ(recorder_.shown, std::vector{Box(c.notice, c.window == kCn ? "提示" : "Notice")});
  }
}

TEST_F(ApplySettingTest, NoQueueAsksForOneAndTouchesNoSpooler) {
  for (const auto& [window, expected] :
       {std::pair{kCn, Box("请选择正确的打印机名称！", "找不到打印机", MessageIcon::Question)},
        std::pair{kEn, Box("Please choose the correct printer name!", "Find printer",
                           MessageIcon::Question)}}) {
    recorder_.shown.clear();
    SettingInputs inputs = Inputs("用户级复位");
    inputs.queue.clear();
    EXPECT_EQ(Apply(window, inputs), ApplyOutcome::NoQueue);
    EXPECT_EQ(recorder_.shown, std::vector{expected});
  }
  EXPECT_EQ(spooler_.open_count(), 0);
  EXPECT_TRUE(spooler_.jobs().empty());
}

TEST_F(ApplySettingTest, DriverNameFailureEndsAfterItsOwnMessage) {
  spooler_.queue(kQueue).describe = DescribeOutcome::DescriptionUnreadable;
  EXPECT_EQ(Apply(kCn, Inputs("用户级复位")), ApplyOutcome::NoDriverName);
  EXPECT_EQ(recorder_.shown.size(), 1u);
  EXPECT_TRUE(spooler_.jobs().empty());
}

TEST_F(ApplySettingTest, LanguageMarkIsDroppedOnlyInTheChineseWindow) {
  UseDriver("VARNOK M-4410 (VRLZ)");
  EXPECT_EQ(Apply(kCn, Inputs("打印垂直位置调整（反射式）", "0")), ApplyOutcome::Sent);
  EXPECT_EQ(Sent(), std::vector<std::string>{"#UM>SD12\r"});

  for (const SettingItem& item : SettingCatalogue(kEn)) {
    SCOPED_TRACE(item.text);
    recorder_.shown.clear();
    EXPECT_EQ(Apply(kEn, Inputs(item.text)), ApplyOutcome::ModelNotSupported);
    EXPECT_EQ(recorder_.shown, std::vector{Box(kNotSupportedEn, "Notice")});
  }
  EXPECT_EQ(Sent().size(), 1u);
}

TEST_F(ApplySettingTest, ChineseWindowRefusesOnlyTheModelDependentItemsOfAnUnknownModel) {
  UseDriver("VARNOK X9 (VRLE)");
  const std::set<ItemId> tested{ItemId::VerticalReflective,
                                ItemId::VerticalTransmissive,
                                ItemId::CutPosition,
                                ItemId::BladeStop,
                                ItemId::TearOff,
                                ItemId::SensorSensitivity,
                                ItemId::SensorPrecision,
                                ItemId::PeelPosition};
  for (const SettingItem& item : SettingCatalogue(kCn)) {
    SCOPED_TRACE(item.text);
    recorder_.shown.clear();
    const std::size_t jobs_before = spooler_.jobs().size();
    const ApplyOutcome outcome = Apply(kCn, Inputs(item.text, "1"));
    if (tested.contains(item.id)) {
      EXPECT_EQ(outcome, ApplyOutcome::ModelNotSupported);
      EXPECT_EQ(recorder_.shown, std::vector{Box(NotSupportedCn("VARNOK X9"), "提示")});
      EXPECT_EQ(spooler_.jobs().size(), jobs_before);
    } else {
      EXPECT_EQ(outcome, ApplyOutcome::Sent);
      EXPECT_EQ(spooler_.jobs().size(), jobs_before + 1);
    }
  }
}

TEST_F(ApplySettingTest, EnglishWindowRefusesEvenTheResetOfAnUnknownModel) {
  UseDriver("VARNOK X9");
  EXPECT_EQ(Apply(kEn, Inputs("Reset")), ApplyOutcome::ModelNotSupported);
  EXPECT_EQ(recorder_.shown, std::vector{Box(kNotSupportedEn, "Notice")});
  EXPECT_TRUE(spooler_.jobs().empty());
}

TEST_F(ApplySettingTest, DriverNameOfTheMarkAloneNamesNoModel) {
  UseDriver("(VRLZ)");
  EXPECT_EQ(Apply(kCn, Inputs("切刀切断位置调整")), ApplyOutcome::ModelNotSupported);
  EXPECT_EQ(recorder_.shown, std::vector{Box(NotSupportedCn(""), "提示")});
}

TEST_F(ApplySettingTest, EmptyItemTextSendsNothingAndRefusesOnlyUnknownModels) {
  for (const Language window : {kCn, kEn}) {
    recorder_.shown.clear();
    UseDriver("VARNOK M-4410");
    EXPECT_EQ(Apply(window, Inputs("")), ApplyOutcome::NoItem);
    EXPECT_TRUE(recorder_.shown.empty());

    UseDriver("VARNOK X9");
    EXPECT_EQ(Apply(window, Inputs("")), ApplyOutcome::ModelNotSupported);
    EXPECT_EQ(recorder_.shown.size(), 1u);
  }
  EXPECT_TRUE(spooler_.jobs().empty());
}

TEST_F(ApplySettingTest, ChoiceWithNeitherOptionSelectedSendsNothing) {
  SettingInputs inputs = Inputs("打印方向设定");
  inputs.option4_selected = false;
  EXPECT_EQ(Apply(kCn, inputs), ApplyOutcome::NoItem);
  EXPECT_TRUE(recorder_.shown.empty());
  EXPECT_TRUE(spooler_.jobs().empty());
}

struct CorrectionCase {
  const char* stored;  // nullptr: no such key
  ApplyOutcome outcome;
  std::string_view result;  // bytes sent, or the message shown
};

TEST_F(ApplySettingTest, CorrectionMustBeASixteenBitWholeNumber) {
  const CorrectionCase cases[] = {
      {"12", ApplyOutcome::Sent, "#UM>CD14\r"},
      {"+5", ApplyOutcome::Sent, "#UM>CD7\r"},
      {"-32768", ApplyOutcome::Sent, "#UM>CD-32766\r"},
      {nullptr, ApplyOutcome::CorrectionMissing,
       "The settings file config.ini has no correction CD for the model VARNOK N5 PLUS. Nothing "
       "was sent."},
      {"", ApplyOutcome::CorrectionMissing,
       "The settings file config.ini has no correction CD for the model VARNOK N5 PLUS. Nothing "
       "was sent."},
      {"32768", ApplyOutcome::CorrectionNotWholeNumber,
       "The correction CD for the model VARNOK N5 PLUS in the settings file config.ini "
       "(\"32768\") is not a whole number from -32768 to 32767. Nothing was sent."},
  };
  for (const CorrectionCase& c : cases) {
    SCOPED_TRACE(c.stored ? c.stored : "(none)");
    FakeSpooler spooler;
    UseDriver("Varnok N5 Plus", spooler);
    recorder_.shown.clear();
    WriteConfig(c.stored ? std::string("[VARNOK N5 PLUS]\nCD=") + c.stored + "\n"
                         : "[VARNOK N5 PLUS]\nSD=1\n");
    EXPECT_EQ(Apply(kEn, Inputs("Adjust the cutting position of the cutter", "2"), spooler),
              c.outcome);
    if (c.outcome == ApplyOutcome::Sent) {
      ASSERT_EQ(spooler.jobs().size(), 1u);
      EXPECT_EQ(spooler.jobs()[0].bytes, c.result);
    } else {
      EXPECT_TRUE(spooler.jobs().empty());
      EXPECT_EQ(recorder_.shown, std::vector{Box(c.result, "Notice")});
    }
  }
}

TEST_F(ApplySettingTest, GarbledCorrectionsAreNamedInTheChineseWindow) {
  for (const char* stored : {"abc", "1.5", "12 3", "--1", "99999999999999999999"}) {
    recorder_.shown.clear();
    WriteConfig(std::string("[VARNOK N5 PLUS]\r\nFD=") + stored + "\r\n");
    EXPECT_EQ(Apply(kCn, Inputs("回卷撕纸位置调整")), ApplyOutcome::CorrectionNotWholeNumber);
    EXPECT_EQ(recorder_.shown,
              std::vector{Box("配置文件 config.ini 中型号 VARNOK N5 PLUS 的修正值 FD（“" +
                                  std::string(stored) +
                                  "”）不是 -32768 到 32767 之间的整数，设置未发送！",
                              "提示")});
  }
  WriteConfig("");
  recorder_.shown.clear();
  EXPECT_EQ(Apply(kCn, Inputs("回卷撕纸位置调整")), ApplyOutcome::CorrectionMissing);
  EXPECT_EQ(
      recorder_.shown,
      std::vector{
          Box("配置文件 config.ini 中没有型号 VARNOK N5 PLUS 的修正值 FD，设置未发送！", "提示")});
  EXPECT_TRUE(spooler_.jobs().empty());
}

struct ValueCase {
  Language window;
  std::string_view item;
  std::string_view value;
  std::string_view message;
};

TEST_F(ApplySettingTest, ValueThatIsNotANumberIsNamedAndNotSent) {
  const ValueCase cases[] = {
      {kCn, "最大打印长度设置", "", "请先输入数值！设置未发送。"},
      {kCn, "最大打印长度设置", "--1..2",
       "数值“--1..2”不是有效的数字，设置未发送！请输入数字，例如 12 或 -5。"},
      {kCn, "剥纸位置调整", "-", "数值“-”不是有效的数字，设置未发送！请输入数字，例如 12 或 -5。"},
      {kEn, "Set the precision of the media sensor", " ",
       "Please enter a value first. Nothing was sent."},
      {kEn, "Adjust the back feed tear off position", "{model}.",
       "The value \"{model}.\" is not a number. Nothing was sent. Please enter a number such as 12 "
       "or -5."},
  };
  for (const ValueCase& c : cases) {
    SCOPED_TRACE(c.value);
    recorder_.shown.clear();
    EXPECT_EQ(Apply(c.window, Inputs(c.item, c.value)), ApplyOutcome::ValueNotANumber);
    EXPECT_EQ(recorder_.shown, std::vector{Box(c.message, c.window == kCn ? "提示" : "Notice")});
  }
  EXPECT_TRUE(spooler_.jobs().empty());
}

TEST_F(ApplySettingTest, NoNoticeWhenTheSpoolerRefusedTheJob) {
  spooler_.queue(kQueue).refuses_jobs = true;
  EXPECT_EQ(Apply(kCn, Inputs("高级复位")), ApplyOutcome::SendFailed);
  ASSERT_EQ(recorder_.shown.size(), 1u);  // the spooler's own refusal
  EXPECT_NE(recorder_.shown[0].text, kCompletionCn);
}

TEST_F(ApplySettingTest, NoNoticeWhenTheQueueIsGoneAfterSending) {
  VanishingSpooler spooler;
  UseDriver("Varnok N5 Plus", spooler);
  EXPECT_EQ(Apply(kEn, Inputs("The advanced reset"), spooler), ApplyOutcome::QueueGone);
  ASSERT_EQ(spooler.jobs().size(), 1u);
  EXPECT_EQ(spooler.jobs()[0].bytes, "#UM>IF\r");
  EXPECT_TRUE(recorder_.shown.empty());
}

struct ModelNameCase {
  std::string_view driver;
  bool drops_mark;
  std::string_view model;
};

TEST(ModelName, UpperCasedAndStrippedOfTheLanguageMark) {
  const ModelNameCase cases[] = {
      {"VARNOK M-4410 (VRLZ)", true, "VARNOK M-4410"},
      {"varnok m-4410 (vrle)", true, "VARNOK M-4410"},
      {"VARNOK M-4410 (VRLZ)", false, "VARNOK M-4410 (VRLZ)"},
      {"VARNOK M-4410(VRLZ)", true, "VARNOK M-441"},
      {"(VRLE)", true, ""},
      {" (VRLE)", true, ""},
      {"VARNOK 标签(VRLZ)", true, "VARNOK 标"},  // a whole character, never a byte of one
      {"VARNOK (VRLZ) X", true, "VARNOK (VRLZ) X"},
      {"Varnok N5 Plus", true, "VARNOK N5 PLUS"},
  };
  for (const ModelNameCase& c : cases) {
    EXPECT_EQ(ModelName(c.driver, c.drops_mark), c.model) << c.driver;
  }
  EXPECT_TRUE(IsSupportedModel("VARNOK K540/200E"));
  EXPECT_TRUE(IsSupportedModel("varnok halix 472 200dpi"));
  EXPECT_FALSE(IsSupportedModel("VARNOK M-4410 "));
  EXPECT_FALSE(IsSupportedModel(""));
}

}  // namespace
}  // namespace varnok
