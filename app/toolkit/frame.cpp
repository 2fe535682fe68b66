// Frame: a captioned box holding controls, whose option buttons exclude each other.
#include "app/toolkit/controls.h"

#include <QButtonGroup>
#include <QGroupBox>

#include "app/toolkit/fp_traps.h"
#include "app/toolkit/native.h"

namespace toolkit {

Frame::Frame(Container& parent, const std::string& caption, int left, int top, int width,
             int height, const Font& font) {
  const ToolkitFpScope fp;
  auto* box = new QGroupBox(Q(caption), NativeClient(parent));
  box->setFont(MakeFont(font.name, font.points, font.bold));
  box->setGeometry(PixelRect(left, top, width, height));
  native_->widget = box;
  client_->widget = box;  // children are placed from the frame's top-left corner
  client_->group = new QButtonGroup(box);
  client_->group->setExclusive(true);
}

Frame::~Frame() = default;

std::string Frame::Caption() const {
  return WidgetAs<QGroupBox>(*native_)->title().toStdString();
}

}  // namespace toolkit
