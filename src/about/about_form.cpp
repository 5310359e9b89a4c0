#include "about/about_form.h"

#include <QEvent>
#include <QFont>
#include <QHelpEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QShortcut>
#include <QToolTip>
#include <algorithm>
#include <utility>

#include "about/about_picture.h"
#include "about/about_texts.h"
#include "about/qt_program_launcher.h"
#include "about/system_info_open.h"
#include "gui/qt_message_boxes.h"
#include "gui/qt_text.h"
#include "gui/twips.h"
#include "spooler/message_boxes.h"

namespace varnok {

namespace {

constexpr int kFormWidth = 5850;
constexpr int kFormHeight = 5040;
constexpr int kRightMargin = 120;

// Shows the label's whole text as its tip. A tool tip of the label's own would also be what
// screen readers take for its description: its name once more.
class WholeTextTip : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::ToolTip) return false;
    auto* label = static_cast<QLabel*>(watched);
    QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), label->text(), label);
    return true;
  }
};

// The settings file's texts may be longer than the line has room for: the label grows to the
// right as far as the window allows, and its tip carries the whole text.
QLabel* TextLabel(QWidget* form, const std::string& text, const char* name, int left, int top,
                  int width, int height) {
  auto* label = Place(form, new QLabel(QtText(text), form), name, left, top, width, height);
  const int room = Twips(form, kFormWidth - kRightMargin) - label->x();
  label->resize(std::max(label->width(), std::min(label->sizeHint().width(), room)),
                label->height());
  label->installEventFilter(new WholeTextTip(label));
  return label;
}

QFont TitleFont() {
  QFont font;
  // 宋体 where it is installed, else another Chinese-capable face.
  font.setFamilies({"宋体", "SimSun", "NSimSun", "Noto Serif CJK SC", "WenQuanYi Micro Hei"});
  font.setPointSize(12);
  font.setBold(true);
  return font;
}

}  // namespace

AboutForm::AboutForm(std::string config_path, QWidget* parent)
    : QWidget(parent),
      own_launcher_(std::make_unique<QtProgramLauncher>()),
      own_messages_(std::make_unique<QtUserMessages>(this)),
      launcher_(*own_launcher_),
      messages_(*own_messages_) {
  Form_Load(config_path);
}

AboutForm::AboutForm(std::string config_path, ProgramLauncher& launcher, UserMessages& messages,
                     QWidget* parent)
    : QWidget(parent), launcher_(launcher), messages_(messages) {
  Form_Load(config_path);
}

AboutForm::~AboutForm() = default;

void AboutForm::Form_Load(const std::string& config_path) {
  setObjectName("frmAbout");
  setWindowTitle("About " + QString::fromUtf8(kApplicationTitle.data(),
                                              static_cast<qsizetype>(kApplicationTitle.size())));
  setFixedSize(TwipsSize(this, kFormWidth, kFormHeight));

  auto* picture = Place(this, new QLabel(this), "picIcon", 0, 0, 2400, 450);
  picture->setPixmap(AboutPicture());
  picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  picture->setAccessibleName("VarnoK logo");

  auto* title = TextLabel(this, "VarnoK Printer Utility 2.0", "lblTitle", 1320, 840, 3525, 360);
  title->setFont(TitleFont());

  const AboutTexts texts = ReadAboutTexts(config_path);
  TextLabel(this, texts.description, "lblDescription", 1560, 1560, 2445, 330);
  TextLabel(this, texts.disclaimer, "lblDisclaimer", 1680, 1920, 2295, 315);
  TextLabel(this, "2013.11.", "Label3", 600, 3360, 2655, 255);

  auto* ok = Place(this, new QPushButton("OK", this), "cmdOK", 3360, 2640, 1500, 345);
  ok->setDefault(true);
  auto* system = Place(this, new QPushButton("SYSTEM", this), "cmdSysInfo", 3360, 3120, 1485, 345);
  connect(ok, &QPushButton::clicked, this, &AboutForm::cmdOK_Click);
  connect(system, &QPushButton::clicked, this, &AboutForm::cmdSysInfo_Click);

  // OK is the cancel button: Esc closes. It is also the default button: Enter presses it,
  // unless another button has the focus, which Enter then presses instead.
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  escape->setContext(Qt::WidgetWithChildrenShortcut);
  connect(escape, &QShortcut::activated, ok, &QPushButton::click);
  for (const auto key : {Qt::Key_Return, Qt::Key_Enter}) {
    auto* enter = new QShortcut(QKeySequence(key), this);
    enter->setContext(Qt::WidgetWithChildrenShortcut);
    connect(enter, &QShortcut::activated, this, [this, ok] {
      auto* focused = qobject_cast<QPushButton*>(focusWidget());
      (focused != nullptr ? focused : ok)->click();
    });
  }
}

void AboutForm::cmdOK_Click() {
  // Inside the main window the frame around the form is what closes.
  if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget())) {
    frame->close();
  } else {
    close();
  }
}

void AboutForm::cmdSysInfo_Click() { OpenSystemInfo(launcher_, messages_); }

}  // namespace varnok
