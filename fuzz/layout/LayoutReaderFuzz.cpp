// Feeds arbitrary text to the layout reader: it must either read it or raise
// ELayoutError, and never touch memory outside its buffers.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/core/Component.h"
#include "framework/core/Exceptions.h"
#include "framework/layout/ClassRegistry.h"
#include "framework/layout/LayoutReader.h"

namespace {

class TFuzzItem : public TComponent {
 public:
  using TComponent::TComponent;
  std::string ClassName() const override { return "TFuzzItem"; }
  Int64 Number = 0;
  double Ratio = 0;
  std::string Text;
  std::vector<std::string> Lines;
  std::vector<std::uint8_t> Data;
  std::uint64_t Style = 0;
  int Kind = 0;
  TComponent* Link = nullptr;
  TNotifyEvent OnClick;
};

const TClassRegistry& Registry() {
  static TClassRegistry* r = [] {
    auto* reg = new TClassRegistry;
    reg->RegisterRootClass<TComponent>("TRoot", "");
    reg->RegisterMethod("TRoot", "Click", [](TComponent*) -> TNotifyEvent { return [](TObject*) {}; });
    reg->RegisterClass<TFuzzItem>("TFuzzItem", "")
        .Integer("N", nullptr, [](TFuzzItem* c, Int64 v) { c->Number = v; }, {{"clRed", 255}})
        .Float("R", nullptr, [](TFuzzItem* c, double v) { c->Ratio = v; })
        .String("S", nullptr, [](TFuzzItem* c, const std::string& v) { c->Text = v; })
        .Boolean("B", nullptr, [](TFuzzItem* c, bool v) { c->Number = v; })
        .Enum("E", nullptr, [](TFuzzItem* c, int v) { c->Kind = v; }, {{"eA", 0}, {"eB", 1}})
        .Set("F.Style", nullptr, [](TFuzzItem* c, std::uint64_t v) { c->Style = v; }, {{"fsBold", 0}, {"fsItalic", 63}})
        .StringList("L.Strings", nullptr, [](TFuzzItem* c, const std::vector<std::string>& v) { c->Lines = v; })
        .Binary("D", nullptr, [](TFuzzItem* c, const std::vector<std::uint8_t>& v) { c->Data = v; })
        .Reference("Ref", nullptr, [](TFuzzItem* c, TComponent* v) { c->Link = v; })
        .Event("OnClick", &TFuzzItem::OnClick);
    reg->SetParentHandler([](TComponent*, TComponent*) {});
    return reg;
  }();
  return *r;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TComponent root(nullptr);
  try {
    ReadLayout(&root, std::string(reinterpret_cast<const char*>(data), size), Registry());
  } catch (const ELayoutError&) {
    if (root.ComponentCount() != 0) __builtin_trap();  // a failed read must leave nothing behind
  }
  return 0;
}
