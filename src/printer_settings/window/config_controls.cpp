#include "printer_settings/window/config_controls.h"

#include <QComboBox>
#include <QFont>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QString>
#include <QVBoxLayout>
#include <algorithm>
#include <string>
#include <vector>

#include "gui/accessible_combo_box.h"
#include "gui/accessible_rule.h"
#include "gui/blank_tab_label.h"
#include "gui/qt_text.h"
#include "gui/twips.h"

namespace varnok {

namespace {

constexpr int kFontPoints = 9;
constexpr int kListRowHeight = 330;
constexpr int kInputPanelWidth = 3375;
constexpr int kInputPanelHeight = 1215;
constexpr int kHelpPanelWidth = 5175;
constexpr int kHelpPanelHeight = 1575;
constexpr int kOkTop = 2520;

// Network panel rows: the caption, when there is one, pushes the rows down.
constexpr int kNetworkRowLabelLeft = 120;
constexpr int kNetworkFirstRowTopCaptioned = 255;
constexpr int kNetworkFirstRowTopUncaptioned = 150;
constexpr int kNetworkRowLabelDrop = 15;  // the row label's first line sits level with the boxes
constexpr int kNetworkBoxHeight = 240;
constexpr int kNetworkBottomMargin = 45;
constexpr int kNetworkBoxWidth = 450;
constexpr int kNetworkPortBoxWidth = 900;
constexpr int kNetworkDotWidth = 150;

// The name a screen reader announces for a box labelled with caption: the caption without its
// line breaks and closing colon.
QString AccessibleText(std::string_view caption) {
  QString text = OneLineName(QtText(caption));
  while (text.endsWith(u':') || text.endsWith(u'：')) text.chop(1);
  return text.trimmed();
}

template <typename Widget>
Widget* Make(QWidget* parent, const QString& name) {
  auto* widget = new Widget(parent);
  widget->setObjectName(name);
  return widget;
}

void Place(QWidget* widget, int left, int top, int width, int height) {
  widget->setGeometry(TwipsRect(widget, left, top, width, height));
}

void SetTextColor(QWidget* widget, Qt::GlobalColor color) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, color);
  widget->setPalette(palette);
}

void SetFontFamily(QWidget* widget, std::string_view family) {
  if (!family.empty()) widget->setFont(QFont(QtText(family), kFontPoints));
}

template <typename Label = QLabel>
Label* MakeLabel(QWidget* parent, const QString& name, std::string_view text) {
  auto* label = Make<Label>(parent, name);
  label->setText(QtText(text));
  if (label->text().contains(u'\n')) label->setAccessibleName(OneLineName(label->text()));
  return label;
}

// Panels paint their own white background, so the one in front hides the one behind.
QGroupBox* MakePanel(QWidget* parent, const QString& name, std::string_view caption, int left,
                     int top, int width, int height) {
  auto* panel = Make<QGroupBox>(parent, name);
  panel->setTitle(QtText(caption));
  panel->setAutoFillBackground(true);
  Place(panel, left, top, width, height);
  return panel;
}

QFrame* MakeRule(QWidget* parent, const QString& name, int top) {
  auto* rule = Make<QFrame>(parent, name);
  MakeHorizontalRule(*rule);
  Place(rule, kLabelLeft, top, kInputPanelWidth - 2 * kLabelLeft, 30);
  return rule;
}

struct NamedLine {
  QString name;
  std::string_view text;
};

struct HelpPanelControls {
  QGroupBox* panel;
  std::vector<QLabel*> lines;
};

// A help panel of the lower slot: wrapped lines from the top down, black on white.
HelpPanelControls MakeHelpPanel(QWidget& client, const QString& name, std::string_view caption,
                                const std::vector<NamedLine>& lines) {
  HelpPanelControls made{MakePanel(&client, name, caption, kLowerSlotLeft, kLowerSlotTop,
                                   kHelpPanelWidth, kHelpPanelHeight),
                         {}};
  auto* layout = new QVBoxLayout(made.panel);
  // Tight margins: the longest English lines need every pixel of the panel.
  layout->setContentsMargins(Twips(made.panel, 90), 0, Twips(made.panel, 45), 0);
  layout->setSpacing(0);
  for (const NamedLine& line : lines) {
    QLabel* label = MakeLabel<BlankTabLabel>(made.panel, line.name, line.text);
    label->setWordWrap(true);
    SetTextColor(label, Qt::black);
    layout->addWidget(label);
    made.lines.push_back(label);
  }
  layout->addStretch();
  return made;
}

void BuildListRows(QWidget& client, const ConfigWindowTexts& texts, ConfigControls& controls) {
  struct Row {
    const char* label_name;
    std::string_view label_text;
    const char* list_name;
    int top;
    int list_left;
    int list_width;
  };
  const Row rows[] = {
      {"Label2", texts.model_label, "MODEL", 240, texts.model_list_left, texts.model_list_width},
      {"Label8", texts.item_label, "Combo1", 720, texts.item_list_left, texts.item_list_width},
  };
  QComboBox* lists[2] = {};
  for (int i = 0; i < 2; ++i) {
    const Row& row = rows[i];
    QLabel* label = MakeLabel(&client, row.label_name, row.label_text);
    Place(label, kLabelLeft, row.top, row.list_left - kLabelLeft, kListRowHeight);
    auto* list = Make<QComboBox>(&client, row.list_name);
    Place(list, row.list_left, row.top, row.list_width, kListRowHeight);
    SetFontFamily(list, texts.list_font_family);
    SetUpAccessibleComboBox(*list, AccessibleText(row.label_text));
    label->setBuddy(list);
    lists[i] = list;
  }
  controls.model = lists[0];
  controls.items = lists[1];
}

void BuildPlaceholderPanel(QWidget& client, const ConfigWindowTexts& texts,
                           ConfigControls& controls) {
  QGroupBox* panel = MakePanel(&client, "Frame4", texts.options_caption, kUpperSlotLeft,
                               kUpperSlotTop, kInputPanelWidth, kInputPanelHeight);
  MakeRule(panel, "Line2", 420);
  if (!texts.placeholder_note.empty()) {
    QLabel* note = MakeLabel(panel, "Label4", texts.placeholder_note);
    note->setAlignment(Qt::AlignCenter);
    Place(note, kLabelLeft, 510, kInputPanelWidth - 2 * kLabelLeft, 300);
  }
  MakeRule(panel, "Line3", 870);
  controls.placeholder_panel = panel;
}

void BuildValuePanel(QWidget& client, const ConfigWindowTexts& texts, ConfigControls& controls) {
  QGroupBox* panel = MakePanel(&client, "Frame2", texts.options_caption, kUpperSlotLeft,
                               kUpperSlotTop, kInputPanelWidth, kInputPanelHeight);
  QLabel* label = MakeLabel(panel, "Label12", texts.value_label);
  Place(label, kLabelLeft, 360, 840, 300);
  auto* box = Make<QLineEdit>(panel, "Text1");
  Place(box, 1080, 360, 1215, 300);
  SetFontFamily(box, texts.list_font_family);
  box->setAccessibleName(AccessibleText(texts.value_label));
  label->setBuddy(box);
  QLabel* range = MakeLabel(panel, "Label1", "");
  Place(range, kLabelLeft, 780, kInputPanelWidth - kLabelLeft - 60, 300);
  controls.value_panel = panel;
  controls.value_box = box;
  controls.range_line = range;
}

void BuildChoicePanel(QWidget& client, const ConfigWindowTexts& texts, ConfigControls& controls) {
  QGroupBox* panel = MakePanel(&client, "Frame5", texts.options_caption, kUpperSlotLeft,
                               kUpperSlotTop, kInputPanelWidth, kInputPanelHeight);
  auto* first = Make<QRadioButton>(panel, "Option4");
  Place(first, 360, 330, 2800, 300);
  first->setChecked(true);
  auto* second = Make<QRadioButton>(panel, "Option5");
  Place(second, 360, 720, 2800, 300);
  controls.choice_panel = panel;
  controls.first_choice = first;
  controls.second_choice = second;
}

// Four rows (IP address, mask, gateway: four boxes with dots between; port: one wider box). A row
// is as tall as its label needs (the English address and gateway labels take two lines), and the
// label column as wide as its widest label; the panel grows to hold them.
void BuildNetworkPanel(QWidget& client, const ConfigWindowTexts& texts, ConfigControls& controls) {
  QGroupBox* panel = MakePanel(&client, "Frame8", texts.network_caption, kUpperSlotLeft,
                               kUpperSlotTop, texts.network_panel_width, kInputPanelHeight);
  std::array<QLabel*, 4> labels{};
  int label_width = Twips(panel, texts.network_row_label_width);
  for (size_t row = 0; row < labels.size(); ++row) {
    labels[row] =
        MakeLabel(panel, QString("NetworkRowLabel%1").arg(row + 1), texts.network_row_labels[row]);
    labels[row]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label_width = std::max(label_width, labels[row]->sizeHint().width());
  }
  const int label_left = Twips(panel, kNetworkRowLabelLeft);
  const int label_drop = Twips(panel, kNetworkRowLabelDrop);
  const int boxes_left = label_left + label_width;
  const int box_height = Twips(panel, kNetworkBoxHeight);
  const int box_pitch = Twips(panel, kNetworkBoxWidth + kNetworkDotWidth);
  const QFont dot_font("Arial Black", kFontPoints, QFont::Black);
  int top = Twips(panel, texts.network_caption.empty() ? kNetworkFirstRowTopUncaptioned
                                                       : kNetworkFirstRowTopCaptioned);
  int right = 0;
  int text_number = 2;
  for (size_t row = 0; row < labels.size(); ++row) {
    const int label_height = labels[row]->sizeHint().height();
    labels[row]->setGeometry(label_left, top + label_drop, label_width, label_height);
    const bool is_port_row = row == 3;
    const int boxes = is_port_row ? 1 : 4;
    for (int part = 0; part < boxes; ++part) {
      const int left = boxes_left + part * box_pitch;
      if (part > 0) {
        QLabel* dot = MakeLabel(panel, QString("DotAfterText%1").arg(text_number - 1), ".");
        dot->setFont(dot_font);
        dot->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
        dot->setGeometry(left - Twips(panel, kNetworkDotWidth), top, Twips(panel, kNetworkDotWidth),
                         box_height);
      }
      auto* box = Make<QLineEdit>(panel, QString("Text%1").arg(text_number));
      const int box_width = Twips(panel, is_port_row ? kNetworkPortBoxWidth : kNetworkBoxWidth);
      box->setGeometry(left, top, box_width, box_height);
      box->setText(QtText(kNetworkBoxDefaults[static_cast<size_t>(text_number - 2)]));
      const QString name = AccessibleText(texts.network_row_labels[row]);
      box->setAccessibleName(is_port_row ? name : QString("%1 %2").arg(name).arg(part + 1));
      controls.network_boxes[static_cast<size_t>(text_number - 2)] = box;
      right = std::max(right, left + box_width);
      ++text_number;
    }
    top += std::max(box_height, label_drop + label_height);
  }
  // Grown, the panel keeps a margin beside and below the rows.
  if (right > panel->width()) {
    panel->resize(right + Twips(panel, kNetworkRowLabelLeft), panel->height());
  }
  if (top > panel->height()) {
    panel->resize(panel->width(), top + Twips(panel, kNetworkBottomMargin));
  }
  controls.network_panel = panel;
}

void BuildHelpPanels(QWidget& client, const ConfigWindowTexts& texts, ConfigControls& controls) {
  HelpPanelControls general = MakeHelpPanel(client, "Frame1", texts.notes_caption,
                                            {{"Label9_0", texts.general_notes[0]},
                                             {"Label10", texts.general_notes[1]},
                                             {"Label11", texts.general_notes[2]},
                                             {"Label23", texts.general_notes[3]}});
  HelpPanelControls item_help =
      MakeHelpPanel(client, "Frame3", texts.methods_caption,
                    {{"Label13", ""}, {"Label14", ""}, {"Label15", ""}, {"Label16", ""}});
  HelpPanelControls sensitivity = MakeHelpPanel(client, "lingmingdu", texts.methods_caption,
                                                {{"lingmingdu_Line1", texts.sensitivity_notes[0]},
                                                 {"lingmingdu_Line2", texts.sensitivity_notes[1]},
                                                 {"lingmingdu_Line3", texts.sensitivity_notes[2]}});
  HelpPanelControls precision = MakeHelpPanel(client, "Frame7", texts.methods_caption,
                                              {{"Frame7_Line1", texts.precision_notes[0]},
                                               {"Frame7_Line2", texts.precision_notes[1]},
                                               {"Frame7_Line3", texts.precision_notes[2]}});
  HelpPanelControls orientation =
      MakeHelpPanel(client, "dyfangxiang", texts.methods_caption,
                    {{"dyfangxiang_Line1", texts.orientation_notes[0]},
                     {"dyfangxiang_Line2", texts.orientation_notes[1]}});
  HelpPanelControls reset =
      MakeHelpPanel(client, "Frame6", texts.notes_caption,
                    {{"Label9_1", ""}, {"Label5", ""}, {"Label3", texts.reset_confirm_line}});

  SetTextColor(general.panel, Qt::red);
  SetTextColor(reset.panel, Qt::red);
  if (texts.item_help_lines_3_and_4_red) {
    SetTextColor(item_help.lines[2], Qt::red);
    SetTextColor(item_help.lines[3], Qt::red);
  }

  controls.general_notes = general.panel;
  controls.item_help = item_help.panel;
  controls.sensitivity_notes = sensitivity.panel;
  controls.precision_notes = precision.panel;
  controls.orientation_notes = orientation.panel;
  controls.reset_notes = reset.panel;
  controls.item_help_lines = {item_help.lines[0], item_help.lines[1], item_help.lines[2],
                              item_help.lines[3]};
  controls.reset_note_lines = {reset.lines[0], reset.lines[1]};
}

void SetTabOrder(const ConfigWindowTexts& texts, const ConfigControls& controls) {
  std::vector<QWidget*> chain{controls.model,   controls.items,        controls.value_box,
                              controls.confirm, controls.first_choice, controls.second_choice};
  for (int text_number : texts.network_tab_order) {
    chain.push_back(controls.network_boxes[static_cast<size_t>(text_number - 2)]);
  }
  for (size_t i = 0; i + 1 < chain.size(); ++i) QWidget::setTabOrder(chain[i], chain[i + 1]);
}

}  // namespace

void FitHelpPanel(QGroupBox& panel) {
  panel.resize(panel.width(),
               std::max(Twips(&panel, kHelpPanelHeight), panel.heightForWidth(panel.width())));
}

ConfigControls BuildConfigControls(QWidget& client, const ConfigWindowTexts& texts) {
  SetFontFamily(&client, texts.text_font_family);
  ConfigControls controls{};
  BuildListRows(client, texts, controls);
  // The placeholder panel comes first so that it lies behind the other input panels.
  BuildPlaceholderPanel(client, texts, controls);
  BuildValuePanel(client, texts, controls);
  BuildChoicePanel(client, texts, controls);
  BuildNetworkPanel(client, texts, controls);

  controls.confirm = Make<QPushButton>(&client, "Command2");
  controls.confirm->setText(QtText(texts.ok_caption));
  // Ends where the lower slot begins, a pixel short of the 495 twips that would reach into it.
  Place(controls.confirm, texts.ok_left, kOkTop, 1695, kLowerSlotTop - kOkTop);

  BuildHelpPanels(client, texts, controls);
  SetTabOrder(texts, controls);
  return controls;
}

}  // namespace varnok
