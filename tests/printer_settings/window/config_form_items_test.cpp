// Picking setting items: which panels show, and what they hold.
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <vector>

#include "config_form_fixture.h"
#include "gui/twips.h"
#include "printer_settings/setting_catalogue.h"

namespace varnok::testing {
namespace {

class ItemPanelsTest : public ConfigFormTest {
 protected:
  QString TextOf(const char* name) const {
    if (auto* label = form_->findChild<QLabel*>(name)) return label->text();
    if (auto* box = form_->findChild<QLineEdit*>(name)) return box->text();
    return Control<QRadioButton>(name)->text();
  }

  void ExpectHelpLines(const SettingItem& item, bool lines_3_and_4) const {
    EXPECT_EQ(TextOf("Label13"), QtText(item.help_lines[0]));
    EXPECT_EQ(TextOf("Label14"), QtText(item.help_lines[1]));
    EXPECT_EQ(Shown("Label15"), lines_3_and_4);
    EXPECT_EQ(Shown("Label16"), lines_3_and_4);
    if (lines_3_and_4) {
      EXPECT_EQ(TextOf("Label15"), QtText(item.help_lines[2]));
      EXPECT_EQ(TextOf("Label16"), QtText(item.help_lines[3]));
    }
  }
};

const char* InputPanelName(InputPanel panel) {
  switch (panel) {
    case InputPanel::Value:
      return "Frame2";
    case InputPanel::Choice:
      return "Frame5";
    case InputPanel::Network:
      return "Frame8";
    case InputPanel::Placeholder:
      break;
  }
  return "Frame4";
}

const char* HelpPanelName(HelpPanel panel) {
  switch (panel) {
    case HelpPanel::ItemHelp:
      return "Frame3";
    case HelpPanel::SensitivityNotes:
      return "lingmingdu";
    case HelpPanel::PrecisionNotes:
      return "Frame7";
    case HelpPanel::OrientationNotes:
      return "dyfangxiang";
    case HelpPanel::ResetNotes:
      return "Frame6";
    case HelpPanel::GeneralNotes:
      break;
  }
  return "Frame1";
}

// The upper slot shows exactly the item's input panel in front; the lower slot only its help.
TEST_P(ItemPanelsTest, EveryItemShowsItsOwnPanelsInTheSlots) {
  Open();
  const std::vector<const char*> inputs = {"Frame2", "Frame5", "Frame8"};
  const std::vector<const char*> helps = {"Frame1", "Frame3", "lingmingdu",
                                          "Frame7", "Frame6", "dyfangxiang"};
  for (const SettingItem& item : SettingCatalogue(window())) {
    Pick(item.id);
    const std::string name(item.text);
    const char* input = InputPanelName(item.input);
    for (const char* panel : inputs) {
      EXPECT_EQ(Shown(panel), panel == std::string(input)) << name;
    }
    if (item.input == InputPanel::Placeholder) {
      EXPECT_TRUE(Shown("Frame4")) << name;
    }
    // A panel grown taller than the slot for its texts (the English network panel) keeps to the
    // left of the OK button instead.
    QWidget* upper = Control(input);
    EXPECT_EQ(upper->y(), Twips(upper, 1200)) << name;
    if (upper->height() > Twips(upper, 1215)) {
      EXPECT_LT(upper->geometry().right(), Control("Command2")->x()) << name;
    } else {
      EXPECT_EQ(upper->x(), Twips(upper, 1000)) << name;
    }

    const char* help = HelpPanelName(item.help);
    for (const char* panel : helps) {
      EXPECT_EQ(Shown(panel), panel == std::string(help)) << name;
    }
    QWidget* lower = Control(help);
    EXPECT_EQ(lower->pos(), TwipsPoint(lower, item.help_left_twips, 3000)) << name;
  }
}

TEST_P(ItemPanelsTest, PagesPerCutHidesLines3And4UntilAnotherItemShowsThem) {
  Open();
  for (ItemId next :
       {ItemId::VerticalReflective, ItemId::PeelPosition, ItemId::BladeStop, ItemId::Network}) {
    Pick(ItemId::PagesPerCut);
    ExpectHelpLines(Item(ItemId::PagesPerCut), false);
    Pick(next);
    ExpectHelpLines(Item(next), true);
  }
}

TEST_P(ItemPanelsTest, ValueItemsWriteDefaultAndRangeAtEveryPick) {
  Open();
  auto* value = Control<QLineEdit>("Text1");
  Pick(ItemId::TearOff);
  value->setText("-5");
  Pick(ItemId::TearOff);
  EXPECT_EQ(value->text(), "0");
  EXPECT_EQ(TextOf("Label1"), QtText(Item(ItemId::TearOff).range_line));
  Pick(ItemId::PagesPerCut);
  EXPECT_EQ(value->text(), "001");
  EXPECT_EQ(TextOf("Label1"),
            window() == Language::Chinese ? "输入范围：001 ～ 050" : "Range:001 ～ 999");
}

TEST_P(ItemPanelsTest, ChoiceSelectionOutlivesTheItemThatMadeIt) {
  Open();
  Pick(ItemId::Orientation);
  Control<QRadioButton>("Option5")->setChecked(true);
  Pick(ItemId::SelfTestLanguage);
  EXPECT_TRUE(Control<QRadioButton>("Option5")->isChecked());
  EXPECT_EQ(TextOf("Option4"), window() == Language::Chinese ? "中文" : "Chinese");
  EXPECT_EQ(TextOf("Option5"), "English");
  Pick(ItemId::TearOff);
  Pick(ItemId::Orientation);
  EXPECT_TRUE(Control<QRadioButton>("Option5")->isChecked());
}

TEST_P(ItemPanelsTest, NetworkBoxesKeepTheirTexts) {
  Open();
  Pick(ItemId::Network);
  Control<QLineEdit>("Text2")->setText("10");
  Pick(ItemId::VerticalReflective);
  EXPECT_TRUE(Shown("Frame2"));
  EXPECT_FALSE(Shown("Frame8"));
  Pick(ItemId::Network);
  EXPECT_EQ(TextOf("Text2"), "10");
  EXPECT_EQ(TextOf("Text14"), "9100");
}

// The placeholder panel stays behind value and choice panels until the network panel hides it;
// only a reset item brings it back.
TEST_P(ItemPanelsTest, PlaceholderPanelComesBackOnlyWithAResetItem) {
  Open();
  Pick(ItemId::TearOff);
  EXPECT_TRUE(Shown("Frame4"));
  Pick(ItemId::Network);
  EXPECT_FALSE(Shown("Frame4"));
  Pick(ItemId::Orientation);
  EXPECT_FALSE(Shown("Frame4"));
  for (ItemId reset : {ItemId::UserReset, ItemId::AdvancedReset}) {
    Pick(ItemId::Network);
    Pick(reset);
    EXPECT_TRUE(Shown("Frame4"));
    EXPECT_FALSE(Shown("Frame8"));
    EXPECT_EQ(TextOf("Label9_1"), QtText(Item(reset).reset_notes[0]));
    EXPECT_EQ(TextOf("Label5"), QtText(Item(reset).reset_notes[1]));
  }
}

TEST_P(ItemPanelsTest, OnlyTheChineseWindowOffersTheMaximumPrintLength) {
  Open();
  auto* items = Control<QComboBox>("Combo1");
  const bool chinese = window() == Language::Chinese;
  EXPECT_EQ(items->findText("最大打印长度设置") >= 0, chinese);
  if (!chinese) return;
  Pick(ItemId::MaxPrintLength);
  ExpectHelpLines(Item(ItemId::MaxPrintLength), true);
  Pick(ItemId::CutPosition);
  EXPECT_EQ(TextOf("Label13"), "1.1、出厂设置数值为：0");
}

INSTANTIATE_TEST_SUITE_P(BothWindows, ItemPanelsTest,
                         ::testing::Values(Language::Chinese, Language::English),
                         ::testing::PrintToStringParamName());

}  // namespace
}  // namespace varnok::testing
