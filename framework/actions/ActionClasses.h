#pragma once
// Registers TAction with the layout class registry.
void RegisterActionClasses();
