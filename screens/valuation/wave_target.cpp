// Form12, wave target price: the top of wave 3 or wave 5 projected from the
// length of an earlier wave times a golden ratio, added to the later bottom.
#include "shell/app.h"
#include "screens/valuation/rise_fall_place.h"
#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

constexpr ControlSpec kControls[] = {
    Label("Label1", "黄金比例：", 120, 240, 540, 180),
    TextField("Text1", "1.618", 1200, 120, 1335, 375),
    // The usual ratios, beside the ratio field.
    Label("Label7", "0.809,0.618,0.5,0.382,", 2760, 120, 1845, 180),
    Label("Label11", "0.236,0.191,1.809,1.618,1.5,1.191", 2760, 360, 1845, 180),
    Label("Label2", "1/3浪顶价格：", 120, 840, 540, 180),
    TextField("Text2", "10.21", 1200, 720, 1335, 375),
    Label("Label8", "元", 2760, 840, 540, 180),
    Label("Label3", "1浪底价格：", 120, 1440, 540, 180),
    TextField("Text3", "5.91", 1200, 1320, 1335, 375),
    Label("Label9", "元", 2760, 1440, 540, 180),
    Label("Label4", "2/4浪底价格：", 120, 2040, 540, 180),
    TextField("Text4", "6.73", 1200, 1920, 1335, 375),
    Label("Label6", "元  3浪2底，5浪4底", 2760, 2040, 540, 180),
    Label("Label5", "预测价格：", 120, 2520, 540, 180),
    ResultField("Text5", "", 1200, 2400, 1335, 375),
    Label("Label10", "元", 2760, 2520, 630, 180),
    Button("Command4", "猜猜回调价格", 3240, 2520, 1290, 420),
    Button("Command1", "猜猜价格", 120, 3000, 1290, 420),
    Button("Command2", "清空文本框", 1680, 3000, 1290, 420),
    Button("Command3", "切换回去", 3240, 3000, 1290, 420),
};

constexpr std::string_view kTabOrder[] = {"Text1",    "Text2",    "Text3",    "Text4",
                                          "Command1", "Command2", "Command3", "Command4"};

constexpr Link kLinks[] = {
    {"Command3", "Form2", SwitchOrder::HideFirst},
    {"Command4", "Form13", SwitchOrder::HideFirst},
};

constexpr ScreenSpec kSpec{
    .name = "Form12",
    .title = "猜猜价格--衡川2.0",
    .controls = kControls,
    .tabOrder = kTabOrder,
    .initialFocus = "Text1",
    .defaultButton = "Command1",
    .links = kLinks,
    .backButton = "Command3",
};

class WaveTarget final : public Screen {
 public:
  explicit WaveTarget(App& app) : Screen(app, kSpec) {
    OnClick("Command1", &WaveTarget::TargetPrice);
    OnClick("Command2", &WaveTarget::ClearPrices);
  }

 protected:
  // The rise/fall screen, hidden behind this one, is put back where the
  // main screen stands; the switch that shows this screen places it there.
  void Load() override {
    PutRiseFallWhereMainStands(app());
  }

 private:
  // "猜猜价格": later bottom + ratio × (top − wave-1 bottom).
  void TargetPrice() {
    for (std::string* field : {&ratioField, &topField, &bottom1Field, &bottom2Field}) CleanNumberText(*field, kMoneyMarks);
    Num ratio = ReadNumber(ratioField);
    Num top = ReadNumber(topField);
    Num bottom1 = ReadNumber(bottom1Field);
    Num bottom2 = ReadNumber(bottom2Field);
    if (IsMissing(ratioField)) {
      return PromptMissing(
          "请输入黄金比例1.618,0.809,0.618,0.5,0.382,0.236,0.191,1.236,1.382,1.809,1.5,1.191！第5浪极限为：3.236 ");
    }
    if (IsMissing(topField)) return PromptMissing("请输入第1浪顶价格,测第5浪：1浪顶或3浪顶！");
    if (IsMissing(bottom1Field)) return PromptMissing("请输入第1浪底价格！");
    if (IsMissing(bottom2Field)) return PromptMissing("求第3浪请输2浪底价格或求第5浪请输4浪底价格！");
    Num length = top - bottom1;
    WriteRounded(targetPrice, bottom2 + ratio * length);
  }

  // "清空文本框": empties the three prices; the ratio and the result stay.
  void ClearPrices() {
    for (std::string* field : {&topField, &bottom1Field, &bottom2Field}) field->clear();
  }

  // The controls, bound once.
  std::string& ratioField = text("Text1");  // the golden ratio
  std::string& topField = text("Text2");  // the top of the earlier wave
  std::string& bottom1Field = text("Text3");  // its bottom
  std::string& bottom2Field = text("Text4");  // the later bottom
  std::string& targetPrice = text("Text5");
};

}  // namespace

std::unique_ptr<Screen> MakeWaveTarget(App& app) { return std::make_unique<WaveTarget>(app); }

}  // namespace hc
