// Ex-rights and ex-dividend (除权除息): the exchanges' reference price on the
// ex-date after a cash dividend (派息), bonus shares (送股), shares converted
// from the capital reserve (转增) and a rights issue (配股), and what it means
// for one holder: the shares he will hold, the dividend and the tax on it
// (deducted from the account when the shares are sold, by how long they were
// held), what subscribing costs, his cost price after, and the change of his
// assets. Every figure is an exact Decimal; the company's terms are per 10
// shares, as the announcements give them.
#pragma once

#include <optional>

#include "numeric/decimal.h"

namespace hc {

// One distribution, per 10 shares held on the record date.
struct DistributionTerms {
  Decimal dividend;     // cash, yuan before tax (派息)
  Decimal bonus;        // bonus shares out of profits (送股), taxed at par
  Decimal conversion;   // shares out of the capital reserve (转增), not taxed
  Decimal rights;       // shares offered in the rights issue (配股)
  Decimal rightsPrice;  // yuan a rights share; read only when rights > 0
  // 差异化分红: where the company holds repurchased shares, which get
  // nothing, the notice also prints the dividend and the change of the
  // shares in issue spread over all shares ("虚拟分派的每股现金红利", yuan a
  // share, and "虚拟分派的流通股份变动比例", a plain ratio). The reference
  // price then uses each one given in place of the plan's figure; the
  // holder's own shares and cash keep the plan's.
  std::optional<Decimal> virtualDividend;
  std::optional<Decimal> virtualShareRatio;
};

// True when the terms hand out nothing at all: no dividend, no bonus, no
// conversion and no rights issue.
bool DistributesNothing(const DistributionTerms& terms);

// How long the shares will have been held when they are sold: the dividend
// tax is 20 % of the dividend income within a month, 10 % up to a year, and
// nothing after a year.
enum class HoldingPeriod { UpToOneMonth, UpToOneYear, OverOneYear };

// The tax rate in whole percent.
int DividendTaxPercent(HoldingPeriod period);

// The exchanges' reference price after the close `close` on the record date:
// (close − dividend/10 + rightsPrice × rights/10) / (1 + (bonus + conversion
// + rights)/10), rounded half up to the cent; with the virtual figures of a
// 差异化分红, (close − virtual dividend + rightsPrice × rights/10) /
// (1 + virtual share ratio + rights/10). May come out 0 or negative when
// the dividend exceeds what a share is worth.
Decimal ReferencePrice(const Decimal& close, const DistributionTerms& terms);

// floor(shares × perTen / 10): the whole shares a holding of `shares` gets
// at `perTen` per 10 shares. The registrar hands out the fractions by
// ranking, so a holder can count only on the whole part. Both ≥ 0.
Decimal WholeSharesPerTen(const Decimal& shares, const Decimal& perTen);

// One holder's position on the record date.
struct Holding {
  Decimal shares;          // whole shares
  Decimal costPrice;       // yuan a share; may be 0 or negative after gains taken
  bool subscribes = true;  // takes up his rights shares
  HoldingPeriod period = HoldingPeriod::UpToOneYear;
};

// What the distribution does to the holding. Money to the cent, the cost
// price to three decimals, share counts whole.
struct ExRightsPosition {
  Decimal referencePrice;     // on the cent
  Decimal distributedShares;  // from bonus and conversion together
  Decimal rightsShares;       // taken up; 0 when not subscribing
  Decimal sharesAfter;
  Decimal dividend;     // cash before tax
  Decimal dividendTax;  // on the dividend and the bonus shares at par
  Decimal rightsPayment;
  Decimal costPriceAfter;
  Decimal valueBefore;  // shares × close
  Decimal valueAfter;   // shares after × reference price
  Decimal assetChange;  // value after + dividend − tax − payment − value before
};

// Nothing when the reference price is not above 0. Within the fields'
// bounds (prices up to 100000 yuan, shares per 10 up to 100, a dividend per
// 10 below ten times the close, up to 10^9 shares, cost prices within
// ±100000 yuan) every figure stays in range.
std::optional<ExRightsPosition> ExRightsOf(const Decimal& close, const DistributionTerms& terms,
                                           const Holding& holding);

}  // namespace hc
