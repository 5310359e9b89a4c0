// Every fixed text of the two configuration windows, as the windows' own texts give it.
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <optional>
#include <string>

#include "config_form_fixture.h"
#include "printer_settings/window/config_window_texts.h"

namespace varnok::testing {
namespace {

class WindowTextsTest : public ConfigFormTest {};

using Texts = ConfigWindowTexts;

// Each control with a fixed text, and which of the window's texts it shows.
struct FixedText {
  const char* name;
  std::string_view (*text)(const Texts&);
};

const FixedText kFixedTexts[] = {
    {"Label2", [](const Texts& t) { return t.model_label; }},
    {"Label8", [](const Texts& t) { return t.item_label; }},
    {"Frame4", [](const Texts& t) { return t.options_caption; }},
    {"Frame2", [](const Texts& t) { return t.options_caption; }},
    {"Label12", [](const Texts& t) { return t.value_label; }},
    {"Frame5", [](const Texts& t) { return t.options_caption; }},
    {"Frame8", [](const Texts& t) { return t.network_caption; }},
    {"NetworkRowLabel1", [](const Texts& t) { return t.network_row_labels[0]; }},
    {"NetworkRowLabel2", [](const Texts& t) { return t.network_row_labels[1]; }},
    {"NetworkRowLabel3", [](const Texts& t) { return t.network_row_labels[2]; }},
    {"NetworkRowLabel4", [](const Texts& t) { return t.network_row_labels[3]; }},
    {"Command2", [](const Texts& t) { return t.ok_caption; }},
    {"Frame1", [](const Texts& t) { return t.notes_caption; }},
    {"Label9_0", [](const Texts& t) { return t.general_notes[0]; }},
    {"Label10", [](const Texts& t) { return t.general_notes[1]; }},
    {"Label11", [](const Texts& t) { return t.general_notes[2]; }},
    {"Label23", [](const Texts& t) { return t.general_notes[3]; }},
    {"Frame3", [](const Texts& t) { return t.methods_caption; }},
    {"lingmingdu", [](const Texts& t) { return t.methods_caption; }},
    {"lingmingdu_Line1", [](const Texts& t) { return t.sensitivity_notes[0]; }},
    {"lingmingdu_Line2", [](const Texts& t) { return t.sensitivity_notes[1]; }},
    {"lingmingdu_Line3", [](const Texts& t) { return t.sensitivity_notes[2]; }},
    {"Frame7", [](const Texts& t) { return t.methods_caption; }},
    {"Frame7_Line1", [](const Texts& t) { return t.precision_notes[0]; }},
    {"Frame7_Line2", [](const Texts& t) { return t.precision_notes[1]; }},
    {"Frame7_Line3", [](const Texts& t) { return t.precision_notes[2]; }},
    {"dyfangxiang", [](const Texts& t) { return t.methods_caption; }},
    {"dyfangxiang_Line1", [](const Texts& t) { return t.orientation_notes[0]; }},
    {"dyfangxiang_Line2", [](const Texts& t) { return t.orientation_notes[1]; }},
    {"Frame6", [](const Texts& t) { return t.notes_caption; }},
    {"Label3", [](const Texts& t) { return t.reset_confirm_line; }},
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
  const Texts& texts = ConfigWindowTextsFor(window());
  // The names scripts and the other windows find the window by, and the title the operator
  // sees: stated nowhere else.
  const bool chinese = window() == Language::Chinese;
  EXPECT_EQ(form.objectName(), chinese ? "Form2" : "Form3_en");
  EXPECT_EQ(form.windowTitle(), chinese ? "高级设置" : "Print Config");
  auto expect_shown = [&form](const char* name, std::string_view text) {
    const QObject* control = form.findChild<QObject*>(name);
    ASSERT_NE(control, nullptr) << name;
    EXPECT_EQ(ShownText(control), QtText(text)) << name;
  };
  for (const FixedText& fixed : kFixedTexts) expect_shown(fixed.name, fixed.text(texts));
  for (std::size_t box = 0; box < kNetworkBoxDefaults.size(); ++box) {
    expect_shown(("Text" + std::to_string(box + 2)).c_str(), kNetworkBoxDefaults[box]);
  }
  if (texts.placeholder_note.empty()) {
    EXPECT_EQ(form.findChild<QObject*>("Label4"), nullptr);
  } else {
    expect_shown("Label4", texts.placeholder_note);
  }
}

// A text copied from one window into the other shows the operator the wrong language; only
// OK is the same in both.
TEST(ConfigWindowTexts, EachWindowHasItsOwnWordsForEveryText) {
  const Texts& chinese = ConfigWindowTextsFor(Language::Chinese);
  const Texts& english = ConfigWindowTextsFor(Language::English);
  for (const FixedText& fixed : kFixedTexts) {
    if (std::string_view(fixed.name) == "Command2" || fixed.text(english).empty()) continue;
    EXPECT_NE(fixed.text(chinese), fixed.text(english)) << fixed.name;
  }
}

INSTANTIATE_TEST_SUITE_P(BothWindows, WindowTextsTest,
                         ::testing::Values(Language::Chinese, Language::English),
                         ::testing::PrintToStringParamName());

}  // namespace
}  // namespace varnok::testing
