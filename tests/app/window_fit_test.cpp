// Every window and panel in both languages, as the operator sees it in the main window: each text
// fits its control, no control lies over another, and each child window lies inside the work
// area.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <fstream>
#include <vector>

#include "app/interface_font/interface_font.h"
#include "gui/qt_text.h"
#include "main_window_fixture.h"
#include "printer_settings/setting_catalogue.h"
#include "printer_settings/setting_item.h"
#include "printer_settings/window/config_form.h"

namespace varnok::testing {
namespace {

// Our controls carry object names; Qt's own parts of a control have none or a "qt_" one.
bool IsOwnControl(const QWidget* widget) {
  return !widget->objectName().isEmpty() && !widget->objectName().startsWith("qt_");
}

QString Describe(const QWidget* widget) {
  return widget->objectName() + " (" + widget->metaObject()->className() + ")";
}

QString Rect(const QRect& rect) {
  return QString("(%1,%2 %3x%4)").arg(rect.x()).arg(rect.y()).arg(rect.width()).arg(rect.height());
}

// The room the text needs, measured as the window draws it: a TAB takes the room of a blank.
QSize TextSize(const QFontMetrics& metrics, const QString& text, int width, int flags) {
  return metrics.boundingRect(QRect(0, 0, width, 100000), flags, text).size();
}

// What is wrong with the text of a label, a frame's caption or a button, or an empty string.
QString TextProblem(const QWidget* widget) {
  const QFontMetrics metrics = widget->fontMetrics();
  QString text;
  QSize room;
  QSize needed;
  if (const auto* label = qobject_cast<const QLabel*>(widget)) {
    text = label->text();
    room = label->contentsRect().size();
    // Measured from the top: a text centred in a tall rectangle is rounded a pixel larger.
    const int flags = static_cast<int>(label->alignment() & Qt::AlignHorizontal_Mask) |
                      (label->wordWrap() ? static_cast<int>(Qt::TextWordWrap) : 0);
    needed = TextSize(metrics, text, label->wordWrap() ? room.width() : 100000, flags);
  } else if (const auto* box = qobject_cast<const QGroupBox*>(widget)) {
    text = box->title();
    room = {box->width(), box->height()};
    needed = TextSize(metrics, text, 100000, 0);
  } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
    // The button's own hint: its text, indicator and the style's margins.
    text = button->text();
    room = button->size();
    needed = {button->sizeHint().width(), TextSize(metrics, text, 100000, 0).height()};
  }
  if (text.isEmpty() || (needed.width() <= room.width() && needed.height() <= room.height())) {
    return {};
  }
  return QString("%1: \"%2\" needs %3x%4, has %5x%6")
      .arg(Describe(widget), text)
      .arg(needed.width())
      .arg(needed.height())
      .arg(room.width())
      .arg(room.height());
}

// A TAB is drawn as the short gap of a blank: the label looks the same with blanks for TABs.
bool DrawsTabsAsBlanks(QLabel& label) {
  const QString text = label.text();
  const QImage with_tabs = label.grab().toImage();
  label.setText(QString(text).replace('\t', ' '));
  const QImage with_blanks = label.grab().toImage();
  label.setText(text);
  return with_tabs == with_blanks;
}

// The visible controls directly inside parent, bottom first, without those that lie wholly
// behind an opaque sibling above them (the placeholder panel behind the value panel).
std::vector<QWidget*> ShownControls(const QWidget* parent) {
  std::vector<QWidget*> shown;
  for (QObject* child : parent->children()) {
    auto* widget = qobject_cast<QWidget*>(child);
    if (widget != nullptr && !widget->isWindow() && widget->isVisible() && IsOwnControl(widget)) {
      shown.push_back(widget);
    }
  }
  std::erase_if(shown, [&shown](const QWidget* below) {
    const auto above = std::find(shown.begin(), shown.end(), below) + 1;
    return std::any_of(above, shown.end(), [below](const QWidget* widget) {
      return widget->autoFillBackground() && widget->geometry().contains(below->geometry());
    });
  });
  return shown;
}

void CollectProblems(const QWidget* parent, QStringList& problems) {
  const std::vector<QWidget*> shown = ShownControls(parent);
  for (size_t i = 0; i < shown.size(); ++i) {
    if (QString problem = TextProblem(shown[i]); !problem.isEmpty()) problems << problem;
    auto* label = qobject_cast<QLabel*>(shown[i]);
    if (label != nullptr && label->text().contains('\t') && !DrawsTabsAsBlanks(*label)) {
      problems << Describe(label) + " draws a TAB as a wide gap";
    }
    if (!parent->rect().contains(shown[i]->geometry())) {
      problems << QString("%1 %2 reaches outside %3 %4")
                      .arg(Describe(shown[i]), Rect(shown[i]->geometry()), Describe(parent),
                           Rect(parent->rect()));
    }
    for (size_t j = i + 1; j < shown.size(); ++j) {
      if (shown[i]->geometry().intersects(shown[j]->geometry())) {
        problems << QString("%1 %2 overlaps %3 %4")
                        .arg(Describe(shown[i]), Rect(shown[i]->geometry()), Describe(shown[j]),
                             Rect(shown[j]->geometry()));
      }
    }
    CollectProblems(shown[i], problems);
  }
}

// The main window on the shipped settings file, in the interface font, on screen.
class WindowFitTest : public MainWindowTest {
 protected:
  static void SetUpTestSuite() { UseInterfaceFont(); }

  void StartIn(const char* language) {
    std::ofstream(config_path_, std::ios::binary)
        << std::ifstream(VARNOK_SHIPPED_CONFIG, std::ios::binary).rdbuf();
    WriteIniString(config_path_, kLanguageSection, kLanguageKey, language);
    spooler_.AddQueue("VARNOK K540 200DPI");
    Start().show();
    QCoreApplication::processEvents();
  }

  // Every problem of the open child windows, and of their places in the work area.
  QStringList Problems() const {
    QCoreApplication::processEvents();
    QStringList problems;
    const QRect area = WorkArea().viewport()->rect();
    for (QMdiSubWindow* child : WorkArea().subWindowList()) {
      if (child->isHidden()) continue;
      if (!area.contains(child->geometry())) {
        problems << Describe(child->widget()) + " lies partly outside the work area";
      }
      CollectProblems(child->widget(), problems);
    }
    return problems;
  }
};

struct FitCase {
  const char* language;   // stored in the settings file
  const char* command;    // opens the window; nullptr: the configuration window of start-up
  std::string_view item;  // picked in the configuration window's list; empty: none
};

TEST_F(WindowFitTest, EveryTextFitsAndNoControlCoversAnother) {
  std::vector<FitCase> cases;
  for (const auto& [language, window] :
       {std::pair{"CHINESE", Language::Chinese}, std::pair{"ENGLISH", Language::English}}) {
    cases.push_back({language, nullptr, {}});
    for (const SettingItem& item : SettingCatalogue(window)) {
      cases.push_back({language, nullptr, item.text});
    }
    cases.push_back({language, "About", {}});
    cases.push_back({language, "Sendfile_cn", {}});
  }
  for (const FitCase& c : cases) {
    SCOPED_TRACE(std::string(c.language) + " " + (c.command ? c.command : "configuration") + " " +
                 std::string(c.item));
    if (!frame_ || StoredLanguage() != c.language) {
      frame_.reset();
      StartIn(c.language);
    }
    if (c.command != nullptr) Choose(c.command);
    if (!c.item.empty()) {
      QMdiSubWindow* config = Child(ConfigForm::ObjectName(WindowLanguage(c.language)));
      ASSERT_NE(config, nullptr);
      auto* items = config->findChild<QComboBox*>("Combo1");
      const int index = items->findText(QtText(c.item));
      ASSERT_GE(index, 0);
      items->setCurrentIndex(index);
      emit items->activated(index);
    }
    const QStringList problems = Problems();
    EXPECT_TRUE(problems.isEmpty()) << problems.join("\n").toStdString();
  }
}

}  // namespace
}  // namespace varnok::testing
