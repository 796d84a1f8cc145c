#pragma once
// `skintool unpack`: writes the bitmaps of a compressed skin file under their INI names,
// folders kept, inside the output folder, and the INI text as skin.ini.
#include <string>

// Refuses names that are absolute or climb out of the folder, two different pictures
// under one name, and (unless force) any file that exists already, before writing
// anything. Returns the exit status.
int UnpackSkinFile(const std::string& in, const std::string& folder, bool force);

// The path below the output folder for a picture name: folders kept, "." parts dropped.
// Raises EInvalidPath, naming the INI key, for an absolute name, a ".." part or a name
// that ends in no file.
std::string PictureOutputPath(const std::string& name, const std::string& key);
