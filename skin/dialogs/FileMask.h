#pragma once
// File masks of the file list and the filter box: patterns with "*" (any run of
// characters) and "?" (one character), matched without regard to ASCII case.
#include <string>
#include <vector>

bool MatchesMask(const std::string& Name, const std::string& Mask);

// The pieces of a mask text ("*.txt;*.log" or "*.txt|*.log").
std::vector<std::string> SplitMask(const std::string& Mask);

// Whether the file list shows a file of this path: the first piece holding a "."
// that matches the file's name accepts it ("*.*" accepts every file); pieces without
// a "." never match, so a mask without any "." shows folders only.
bool MaskAcceptsFile(const std::string& Path, const std::string& Mask);

// The filter box's pairs from a filter text "description|mask|description|mask...". A
// final description without a mask is dropped.
void ParseFilter(const std::string& Filter, std::vector<std::string>& Descriptions,
                 std::vector<std::string>& Masks);
