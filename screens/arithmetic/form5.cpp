// Form5, multiplication: the amount of a purchase from the price per share
// and the number of shares, and the number of 100-share lots.
#include <charconv>
#include <cmath>
#include <cstddef>
#include <string>

#include "shell/registry.h"
#include "shell/screen.h"

namespace hc {
namespace {

// The result fonts are 宋体 10.5 pt (五号); the layout holds whole points,
// so they are given as 10.
constexpr ControlSpec kControls[] = {
    Label("Label1", "单价：", 360, 360, 540, 180),
    TextField("Text1", "", 1560, 360, 1335, 375),
    Label("Label4", "元 (精确到分)", 3000, 480, 1170, 180),
    Label("Label2", "数量：", 360, 1080, 540, 180),
    TextField("Text2", "", 1560, 960, 1335, 375),
    Label("Label3", "股", 3000, 1080, 180, 180),
    Label("Label9", "", 3480, 1080, 720, 210).Color(kRed).Font("宋体", 10.5, true),
    Label("Label10", "手", 4200, 1080, 180, 180),
    Label("Label5", "金额：", 360, 1680, 540, 180),
    ResultField("Text3", "金额", 1560, 1560, 1335, 495).Color(kRed).Font("宋体", 10.5, true),
    Label("Label6", "元 (精确到分)", 3000, 1680, 1170, 180),
    Button("Command5", "加法计算", 1800, 2160, 1290, 420),
    Button("Command4", "除法计算", 3120, 2160, 1290, 420),
    Button("Command1", "乘法计算", 240, 2760, 1290, 420),
    Button("Command2", "清空文本框", 1680, 2760, 1290, 420),
    Button("Command3", "切换回去", 3120, 2760, 1290, 420),
};

constexpr std::string_view kTabOrder[] = {"Text1",    "Text2",    "Command1", "Command2",
                                          "Text3",    "Command3", "Command4", "Command5"};

constexpr Link kLinks[] = {
    {"Command3", "Form1", SwitchOrder::ShowFirst},
    {"Command4", "Form9", SwitchOrder::HideFirst},
    {"Command5", "Form4", SwitchOrder::ShowFirst},
};

constexpr ScreenSpec kSpec{
    .name = "Form5",
    .title = "乘法计算--衡川2.0",
    .controls = kControls,
    .tabOrder = kTabOrder,
    .initialFocus = "Text1",
    .defaultButton = "Command1",
    .links = kLinks,
    .placedLike = "Form1",
    .backButton = "Command3",
};

// x rounded to one decimal: x × 10 in double arithmetic, halves to the even
// neighbour, divided by 10.
double RoundTenth(double x) {
  Num p = Num(x) * 10;
  double out = std::nearbyint(p.v()) / 10.0;  // round to nearest, halves to even
  return out == 0.0 ? 0.0 : out;
}

// The lots caption: x taken to 15 significant digits, rounded to a whole
// number with halves away from zero, written after one blank (' 13',
// ' -13', ' 0'). A value that rounds to zero carries no sign.
std::string WholeLotsText(double x) {
  std::string digits;  // decimal digits of the rounded whole number
  if (x != 0.0) {
    char buf[40];
    auto r = std::to_chars(buf, buf + sizeof(buf), std::fabs(x), std::chars_format::scientific, 14);
    // buf holds "d.dddddddddddddde[+-]XX": the value is D × 10^(exp - 14)
    // with D the 15-digit integer.
    std::string d(1, buf[0]);
    d.append(buf + 2, 14);
    const char* e = buf + 16;
    int exp = 0;
    for (const char* p = e + 2; p < r.ptr; ++p) exp = exp * 10 + (*p - '0');
    if (e[1] == '-') exp = -exp;
    int k = exp - 14;
    if (k >= 0) {
      digits = d + std::string(static_cast<std::size_t>(k), '0');
    } else {
      int keep = 15 + k;  // digits at or above the units
      char dropped = '0';
      if (keep >= 0 && keep < 15) dropped = d[static_cast<std::size_t>(keep)];
      if (keep > 0) digits = d.substr(0, static_cast<std::size_t>(keep));
      if (dropped >= '5') {
        // add one, carrying through the digits
        int i = static_cast<int>(digits.size()) - 1;
        while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9') digits[static_cast<std::size_t>(i--)] = '0';
        if (i < 0) {
          digits.insert(digits.begin(), '1');
        } else {
          ++digits[static_cast<std::size_t>(i)];
        }
      }
    }
    std::size_t first = digits.find_first_not_of('0');
    digits = first == std::string::npos ? std::string() : digits.substr(first);
  }
  if (digits.empty()) return " 0";
  return (x < 0 ? " -" : " ") + digits;
}

class Form5 final : public Screen {
 public:
  explicit Form5(App& app) : Screen(app, kSpec) {
    OnClick("Command1", &Form5::Multiply);
    OnClick("Command2", &Form5::ClearInputs);
  }

 private:
  // "乘法计算": amount = price × shares, to the cent, then the lots. Price
  // and shares are converted from their texts where they are used, each
  // time as a whole-text number: '12abc' or a single blank is a type
  // mismatch and nothing is written.
  void Multiply() {
    CleanNumberText(text("Text1"), kMoneyMarks);
    CleanNumberText(text("Text2"), kMoneyOrPercentMarks);
    if (IsMissing(text("Text1"))) return PromptMissing("请输入每股价格！");
    if (IsMissing(text("Text2"))) return PromptMissing("请输入股票数量！");
    Num price = ReadNumberStrict(text("Text1"));
    Num shares = ReadNumberStrict(text("Text2"));
    WriteRounded(text("Text3"), price * shares);

    // The lots are rounded twice: first to a tenth (halves to even), then
    // to a whole lot (halves away from zero), so 1249 shares make 12.49,
    // then 12.5, then 13 lots.
    std::string& lots = text("Label9");
    lots = NumberText(Num(ReadNumberStrict(text("Text2"))) / 100);
    lots = NumberText(RoundTenth(ReadNumber(lots)));
    lots = WholeLotsText(ReadNumber(lots));
  }

  // "清空文本框": both inputs; the amount and the lots stay.
  void ClearInputs() {
    text("Text1").clear();
    text("Text2").clear();
  }
};

}  // namespace

std::unique_ptr<Screen> MakeForm5(App& app) { return std::make_unique<Form5>(app); }

}  // namespace hc
