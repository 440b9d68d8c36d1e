// SPDX-License-Identifier: MIT
#include "web/webview.h"

namespace merin::web {

using emscripten::val;

val WebView::Take() { return std::exchange(calls_, val::array()); }

val WebView::Add(const char* name) {
  val call = val::object();
  call.set("call", name);
  calls_.call<void>("push", call);
  return call;
}

void WebView::ShowPicture(int32_t slot, const std::string& path) {
  val call = Add("ShowPicture");
  call.set("slot", slot);
  call.set("path", path);
}

void WebView::SetMarkerColour(int32_t slot, uint32_t colour) {
  val call = Add("SetMarkerColour");
  call.set("slot", slot);
  call.set("colour", colour);
}

void WebView::SetStatusText(const std::string& text) { Add("SetStatusText").set("text", text); }

void WebView::SetMarkerTop(int32_t slot, int32_t top) {
  val call = Add("SetMarkerTop");
  call.set("slot", slot);
  call.set("top", top);
}

void WebView::SetCellBorder(int32_t slot, int32_t style) {
  val call = Add("SetCellBorder");
  call.set("slot", slot);
  call.set("style", style);
}

void WebView::RepaintCell(int32_t slot) { Add("RepaintCell").set("slot", slot); }

void WebView::SetTestPlayEnabled(bool enabled) {
  Add("SetTestPlayEnabled").set("enabled", enabled);
}

void WebView::EndProgram() { Add("EndProgram"); }

void WebView::PlayWave(const std::string& path) { Add("PlayWave").set("path", path); }

}  // namespace merin::web
