#include "tools/skintool/PreviewStandIns.h"

#include <functional>

#include "framework/graphics/Canvas.h"
#include "framework/layout/ClassRegistry.h"
#include "framework/layout/LayoutParser.h"
#include "framework/windows/CustomControl.h"
#include "framework/windows/Forms.h"

namespace {
// The idle player: a black area.
class TPreviewVideoArea : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  std::string ClassName() const override { return "TPreviewVideoArea"; }

 protected:
  void Paint() override {
    Canvas()->Brush()->Color = clBlack;
    Canvas()->FillRect(ClientRect());
  }
};

// The media device control is never visible in the window.
class TPreviewHiddenControl : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  std::string ClassName() const override { return "TPreviewHiddenControl"; }
};

void BindNoOps(TClassRegistry& r, const std::string& rootClass, const TLayoutObject& o) {
  for (const TLayoutProperty& p : o.Properties)
    if (p.Name.size() > 2 && p.Name.compare(0, 2, "On") == 0 && p.Value.Kind == TLayoutValue::Type::Ident)
      r.RegisterMethod(rootClass, p.Value.Text, [](TComponent*) -> TNotifyEvent { return [](TObject*) {}; });
  for (const auto& child : o.Children) BindNoOps(r, rootClass, *child);
}
}  // namespace

void RegisterPreviewStandIns(const std::string& layoutText) {
  TClassRegistry& r = ClassRegistry();
  r.RegisterClass<TPreviewVideoArea>("TWindowsMediaPlayer", "TCustomControl")
      .Binary("ControlData", nullptr, [](TPreviewVideoArea*, const std::vector<std::uint8_t>&) {});
  r.RegisterClass<TPreviewHiddenControl>("TMediaPlayer", "TCustomControl");
  const auto tree = ParseLayout(layoutText);
  r.RegisterRootClass<TCustomForm>(tree->ClassName, "TForm");
  BindNoOps(r, tree->ClassName, *tree);
}
