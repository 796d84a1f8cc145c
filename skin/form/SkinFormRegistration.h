#pragma once
// Makes TbsSkinForm and TbsSkinPopupMenu known to stored layouts, with their published
// properties. Call after the framework's and the menus' registrations.
void RegisterSkinFormClasses();
