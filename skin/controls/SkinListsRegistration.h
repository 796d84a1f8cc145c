#pragma once
// Registers the skinned list view, label and bevel with the stored-layout reader (the
// framework's list view, label and bevel first when they are not known yet).
class TClassRegistry;

void RegisterSkinListClasses(TClassRegistry& registry);
