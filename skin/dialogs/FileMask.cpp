// File mask matching and filter texts.
#include "skin/dialogs/FileMask.h"

#include <algorithm>

#include "framework/core/SysUtils.h"

namespace {
char Fold(char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; }

// Iterative wildcard match with one back-tracking point; "?" takes one whole code point.
bool Match(const std::string& s, const std::string& p) {
  size_t si = 0, pi = 0, starP = std::string::npos, starS = 0;
  while (si < s.size()) {
    if (pi < p.size() && p[pi] == '*') {
      starP = pi++;
      starS = si;
    } else if (pi < p.size() && p[pi] == '?') {
      si += size_t(std::max(1, Utf8CodePointLength(s, si)));
      ++pi;
    } else if (pi < p.size() && Fold(p[pi]) == Fold(s[si])) {
      ++si;
      ++pi;
    } else if (starP != std::string::npos) {
      pi = starP + 1;
      starS += size_t(std::max(1, Utf8CodePointLength(s, starS)));
      si = starS;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi] == '*') ++pi;
  return pi == p.size();
}
}  // namespace

bool MatchesMask(const std::string& Name, const std::string& Mask) {
  if (Mask == "*.*") return true;
  return Match(Name, Mask);
}

std::vector<std::string> SplitMask(const std::string& Mask) {
  std::vector<std::string> out;
  size_t start = 0;
  for (size_t i = 0; i <= Mask.size(); ++i) {
    if (i == Mask.size() || Mask[i] == ';' || Mask[i] == '|') {
      out.push_back(Trim(Mask.substr(start, i - start)));
      start = i + 1;
    }
  }
  return out;
}

bool MaskAcceptsFile(const std::string& Path, const std::string& Mask) {
  const std::string name = ExtractFileName(Path);
  for (const std::string& piece : SplitMask(Mask))
    if (piece.find('.') != std::string::npos && MatchesMask(name, piece)) return true;
  return false;
}

void ParseFilter(const std::string& Filter, std::vector<std::string>& Descriptions,
                 std::vector<std::string>& Masks) {
  Descriptions.clear();
  Masks.clear();
  std::string rest = Filter;
  size_t bar;
  while ((bar = rest.find('|')) != std::string::npos) {
    const std::string description = rest.substr(0, bar);
    rest.erase(0, bar + 1);
    bar = rest.find('|');
    const std::string mask = bar == std::string::npos ? rest : rest.substr(0, bar);
    rest.erase(0, bar == std::string::npos ? rest.size() : bar + 1);
    Descriptions.push_back(description);
    Masks.push_back(mask);
  }
}
