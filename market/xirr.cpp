#include "market/xirr.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>
#include <utility>
#include <vector>

namespace hc {

namespace {

long double ToLongDouble(const Decimal& d) { return static_cast<long double>(d.units()) / std::pow(10.0L, d.scale()); }

int SignOf(const Decimal& d) { return d.sign(); }

// How often a sequence changes sign, zeros passed over.
template <typename It>
int SignChanges(It first, It last) {
  int changes = 0;
  int lastSign = 0;
  for (; first != last; ++first) {
    const int s = SignOf(*first);
    if (s == 0) continue;
    if (lastSign != 0 && s != lastSign) ++changes;
    lastSign = s;
  }
  return changes;
}

// The flows added up by day, those that cancel out left out, in day order;
// their days in years of 365 days.
struct Flows {
  std::vector<Decimal> exact;
  std::vector<long double> amounts;
  std::vector<double> years;
  std::vector<int> days;
  bool positive = false, negative = false;
  Decimal total;  // exact: the value of the flows at a rate of 0
};

Flows AddUpByDay(std::span<const DatedFlow> input) {
  std::vector<DatedFlow> sorted(input.begin(), input.end());
  std::stable_sort(sorted.begin(), sorted.end(), [](const DatedFlow& a, const DatedFlow& b) { return a.day < b.day; });
  Flows out;
  for (std::size_t i = 0; i < sorted.size();) {
    Decimal sum;
    const int day = sorted[i].day;
    for (; i < sorted.size() && sorted[i].day == day; ++i) sum = sum + sorted[i].amount;
    out.total = out.total + sum;
    if (sum.sign() == 0) continue;
    (sum.sign() > 0 ? out.positive : out.negative) = true;
    out.exact.push_back(sum);
    out.amounts.push_back(ToLongDouble(sum));
    out.years.push_back(day / 365.0);
    out.days.push_back(day);
  }
  return out;
}

// The most work, sign changes of the flows along the days times flows, for
// which every root is isolated: each change costs a level of derivatives,
// each level a few sums of all the flows. Beyond it (a press would take
// more than some 50 ms) the scan below is used.
constexpr double kMostIsolationWork = 40000;

// The rate as x = ln(1 + r), in which the flows' value is a sum of
// exponentials, V(x) = Σ F_i e^(−y_i x), y_i the years of flow i after the
// first. The range of rates in x: above kLow (excluded), up to kHigh.
const double kLow = std::log1p(kLowestRate);
const double kHigh = std::log1p(kHighestRate);

// The sign of a sum of exponentials at a point, and where the sum is too
// small against its terms to tell, none (0): the rounding of the terms
// could give either sign there.
struct Reading {
  int sign = 0;
  long double value = 0;  // the sum, scaled by e^(−scale)
  long double scale = 0;
};

// Σ s_i e^(l_i − y_i x): every term kept as its sign and the log of its
// size, so that neither the exponentials of flows thousands of years apart
// nor the products of a derivative's factors leave the doubles' range.
// The years are taken from their middle: a positive factor e^(y_mid x),
// which changes no sign, keeps the exponents small near a rate of 0.
class ExpSum {
 public:
  ExpSum(const std::vector<double>& years, const std::vector<long double>& logs, std::vector<signed char> signs)
      : years_(years.begin(), years.end()), logs_(logs), signs_(std::move(signs)) {}

  Reading At(double x) const {
    long double top = -std::numeric_limits<long double>::infinity();
    for (std::size_t i = 0; i < years_.size(); ++i) top = std::max(top, logs_[i] - years_[i] * x);
    long double sum = 0;
    long double size = 0;
    for (std::size_t i = 0; i < years_.size(); ++i) {
      const long double d = logs_[i] - years_[i] * x - top;
      if (d < -100) continue;  // below 10^-43 of the largest term: beneath any rounding
      // The exponential in double precision, corrected to first order for
      // the rounding of its argument: good to about one unit in the last
      // place of a double.
      const double rounded = static_cast<double>(d);
      const long double e = std::exp(rounded) * (1 + (d - rounded));
      sum += signs_[i] * e;
      size += e;
    }
    // Each term is good to about a unit in the last place of a double, the
    // sum (in long double) adding next to nothing: the sum is off by less
    // than that unit of the terms' sizes added up.
    const long double noise = 4 * std::numeric_limits<double>::epsilon() * size;
    return {std::fabs(sum) <= noise ? 0 : (sum > 0 ? 1 : -1), sum, top};
  }

  int SignAt(double x) const { return At(x).sign; }

  // The derivative of e^(c x) times this sum, up to a positive factor: each
  // term times (c − y_i). With c between the years of two neighbouring terms
  // of opposite signs, that sign change goes and no other comes.
  void Derive(double c) {
    for (std::size_t i = 0; i < years_.size(); ++i) {
      const long double factor = c - years_[i];
      logs_[i] += std::log(std::fabs(factor));
      if (factor < 0) signs_[i] = static_cast<signed char>(-signs_[i]);
    }
  }
  // Undoes Derive(c).
  void Integrate(double c) {
    for (std::size_t i = 0; i < years_.size(); ++i) {
      const long double factor = c - years_[i];
      logs_[i] -= std::log(std::fabs(factor));
      if (factor < 0) signs_[i] = static_cast<signed char>(-signs_[i]);
    }
  }

 private:
  std::vector<long double> years_;
  std::vector<long double> logs_;
  std::vector<signed char> signs_;
};

// The point between a and b (signs of the sum sa and −sa) where the sum
// changes sign: false position with the Illinois halving, falling back to
// bisection where it gains too little; to the doubles' resolution.
double Solve(const ExpSum& sum, double a, double b, Reading ra, Reading rb) {
  // Values on one scale: that of ra.
  auto onScale = [&](const Reading& r) {
    return static_cast<double>(r.value * std::exp(std::clamp(r.scale - ra.scale, -700.0L, 700.0L)));
  };
  double fa = static_cast<double>(ra.value);
  double fb = onScale(rb);
  const int sa = ra.sign;
  int side = 0;
  double lastWidth = 2 * std::fabs(b - a);
  for (int i = 0; i < 200; ++i) {
    const double width = b - a;
    if (std::fabs(width) <= 4 * std::numeric_limits<double>::epsilon() * std::max(1.0, std::fabs(a))) break;
    double m = a + width * (fa / (fa - fb));
    // A guess outside the bracket, or a bracket that shrank too little
    // since the last step: bisection.
    const bool slow = std::fabs(width) > 0.5 * lastWidth;
    lastWidth = std::fabs(width);
    if (!(std::fabs(m - a) > 0 && std::fabs(b - m) > 0 && (m - a) * (b - m) > 0) || (slow && i > 0)) m = a + width / 2;
    if (m == a || m == b) break;
    // Within the rounding's reach of the root the sign read is still the
    // best guess of the side.
    const Reading rm = sum.At(m);
    if (rm.value == 0) return m;
    const double fm = onScale(rm);
    if ((rm.value > 0 ? 1 : -1) == sa) {
      a = m;
      fa = fm;
      if (side == -1) fb /= 2;
      side = -1;
    } else {
      b = m;
      fb = fm;
      if (side == 1) fa /= 2;
      side = 1;
    }
  }
  return a + (b - a) / 2;
}

// The points in (low, high) at which a sum changes sign, in order, given
// points that split the range into stretches on each of which the sum
// times a positive exponential is monotone: each holds at most one such
// point. A point of the split at which the sum's sign cannot be told counts
// where the signs on either side of it differ (a root there), not where
// they agree (the sum touches 0 without crossing it, a double root).
//
// Where the sign at x = 0 is known exactly (`zero`, the flows' total at a
// rate of 0), 0 joins the points, with that sign.
std::vector<double> SignChangesOn(const ExpSum& sum, double low, double high, const std::vector<double>& split,
                                  std::optional<int> zero = std::nullopt) {
  std::vector<double> points;
  points.reserve(split.size() + 3);
  points.push_back(low);
  for (double p : split) {
    if (p > low && p < high && !(zero && p == 0)) points.push_back(p);
  }
  if (zero) points.insert(std::lower_bound(points.begin() + 1, points.end(), 0.0), 0.0);
  points.push_back(high);
  std::vector<Reading> readings;
  readings.reserve(points.size());
  for (double p : points) {
    readings.push_back(sum.At(p));
    if (zero && p == 0) readings.back().sign = *zero;
  }

  std::vector<double> roots;
  std::size_t last = points.size();  // the last point with a sign
  for (std::size_t i = 0; i < points.size(); ++i) {
    if (readings[i].sign == 0) continue;
    if (last != points.size() && readings[last].sign != readings[i].sign) {
      if (i == last + 1) {
        roots.push_back(Solve(sum, points[last], points[i], readings[last], readings[i]));
      } else {
        // Points without a sign between: the crossing lies among them.
        roots.push_back(points[(last + 1 + i - 1) / 2]);
      }
    }
    last = i;
  }
  // The top of the range belongs to it: a value that ends there at 0 has
  // its root there.
  if (readings.back().sign == 0 && last != points.size()) roots.push_back(high);
  return roots;
}

// Every rate in (low, high) at which the sum changes sign. The sum has no
// more real roots than its terms change sign in the order of their years
// (the rule of signs holds for sums of exponentials), and by Rolle's
// theorem the sign changes of the derivative of e^(c x) V split the line
// into stretches holding at most one root of V each. Taking c between the
// years of a sign change of the terms leaves a sum with one sign change
// fewer: after as many derivatives as changes there is none and no root;
// from there each level's roots split the line for the level below.
std::vector<double> AllSignChanges(ExpSum sum, const std::vector<double>& years, const std::vector<signed char>& signs,
                                   double low, double high, int atZero) {
  std::vector<double> cuts;
  for (std::size_t i = 1; i < years.size(); ++i) {
    if (signs[i] != signs[i - 1]) cuts.push_back(0.5 * (years[i - 1] + years[i]));
  }
  for (double c : cuts) sum.Derive(c);
  std::vector<double> split;  // the last level has no sign change and no root
  for (std::size_t k = cuts.size(); k-- > 0;) {
    sum.Integrate(cuts[k]);
    split = SignChangesOn(sum, low, high, split, k == 0 ? std::optional<int>(atZero) : std::nullopt);
  }
  return split;
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
  Side(const std::vector<double>& amounts, const std::vector<double>& years, bool above)
      : above_(above), amounts_(amounts) {
    const double last = years.back();
    exponents_.reserve(years.size());
    for (double y : years) exponents_.push_back(above ? -y : last - y);
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
    // The value and its slope by t = |ln(1 + r)| at the step's near end.
    double nearValue = 0;
    double nearSlope = 0;
    for (std::size_t i = 0; i < amounts_.size(); ++i) {
      nearValue += amounts_[i];
      nearSlope += direction * exponents_[i] * amounts_[i];
    }
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
        double slope = 0;
        for (std::size_t i = 0; i < amounts_.size(); ++i) {
          terms[i] *= factors[i];
          const double term = amounts_[i] * terms[i];
          value += term;
          slope += exponents_[i] * term;
        }
        slope *= direction;
        at = k == steps ? stop : from + k * step;
        const bool last = k == steps && stop == far;
        const double rate = last ? end() : std::expm1(direction * at);
        const int sign = SignOf(value);
        if (sign == 0 && (!last || endIncluded())) return std::pair{rate, rate};
        if (sign != 0 && sign != signAtZero) return std::pair{nearRate, rate};
        // Two roots within the step: the value turns inside it and dips
        // across 0 between its ends.
        if (SignOf(slope) != SignOf(nearSlope) && MayDip(nearValue, nearSlope, value, slope, step)) {
          if (const std::optional<double> turn = TurnBelow(nearRate, rate, signAtZero)) {
            return std::pair{nearRate, *turn};
          }
        }
        nearRate = rate;
        nearValue = value;
        nearSlope = slope;
      }
    }
    return std::nullopt;
  }

 private:
  // Whether the cubic through the step's ends with their values and slopes
  // comes near 0 inside it, or crosses it: the step is worth a closer look.
  static bool MayDip(double v0, double s0, double v1, double s1, double h) {
    const double floor = 0.25 * std::min(std::fabs(v0), std::fabs(v1));
    for (int i = 1; i < 32; ++i) {
      const double t = i / 32.0;
      const double t2 = t * t;
      const double t3 = t2 * t;
      const double p =
          (2 * t3 - 3 * t2 + 1) * v0 + (t3 - 2 * t2 + t) * h * s0 + (-2 * t3 + 3 * t2) * v1 + (t3 - t2) * h * s1;
      if (SignOf(p) != SignOf(v0) || std::fabs(p) < floor) return true;
    }
    return false;
  }

  // The rate between a and b where the value turns (its slope changes sign
  // there), when the value has there the sign opposite to `signAtZero`.
  // A value counts as across 0 only beyond the rounding's reach, so that a
  // value that touches 0 (at a rate of 0, say) makes no pair of roots.
  std::optional<double> TurnBelow(double a, double b, int signAtZero) const {
    const int slopeAtA = SignOf(ValueAndSlope(a).second);
    auto across = [&](double rate) {
      const double value = Value(rate);
      return SignOf(value) == -signAtZero && std::fabs(value) > 1e-12 * Size(rate);
    };
    for (int i = 0; i < 100 && a != b; ++i) {
      const double m = 0.5 * (a + b);
      if (m == a || m == b) break;
      if (across(m)) return m;
      (SignOf(ValueAndSlope(m).second) == slopeAtA ? a : b) = m;
    }
    if (across(0.5 * (a + b))) return 0.5 * (a + b);
    return std::nullopt;
  }

  // The terms' sizes added up.
  double Size(double rate) const {
    const double log = std::log1p(rate);
    double sum = 0;
    for (std::size_t i = 0; i < amounts_.size(); ++i) sum += std::fabs(amounts_[i]) * std::exp(exponents_[i] * log);
    return sum;
  }

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

// Where the flows change sign too often along the days for the isolation
// above: from 0 outwards on either side a scan brackets the nearest change
// of sign, and a step across which the value turns and may dip across 0
// is searched for the turn (two roots closer together than the scan's step,
// 0.2 % near 0 and wider far out, are found there unless the value turns
// more than once within the step); Newton steps and bisection solve it.
std::optional<double> ScanNearest(const std::vector<double>& amounts, const std::vector<double>& years,
                                  int signAtZero) {
  std::optional<double> best;
  for (bool above : {true, false}) {
    const Side side(amounts, years, above);
    const std::optional<std::pair<double, double>> bracket =
        side.Scan(signAtZero, best ? std::fabs(*best) : std::numeric_limits<double>::infinity());
    if (!bracket) continue;
    const double root =
        bracket->first == bracket->second ? bracket->first : Refine(side, bracket->first, bracket->second);
    if (!(root > kLowestRate && root <= kHighestRate)) continue;
    if (!best || std::fabs(root) < std::fabs(*best)) best = root;
  }
  return best;
}

}  // namespace

std::optional<double> AnnualRate(std::span<const DatedFlow> input) {
  const Flows flows = AddUpByDay(input);
  if (!flows.positive || !flows.negative) return std::nullopt;
  const std::size_t n = flows.amounts.size();
  const double middle = 0.5 * (flows.years.front() + flows.years.back());
  std::vector<double> years;
  std::vector<long double> logs;
  std::vector<signed char> signs;
  years.reserve(n);
  logs.reserve(n);
  signs.reserve(n);
  long double largest = 0;
  for (long double a : flows.amounts) largest = std::max(largest, std::fabs(a));
  for (std::size_t i = 0; i < n; ++i) {
    years.push_back(flows.years[i] - middle);
    logs.push_back(std::log(std::fabs(flows.amounts[i]) / largest));
    signs.push_back(static_cast<signed char>(flows.exact[i].sign()));
  }
  ExpSum value(years, logs, signs);

  std::vector<double> roots;
  // The value at a rate of 0 is exact: the flows' total.
  const int atZero = SignOf(flows.total);

  // A bound first, by the flows added up along the days. For x > 0 the
  // value is x times the Laplace transform of those partial sums (a step
  // function of the years), which has no more roots than the sums change
  // sign; for x < 0 the same holds of the sums from the last day back. With
  // at most one root on a side, its ends' signs tell whether there is one.
  std::vector<Decimal> forward(n);
  std::vector<Decimal> backward(n);
  for (std::size_t i = 0; i < n; ++i) forward[i] = (i ? forward[i - 1] : Decimal()) + flows.exact[i];
  for (std::size_t i = n; i-- > 0;) backward[i] = (i + 1 < n ? backward[i + 1] : Decimal()) + flows.exact[i];
  const int aboveBound = SignChanges(forward.begin(), forward.end());
  const int belowBound = SignChanges(backward.begin(), backward.end());

  if (atZero != 0 && aboveBound <= 1 && belowBound <= 1) {
    Reading zero = value.At(0);
    zero.sign = atZero;
    const Reading high = value.At(kHigh);
    if (aboveBound == 1 && high.sign == 0) {
      roots.push_back(kHigh);
    } else if (aboveBound == 1 && high.sign == -atZero) {
      roots.push_back(Solve(value, 0, kHigh, zero, high));
    }
    const Reading low = value.At(kLow);
    if (belowBound == 1 && low.sign == -atZero) roots.push_back(Solve(value, 0, kLow, zero, low));
  } else if (static_cast<double>(SignChanges(flows.exact.begin(), flows.exact.end())) * static_cast<double>(n) <=
             kMostIsolationWork) {
    roots = AllSignChanges(value, years, signs, kLow, kHigh, atZero);
  } else {
    std::vector<double> amounts(flows.amounts.begin(), flows.amounts.end());
    if (atZero != 0) return ScanNearest(amounts, flows.years, atZero);
    // The value is 0 at a rate of 0. Its slope and curvature there, exact
    // but for the factors 1/365 and 1/365²: a root of 0 where the slope is
    // not 0; where it is and the curvature is not, the value only touches 0
    // there and keeps the curvature's sign on either side.
    Decimal slope;
    Decimal curvature;
    for (std::size_t i = 0; i < n; ++i) {
      const Decimal day = Decimal::Whole(flows.days[i]);
      slope = slope + flows.exact[i] * day;
      curvature = curvature + flows.exact[i] * day * day;
    }
    if (slope.sign() != 0 || curvature.sign() == 0) return 0.0;
    return ScanNearest(amounts, flows.years, curvature.sign());
  }

  std::optional<double> best;
  for (double x : roots) {
    const double rate = x == kHigh ? kHighestRate : std::expm1(x);
    if (!(rate > kLowestRate && rate <= kHighestRate)) continue;
    if (!best || std::fabs(rate) < std::fabs(*best)) best = rate;
  }
  return best;
}

}  // namespace hc
