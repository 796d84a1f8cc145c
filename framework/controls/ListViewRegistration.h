#pragma once
// Makes TListView known to stored layouts. Columns are stored as a string list of
// "Caption,Width" entries (the width after the last comma), items as their captions.
class TClassRegistry;

void RegisterListView(TClassRegistry& registry);
