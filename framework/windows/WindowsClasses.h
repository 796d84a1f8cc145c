#pragma once
// Registers the controls, forms and timers with the stored-layout class registry.
void RegisterWindowsClasses();
