// What the configuration window shows when it opens: lists, panels, layout, fonts, tab order.
#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QRadioButton>
#include <QStringList>
#include <vector>

#include "config_form_fixture.h"
#include "gui/twips.h"
#include "printer_settings/setting_catalogue.h"

namespace varnok::testing {
namespace {

class ConfigWindowLoadTest : public ConfigFormTest {};

TEST_P(ConfigWindowLoadTest, OpensWithNothingPicked) {
  for (const char* queue : {"VARNOK K540 200DPI", "varnok K540", "Varnok-Office", "VarNok K540",
                            "VARNOKX", "VARNO", "My VARNOK", "VARNOK K540 200DPI (Copy 2)"}) {
    spooler_.AddQueue(queue);
  }
  Open();
  auto* queues = Control<QComboBox>("MODEL");
  EXPECT_EQ(Entries(*queues), (QStringList{"VARNOK K540 200DPI", "Varnok-Office", "VARNOKX",
                                           "VARNOK K540 200DPI (Copy 2)"}));
  EXPECT_EQ(queues->currentIndex(), -1);
  EXPECT_TRUE(queues->currentText().isEmpty());

  auto* items = Control<QComboBox>("Combo1");
  QStringList catalogue;
  for (const SettingItem& item : SettingCatalogue(window())) catalogue << QtText(item.text);
  EXPECT_EQ(Entries(*items), catalogue);
  EXPECT_EQ(items->count(), window() == Language::Chinese ? 15 : 14);
  EXPECT_EQ(items->currentIndex(), -1);
  EXPECT_TRUE(items->currentText().isEmpty());

  for (const char* panel : {"Frame4", "Frame1"}) EXPECT_TRUE(Shown(panel)) << panel;
  for (const char* panel :
       {"Frame2", "Frame5", "Frame8", "Frame3", "lingmingdu", "Frame7", "dyfangxiang", "Frame6"}) {
    EXPECT_FALSE(Shown(panel)) << panel;
  }
  EXPECT_TRUE(Control<QRadioButton>("Option4")->isChecked());
  EXPECT_FALSE(Control<QRadioButton>("Option5")->isChecked());
}

TEST_P(ConfigWindowLoadTest, OpensWithAnEmptyQueueListWhenNoBrandQueueIsInstalled) {
  spooler_.AddQueue("Office Laser");
  Open();
  EXPECT_EQ(Control<QComboBox>("MODEL")->count(), 0);
  Pick(ItemId::TearOff);
  EXPECT_TRUE(Shown("Frame2"));
}

struct Placement {
  const char* name;
  int left;
  int top;
  int width;   // 0: the control's own width
  int height;  // 0: the control's own height
};

TEST_P(ConfigWindowLoadTest, PlacesTheWindowAndItsControlsInTwips) {
  ConfigForm& form = Open();
  const bool chinese = window() == Language::Chinese;
  EXPECT_EQ(form.geometry(), TwipsRect(&form, 500, 500, 6500, 5460));
  const std::vector<Placement> placements = {
      {"MODEL", chinese ? 1440 : 960, 240, chinese ? 3135 : 3255, 0},
      {"Combo1", chinese ? 1440 : 960, 720, chinese ? 3735 : 5055, 0},
      {"Frame4", 1000, 1200, 3375, 1215},
      {"Frame2", 1000, 1200, 3375, 1215},
      {"Frame5", 1000, 1200, 3375, 1215},
      // The English network panel and general notes grow to hold their texts in the window's
      // font; OK ends where the lower slot begins.
      {"Frame8", 1000, 1200, chinese ? 3375 : 0, chinese ? 1215 : 0},
      {"Command2", chinese ? 3720 : 3840, 2520, 1695, 480},
      {"Frame1", 500, 3000, 5175, chinese ? 1575 : 0},
  };
  for (const Placement& p : placements) {
    QWidget* control = Control(p.name);
    const int width = p.width != 0 ? Twips(control, p.width) : control->width();
    const int height = p.height != 0 ? Twips(control, p.height) : control->height();
    EXPECT_EQ(control->geometry(),
              QRect(Twips(control, p.left), Twips(control, p.top), width, height))
        << p.name;
  }
}

TEST_P(ConfigWindowLoadTest, UsesTheFontsOfItsLanguage) {
  Open();
  const QFont interface_font = QApplication::font();
  for (const char* name : {"MODEL", "Combo1", "Text1"}) {
    const QFont font = Control(name)->font();
    if (window() == Language::English) {
      EXPECT_EQ(font.family().toStdString(), "宋体") << name;
      EXPECT_EQ(font.pointSize(), 9) << name;
    } else {
      EXPECT_EQ(font, interface_font) << name;
    }
  }
  for (const char* name : {"Label2", "Label9_0", "Frame3", "Option4", "Text2"}) {
    const QFont font = Control(name)->font();
    if (window() == Language::English) {
      EXPECT_EQ(font.family().toStdString(), "Arial") << name;
      EXPECT_EQ(font.pointSize(), 9) << name;
    } else {
      EXPECT_EQ(font, interface_font) << name;
    }
  }
  for (const char* name : {"DotAfterText2", "DotAfterText8", "DotAfterText12"}) {
    const QFont font = Control(name)->font();
    EXPECT_EQ(font.family().toStdString(), "Arial Black") << name;
    EXPECT_EQ(font.pointSize(), 9) << name;
    EXPECT_EQ(font.weight(), QFont::Black) << name;
  }
}

QColor TextColor(const QWidget* widget) { return widget->palette().color(QPalette::WindowText); }

TEST_P(ConfigWindowLoadTest, PaintsWhiteBackgroundsAndRedCaptions) {
  Open();
  QWidget* client = Control("ClientArea");
  EXPECT_TRUE(client->autoFillBackground());
  EXPECT_EQ(client->palette().color(QPalette::Window), QColor(Qt::white));
  for (const char* panel : {"Frame1", "Frame2", "Frame3", "Frame4", "Frame5", "Frame6", "Frame7",
                            "Frame8", "lingmingdu", "dyfangxiang"}) {
    EXPECT_TRUE(Control(panel)->autoFillBackground()) << panel;
    EXPECT_EQ(Control(panel)->palette().color(QPalette::Window), QColor(Qt::white)) << panel;
  }
  for (const char* frame : {"Frame1", "Frame6"}) {
    EXPECT_EQ(TextColor(Control(frame)), QColor(Qt::red)) << frame;
  }
  for (const char* line : {"Label9_0", "Label23", "Label9_1", "Label5", "Label3", "Label13"}) {
    EXPECT_EQ(TextColor(Control(line)), QColor(Qt::black)) << line;
  }
  const QColor lines_3_and_4 = window() == Language::English ? Qt::red : Qt::black;
  EXPECT_EQ(TextColor(Control("Label15")), lines_3_and_4);
  EXPECT_EQ(TextColor(Control("Label16")), lines_3_and_4);
}

TEST_P(ConfigWindowLoadTest, TabsThroughTheInputsInTheWindowsOrder) {
  Open();
  const QStringList inputs = {"MODEL",   "Combo1", "Text1",  "Command2", "Option4",
                              "Option5", "Text2",  "Text3",  "Text4",    "Text5",
                              "Text6",   "Text7",  "Text8",  "Text9",    "Text10",
                              "Text11",  "Text12", "Text13", "Text14"};
  QStringList order;
  QWidget* start = Control("MODEL");
  for (QWidget* w = start; order.size() < inputs.size(); w = w->nextInFocusChain()) {
    if (inputs.contains(w->objectName())) order << w->objectName();
    if (w->nextInFocusChain() == start) break;
  }
  const QStringList network =
      window() == Language::Chinese
          ? QStringList{"Text2", "Text3",  "Text4",  "Text5",  "Text6",  "Text7", "Text8",
                        "Text9", "Text10", "Text11", "Text12", "Text13", "Text14"}
          : QStringList{"Text14", "Text13", "Text12", "Text11", "Text9", "Text8", "Text7",
                        "Text5",  "Text4",  "Text3",  "Text10", "Text6", "Text2"};
  EXPECT_EQ(order,
            QStringList({"MODEL", "Combo1", "Text1", "Command2", "Option4", "Option5"}) + network);
}

TEST_P(ConfigWindowLoadTest, NamesEveryInputForScreenReaders) {
  Open();
  const bool chinese = window() == Language::Chinese;
  const std::vector<std::pair<const char*, QString>> names = {
      {"MODEL", chinese ? "型号" : "Model"},
      {"Combo1", chinese ? "设置类型" : "Settings"},
      {"Text1", chinese ? "数值" : "Value"},
      {"Text2", chinese ? "IP地址 1" : "IP address 1"},
      {"Text9", chinese ? "子网掩码 4" : "Subnet Mask 4"},
      {"Text11", chinese ? "网关 2" : "Gateway 2"},
      {"Text14", chinese ? "端口" : "Port"},
  };
  for (const auto& [control, name] : names) {
    EXPECT_EQ(Control(control)->accessibleName(), name) << control;
  }
}

INSTANTIATE_TEST_SUITE_P(BothWindows, ConfigWindowLoadTest,
                         ::testing::Values(Language::Chinese, Language::English),
                         ::testing::PrintToStringParamName());

}  // namespace
}  // namespace varnok::testing
