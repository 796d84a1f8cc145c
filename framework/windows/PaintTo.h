#pragma once
// A window rendered with its children (and its frame, for forms) into a bitmap: for
// previews and screenshots of windows that need not be on a screen.
class TWinControl;
class TBitmap;

// Renders the window with all its children into out (sized to the window; forms
// include their non-client frame).
void PaintTo(TWinControl* w, TBitmap* out);
