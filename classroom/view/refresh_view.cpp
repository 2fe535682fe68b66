// SPDX-License-Identifier: GPL-3.0-or-later
// RefreshView: the one routine that turns the model's state into everything that changes on screen.
#include "classroom/view/refresh_view.h"

#include <array>
#include <string>

#include "classroom/form/form1.h"
#include "classroom/model/readout.h"
#include "classroom/view/readout_text.h"
#include "classroom/view/scene.h"

void RefreshView(RefreshMode mode) {
  // Each view is cleared just before it is redrawn, so they change on screen in this order.
  const DrawnGeometry g = CurrentDrawnGeometry();
  const SceneDrawing scene = ComputeSceneDrawing(g);
  DrawPicture2View(scene);
  DrawPicture3View(scene);
  DrawPicture1View(scene);

  const Readout r = RewriteReadouts(mode);
  PrintDistanceTexts(r);
  PrintAxisLetters(g);
}

Readout RewriteReadouts(RefreshMode mode) {
  const Readout r = ComputeReadout(CurrentReadoutInput());
  const std::array<std::string, 12> captions = ReadoutCaptions(r, mode);
  Form1& f = form1();
  for (std::size_t i = 0; i < captions.size(); ++i) {
    const CaptionSlot slot = captionSlots[i];
    toolkit::Label& label =
        slot.label == ReadoutLabel::Label5 ? f.Label5(slot.index) : f.Label2(slot.index);
    label.SetCaption(captions[i]);
  }
  return r;
}
