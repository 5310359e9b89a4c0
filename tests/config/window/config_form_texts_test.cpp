// Every fixed text of the two configuration windows, exactly as each language shows it.
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <optional>
#include <vector>

#include "config_form_fixture.h"

namespace varnok::testing {
namespace {

class WindowTextsTest : public ConfigFormTest {};

struct FixedText {
  const char* name;
  std::optional<std::string_view> chinese;  // nullopt: the window has no such control
  std::optional<std::string_view> english;
};

const std::vector<FixedText> kFixedTexts = {
    {"Label2", " 型号：", "Model:"},
    {"Label8", "设置类型：", "Settings:"},
    {"Frame4", "具体选项", "Options"},
    {"Label4", "请参考下面说明!", std::nullopt},
    {"Frame2", "具体选项", "Options"},
    {"Label12", "数值：", "Value:"},
    {"Frame5", "具体选项", "Options"},
    {"Frame8", "具体选项", ""},
    {"NetworkRowLabel1", "IP地址：", "IP address\n:"},
    {"NetworkRowLabel2", "子网掩码：", "Subnet Mask"},
    {"NetworkRowLabel3", "网关：", "Gateway\n:"},
    {"NetworkRowLabel4", "端口：", "Port:"},
    {"Text2", "192", "192"},
    {"Text3", "168", "168"},
    {"Text4", "1", "1"},
    {"Text5", "168", "168"},
    {"Text6", "255", "255"},
    {"Text7", "255", "255"},
    {"Text8", "255", "255"},
    {"Text9", "0", "0"},
    {"Text10", "192", "192"},
    {"Text11", "168", "168"},
    {"Text12", "1", "1"},
    {"Text13", "1", "1"},
    {"Text14", "9100", "9100"},
    {"Command2", "OK", "OK"},
    {"Frame1", "--说---明--", "--Note--"},
    {"Label9_0", "1、首先请确认您已经正确的安装了打印机驱动。",
     "1.\tPlease make sure the printer driver has been correctly installed."},
    {"Label10", "2、打印机驱动名称和软件型号列表名称一致！", "2.\tSelect the printer model"},
    {"Label11", "3、请选择需要设置的选项。", "3.\tSelect the language needed."},
    {"Label23", "4、点击 OK 确认。", "4.Click \"OK\" button."},
    {"Frame3", "设置方法", "Methods"},
    {"lingmingdu", "设置方法", "Methods"},
    {"lingmingdu_Line1", "1、出厂设置数值为：08", "1.\tThe factory default value:08"},
    {"lingmingdu_Line2", "2、建议值为：08，12，16", "2.Recommended value:08,12,16"},
    {"lingmingdu_Line3", "3、调高此值，会增加机器打印位置的误差。",
     "3.\tBy raising this value, the error rate of the printing position will be increased."},
    {"Frame7", "设置方法", "Methods"},
    {"Frame7_Line1", "1、出厂设置数值为：05", "1.\tThe factory default value:05"},
    {"Frame7_Line2", "2、建议值为：05，10，15", "2.Recommended value: 05,10,15"},
    {"Frame7_Line3", "3、调高此值，会增加机器打印位置的误差。",
     "3.\tBy raising this value, the error rate of the printing position will be increased."},
    {"dyfangxiang", "设置方法", "Methods"},
    {"dyfangxiang_Line1", "1、K/M系列打印机默认反向；RS系列默认正向",
     "1.The default setting of K/M series printers is \"Bottom to Top\", the default setting "
     "of R/RS series is \"Top to bottom\""},
    {"dyfangxiang_Line2", "2、建议用户不做此设置，可直接在编辑软件里面做旋转",
     "2.It is not suggest set in this software. The printing orientation can be rotated in "
     "the label design software."},
    {"Frame6", "--说---明--", "--Note--"},
    {"Label3", "3、点击 OK 确认。", "3.Click \"OK\" button."},
};

std::optional<QString> ShownText(const QObject* control) {
  if (auto* label = qobject_cast<const QLabel*>(control)) return label->text();
  if (auto* frame = qobject_cast<const QGroupBox*>(control)) return frame->title();
  if (auto* button = qobject_cast<const QPushButton*>(control)) return button->text();
  if (auto* box = qobject_cast<const QLineEdit*>(control)) return box->text();
  return std::nullopt;
}

TEST_P(WindowTextsTest, ShowsEveryFixedTextOfItsLanguage) {
  ConfigForm& form = Open();
  const bool chinese = window() == Language::Chinese;
  EXPECT_EQ(form.objectName(), chinese ? "Form2" : "Form3_en");
  EXPECT_EQ(form.windowTitle(), chinese ? "高级设置" : "Print Config");
  for (const FixedText& fixed : kFixedTexts) {
    const std::optional<std::string_view> expected = chinese ? fixed.chinese : fixed.english;
    const QObject* control = form.findChild<QObject*>(fixed.name);
    if (!expected) {
      EXPECT_EQ(control, nullptr) << fixed.name;
      continue;
    }
    ASSERT_NE(control, nullptr) << fixed.name;
    EXPECT_EQ(ShownText(control), QtText(*expected)) << fixed.name;
  }
}

INSTANTIATE_TEST_SUITE_P(BothWindows, WindowTextsTest,
                         ::testing::Values(Language::Chinese, Language::English),
                         ::testing::PrintToStringParamName());

}  // namespace
}  // namespace varnok::testing
