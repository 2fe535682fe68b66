// SPDX-License-Identifier: GPL-3.0-or-later
// Window: the one top-level window, its menu bar and its client area of fixed size.
#include "toolkit/controls.h"

#include <QAction>
#include <QLayout>
#include <QMainWindow>
#include <QMenuBar>

#include "toolkit/application.h"
#include "toolkit/fp_traps.h"
#include "toolkit/qt/native.h"
#include "toolkit/twips.h"

namespace toolkit {

Window::Window(const std::string& title, int clientWidth, int clientHeight)
    : window_(std::make_unique<NativeHandle>()) {
  const ToolkitFpScope fp;
  auto* main = new QMainWindow();
  main->setWindowTitle(Q(title));
  auto* client = new QWidget(main);
  client->setFixedSize(TwipsToPixels(clientWidth), TwipsToPixels(clientHeight));
  main->setCentralWidget(client);
  main->menuBar()->setNativeMenuBar(false);
  main->setAttribute(Qt::WA_DeleteOnClose, false);
  window_->widget = main;
  client_->widget = client;
  // The layout does not follow resizing: the window keeps the size of its contents.
  main->layout()->setSizeConstraint(QLayout::SetFixedSize);
  main->adjustSize();
}

Window::~Window() {
  const ToolkitFpScope fp;
  menu_.clear();
  delete window_->widget.data();
}

MenuItem& Window::AddMenuItem(const std::string& caption) {
  const ToolkitFpScope fp;
  auto* main = WidgetAs<QMainWindow>(*window_);
  menu_.push_back(std::make_unique<MenuItem>(caption));
  MenuItem* item = menu_.back().get();
  QAction* action = main->menuBar()->addAction(Q(caption));
  QObject::connect(action, &QAction::triggered, main, [item] {
    const ProgramFpScope program;
    if (!Quitting()) item->RaiseClick();
  });
  main->adjustSize();
  return *item;
}

int Window::Width() const {
  return PixelsToTwips(window_->widget->frameGeometry().width());
}
int Window::Height() const {
  return PixelsToTwips(window_->widget->frameGeometry().height());
}
int Window::Top() const {
  return PixelsToTwips(window_->widget->frameGeometry().y());
}
int Window::Left() const {
  return PixelsToTwips(window_->widget->frameGeometry().x());
}

void Window::SetTop(int twips) {
  const ToolkitFpScope fp;
  QWidget* w = window_->widget;
  w->move(w->frameGeometry().x(), TwipsToPixels(twips));
}

void Window::SetLeft(int twips) {
  const ToolkitFpScope fp;
  QWidget* w = window_->widget;
  w->move(TwipsToPixels(twips), w->frameGeometry().y());
}

int Window::ClientWidth() const {
  return PixelsToTwips(client_->widget->width());
}
int Window::ClientHeight() const {
  return PixelsToTwips(client_->widget->height());
}
std::string Window::Title() const {
  return window_->widget->windowTitle().toStdString();
}

void Window::SetVisible(bool visible) {
  const ToolkitFpScope fp;
  window_->widget->setVisible(visible);
}
bool Window::Visible() const {
  return window_->widget->isVisible();
}

void Window::Unload() {
  const ToolkitFpScope fp;
  window_->widget->hide();
  window_->widget->close();
}

}  // namespace toolkit
