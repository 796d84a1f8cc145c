// The toolkit the engine runs on doing the same work as the engine's benches, timed in
// the same run, so a ratio says how the engine stands against plain Qt widgets in the
// Fusion style (set per widget: the engine's own native pieces keep theirs).
#pragma once

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QImage>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStringListModel>
#include <QStyle>
#include <QStyleFactory>
#include <QWheelEvent>

#include <memory>
#include <vector>

#include "bench/BenchSupport.h"

namespace bench {

inline QStyle* Fusion() {
  static QStyle* style = QStyleFactory::create("Fusion");
  return style;
}

// A 20-item menu with the engine bench's items (separators, shortcuts, checks): a fresh
// menu window built over the actions, shown, painted once whole, closed.
inline double QtMenuOpenSeconds(int n) {
  std::vector<std::unique_ptr<QAction>> actions;
  for (int i = 0; i < 20; ++i) {
    auto a = std::make_unique<QAction>(QStringLiteral("Menu item &%1").arg(i));
    if (i % 5 == 4) a->setSeparator(true);
    if (i % 3 == 0) a->setShortcut(QKeySequence(QStringLiteral("Ctrl+F%1").arg(1 + i % 9)));
    a->setCheckable(i % 7 == 1);
    a->setChecked(i % 7 == 1);
    actions.push_back(std::move(a));
  }
  QImage image;
  return SecondsPerCall([&] {
    QMenu menu;
    menu.setStyle(Fusion());
    for (auto& a : actions) menu.addAction(a.get());
    menu.popup(QPoint(120, 100));
    image = menu.grab().toImage();
    menu.hide();
  }, n);
}

// A list of `rows` rows in a view of the engine bench's size, stepped one row by a wheel
// notch sent to its viewport, then painted whole (rows and bar).
struct QtWheelList {
  QtWheelList(int rows, int w, int h) {
    QStringList names;
    for (int i = 0; i < rows; ++i) names << QStringLiteral("Take %1.wav").arg(i + 1);
    model.setStringList(names);
    view.setStyle(Fusion());
    view.verticalScrollBar()->setStyle(Fusion());
    view.setModel(&model);
    view.setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    view.setGeometry(10, 10, w, h);
    view.show();
    QApplication::setWheelScrollLines(1);
    QApplication::processEvents();
  }
  // Returns the scroll bar's value after the step.
  int Step() {
    QScrollBar* bar = view.verticalScrollBar();
    if (bar->value() == 0) down = true;
    if (bar->value() == bar->maximum()) down = false;
    const QPointF at(50, 100);
    QWheelEvent e(at, view.viewport()->mapToGlobal(at), QPoint(), QPoint(0, down ? -120 : 120),
                  Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view.viewport(), &e);
    image = view.grab().toImage();
    return bar->value();
  }
  QStringListModel model;
  QListView view;
  QImage image;
  bool down = true;
};

// The main window's six controls as Qt widgets: three 75 x 25 push buttons and three
// 121 x 81 group boxes of radio buttons, each repainted whole.
struct QtSixControls {
  QtSixControls() {
    form.setGeometry(10, 10, 420, 220);
    const char* const captions[3] = {"Record", "Stop", "Open video file"};
    const char* const groups[3] = {"Channels", "Bits", "Rate"};
    const std::vector<std::vector<const char*>> items = {
        {"Mono", "Stereo"}, {"8 bit", "16 bit"}, {"11025", "22050", "44100"}};
    for (int i = 0; i < 3; ++i) {
      auto* b = new QPushButton(captions[i], &form);
      b->setGeometry(10 + 85 * i, 10, 75, 25);
      b->setStyle(Fusion());
      controls.push_back(b);
      auto* g = new QGroupBox(groups[i], &form);
      g->setGeometry(10 + 131 * i, 45, 121, 81);
      g->setStyle(Fusion());
      int y = 18;
      for (const char* item : items[size_t(i)]) {
        auto* r = new QRadioButton(item, g);
        r->setGeometry(8, y, 105, 18);
        r->setStyle(Fusion());
        r->setChecked(y == 18);
        y += 20;
      }
      controls.push_back(g);
    }
    form.show();
    QApplication::processEvents();
  }
  void Repaint() {
    for (QWidget* w : controls) image = w->grab().toImage();  // a group paints its buttons
  }
  QWidget form;
  std::vector<QWidget*> controls;
  QImage image;
};

}  // namespace bench
