#include "app/interface_font/interface_font.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFont>
#include <QRawFont>
#include <QString>
#include <span>
#include <string_view>
#include <vector>

#include "app/menu_captions.h"
#include "printer_settings/setting_catalogue.h"
#include "printer_settings/setting_item.h"
#include "printer_settings/window/config_window_texts.h"

namespace varnok {
namespace {

std::vector<std::string_view> MenuStrings(Language language) {
  const MenuCaptions& m = MenuCaptionsFor(language);
  return {m.file,
          m.exit1,
          m.tools,
          m.printer_config,
          m.update_firmware,
          m.test,
          m.help,
          m.language,
          m.chinese,
          m.helpdo,
          m.about,
          m.sendfile_at_startup,
          m.sendfile_after_switching};
}

std::vector<std::string_view> ConfigWindowStrings(Language window) {
  const auto& t = ConfigWindowTextsFor(window);
  std::vector<std::string_view> texts = {t.caption,         t.model_label,       t.item_label,
                                         t.options_caption, t.placeholder_note,  t.value_label,
                                         t.network_caption, t.ok_caption,        t.notes_caption,
                                         t.methods_caption, t.reset_confirm_line};
  for (const auto& group : {std::span<const std::string_view>(t.network_row_labels),
                            std::span<const std::string_view>(t.general_notes),
                            std::span<const std::string_view>(t.sensitivity_notes),
                            std::span<const std::string_view>(t.precision_notes),
                            std::span<const std::string_view>(t.orientation_notes)}) {
    texts.insert(texts.end(), group.begin(), group.end());
  }
  return texts;
}

std::vector<std::string_view> CatalogueStrings(Language window) {
  std::vector<std::string_view> texts;
  for (const SettingItem& item : SettingCatalogue(window)) {
    texts.insert(texts.end(), {item.text, item.default_value, item.range_line});
    texts.insert(texts.end(), item.help_lines.begin(), item.help_lines.end());
    texts.insert(texts.end(), item.choices.begin(), item.choices.end());
    texts.insert(texts.end(), item.reset_notes.begin(), item.reset_notes.end());
  }
  return texts;
}

class InterfaceFontTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { UseInterfaceFont(); }
  const QRawFont font_ = QRawFont::fromFont(QFont(kInterfaceFontFamily));
};

TEST_F(InterfaceFontTest, ApplicationFontFallsBackToTheBuiltInFontByItsOwnName) {
  EXPECT_EQ(QApplication::font().families().last(), kInterfaceFontFamily);
  // Another name would be the whole CJK font's, which the system might pick instead.
  EXPECT_EQ(font_.familyName(), kInterfaceFontFamily);
}

TEST_F(InterfaceFontTest, HoldsEveryCharacterBeyondAsciiTheWindowsShow) {
  const struct {
    const char* what;
    std::vector<std::string_view> (*texts)(Language);
  } sources[] = {{"menus", MenuStrings},
                 {"configuration windows", ConfigWindowStrings},
                 {"setting items", CatalogueStrings}};
  for (const auto& source : sources) {
    for (Language language : {Language::Chinese, Language::English}) {
      for (std::string_view text : source.texts(language)) {
        for (char32_t c :
             QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toUcs4()) {
          if (c < 0x80) continue;
          EXPECT_TRUE(font_.supportsCharacter(c))
              << source.what << ": U+" << std::hex << static_cast<unsigned>(c) << " in \"" << text
              << "\"";
        }
      }
    }
  }
}

}  // namespace
}  // namespace varnok
