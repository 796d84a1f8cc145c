#pragma once
// Writes a root component and the components it owns as a stored layout that
// ReadLayout reads back to the same property values. Every registered property with a
// getter is written; unset references and unbound events are left out. Components
// nest under the component the registry's parent getter names (default: the root).
#include <string>

class TComponent;
class TClassRegistry;

std::string WriteLayout(const TComponent* root);
std::string WriteLayout(const TComponent* root, const TClassRegistry& registry);
