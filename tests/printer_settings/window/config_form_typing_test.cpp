// Typing into the fields of the configuration window through real key events: what each field
// takes, where the focus goes, what ends up selected and when the over-limit warning shows.
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>
#include <vector>

#include "config_form_fixture.h"

namespace varnok::testing {
namespace {

constexpr auto kCn = Language::Chinese;
constexpr auto kEn = Language::English;

const Message kOverLimit{"输入的数值必须小于255！请重新输入！", "错误", MessageIcon::Exclamation,
                         MessageButtons::Ok};

struct TypingCase {
  const char* name;
  Language window;
  int field;             // TextN that has the focus first
  const char* before;    // its text, the caret at the end
  const char* keys;      // typed into whichever field has the focus; "\r" Enter, "\b" Backspace
  const char* after;     // TextN's text afterwards
  int focused;           // the field with the focus afterwards
  const char* selected;  // the selected text of that field
  int warnings;          // over-limit warnings shown
};

const TypingCase kTypingCases[] = {
    {"255 then a fourth digit, no warning", kCn, 2, "25", "55", "2555", 2, "", 0},
    {"any key after 2555 warns and selects", kCn, 2, "2555", "x", "2555", 2, "2555", 1},
    {"Enter over 255 warns and stays", kCn, 3, "300", "\r", "300", 3, "300", 1},
    {"dot over 255 is inserted, then all selected", kCn, 3, "300", ".", "300.", 3, "300.", 1},
    {"Backspace over 255 deletes, then selects", kCn, 3, "300", "\b", "30", 3, "30", 1},
    {"dot moves on, next octet selected", kCn, 2, "10", ".", "10", 3, "168", 0},
    {"Enter moves on to the mask", kCn, 5, "1", "\r", "1", 6, "255", 0},
    {"last gateway octet moves to the port", kCn, 13, "1", ".", "1", 14, "9100", 0},
    {"empty octet moves on", kCn, 4, "", ".", "", 5, "168", 0},
    {"octet takes digits only", kCn, 4, "", "a-+ 1", "1", 4, "", 0},
    {"port takes digits only, Enter stays", kCn, 14, "91", "a.0\r0", "9100", 14, "", 0},
    {"value takes sign, dot and digits", kCn, 1, "", "a +-12.5", "-12.5", 1, "", 0},
    {"value structure is not checked", kEn, 1, "", "--1..2", "--1..2", 1, "", 0},
    {"value Enter inserts nothing", kEn, 1, "5", "\r", "5", 1, "", 0},
    {"English network field takes anything", kEn, 2, "192", "a .x", "192a .x", 2, "", 0},
    {"English octet has no limit", kEn, 5, "300", "1\r", "3001", 5, "", 0},
    {"English last gateway octet stays", kEn, 13, "1", ".", "1.", 13, "", 0},
};

class TypingTest : public ConfigFormTest {
 protected:
  // Opens the window shown and active, with TextN's panel up and the focus in TextN.
  void OpenAt(int field, const char* text) {
    messages_.shown.clear();
    Open();
    Pick(field == 1 ? ItemId::VerticalReflective : ItemId::Network);
    form_->show();
    form_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
    Field(field)->setText(QString::fromUtf8(text));
    Field(field)->setFocus();
  }

  QLineEdit* Field(int number) const { return Control<QLineEdit>(QString("Text%1").arg(number)); }

  // Types one key into the focused field and lets the queued selection happen, as the event
  // loop does between two key presses.
  static void Type(char key) {
    QWidget* focused = QApplication::focusWidget();
    ASSERT_NE(focused, nullptr);
    if (key == '\r') {
      QTest::keyClick(focused, Qt::Key_Return);
    } else if (key == '\b') {
      QTest::keyClick(focused, Qt::Key_Backspace);
    } else {
      QTest::keyClick(focused, key);
    }
    QCoreApplication::processEvents();
  }
};

TEST_P(TypingTest, EachFieldFiltersTheKeysTypedIntoIt) {
  for (const TypingCase& c : kTypingCases) {
    if (c.window != window()) continue;
    SCOPED_TRACE(c.name);
    OpenAt(c.field, c.before);
    for (const char* key = c.keys; *key != '\0'; ++key) Type(*key);

    EXPECT_EQ(Field(c.field)->text(), QString::fromUtf8(c.after));
    EXPECT_EQ(QApplication::focusWidget(), Field(c.focused));
    EXPECT_EQ(Field(c.focused)->selectedText(), QString::fromUtf8(c.selected));
    EXPECT_EQ(messages_.shown, std::vector<Message>(c.warnings, kOverLimit));
  }
}

// Clipboard keys do nothing in a filtered field; in the English network fields they work.
TEST_P(TypingTest, ClipboardKeysWorkOnlyWhereNoFilterIs) {
  struct Shortcut {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifier modifier;
    const char* text;       // of a field holding "12", all selected, with "34" on the
    const char* clipboard;  // clipboard, after the shortcut where no filter is
  };
  const Shortcut shortcuts[] = {{"Ctrl+V", Qt::Key_V, Qt::ControlModifier, "34", "34"},
                                {"Shift+Insert", Qt::Key_Insert, Qt::ShiftModifier, "34", "34"},
                                {"Ctrl+X", Qt::Key_X, Qt::ControlModifier, "", "12"},
                                {"Shift+Delete", Qt::Key_Delete, Qt::ShiftModifier, "", "12"},
                                {"Ctrl+C", Qt::Key_C, Qt::ControlModifier, "12", "12"}};
  for (int field : {1, 2, 14}) {
    const bool filtered = field == 1 || window() == kCn;
    for (const Shortcut& shortcut : shortcuts) {
      SCOPED_TRACE(::testing::Message() << "Text" << field << " " << shortcut.name);
      OpenAt(field, "12");
      QApplication::clipboard()->setText("34");
      Field(field)->selectAll();
      QTest::keyClick(Field(field), shortcut.key, shortcut.modifier);
      EXPECT_EQ(Field(field)->text(), filtered ? "12" : shortcut.text);
      EXPECT_EQ(QApplication::clipboard()->text(), filtered ? "34" : shortcut.clipboard);
      EXPECT_TRUE(messages_.shown.empty());
    }
  }
}

// Text from an input method goes through the filter like typed characters.
TEST_P(TypingTest, InputMethodTextIsFilteredLikeTyping) {
  OpenAt(1, "1");
  QInputMethodEvent composing("中", {});
  QApplication::sendEvent(Field(1), &composing);
  QInputMethodEvent committed;
  committed.setCommitString("中5文");
  QApplication::sendEvent(Field(1), &committed);
  EXPECT_EQ(Field(1)->text(), "15");
}

INSTANTIATE_TEST_SUITE_P(BothWindows, TypingTest, ::testing::Values(kCn, kEn),
                         ::testing::PrintToStringParamName());

}  // namespace
}  // namespace varnok::testing
