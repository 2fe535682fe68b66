// SPDX-License-Identifier: GPL-3.0-or-later
// OptionButton: one of the exclusive buttons of a frame, round or pushed.
#include "toolkit/controls.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QPushButton>
#include <QRadioButton>

#include "toolkit/application.h"
#include "toolkit/fp_traps.h"
#include "toolkit/qt/native.h"

namespace toolkit {

OptionButton::OptionButton(Frame& parent, const std::string& caption, int left, int top, int width,
                           int height, const Font& font, bool selected, bool graphical) {
  const ToolkitFpScope fp;
  QAbstractButton* button = nullptr;
  if (graphical) {
    auto* push = new QPushButton(Q(caption), NativeClient(parent));
    push->setCheckable(true);
    button = push;
  } else {
    button = new QRadioButton(Q(caption), NativeClient(parent));
  }
  button->setFont(MakeFont(font.name, font.points, font.bold));
  button->setGeometry(PixelRect(left, top, width, height));
  button->setChecked(selected);
  button->setFocusPolicy(Qt::StrongFocus);
  parent.client().group->addButton(button);
  native_->widget = button;
  QObject::connect(button, &QAbstractButton::toggled, button, [this](bool checked) {
    if (checked) RaiseClick();
  });
}

OptionButton::~OptionButton() = default;

bool OptionButton::Value() const {
  return WidgetAs<QAbstractButton>(*native_)->isChecked();
}

void OptionButton::SetValue(bool selected) {
  const ToolkitFpScope fp;
  QAbstractButton* button = WidgetAs<QAbstractButton>(*native_);
  if (selected) {
    button->setChecked(true);
    return;
  }
  if (!button->isChecked()) return;
  // An exclusive group refuses to lose its last checked button; a frame may be left with
  // none selected, so the group lets go for the moment of the change.
  QButtonGroup* group = button->group();
  if (group != nullptr) group->setExclusive(false);
  {
    const QSignalBlocker quiet(button);
    button->setChecked(false);
  }
  if (group != nullptr) group->setExclusive(true);
}

std::string OptionButton::Caption() const {
  return WidgetAs<QAbstractButton>(*native_)->text().toStdString();
}

void OptionButton::RaiseClick() {
  const ProgramFpScope program;
  if (onClick && !Quitting()) onClick();
}

}  // namespace toolkit
