#include "printer_settings/window/config_form.h"
#include "printer_settings/setting_catalogue.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <utility>

#include "gui/modal_press.h"
#include "gui/printer_worker.h"
#include "gui/qt_text.h"
#include "gui/twips.h"
#include "printer_settings/apply_setting.h"
#include "printer_settings/window/key_filter_glue.h"
#include "spooler/printer_access.h"

namespace varnok {

namespace {

// The window's outer frame within the main window's work area, in twips.
constexpr int kWindowLeft = 500;
constexpr int kWindowTop = 500;
constexpr int kWindowWidth = 6500;
constexpr int kWindowHeight = 5460;

TextFields TextFieldsOf(const ConfigControls& controls) {
  TextFields fields{controls.value_box};
  std::ranges::copy(controls.network_boxes, fields.begin() + 1);
  return fields;
}

}  // namespace

ConfigForm::ConfigForm(Language window, PrinterWorker& printer, UserMessages& messages,
                       std::string config_path, QWidget* parent)
    : QMdiSubWindow(parent),
      window_(window),
      printer_(printer),
      messages_(messages),
      config_path_(std::move(config_path)),
      controls_{} {
  const ConfigWindowTexts& texts = ConfigWindowTextsFor(window);
  setObjectName(QtText(texts.object_name));
  setWindowTitle(QtText(texts.caption));
  // A sizable border and a close box, but no maximise button.
  setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  auto* client = new QWidget;
  client->setObjectName("ClientArea");
  setWidget(client);
  controls_ = BuildConfigControls(*client, texts);
  connect(controls_.items, &QComboBox::activated, this, &ConfigForm::Combo1_Click);
  connect(controls_.confirm, &QPushButton::clicked, this, &ConfigForm::Command2_Click);
  InstallKeyFilters(window_, TextFieldsOf(controls_), messages_);
  Form_Load();
}

QString ConfigForm::ObjectName(Language window) {
  return QtText(ConfigWindowTextsFor(window).object_name);
}

void ConfigForm::Form_Load() {
  setGeometry(TwipsRect(this, kWindowLeft, kWindowTop, kWindowWidth, kWindowHeight));
  QPalette white = widget()->palette();
  white.setColor(QPalette::Window, Qt::white);
  widget()->setPalette(white);
  widget()->setAutoFillBackground(true);

  queues_ =
      printer_.ListBrandQueues(*this, [this](const QueueList& list) { QueueListArrived(list); });

  for (const SettingItem& item : SettingCatalogue(window_)) {
    controls_.items->addItem(QtText(item.text));
  }
  controls_.items->setCurrentIndex(-1);

  for (QGroupBox* panel :
       {controls_.value_panel, controls_.choice_panel, controls_.network_panel, controls_.item_help,
        controls_.sensitivity_notes, controls_.precision_notes, controls_.orientation_notes,
        controls_.reset_notes}) {
    panel->hide();
  }
  controls_.placeholder_panel->move(TwipsPoint(this, kUpperSlotLeft, kUpperSlotTop));
  controls_.placeholder_panel->show();
  controls_.general_notes->move(TwipsPoint(this, kLowerSlotLeft, kLowerSlotTop));
  FitHelpPanel(*controls_.general_notes);
  controls_.general_notes->show();
}

void ConfigForm::QueueListArrived(const QueueList& list) {
  if (list) {
    for (const std::string& queue : *list) controls_.model->addItem(QString::fromStdString(queue));
  }
  controls_.model->setCurrentIndex(-1);
}

void ConfigForm::Combo1_Click() {
  const SettingItem* item = FindSettingItem(window_, controls_.items->currentText().toStdString());
  if (item == nullptr) return;  // nothing picked yet
  ShowInputPanel(*item);
  ShowHelpPanel(*item);
}

void ConfigForm::Command2_Click() {
  SettingInputs inputs;
  inputs.queue = controls_.model->currentText().toStdString();
  inputs.item_text = controls_.items->currentText().toStdString();
  inputs.value = controls_.value_box->text().toStdString();
  inputs.option4_selected = controls_.first_choice->isChecked();
  inputs.option5_selected = controls_.second_choice->isChecked();
  std::ranges::transform(controls_.network_boxes, inputs.network.begin(),
                         [](const QLineEdit* box) { return box->text().toStdString(); });
  StartPress(printer_, *this, messages_,
             [window = window_, inputs, queues = queues_, config_path = config_path_](
                 Spooler& spooler, UserMessages& messages) mutable -> std::function<void()> {
               // The list asked for as the window opened has been answered by now: it decides
               // what an empty MODEL means.
               if (inputs.queue.empty()) inputs.queue_list_failed = !queues->ok();
               ApplySetting(window, inputs, spooler, messages, config_path);
               return {};
             });
}

// Value and choice panels cover the placeholder panel without hiding it; only the network
// panel hides it, and only a reset item shows it again.
void ConfigForm::ShowInputPanel(const SettingItem& item) {
  switch (item.input) {
    case InputPanel::Value:
      controls_.network_panel->hide();
      controls_.choice_panel->hide();
      controls_.value_box->setText(QtText(item.default_value));
      controls_.range_line->setText(QtText(item.range_line));
      break;
    case InputPanel::Network:
      controls_.choice_panel->hide();
      controls_.value_panel->hide();
      controls_.placeholder_panel->hide();
      break;
    case InputPanel::Choice:
      controls_.network_panel->hide();
      controls_.value_panel->hide();
      controls_.first_choice->setText(QtText(item.choices[0]));
      controls_.second_choice->setText(QtText(item.choices[1]));
      break;
    case InputPanel::Placeholder:
      controls_.network_panel->hide();
      controls_.value_panel->hide();
      controls_.choice_panel->hide();
      break;
  }
  QGroupBox* panel = InputPanelOf(item.input);
  panel->setGeometry(UpperSlotFor(*panel));
  panel->show();
}

// A panel grown taller than the slot for its texts would reach down beside the OK button: it
// takes the room left of the button instead, from the labels' margin.
QRect ConfigForm::UpperSlotFor(const QWidget& panel) const {
  QRect place(TwipsPoint(this, kUpperSlotLeft, kUpperSlotTop), panel.size());
  const QRect ok = controls_.confirm->geometry();
  if (place.intersects(ok)) {
    place.setLeft(Twips(this, kLabelLeft));
    place.setRight(ok.left() - 1);
  }
  return place;
}

void ConfigForm::ShowHelpPanel(const SettingItem& item) {
  QGroupBox* own = HelpPanelOf(item.help);
  for (QGroupBox* panel :
       {controls_.general_notes, controls_.item_help, controls_.sensitivity_notes,
        controls_.precision_notes, controls_.orientation_notes, controls_.reset_notes}) {
    if (panel != own) panel->hide();
  }
  own->move(TwipsPoint(this, item.help_left_twips, kLowerSlotTop));

  if (item.help == HelpPanel::ItemHelp) {
    controls_.item_help_lines[0]->setText(QtText(item.help_lines[0]));
    controls_.item_help_lines[1]->setText(QtText(item.help_lines[1]));
    for (size_t line : {size_t{2}, size_t{3}}) {
      controls_.item_help_lines[line]->setVisible(item.shows_help_lines_3_and_4);
      if (item.shows_help_lines_3_and_4) {
        controls_.item_help_lines[line]->setText(QtText(item.help_lines[line]));
      }
    }
  }
  if (item.help == HelpPanel::ResetNotes) {
    controls_.reset_note_lines[0]->setText(QtText(item.reset_notes[0]));
    controls_.reset_note_lines[1]->setText(QtText(item.reset_notes[1]));
  }
  FitHelpPanel(*own);
  own->show();
}

QGroupBox* ConfigForm::InputPanelOf(InputPanel panel) const {
  switch (panel) {
    case InputPanel::Value:
      return controls_.value_panel;
    case InputPanel::Network:
      return controls_.network_panel;
    case InputPanel::Choice:
      return controls_.choice_panel;
    case InputPanel::Placeholder:
      break;
  }
  return controls_.placeholder_panel;
}

QGroupBox* ConfigForm::HelpPanelOf(HelpPanel panel) const {
  switch (panel) {
    case HelpPanel::ItemHelp:
      return controls_.item_help;
    case HelpPanel::SensitivityNotes:
      return controls_.sensitivity_notes;
    case HelpPanel::PrecisionNotes:
      return controls_.precision_notes;
    case HelpPanel::OrientationNotes:
      return controls_.orientation_notes;
    case HelpPanel::ResetNotes:
      return controls_.reset_notes;
    case HelpPanel::GeneralNotes:
      break;
  }
  return controls_.general_notes;
}

}  // namespace varnok
