#pragma once
// The skin engine's user-visible texts as "KEY=text" lines, replaceable as a whole so an
// application can translate them in one place.
#include <memory>
#include <string>

#include "framework/core/Component.h"
#include "framework/core/Strings.h"
#include "framework/graphics/Font.h"

class TbsResourceStrData : public TComponent {
 public:
  // Starts with the engine's default English lines and the default character set.
  explicit TbsResourceStrData(TComponent* AOwner);
  ~TbsResourceStrData() override;
  std::string ClassName() const override { return "TbsResourceStrData"; }

  TStrings& ResStrings() { return *FResStrings; }
  const TStrings& ResStrings() const { return *FResStrings; }
  // Replaces the lines by a copy of value's lines.
  void SetResStrings(const TStrings& value);
  TFontCharset CharSet() const { return FCharSet; }
  void SetCharSet(TFontCharset v) { FCharSet = v; }

  // Text after the first "=" of the first line whose key equals key without regard to
  // case; empty when there is none.
  std::string GetResString(const std::string& key) const;

 private:
  std::unique_ptr<TStringList> FResStrings;
  TFontCharset FCharSet = DEFAULT_CHARSET;
};

// The default lines, in their order.
const std::vector<std::string>& DefaultResStrings();
