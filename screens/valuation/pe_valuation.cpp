// Form11, PE valuation: the price of a share at a chosen price-earnings
// multiple for up to four earnings-per-share figures, how far each predicted
// price lies from the current price, and the growth from one earnings figure
// to the next.
#include <array>
#include <string>

#include "shell/app.h"
#include "screens/valuation/rise_fall_place.h"
#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

constexpr ControlSpec kControls[] = {
    Label("Label1", "PE倍数：", 360, 240, 540, 180),
    TextField("Text1", "20", 1200, 120, 900, 328),
    Label("Label8", "现股价:", 2280, 240, 540, 180),
    TextField("Text8", "8", 3000, 120, 900, 328),
    Label("Label12", "元", 3960, 240, 630, 180),
    Label("Label2", "每股收益1：", 120, 840, 540, 180),
    TextField("Text2", "0.5", 1200, 720, 900, 328),
    ResultField("Text5", "预测价格1", 3000, 720, 900, 328),
    Label("Label9", "", 3960, 840, 540, 180),
    Label("Label3", "每股收益2：", 120, 1440, 540, 180),
    TextField("Text3", "0.6", 1200, 1320, 900, 328),
    Label("Label6", "", 2160, 1440, 540, 180).Color(kRed),
    ResultField("Text6", "预测价格2", 3000, 1320, 900, 328),
    Label("Label10", "", 3960, 1440, 630, 180),
    Label("Label4", "每股收益3：", 120, 2040, 540, 180),
    TextField("Text4", "0.7", 1200, 1920, 900, 328),
    Label("Label7", "", 2160, 2040, 540, 180).Color(kRed),
    ResultField("Text7", "预测价格3", 3000, 1920, 900, 328),
    Label("Label11", "", 3960, 2040, 630, 180),
    Label("Label13", "每股收益4：", 120, 2520, 630, 180),
    TextField("Text9", "0.8", 1200, 2400, 900, 328),
    Label("Label14", "", 2160, 2520, 615, 255).Color(kRed).FixedSize(),
    // The fourth predicted price stays editable: the user may type into it
    // or empty it.
    TextField("Text10", "预测价格4", 3000, 2400, 900, 328),
    Label("Label15", "", 3960, 2520, 630, 180),
    Button("Command1", "PE价格计算", 0, 2880, 1290, 367),
    Button("Command2", "清空文本框", 1680, 2880, 1290, 367),
    Button("Command3", "切换回去", 3240, 2880, 1290, 367),
};

// The inputs from top to bottom, the editable fourth price, then the buttons.
constexpr std::string_view kTabOrder[] = {"Text1", "Text8", "Text2",    "Text3",    "Text4",
                                          "Text9", "Text10", "Command1", "Command2", "Command3"};

constexpr Link kLinks[] = {
    {"Command3", "Form2", SwitchOrder::HideFirst},
};

constexpr ScreenSpec kSpec{
    .name = "Form11",
    .title = "PE估值计算--衡川2.0",
    .controls = kControls,
    .tabOrder = kTabOrder,
    .initialFocus = "Text1",
    .defaultButton = "Command1",
    .links = kLinks,
    .backButton = "Command3",
};

// One earnings row: its input, its predicted price and the distance of that
// price from the current price.
struct Row {
  std::string_view earnings;
  std::string_view price;
  std::string_view distance;
};

constexpr std::array<Row, 4> kRows = {{
    {"Text2", "Text5", "Label9"},
    {"Text3", "Text6", "Label10"},
    {"Text4", "Text7", "Label11"},
    {"Text9", "Text10", "Label15"},
}};

// The growth label between row i and row i + 1.
constexpr std::array<std::string_view, 3> kGrowth = {"Label6", "Label7", "Label14"};

class PeValuation final : public Screen {
 public:
  explicit PeValuation(App& app) : Screen(app, kSpec) {
    OnClick("Command1", &PeValuation::PePrices);
    OnClick("Command2", &PeValuation::ClearInputs);
  }

 protected:
  // The rise/fall screen, hidden behind this one, is put back where the
  // main screen stands; the switch that shows this screen places it there.
  void Load() override {
    PutRiseFallWhereMainStands(app());
  }

 private:
  // The texts of one earnings row.
  struct BoundRow {
    std::string &earnings, &price, &distance;
  };
  BoundRow Bind(const Row& row) { return BoundRow{text(row.earnings), text(row.price), text(row.distance)}; }

  // "PE价格计算".
  void PePrices() {
    CleanNumberText(multiple, kMultipleMarks);
    for (BoundRow& row : rows_) CleanNumberText(row.earnings, kMoneyMarks);
    CleanNumberText(currentPrice, kMoneyMarks);
    Num pe = ReadNumber(multiple);
    Num p = ReadNumber(currentPrice);
    std::array<Num, 4> earnings;
    for (std::size_t i = 0; i < kRows.size(); ++i) earnings[i] = ReadNumber(rows_[i].earnings);
    if (IsMissing(multiple)) return PromptMissing("请输入PE倍数！");

    // Every row is priced, an empty earnings field as 0.00. The prices are
    // shown only at the end, after the distances below.
    std::array<std::string, 4> prices;
    for (std::size_t i = 0; i < kRows.size(); ++i) prices[i] = Fixed2(Round2(earnings[i] * pe));

    // Distance of each predicted price from the current price. A row is
    // skipped while its price field is empty, which only the editable fourth
    // field can be: its distance follows on the next press.
    for (std::size_t i = 0; i < kRows.size(); ++i) {
      BoundRow& row = rows_[i];
      if (ReadNumber(currentPrice) == 0 || IsMissing(currentPrice) || IsMissing(row.earnings) ||
          IsMissing(row.price)) {
        continue;
      }
      Num x = ReadNumber(prices[i]);
      WriteRounded(row.distance, 100 * ((p - (p - (x - p))) / p), "%");
    }

    // Growth from each earnings figure to the next, on the whole texts.
    for (std::size_t i = 0; i < kGrowth.size(); ++i) {
      const std::string& earlier = rows_[i].earnings;
      const std::string& later = rows_[i + 1].earnings;
      if (IsMissing(earlier) || IsMissing(later)) continue;
      Num a = ReadNumberStrict(earlier);
      Num b = ReadNumberStrict(later);
      WriteRounded(*growth_[i], ((a - (a - (b - a))) / a) * 100, "%");
    }

    for (std::size_t i = 0; i < kRows.size(); ++i) rows_[i].price = prices[i];
  }

  // "清空文本框": empties the multiple, the current price and the four
  // earnings figures; the results stay for comparison.
  void ClearInputs() {
    multiple.clear();
    currentPrice.clear();
    for (BoundRow& row : rows_) row.earnings.clear();
  }

  // The controls, bound once.
  std::string& multiple = text("Text1");      // the PE multiple
  std::string& currentPrice = text("Text8");  // p
  BoundRow rows_[4] = {Bind(kRows[0]), Bind(kRows[1]), Bind(kRows[2]), Bind(kRows[3])};
  std::string* growth_[3] = {&text(kGrowth[0]), &text(kGrowth[1]), &text(kGrowth[2])};
};

}  // namespace

std::unique_ptr<Screen> MakePeValuation(App& app) { return std::make_unique<PeValuation>(app); }

}  // namespace hc
