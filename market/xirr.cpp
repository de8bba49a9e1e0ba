#include "market/xirr.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>
#include <utility>
#include <vector>

namespace hc {

namespace {

double ToDouble(const Decimal& d) {
  return static_cast<double>(static_cast<long double>(d.units()) / std::pow(10.0L, d.scale()));
}

// The flows added up by day, those that cancel out left out, in day order;
// their days in years of 365 days.
struct Flows {
  std::vector<double> amounts;
  std::vector<double> years;
  int signChanges = 0;  // along the days
  bool positive = false, negative = false;
  Decimal total;  // exact: the value of the flows at a rate of 0
};

Flows AddUpByDay(std::span<const DatedFlow> input) {
  std::vector<DatedFlow> sorted(input.begin(), input.end());
  std::stable_sort(sorted.begin(), sorted.end(), [](const DatedFlow& a, const DatedFlow& b) { return a.day < b.day; });
  Flows out;
  int lastSign = 0;
  for (std::size_t i = 0; i < sorted.size();) {
    Decimal sum;
    const int day = sorted[i].day;
    for (; i < sorted.size() && sorted[i].day == day; ++i) sum = sum + sorted[i].amount;
    out.total = out.total + sum;
    if (sum.sign() == 0) continue;
    if (lastSign != 0 && sum.sign() != lastSign) ++out.signChanges;
    lastSign = sum.sign();
    (sum.sign() > 0 ? out.positive : out.negative) = true;
    out.amounts.push_back(ToDouble(sum));
    out.years.push_back(day / 365.0);
  }
  return out;
}

int SignOf(double v) { return v > 0 ? 1 : v < 0 ? -1 : 0; }

// The flows' present value on one side of a rate of 0, times a positive
// factor chosen so that no term exceeds its flow in size there: above 0
// each flow is discounted to the first day, (1 + r)^(−d_i/365); below 0 it
// is carried to the last day, (1 + r)^((d_last − d_i)/365). The factor
// changes no sign and no root, and keeps every power finite for flows
// thousands of years apart at any rate of the range.
class Side {
 public:
  Side(const Flows& flows, bool above) : above_(above), amounts_(flows.amounts) {
    const double last = flows.years.back();
    exponents_.reserve(flows.years.size());
    for (double y : flows.years) exponents_.push_back(above ? -y : last - y);
  }

  bool above() const { return above_; }
  // The far end of the side, as a rate, and whether it may be the root.
  double end() const { return above_ ? kHighestRate : kLowestRate; }
  bool endIncluded() const { return above_; }

  double Value(double rate) const {
    const double log = std::log1p(rate);
    double sum = 0;
    for (std::size_t i = 0; i < amounts_.size(); ++i) sum += amounts_[i] * std::exp(exponents_[i] * log);
    return sum;
  }

  // The value and its slope by the rate.
  std::pair<double, double> ValueAndSlope(double rate) const {
    const double log = std::log1p(rate);
    double sum = 0;
    double slope = 0;
    for (std::size_t i = 0; i < amounts_.size(); ++i) {
      const double term = amounts_[i] * std::exp(exponents_[i] * log);
      sum += term;
      slope += exponents_[i] * term;
    }
    return {sum, slope / (1 + rate)};
  }

  // From a rate of 0 outwards, the first step of the scan across which the
  // value changes sign: {near, far}, or {root, root} where it lands on a
  // root. The scan walks ln(1 + r) in even steps, finest near 0, each term
  // carried from the last step by one multiplication. It stops, finding
  // nothing, before steps whose near end lies farther from 0 than `beyond`.
  std::optional<std::pair<double, double>> Scan(int signAtZero, double beyond) const {
    struct Stretch {
      double until;  // |ln(1 + r)| where the stretch ends
      double step;
    };
    static constexpr Stretch kStretches[] = {{0.4, 0.002}, {2.0, 0.01}, {std::numeric_limits<double>::max(), 0.05}};
    const double far = std::fabs(std::log1p(end()));
    const double direction = above_ ? 1 : -1;
    std::vector<double> terms(amounts_.size(), 1.0);
    std::vector<double> factors(amounts_.size());
    double at = 0;
    double nearRate = 0;
    for (const Stretch& stretch : kStretches) {
      const double stop = std::min(stretch.until, far);
      if (stop <= at) continue;
      const double steps = std::ceil((stop - at) / stretch.step);
      const double step = (stop - at) / steps;
      for (std::size_t i = 0; i < amounts_.size(); ++i) factors[i] = std::exp(exponents_[i] * direction * step);
      const double from = at;
      for (double k = 1; k <= steps; ++k) {
        if (std::fabs(nearRate) > beyond) return std::nullopt;
        double value = 0;
        for (std::size_t i = 0; i < amounts_.size(); ++i) {
          terms[i] *= factors[i];
          value += amounts_[i] * terms[i];
        }
        at = k == steps ? stop : from + k * step;
        const bool last = k == steps && stop == far;
        const double rate = last ? end() : std::expm1(direction * at);
        const int sign = SignOf(value);
        if (sign == 0 && (!last || endIncluded())) return std::pair{rate, rate};
        if (sign != 0 && sign != signAtZero) return std::pair{nearRate, rate};
        nearRate = rate;
      }
    }
    return std::nullopt;
  }

 private:
  bool above_;
  const std::vector<double>& amounts_;
  std::vector<double> exponents_;
};

// The root between two rates at which the value has opposite signs: Newton
// steps while they stay inside the bracket and shrink it fast enough,
// bisection otherwise.
double Refine(const Side& side, double a, double b) {
  const double va = side.Value(a);
  const double vb = side.Value(b);
  if (va == 0) return a;
  if (vb == 0) return b;
  if (SignOf(va) == SignOf(vb)) return std::fabs(va) < std::fabs(vb) ? a : b;  // the scan's rounding: a root at an end
  // The ends where the value is below and above 0.
  double low = va < 0 ? a : b;
  double high = va < 0 ? b : a;
  double rate = 0.5 * (a + b);
  double step = std::fabs(b - a);
  double lastStep = step;
  auto [value, slope] = side.ValueAndSlope(rate);
  for (int i = 0; i < 400; ++i) {
    const double tolerance =
        std::max(kRateTolerance / 10, 4 * std::numeric_limits<double>::epsilon() * std::fabs(rate));
    const bool outside = ((rate - high) * slope - value) * ((rate - low) * slope - value) > 0;
    const bool slow = std::fabs(2 * value) > std::fabs(lastStep * slope);
    lastStep = step;
    if (slope == 0 || outside || slow) {
      step = 0.5 * (high - low);
      rate = low + step;
    } else {
      step = value / slope;
      rate -= step;
    }
    if (std::fabs(step) < tolerance || std::fabs(high - low) < tolerance) return rate;
    std::tie(value, slope) = side.ValueAndSlope(rate);
    if (value == 0) return rate;
    (value < 0 ? low : high) = rate;
  }
  return rate;
}

}  // namespace

std::optional<double> AnnualRate(std::span<const DatedFlow> input) {
  const Flows flows = AddUpByDay(input);
  if (!flows.positive || !flows.negative) return std::nullopt;
  const int signAtZero = flows.total.sign();
  if (signAtZero == 0) return 0.0;
  std::optional<double> best;
  for (bool above : {true, false}) {
    const Side side(flows, above);
    std::optional<std::pair<double, double>> bracket;
    if (flows.signChanges == 1) {
      // One root on the whole line: on this side when the far end's value
      // has the other sign.
      const double atEnd = side.Value(side.end());
      if (atEnd == 0 && side.endIncluded()) {
        bracket = std::pair{side.end(), side.end()};
      } else if (SignOf(atEnd) == -signAtZero) {
        bracket = std::pair{0.0, side.end()};
      }
    } else {
      bracket = side.Scan(signAtZero, best ? std::fabs(*best) : std::numeric_limits<double>::infinity());
    }
    if (!bracket) continue;
    const double root =
        bracket->first == bracket->second ? bracket->first : Refine(side, bracket->first, bracket->second);
    if (!(root > kLowestRate && root <= kHighestRate)) continue;
    if (!best || std::fabs(root) < std::fabs(*best)) best = root;
  }
  return best;
}

}  // namespace hc
