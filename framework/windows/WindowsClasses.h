#pragma once
// Registers the controls (with the context menu they name), forms and timers with the
// stored-layout class registry.
void RegisterWindowsClasses();
