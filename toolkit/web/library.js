// SPDX-License-Identifier: GPL-3.0-or-later
// The page's side of the boundary: each function the web backend imports, handing its
// arguments to the page object (page.js) with C strings read as text.
mergeInto(LibraryManager.library, {
  vk_window: function (id, width, height, title) {
    Module['page'].window(id, width, height, UTF8ToString(title));
  },
  vk_menu_item: function (windowId, index, caption) {
    Module['page'].menuItem(windowId, index, UTF8ToString(caption));
  },
  vk_frame: function (id, caption, left, top, width, height, fontPx) {
    Module['page'].frame(id, UTF8ToString(caption), left, top, width, height, fontPx);
  },
  vk_label: function (id, caption, left, top, width, height, autoSize, border, opaque, back,
                      fore, alignment, fontPx, bold) {
    Module['page'].label(id, UTF8ToString(caption), left, top, width, height, autoSize, border,
                         opaque, back >>> 0, fore >>> 0, alignment, fontPx, bold);
  },
  vk_label_caption: function (id, caption) {
    Module['page'].caption(id, UTF8ToString(caption));
  },
  vk_width_of: function (id) {
    return Module['page'].widthOf(id);
  },
  vk_scroll: function (id, left, top, width, height, min, max, value) {
    Module['page'].scrollBar(id, left, top, width, height, min, max, value);
  },
  vk_scroll_value: function (id, position) {
    Module['page'].scrollValue(id, position);
  },
  vk_option: function (id, frameId, caption, left, top, width, height, fontPx, checked,
                       graphical) {
    Module['page'].option(id, frameId, UTF8ToString(caption), left, top, width, height, fontPx,
                          checked, graphical);
  },
  vk_option_checked: function (id, checked) {
    Module['page'].optionChecked(id, checked);
  },
  vk_enable: function (id, enabled) {
    Module['page'].enable(id, enabled);
  },
  vk_focus: function (id) {
    Module['page'].focus(id);
  },
  vk_has_focus: function (id) {
    return Module['page'].hasFocus(id);
  },
  vk_tooltip: function (id, text) {
    Module['page'].toolTip(id, UTF8ToString(text));
  },
  vk_accessible_name: function (id, text) {
    Module['page'].accessibleName(id, UTF8ToString(text));
  },
  vk_accessible_description: function (id, text) {
    Module['page'].accessibleDescription(id, UTF8ToString(text));
  },
  vk_tab_order: function (ids, count) {
    Module['page'].tabOrder(Array.from(HEAP32.subarray(ids >> 2, (ids >> 2) + count)));
  },
  vk_name: function (id, name) {
    Module['page'].name(id, UTF8ToString(name));
  },
  vk_surface: function (id, left, top, width, height, interiorWidth, interiorHeight, back) {
    Module['page'].surface(id, left, top, width, height, interiorWidth, interiorHeight,
                           back >>> 0);
  },
  vk_clear: function (id, picture) {
    Module['page'].clear(id, picture);
  },
  vk_restore: function (id, picture, runs, count) {
    Module['page'].restore(id, picture, HEAP32.subarray(runs >> 2, (runs >> 2) + 4 * count));
  },
  vk_pixel_ratio: function (id) {
    return Module['page'].pixelRatio(id);
  },
  vk_segment: function (id, x1, y1, x2, y2, color, dotted) {
    Module['page'].segment(id, x1, y1, x2, y2, color >>> 0, dotted);
  },
  vk_point: function (id, x, y, color) {
    Module['page'].point(id, x, y, color >>> 0);
  },
  vk_circle: function (id, x, y, r, color, dotted) {
    Module['page'].circle(id, x, y, r, color >>> 0, dotted);
  },
  vk_font: function (id, tahoma, px) {
    Module['page'].font(id, tahoma, px);
  },
  vk_text: function (id, x, y, text, color, opaque, back) {
    Module['page'].text(id, x, y, UTF8ToString(text), color >>> 0, opaque, back >>> 0);
  },
  vk_text_width: function (id, text) {
    return Module['page'].textWidth(id, UTF8ToString(text));
  },
  vk_text_height: function (id) {
    return Module['page'].textHeight(id);
  },
  vk_capture: function (id) {
    return Module['page'].capture(id);
  },
  vk_picture_free: function (picture) {
    Module['page'].freePicture(picture);
  },
  vk_picture_width: function (picture) {
    return Module['page'].pictureWidth(picture);
  },
  vk_picture_height: function (picture) {
    return Module['page'].pictureHeight(picture);
  },
  vk_picture_pixel: function (picture, x, y) {
    return Module['page'].picturePixel(picture, x, y);
  },
  vk_same_pixels: function (a, b) {
    return Module['page'].samePixels(a, b);
  },
  vk_timer: function (id, intervalMs) {
    Module['page'].timer(id, intervalMs);
  },
  vk_ended: function () {
    Module['page'].ended();
  },
  vk_ready: function () {
    Module['page'].ready();
  },
  vk_menu_name: function (windowId, index, name) {
    Module['page'].menuName(windowId, index, UTF8ToString(name));
  },
  vk_screen_width: function () {
    return Module['page'].screenWidth();
  },
  vk_screen_height: function () {
    return Module['page'].screenHeight();
  },
});
