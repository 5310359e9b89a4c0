// What a screen reader hears from the input controls of every window.
#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QComboBox>

#include "main_window_fixture.h"

namespace varnok::testing {
namespace {

// A list box keeps its caption as its name once an entry is chosen; the entry is its value and its
// description (the send-file window's preselected printer too).
TEST_F(MainWindowTest, ListBoxesAreNamedByTheirCaptionAndDescribedByTheChosenEntry) {
  spooler_.AddQueue("VARNOK_K540_200DPI");
  StoreLanguage("CHINESE");
  Start();
  const struct {
    const char* command;  // opens the window first
    const char* window;
    const char* box;
    const char* name;
    const char* preselected;  // the entry chosen when the window opens
  } cases[] = {{nullptr, "Form2", "MODEL", "型号", ""},
               {nullptr, "Form2", "Combo1", "设置类型", ""},
               {"English", "Form3_en", "MODEL", "Model", ""},
               {nullptr, "Form3_en", "Combo1", "Settings", ""},
               {"Sendfile_cn", "sendfile", "Combo1", "Model", "VARNOK_K540_200DPI"},
               {nullptr, "sendfile", "Drive1", "Drives", nullptr}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.window) + " " + c.box);
    if (c.command != nullptr) Choose(c.command);
    ASSERT_NE(Child(c.window), nullptr);
    QWidget* window = Child(c.window)->widget();
    auto* box = window->findChild<QComboBox*>(c.box);
    QAccessibleInterface* reported = QAccessible::queryAccessibleInterface(box);
    if (c.preselected != nullptr) {
      EXPECT_EQ(reported->text(QAccessible::Description).toStdString(), c.preselected);
    }
    box->setCurrentIndex(box->count() - 1);
    ASSERT_FALSE(box->currentText().isEmpty());

    EXPECT_EQ(reported->text(QAccessible::Name).toStdString(), c.name);
    EXPECT_EQ(reported->text(QAccessible::Value).toStdString(), box->currentText().toStdString());
    EXPECT_EQ(reported->text(QAccessible::Description).toStdString(),
              box->currentText().toStdString());
    EXPECT_EQ(reported->role(), QAccessible::ComboBox);
    ASSERT_EQ(reported->childCount(), 1);
    EXPECT_EQ(reported->child(0)->object(), box->view());
    EXPECT_TRUE(reported->actionInterface()->actionNames().contains(
        QAccessibleActionInterface::showMenuAction()));

    for (QWidget* control : window->findChildren<QWidget*>()) {
      if (control->accessibleName().isEmpty()) continue;
      EXPECT_EQ(
          QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name).toStdString(),
          control->accessibleName().toStdString())
          << control->objectName().toStdString();
    }
  }
}

}  // namespace
}  // namespace varnok::testing
