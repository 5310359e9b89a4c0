#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QWidget>

namespace varnok {

// Window layouts are given in twips (1/1440 inch): 15 twips make a pixel at 96 dpi, and the
// screen's logical dpi scales that.
inline int Twips(const QWidget* widget, int twips) {
  const int dpi = widget != nullptr ? widget->logicalDpiX() : 96;
  return (twips * dpi + 720) / 1440;
}

inline QRect TwipsRect(const QWidget* widget, int left, int top, int width, int height) {
  return {Twips(widget, left), Twips(widget, top), Twips(widget, width), Twips(widget, height)};
}

inline QPoint TwipsPoint(const QWidget* widget, int left, int top) {
  return {Twips(widget, left), Twips(widget, top)};
}

inline QSize TwipsSize(const QWidget* widget, int width, int height) {
  return {Twips(widget, width), Twips(widget, height)};
}

// Gives a control its object name and its place on the form (left, top, width and height in
// twips).
template <typename Control>
Control* Place(const QWidget* form, Control* control, const char* name, int left, int top,
               int width, int height) {
  control->setObjectName(name);
  control->setGeometry(TwipsRect(form, left, top, width, height));
  return control;
}

}  // namespace varnok
