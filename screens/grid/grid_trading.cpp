// Form39, the grid-trading screen: for a base position and a grid of equal
// percentage steps it computes the ends of the price ladder, the profit on
// the way up and the cost, loss, average cost and holdings on the way down,
// for three grids: every step the same size (常规网格), steps growing by 100
// shares (金字塔递增) and doubling steps (金字塔倍数).
//
// Every figure lives in a control text. Running sums are kept in their
// result fields as texts, so a total is cut to 15 significant digits after
// every step, and later steps read earlier results back from their texts.
#include <cmath>
#include <cstdint>
#include <string>

#include "screens/grid/grid_press.h"
#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

constexpr ControlSpec kControls[] = {
    // Inputs: the base position and the grid.
    Label("Label1", "底仓价：", 120, 240, 720, 180),
    TextField("Text1", "10", 960, 120, 975, 375),
    Label("Label2", "底仓股数：", 2040, 240, 900, 180),
    TextField("Text2", "2000", 2880, 120, 975, 375),
    Label("Label3", "网格每份股数：", 3960, 240, 1260, 180),
    TextField("Text3", "200", 5160, 120, 975, 375),
    Label("Label4", "上涨份数：", 120, 720, 900, 180),
    TextField("Text4", "3", 960, 600, 975, 375),
    Label("Label37", "", 2040, 720, 720, 180),
    Button("Command4", "", 2880, 600, 255, 375),
    Label("Label5", "下跌份数：", 120, 1200, 900, 180),
    TextField("Text5", "10", 960, 1080, 975, 375),
    Label("Label35", "", 2040, 1200, 720, 180),
    Label("Label6", "涨跌幅：", 120, 1800, 720, 180),
    TextField("Text6", "3", 960, 1680, 475, 375),
    Label("Label21", "%  如：10", 2040, 1680, 810, 180),
    // Work fields: the current step size of the doubling grid, the shares
    // sold on the way up, the shares held on the way down.
    TextField("Text13", "", 5400, 1200, 615, 270).Hidden(),
    TextField("Text12", "", 5400, 1425, 615, 270).Hidden(),
    TextField("Text11", "", 5400, 1800, 615, 270).Hidden().Disabled(),
    // Up side.
    Label("Label7", "连涨价：", 120, 2400, 720, 180).Color(kDarkRed),
    ResultField("Text7", "", 960, 2280, 975, 375).Color(kDarkRed),
    Label("Label8", "↑：", 1920, 2280, 360, 180),
    Label("Label9", "", 2280, 2280, 720, 180).Color(kRed),
    Label("Label33", "↑：", 1920, 2520, 360, 180),
    Label("Label34", "", 2280, 2520, 720, 180),
    Label("Label10", "成本：", 3000, 2400, 540, 180),
    ResultField("Text8", "", 3480, 2280, 900, 375),
    Label("Label23", "已卖盈利：", 4440, 2280, 900, 180),
    Label("Label22", "", 5400, 2280, 720, 180).Color(kDarkRed),
    Label("Label11", "盈利：", 4440, 2520, 540, 180),
    Label("Label12", "", 4920, 2520, 720, 180).Color(kDarkRed),
    Label("Label13", "", 5640, 2520, 540, 180),
    Label("Label38", "", 4440, 2760, 900, 180),
    Label("Label39", "", 5280, 2760, 720, 180),
    // Down side.
    Label("Label14", "连跌价：", 120, 3240, 720, 180).Color(kGreen),
    ResultField("Text9", "", 960, 3120, 975, 375).Color(kGreen),
    Label("Label15", "↓：", 1920, 3120, 360, 180),
    Label("Label16", "", 2280, 3120, 720, 180).Color(kGreen),
    Label("Label31", "↓：", 1920, 3360, 360, 180),
    Label("Label32", "", 2280, 3360, 720, 180).Color(kBlack),
    Label("Label17", "成本：", 3000, 3240, 540, 180),
    ResultField("Text10", "", 3480, 3120, 900, 375),
    Label("Label18", "亏损：", 4440, 3120, 540, 180),
    Label("Label19", "", 4920, 3120, 720, 180).Color(kGreen),
    Label("Label20", "", 5640, 3120, 540, 180),
    Label("Label24", "成本价：", 4440, 3360, 720, 180),
    Label("Label25", "", 5160, 3360, 480, 180).Color(kDarkBlue),
    Label("Label26", "", 5640, 3360, 540, 180),
    Label("Label27", "市值：", 4440, 3600, 540, 180),
    Label("Label28", "", 4920, 3600, 900, 180).Color(kMagenta),
    Label("Label29", "股数：", 4440, 3840, 540, 180),
    Label("Label30", "", 4920, 3840, 840, 180),
    Label("Label36", "", 5760, 3840, 360, 180).Color(kLightGrey),
    // Buttons and footer.
    Button("Command1", "常规网格", 120, 4320, 1100, 420),
    Button("Command5", "金字塔递增", 1350, 4320, 1100, 420),
    Button("Command6", "金字塔倍数", 2580, 4320, 1100, 420),
    Button("Command2", "清空文本框", 3810, 4320, 1100, 420),
    Button("Command3", "切换回去", 5040, 4320, 1100, 420),
    Label("Label41", "仅作辅助计算，不能作投资决策用。", 120, 4920, 3200, 200)
        .Color(kDarkGrey)
        .Font("宋体", 10, true),
};

constexpr std::string_view kTabOrder[] = {"Text1",    "Text2",    "Text3",    "Text4",    "Text5",    "Text6",
                                          "Command1", "Command5", "Command6", "Command2", "Command3", "Command4"};

constexpr Link kLinks[] = {
    {"Command3", "Form38", SwitchOrder::HideFirst},
};

constexpr ScreenSpec kSpec{
    .name = "Form39",
    .title = "股票网格交易法--衡川2.0（升级版）",
    .clientWidth = kWideScreenWidth,
    .clientHeight = kWideScreenHeight,
    .controls = kControls,
    .tabOrder = kTabOrder,
    .initialFocus = "Text1",
    .defaultButton = "Command1",
    .links = kLinks,
    .placedLike = "Form1",
    .backButton = "Command3",
};

// Every grid allows at most this many steps each way: one loop step per
// grid step, so the count bounds the time of a press.
constexpr double kMaxSteps = 10000;
// The doubling grid allows at most this many steps each way.
constexpr double kMaxDoublingSteps = 220;
// The increasing grid adds this many shares to every further step.
constexpr double kIncreaseShares = 100;
// The step-count button fills in at most this many steps, and only for
// share figures below this bound.
constexpr double kMaxFilledSteps = 100;
constexpr double kFillBound = 900001;
static_assert(kMaxFilledSteps <= kMaxDoublingSteps && kMaxDoublingSteps <= kMaxSteps,
              "the step-count button fills in counts every grid accepts");

enum class Grid { Regular, Increasing, Doubling };

Num Read(const std::string& field) { return ReadNumber(field); }
Num Strict(const std::string& field) { return ReadNumberStrict(field); }

class GridTrading final : public Screen, public GridSource {
 public:
  explicit GridTrading(App& app) : Screen(app, kSpec) {
    OnClick("Command1", &GridTrading::RegularGrid);
    OnClick("Command5", &GridTrading::IncreasingGrid);
    OnClick("Command6", &GridTrading::DoublingGrid);
    OnClick("Command4", &GridTrading::FillStepCounts);
    OnClick("Command2", &GridTrading::Clear);
  }

  const std::optional<GridPress>& LastGrid() const override { return lastGrid_; }

 private:
  // The ladder's base: the base price as shown with two decimals and the
  // step as a fraction.
  struct Base {
    Num price;  // P
    Num step;   // r
  };

  // The step sizes q(i) of a grid. The regular grid trades the per-step
  // shares every time; the increasing grid adds 100 shares per further
  // step; the doubling grid keeps the current size in its work field and
  // doubles it there.
  class StepSizes {
   public:
    StepSizes(GridTrading& screen, Grid grid) : f_(screen), grid_(grid) {}
    void Start() {
      if (grid_ == Grid::Doubling) f_.stepSize = NumberText(Read(f_.stepShares));
    }
    Num At(double i) {
      switch (grid_) {
        case Grid::Regular:
          return Read(f_.stepShares);
        case Grid::Increasing:
          return (Num(i) - 1) * kIncreaseShares + Read(f_.stepShares);
        case Grid::Doubling:
          f_.stepSize = NumberText(i == 1 ? Strict(f_.stepSize) : Strict(f_.stepSize) * 2);
          return Read(f_.stepSize);
      }
      return 0;
    }

   private:
    GridTrading& f_;
    Grid grid_;
  };

  // "常规网格": every step trades the per-step shares; the up steps are
  // capped by what the base position can supply.
  void RegularGrid() {
    CleanInputs();
    if (!PassesChecks(Grid::Regular)) return;
    const Base b = Prepare();
    LadderEnds(b);

    // Up side: the profit realised on the sold steps, then the total with
    // the unsold shares valued at the rise amount shown. The cap may leave
    // no step at all; the totals then still belong to this press.
    // The counts are whole and at most kMaxSteps by now: an int counts them.
    StepSizes q(*this, Grid::Regular);
    const double m = ReadNumber(upSteps);
    realisedProfit = "0";
    for (int i = 1; i <= m; ++i) AddTo(realisedProfit, q.At(i) * UpGain(b, i));
    RoundInPlace(realisedProfit);
    totalProfit = "0";
    for (int i = 1; i <= m; ++i) AddTo(totalProfit, q.At(i) * UpGain(b, i));
    AddTo(totalProfit, Strict(riseAmount) * (Read(baseShares) - Read(upSteps) * Read(stepShares)));
    RoundInPlace(totalProfit);
    ProfitPercent();

    // Down side: the base cost plus one buy on every down step.
    const double n = ReadNumber(downSteps);
    totalCost = NumberText(Read(basePrice) * Read(baseShares));
    for (int i = 1; i <= n; ++i) AddTo(totalCost, q.At(i) * DownPrice(b, i));
    RoundInPlace(totalCost);
    // All shares held at the bottom: the base shares and one step per fall.
    const Num holdings = Strict(baseShares) + Strict(stepShares) * Strict(downSteps);
    WriteRounded(loss, Strict(totalCost) - Strict(bottomPrice) * holdings);

    LossPercent();
    sharesHeld = NumberText(holdings);
    AverageCost();
    WriteRounded(marketValue, Strict(bottomPrice) * holdings);
    sharesShown = sharesHeld + "股";
    // No pyramid figure stays on screen.
    for (std::string* label : {&lastDownStep, &gridKind, &lastUpStep, &soldCaption, &sharesSoldShown}) label->clear();
    Remember(GridKind::Regular);
  }

  // "金字塔递增": steps of the per-step shares plus 100 for every step
  // before; the up steps are not capped.
  void IncreasingGrid() { PyramidGrid(Grid::Increasing, "递增式"); }

  // "金字塔倍数": every further step twice the one before, at most 220
  // steps each way.
  void DoublingGrid() { PyramidGrid(Grid::Doubling, "倍数"); }

  void PyramidGrid(Grid grid, std::string_view kindName) {
    CleanInputs();
    if (!PassesChecks(grid)) return;
    const Base b = Prepare();
    LadderEnds(b);
    // The doubling grid reads its own running share totals strictly.
    auto addShares = [grid](std::string& total, Num shares) {
      if (grid == Grid::Doubling) {
        AddToStrict(total, shares);
      } else {
        AddTo(total, shares);
      }
    };

    // Up side: shares sold and the profit realised on them; the shares sold
    // turn red as soon as they exceed the base shares.
    StepSizes q(*this, grid);
    const double m = ReadNumber(upSteps);
    realisedProfit = "0";
    sharesSold = "0";
    q.Start();
    for (int i = 1; i <= m; ++i) {
      const Num step = q.At(i);
      addShares(sharesSold, step);
      AddTo(realisedProfit, step * UpGain(b, i));
      sharesSoldColor = Read(baseShares) < Read(sharesSold) ? kRed : kBlack;
      sharesSoldShown = sharesSold;
    }
    RoundInPlace(realisedProfit);
    // Total profit: the shares not sold (negative when more were sold than
    // the base position held) are valued at the rise amount shown.
    totalProfit = "0";
    q.Start();
    for (int i = 1; i <= m; ++i) {
      const Num step = q.At(i);
      AddTo(totalProfit, step * UpGain(b, i));
      lastUpStep = NumberText(step);
    }
    AddTo(totalProfit, Strict(riseAmount) * (Read(baseShares) - Strict(sharesSoldShown)));
    RoundInPlace(totalProfit);
    ProfitPercent();

    // Down side: the base cost plus the growing buys, and the shares held.
    const double n = ReadNumber(downSteps);
    totalCost = NumberText(Read(basePrice) * Read(baseShares));
    sharesHeld = NumberText(Read(baseShares));
    q.Start();
    for (int i = 1; i <= n; ++i) {
      const Num step = q.At(i);
      AddTo(totalCost, step * DownPrice(b, i));
      addShares(sharesHeld, step);
      lastDownStep = grid == Grid::Doubling ? stepSize : NumberText(step);
    }
    RoundInPlace(totalCost);
    WriteRounded(loss, Strict(totalCost) - Strict(bottomPrice) * Strict(sharesHeld));

    LossPercent();
    AverageCost();
    WriteRounded(marketValue, Strict(bottomPrice) * Strict(sharesHeld));
    sharesShown = sharesHeld + "股";
    gridKind = kindName;
    soldCaption = "已卖股数：";
    Remember(grid == Grid::Doubling ? GridKind::Doubling : GridKind::Increasing);
  }

  // The grid just computed, for the order ladder.
  void Remember(GridKind kind) {
    lastGrid_ = GridPress{kind, basePrice, baseShares, stepShares, upSteps, downSteps, stepPercent};
  }

  void CleanInputs() {
    CleanNumberText(basePrice, kBasePriceMarks);
    CleanNumberText(baseShares, kTypedShareMarks);
    CleanNumberText(stepShares, kTypedShareMarks);
    CleanNumberText(upSteps, kTypedCountMarks);
    CleanNumberText(downSteps, kTypedCountMarks);
    CleanNumberText(stepPercent, kTypedRateMarks);
  }

  // K, how many steps the base position can supply: whole base shares over
  // whole shares per step.
  std::int32_t StepsFromBase() { return WholeQuotient(ReadNumber(baseShares), ReadNumber(stepShares)); }

  bool Refuse(std::string_view message) {
    PromptMissing(message);
    return false;
  }

  // The checks in their order; the first failing one is reported and the
  // grid is not computed. A step count must come to at least one whole step
  // and to no more than the grid allows.
  bool PassesChecks(Grid grid) {
    if (IsMissing(basePrice)) return Refuse("请输入底仓买入价！");
    if (Strict(basePrice) == 0) return Refuse("底仓价，不能为0！");
    if (IsMissing(baseShares)) return Refuse("请输入底仓股数！");
    if (IsMissing(stepShares)) return Refuse("请输入网格每份股数！");
    if (Strict(stepShares) == 0) return Refuse("网格每份股数，不能为0！");
    if (IsMissing(upSteps)) return Refuse(std::to_string(StepsFromBase()) + "份，请输入上涨份数！");
    if (Strict(upSteps) == 0) return Refuse("上涨份数，不能为0！");
    if (Strict(upSteps) < 1) return Refuse("上涨份数，不能小于1！");
    if (grid == Grid::Doubling && Strict(upSteps) > kMaxDoublingSteps) return Refuse("上涨份数，不能大于220！");
    if (Strict(upSteps) > kMaxSteps) return Refuse("上涨份数，不能大于10000！");
    // The regular grid sells no more steps than the base position holds.
    if (grid == Grid::Regular) {
      const std::int32_t k = StepsFromBase();
      if (Strict(upSteps) > k) upSteps = std::to_string(k);
    }
    if (IsMissing(downSteps)) return Refuse("请输入下跌份数！");
    if (Strict(downSteps) == 0) return Refuse("下跌份数，不能为0！");
    if (Strict(downSteps) < 1) return Refuse("下跌份数，不能小于1！");
    if (grid == Grid::Doubling && Strict(downSteps) > kMaxDoublingSteps) return Refuse("下跌份数，不能大于220！");
    if (Strict(downSteps) > kMaxSteps) return Refuse("下跌份数，不能大于10000！");
    if (IsMissing(stepPercent)) return Refuse("请输入涨跌幅！");
    return true;
  }

  // The base price becomes two decimals, the step counts whole numbers.
  Base Prepare() {
    basePrice = Fixed2(ReadNumber(basePrice));
    const Num price = Round2(ReadNumber(basePrice));
    upSteps = NumberText(std::trunc(ReadNumber(upSteps)));
    downSteps = NumberText(std::trunc(ReadNumber(downSteps)));
    return Base{price, Read(stepPercent) / 100};
  }

  // The price gain of up step i over the base price, P × (1 + r)^i − P.
  static Num UpGain(const Base& b, double i) { return (b.price * Power(1 + b.step, i)) - b.price; }
  // The price after i falls, P × (1 − r)^i.
  static Num DownPrice(const Base& b, double i) { return b.price * Power(1 - b.step, i); }

  // The top and bottom prices of the ladder, their distance from the base
  // price and the base cost.
  void LadderEnds(const Base& b) {
    WriteRoundedFirst(topPrice, b.price * Power(1 + b.step, ReadNumber(upSteps)));
    WriteRounded(bottomPrice, b.price * Power(1 - b.step, ReadNumber(downSteps)));
    const Num top = Read(topPrice);
    WriteRounded(riseAmount, top - b.price);
    const Num base = Read(basePrice);
    WriteRounded(risePercent, (top - base) / base * 100, "%");
    fallAmount = Fixed2(Strict(bottomPrice) - b.price);
    WriteRounded(fallPercent, (Read(bottomPrice) - base) / base * 100, "%");
    WriteRounded(baseCost, base * Read(baseShares));
  }

  // Total profit in percent of the base cost.
  void ProfitPercent() { WriteRounded(profitPercent, Strict(totalProfit) / Strict(baseCost) * 100, "%"); }

  // Loss in percent of the total cost.
  void LossPercent() { WriteRounded(lossPercent, Strict(loss) / Strict(totalCost) * 100, "%"); }

  // The average cost price as shown, and the rise from the bottom price back
  // to it. From a bottom price of zero or below there is no rise back.
  void AverageCost() {
    averageCost = Fixed2(Strict(totalCost) / Strict(sharesHeld));
    const Num cost = Read(averageCost);
    const Num bottom = Read(bottomPrice);
    if (bottom > 0) {
      WriteRounded(riseBackPercent, (cost - bottom) / bottom * 100, "%");
    } else {
      riseBackPercent.clear();
    }
  }

  // The small button beside the step counts: both counts become the steps
  // the base position can supply, at most 100.
  void FillStepCounts() {
    if (!(ReadNumber(baseShares) < kFillBound && ReadNumber(stepShares) < kFillBound)) return;
    const std::string k = std::to_string(StepsFromBase());
    upSteps = k;
    if (Strict(upSteps) > kMaxFilledSteps) upSteps = "100";
    downSteps = k;
    if (Strict(downSteps) > kMaxFilledSteps) downSteps = "100";
  }

  // "清空文本框": the base price, the step counts and the results. Base
  // shares, shares per step, the step percentage and the two percentage
  // labels of the ladder ends stay.
  void Clear() {
    for (std::string* field : {&basePrice, &upSteps, &downSteps, &topPrice, &baseCost, &bottomPrice, &totalCost,
                               &sharesHeld, &sharesSold, &stepSize, &riseAmount, &totalProfit, &profitPercent,
                               &fallAmount, &loss, &lossPercent, &realisedProfit, &averageCost, &riseBackPercent,
                               &marketValue, &sharesShown, &lastDownStep, &gridKind, &lastUpStep, &soldCaption,
                               &sharesSoldShown}) {
      field->clear();
    }
  }

  // Inputs.
  std::string& basePrice = text("Text1");    // P, as typed, then with two decimals
  std::string& baseShares = text("Text2");   // S
  std::string& stepShares = text("Text3");   // s, the shares of one step
  std::string& upSteps = text("Text4");      // m
  std::string& downSteps = text("Text5");    // n
  std::string& stepPercent = text("Text6");  // r in percent
  // Ladder ends.
  std::string& topPrice = text("Text7");      // P × (1 + r)^m
  std::string& riseAmount = text("Label9");   // top price − P
  std::string& risePercent = text("Label34");
  std::string& bottomPrice = text("Text9");   // P × (1 − r)^n
  std::string& fallAmount = text("Label16");  // bottom price − P
  std::string& fallPercent = text("Label32");
  std::string& baseCost = text("Text8");  // base price × S
  // Up side.
  std::string& realisedProfit = text("Label22");  // on the sold steps
  std::string& totalProfit = text("Label12");     // with the unsold shares at the rise amount
  std::string& profitPercent = text("Label13");
  std::string& sharesSold = text("Text12");        // work field: the running total of the shares sold
  std::string& sharesSoldShown = text("Label39");  // the pyramid grids' shares sold
  Rgb& sharesSoldColor = At("Label39").color;
  std::string& soldCaption = text("Label38");
  std::string& lastUpStep = text("Label37");  // q(m)
  // Down side.
  std::string& totalCost = text("Text10");  // base cost plus every buy
  std::string& loss = text("Label19");
  std::string& lossPercent = text("Label20");
  std::string& sharesHeld = text("Text11");  // work field: the shares held at the bottom
  std::string& averageCost = text("Label25");
  std::string& riseBackPercent = text("Label26");  // from the bottom price back to the average cost
  std::string& marketValue = text("Label28");
  std::string& sharesShown = text("Label30");
  std::string& lastDownStep = text("Label35");  // q(n)
  std::string& gridKind = text("Label36");
  std::string& stepSize = text("Text13");  // work field: the doubling grid's current step
  std::optional<GridPress> lastGrid_;
};

}  // namespace

std::unique_ptr<Screen> MakeGridTrading(App& app) { return std::make_unique<GridTrading>(app); }

}  // namespace hc
