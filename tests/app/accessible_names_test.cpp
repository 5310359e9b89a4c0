// What a screen reader hears from the input controls of every window.
#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QTimer>
#include <functional>

#include "gui/qt_message_boxes.h"
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

// Every object of every window, and of a message box, as a screen reader reads it: names on one
// line, no description that only repeats the name, pictures named, the rules separators without
// a name, the drive list labelled, folders announced without the blanks that draw the tree.
TEST_F(MainWindowTest, EveryObjectReadsAsWhatItIs) {
  StoreLanguage("CHINESE");
  Start();
  Choose("About");
  Choose("Sendfile_cn");
  Choose("PrinterConfig");
  StoreLanguage("ENGLISH");
  Choose("PrinterConfig");  // beside Form2
  ASSERT_EQ(OpenWindows(), (QStringList{"Form2", "Form3_en", "frmAbout", "sendfile"}));
  QStringList objects;
  std::function<void(QAccessibleInterface*)> read = [&](QAccessibleInterface* node) {
    const QString name = node->text(QAccessible::Name);
    const QString description = node->text(QAccessible::Description);
    const QString what = node->object() != nullptr ? node->object()->objectName() : name;
    EXPECT_FALSE(name.contains(u'\n')) << what.toStdString();
    EXPECT_TRUE(description.isEmpty() || description != name) << what.toStdString();
    EXPECT_FALSE(node->role() == QAccessible::Graphic && name.isEmpty()) << what.toStdString();
    if (node->role() == QAccessible::Separator) {
      EXPECT_TRUE(name.isEmpty()) << what.toStdString();
      objects << what;
    }
    for (int i = 0; i < node->childCount(); ++i) read(node->child(i));
  };
  read(QAccessible::queryAccessibleInterface(frame_.get()));
  objects.sort();
  EXPECT_EQ(objects, (QStringList{"Line2", "Line2", "Line3", "Line3"}));

  QMdiSubWindow* form3 = Child("Form3_en");
  ASSERT_NE(form3, nullptr);
  EXPECT_EQ(QAccessible::queryAccessibleInterface(form3->findChild<QWidget*>("NetworkRowLabel1"))
                ->text(QAccessible::Name)
                .toStdString(),
            "IP address:");

  QWidget* sendfile = Child("sendfile")->widget();
  QAccessibleInterface* drives =
      QAccessible::queryAccessibleInterface(sendfile->findChild<QComboBox*>("Drive1"));
  const auto labels = drives->relations(QAccessible::Label);
  ASSERT_EQ(labels.size(), 1);
  EXPECT_EQ(labels[0].first->text(QAccessible::Name).toStdString(), "Drives:");
  QAccessibleInterface* folders =
      QAccessible::queryAccessibleInterface(sendfile->findChild<QListWidget*>("Dir1"));
  ASSERT_GT(folders->childCount(), 1);
  for (int i = 0; i < folders->childCount(); ++i) {
    EXPECT_FALSE(folders->child(i)->text(QAccessible::Name).startsWith(u' '));
  }

  QtUserMessages boxes(frame_.get());
  QTimer::singleShot(0, [&] {
    QWidget* box = QApplication::activeModalWidget();
    ASSERT_NE(box, nullptr);
    read(QAccessible::queryAccessibleInterface(box));
    box->close();
  });
  boxes.Show({"Nothing was sent.", "VarnoK Utility", MessageIcon::Exclamation});
}

}  // namespace
}  // namespace varnok::testing
