#pragma once
// A compressed skin file chosen by the user (--skin), loaded into the main window's
// skin data so that everything bound to it takes its look.
#include <string>

class TForm1;

// True when the file's skin is loaded. The window keeps the client area its layout
// gives it: the form component sizes the frame around it, so no control is cut off by
// a skin whose frame is wider than the default one. Otherwise the skin stays empty
// (default looks) and error says why in a sentence for the user.
bool LoadUserSkin(TForm1* form, const std::string& file, std::string& error);
