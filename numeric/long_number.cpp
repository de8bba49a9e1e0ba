#include "numeric/long_number.h"

#include <algorithm>
#include <compare>

namespace hc {

namespace {

constexpr std::uint32_t kPow10[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000};

}  // namespace

LongNumber::LongNumber(U128 value) {
  while (value != 0) {
    limbs_.push_back(static_cast<std::uint32_t>(value % kBase));
    value /= kBase;
  }
}

void LongNumber::Trim() {
  while (!limbs_.empty() && limbs_.back() == 0) limbs_.pop_back();
}

int LongNumber::Digits() const {
  if (limbs_.empty()) return 0;
  int top = 0;
  for (std::uint32_t v = limbs_.back(); v != 0; v /= 10) ++top;
  return static_cast<int>(limbs_.size() - 1) * kLimbDigits + top;
}

int LongNumber::DigitAt(int pos) const {
  if (pos < 0) return 0;
  const std::size_t limb = static_cast<std::size_t>(pos / kLimbDigits);
  if (limb >= limbs_.size()) return 0;
  return static_cast<int>(limbs_[limb] / kPow10[pos % kLimbDigits] % 10);
}

LongNumber operator+(const LongNumber& a, const LongNumber& b) {
  LongNumber out;
  const std::size_t n = std::max(a.limbs_.size(), b.limbs_.size());
  out.limbs_.resize(n + 1, 0);
  std::uint32_t carry = 0;
  for (std::size_t i = 0; i < n; ++i) {
    std::uint32_t s = carry;
    if (i < a.limbs_.size()) s += a.limbs_[i];
    if (i < b.limbs_.size()) s += b.limbs_[i];
    carry = s >= LongNumber::kBase ? 1 : 0;
    out.limbs_[i] = s - carry * LongNumber::kBase;
  }
  out.limbs_[n] = carry;
  out.Trim();
  return out;
}

LongNumber operator*(const LongNumber& a, const LongNumber& b) {
  LongNumber out;
  if (a.IsZero() || b.IsZero()) return out;
  out.limbs_.assign(a.limbs_.size() + b.limbs_.size(), 0);
  for (std::size_t i = 0; i < a.limbs_.size(); ++i) {
    std::uint64_t carry = 0;
    const std::uint64_t ai = a.limbs_[i];
    for (std::size_t j = 0; j < b.limbs_.size(); ++j) {
      const std::uint64_t cur = out.limbs_[i + j] + ai * b.limbs_[j] + carry;
      out.limbs_[i + j] = static_cast<std::uint32_t>(cur % LongNumber::kBase);
      carry = cur / LongNumber::kBase;
    }
    std::size_t k = i + b.limbs_.size();
    while (carry != 0) {
      const std::uint64_t cur = out.limbs_[k] + carry;
      out.limbs_[k] = static_cast<std::uint32_t>(cur % LongNumber::kBase);
      carry = cur / LongNumber::kBase;
      ++k;
    }
  }
  out.Trim();
  return out;
}

LongNumber LongNumber::Power(std::uint64_t n) const {
  LongNumber result(1);
  LongNumber base = *this;
  while (n != 0) {
    if (n & 1) result = result * base;
    n >>= 1;
    if (n != 0) base = base * base;
  }
  return result;
}

LongNumber LongNumber::ShiftedDown(int k) const {
  if (k == 0 || IsZero()) return *this;
  LongNumber out;
  if (k < 0) {
    const int up = -k;
    out.limbs_.assign(static_cast<std::size_t>(up / kLimbDigits), 0);
    const std::uint64_t mul = kPow10[up % kLimbDigits];
    std::uint64_t carry = 0;
    for (std::uint32_t limb : limbs_) {
      const std::uint64_t cur = limb * mul + carry;
      out.limbs_.push_back(static_cast<std::uint32_t>(cur % kBase));
      carry = cur / kBase;
    }
    if (carry != 0) out.limbs_.push_back(static_cast<std::uint32_t>(carry));
    out.Trim();
    return out;
  }
  const std::size_t whole = static_cast<std::size_t>(k / kLimbDigits);
  if (whole >= limbs_.size()) return out;
  const std::uint32_t div = kPow10[k % kLimbDigits];
  const std::uint32_t mul = kBase / div;
  out.limbs_.resize(limbs_.size() - whole);
  for (std::size_t i = whole; i < limbs_.size(); ++i) {
    std::uint32_t v = limbs_[i] / div;
    if (i + 1 < limbs_.size()) v += (limbs_[i + 1] % div) * mul;
    out.limbs_[i - whole] = v;
  }
  out.Trim();
  return out;
}

LongNumber LongNumber::RoundedShift(int k) const {
  LongNumber q = ShiftedDown(k);
  if (k > 0 && DigitAt(k - 1) >= 5) q = q + LongNumber(1);
  return q;
}

int LongNumber::Truncate(std::size_t keep) {
  if (limbs_.size() <= keep) return 0;
  const std::size_t drop = limbs_.size() - keep;
  limbs_.erase(limbs_.begin(), limbs_.begin() + static_cast<std::ptrdiff_t>(drop));
  return static_cast<int>(drop);
}

std::optional<LongNumber::U128> LongNumber::ToU128() const {
  // 128 bits hold every number of up to 38 digits.
  if (Digits() > 38) return std::nullopt;
  U128 v = 0;
  for (std::size_t i = limbs_.size(); i-- > 0;) v = v * kBase + limbs_[i];
  return v;
}

std::string LongNumber::Text() const {
  if (limbs_.empty()) return "0";
  std::string out = std::to_string(limbs_.back());
  for (std::size_t i = limbs_.size() - 1; i-- > 0;) {
    std::string part = std::to_string(limbs_[i]);
    out.append(static_cast<std::size_t>(kLimbDigits) - part.size(), '0');
    out += part;
  }
  return out;
}

std::strong_ordering operator<=>(const LongNumber& a, const LongNumber& b) {
  if (a.limbs_.size() != b.limbs_.size()) return a.limbs_.size() <=> b.limbs_.size();
  for (std::size_t i = a.limbs_.size(); i-- > 0;) {
    if (a.limbs_[i] != b.limbs_[i]) return a.limbs_[i] <=> b.limbs_[i];
  }
  return std::strong_ordering::equal;
}

}  // namespace hc
