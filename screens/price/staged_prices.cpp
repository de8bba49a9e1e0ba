// Form8: staged averaging-down prices. Three add-on prices at chosen drops
// below yesterday's close, each with its distance from the close.
#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

constexpr ControlSpec kControls[] = {
    Label("Label1", "昨天收盘价：", 120, 120, 540, 180),
    TextField("Text1", "10", 1200, 120, 1335, 328),
    Label("Label14", "元 (精确到分)", 2640, 240, 1170, 180),
    // Row 1.
    Label("Label2", "跌幅1：", 120, 960, 540, 180),
    TextField("Text2", "3", 840, 840, 500, 328),
    Label("Label3", "%", 1440, 960, 90, 180),
    Label("Label4", "补仓价格：", 1680, 960, 540, 180),
    ResultField("Text3", "股票价格", 2520, 840, 1000, 328),
    Label("Label5", "↓：", 3600, 960, 180, 180),
    Label("Label15", " ", 3960, 960, 540, 180).Color(kGreen),
    // Row 2.
    Label("Label6", "跌幅2：", 120, 1680, 540, 180),
    TextField("Text4", "5", 840, 1560, 500, 328),
    Label("Label7", "%", 1440, 1680, 90, 180),
    Label("Label8", "补仓价格：", 1680, 1680, 540, 180),
    ResultField("Text5", "股票价格", 2520, 1560, 1000, 328),
    Label("Label9", "↓：", 3600, 1680, 180, 180),
    Label("Label16", " ", 3960, 1680, 540, 180).Color(kGreen),
    // Row 3.
    Label("Label10", "跌幅3：", 120, 2400, 540, 180),
    TextField("Text6", "8", 840, 2280, 500, 375),
    Label("Label11", "%", 1440, 2400, 90, 180),
    Label("Label12", "补仓价格：", 1680, 2400, 540, 180),
    ResultField("Text7", "股票价格", 2520, 2280, 1000, 375),
    Label("Label13", "↓：", 3600, 2400, 180, 180),
    Label("Label17", " ", 3960, 2400, 540, 180).Color(kGreen),
    Button("Command1", "计算补仓价", 240, 2880, 1290, 367),
    Button("Command2", "清空文件框", 1680, 2880, 1290, 367),
    Button("Command3", "切换回去", 3120, 2880, 1290, 367),
};

constexpr std::string_view kTabOrder[] = {"Text1", "Text2", "Text3",    "Text4",    "Text5",
                                          "Text6", "Text7", "Command1", "Command2", "Command3"};

constexpr Link kLinks[] = {
    {"Command3", "Form1", SwitchOrder::HideFirst},
};

constexpr ScreenSpec kSpec{
    .name = "Form8",
    .title = "股票分批补仓价计算--衡川2.0",
    .controls = kControls,
    .tabOrder = kTabOrder,
    .initialFocus = "Text1",
    .defaultButton = "Command1",
    .links = kLinks,
    .placedLike = "Form6",
    .backButton = "Command3",
};

// One stage: its drop input, its add-on price and its distance from the close.
struct Stage {
  std::string_view drop;
  std::string_view price;
  std::string_view distance;
};

constexpr Stage kStages[] = {
    {"Text2", "Text3", "Label15"},
    {"Text4", "Text5", "Label16"},
    {"Text6", "Text7", "Label17"},
};

class StagedPrices final : public Screen {
 public:
  explicit StagedPrices(App& app) : Screen(app, kSpec) {
    OnClick("Command1", &StagedPrices::AddOnPrices);
    OnClick("Command2", &StagedPrices::ClearInputs);
  }

 private:
  // The texts of one stage.
  struct BoundStage {
    std::string &drop, &price, &distance;
  };
  BoundStage Bind(const Stage& s) { return BoundStage{text(s.drop), text(s.price), text(s.distance)}; }

  // "计算补仓价": each stage's price is its drop below the close (not below
  // the previous stage), then the distances from the prices as written.
  void AddOnPrices() {
    CleanNumberText(closeField, kMoneyMarks);
    for (BoundStage& s : stages_) CleanNumberText(s.drop, kMoneyOrPercentMarks);
    Num c = ReadNumber(closeField);
    Num drops[3];
    for (int k = 0; k < 3; ++k) drops[k] = ReadNumber(stages_[k].drop);
    if (IsMissing(closeField)) return PromptMissing("请输入昨天收盘价！");
    if (IsMissing(stages_[0].drop)) return PromptMissing("请输入跌幅1！");
    if (IsMissing(stages_[1].drop)) return PromptMissing("请输入跌幅2！");
    if (IsMissing(stages_[2].drop)) return PromptMissing("请输入跌幅3！");

    for (int k = 0; k < 3; ++k) {
      Num d = drops[k] / 100;
      WriteRounded(stages_[k].price, c - c * d);
    }
    for (BoundStage& s : stages_) WriteRounded(s.distance, Num(ReadNumber(s.price)) - ReadNumber(closeField));
  }

  // "清空文件框": empties the close and the three drops; the results stay.
  void ClearInputs() {
    closeField.clear();
    for (BoundStage& s : stages_) s.drop.clear();
  }

  // The controls, bound once.
  std::string& closeField = text("Text1");  // c, yesterday's close
  BoundStage stages_[3] = {Bind(kStages[0]), Bind(kStages[1]), Bind(kStages[2])};
};

}  // namespace

std::unique_ptr<Screen> MakeStagedPrices(App& app) { return std::make_unique<StagedPrices>(app); }

}  // namespace hc
