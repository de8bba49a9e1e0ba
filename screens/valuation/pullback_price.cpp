// Form13, pullback price: the price at which a wave from a bottom to a top
// is retraced by a chosen percentage of its length.
#include "shell/app.h"
#include "screens/valuation/rise_fall_place.h"
#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

constexpr ControlSpec kControls[] = {
    Label("Label1", "浪顶价格：", 120, 240, 540, 180),
    TextField("Text1", "10.21", 1320, 120, 1335, 375),
    Label("Label6", "元", 2880, 240, 540, 180),
    Label("Label2", "浪底价格：", 120, 840, 540, 180),
    TextField("Text2", "5.91", 1320, 720, 1335, 375),
    Label("Label7", "元", 2880, 840, 540, 180),
    Label("Label3", "黄金分割率：", 120, 1440, 540, 180),
    TextField("Text3", "80.9", 1320, 1320, 1335, 375),
    // The usual retracements, beside the percentage field.
    Label("Label5", "% 80.9, 61.8, 50, 38.2", 2760, 1320, 1845, 180),
    Label("Label9", " , 23.6, 19.1", 2760, 1560, 1845, 180),
    Label("Label4", "预测价格：", 120, 1920, 540, 180),
    ResultField("Text4", "", 1320, 1920, 1335, 375),
    Label("Label8", "元", 2880, 2040, 540, 180),
    // The note naming the real pullback the default prices come from.
    Label("Label10", "这是601800中国交建的自日期：2021.7.20拉升后回调的例子", 120, 2400, 4335, 375).Color(kBlue).FixedSize(),
    Button("Command1", "猜猜回调价格", 120, 2760, 1290, 420),
    Button("Command2", "清空文本框", 1680, 2760, 1290, 420),
    Button("Command3", "切换回去", 3240, 2760, 1290, 420),
};

constexpr std::string_view kTabOrder[] = {"Text1", "Text2", "Text3", "Command1", "Command2", "Command3"};

constexpr Link kLinks[] = {
    {"Command3", "Form12", SwitchOrder::HideFirst},
};

constexpr ScreenSpec kSpec{
    .name = "Form13",
    .title = "猜猜回调价格--衡川2.0",
    .controls = kControls,
    .tabOrder = kTabOrder,
    .initialFocus = "Text1",
    .defaultButton = "Command1",
    .links = kLinks,
    .backButton = "Command3",
};

class PullbackPrice final : public Screen {
 public:
  explicit PullbackPrice(App& app) : Screen(app, kSpec) {
    OnClick("Command1", &PullbackPrice::Pullback);
    OnClick("Command2", &PullbackPrice::ClearPrices);
  }

 protected:
  // The rise/fall screen, hidden, is put back where the main screen stands;
  // the switch that shows this screen places it where the wave target
  // screen was.
  void Load() override {
    PutRiseFallWhereMainStands(app());
  }

 private:
  // "猜猜回调价格": the top less the given percentage of the wave's length.
  void Pullback() {
    CleanNumberText(topField, kMoneyMarks);
    CleanNumberText(bottomField, kMoneyMarks);
    CleanNumberText(percentField, kMoneyOrPercentMarks);
    Num top = ReadNumber(topField);
    Num bottom = ReadNumber(bottomField);
    Num percent = ReadNumber(percentField);
    if (IsMissing(topField)) return PromptMissing("请输入浪顶价格！ ");
    if (IsMissing(bottomField)) return PromptMissing("请输入浪底价格！");
    if (IsMissing(percentField)) {
      return PromptMissing("请输入黄金分割率，2浪调整1浪幅度的80.9%，61.8%，50%，4浪调整3浪的38.2%，23.6%,19.1%等！");
    }
    Num q = percent / 100;
    // The wave's length is taken twice: once to come back up to the top,
    // once for the retracement.
    Num length = top - bottom;
    Num reached = bottom + length;
    Num again = top - bottom;
    Num retraced = again * q;
    WriteRounded(pullbackPrice, reached - retraced);
  }

  // "清空文本框": empties the top and the bottom; the percentage and the
  // result stay.
  void ClearPrices() {
    topField.clear();
    bottomField.clear();
  }

  // The controls, bound once.
  std::string& topField = text("Text1");  // the top of the wave
  std::string& bottomField = text("Text2");  // its bottom
  std::string& percentField = text("Text3");  // the retracement in percent
  std::string& pullbackPrice = text("Text4");
};

}  // namespace

std::unique_ptr<Screen> MakePullbackPrice(App& app) { return std::make_unique<PullbackPrice>(app); }

}  // namespace hc
