// Case folding through Qt's Unicode tables, the one place the program folds case for
// matching typed text (list and combo box searches, menu and control accelerators).
#include <QString>

#include "framework/core/SysUtils.h"

namespace {
void AppendFolded(std::string& out, const std::string& s, size_t from, size_t to) {
  if (from >= to) return;
  const QByteArray folded = QString::fromUtf8(s.data() + from, qsizetype(to - from)).toCaseFolded().toUtf8();
  out.append(folded.constData(), size_t(folded.size()));
}
}  // namespace

std::string CaseFold(const std::string& s) {
  std::string out;
  out.reserve(s.size());
  // Well-formed runs are folded; a malformed byte is copied as it is, so names that are
  // not UTF-8 still compare byte for byte.
  size_t run = 0, i = 0;
  while (i < s.size()) {
    const size_t len = size_t(Utf8CodePointLength(s, i));
    // A lead byte of a well-formed sequence always spans more than itself.
    if (static_cast<unsigned char>(s[i]) >= 0x80 && len == 1) {
      AppendFolded(out, s, run, i);
      out += s[i];
      run = i + 1;
    }
    i += len;
  }
  AppendFolded(out, s, run, s.size());
  return out;
}

bool StartsWithFolded(const std::string& text, const std::string& prefix) {
  // Folding may change byte lengths (the Kelvin sign folds to "k"): compare folded strings.
  const std::string p = CaseFold(prefix);
  return CaseFold(text).compare(0, p.size(), p) == 0;
}
