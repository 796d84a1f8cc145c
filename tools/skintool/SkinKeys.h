#pragma once
// `skintool keys [KIND] [--markdown]`: the sections, record kinds and keys the loader
// reads, with value kinds, defaults and meanings, as text or as the Markdown tables of
// docs/skin-format.md.
#include <string>

// kind: "" for everything, else a section ("FORMINFO", any letter case), a type word
// ("button": both kinds of that word) or a record class; a record kind comes with the
// kinds its keys follow. Returns the exit status (1: no such kind).
int PrintSkinKeys(const std::string& kind, bool markdown);
