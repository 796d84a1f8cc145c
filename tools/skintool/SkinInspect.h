#pragma once
// `skintool inspect`: what a compressed skin file holds, and warnings about what a form
// would silently get wrong (rectangles outside their picture, names twice, dead entries).
#include <string>

int InspectSkinFile(const std::string& in);
