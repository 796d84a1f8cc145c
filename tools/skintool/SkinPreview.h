#pragma once
// skintool preview: the main window, built from its stored layout, or the controls
// gallery, drawn with a skin on an off-screen display and written as a PNG. Nothing of
// the program runs: no creation handler, no profile entries, no player.
#include <string>

struct TPreviewRequest {
  std::string SkinFile;  // a compressed skin file or a skin folder; empty: the default looks (--empty)
  std::string OutFile;
  int Width = 0, Height = 0;  // --size; 0: the window's own size
  bool Gallery = false;
  // Keep running: draw the picture again whenever a file of the skin's folder changes
  // (the skin reloaded through the window's run-time skin change).
  bool Watch = false;
};

// Parses "WxH" (each 1..8192); false when it is not that.
bool ParsePreviewSize(const std::string& text, int& width, int& height);
// Exit status: 0 written, 1 bad input (a message on standard error). With Watch it
// returns only when the picture cannot be written.
int PreviewSkin(const TPreviewRequest& request);
